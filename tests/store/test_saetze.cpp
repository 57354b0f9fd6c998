// The names' conversion between UTF-8 and the files' Windows-1252; the
// records' layout is what the traces' file contents hold.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>

#include "store/Cp1252.h"

namespace lohnwippe {
namespace {

TEST(Cp1252, BildetSonderzeichenAbUndErsetztDenRestDurchFragezeichen) {
    using Paar = std::pair<std::string_view, std::string_view>;
    // The bytes Windows-1252 leaves undefined come back as the C1 controls.
    for (const auto& [utf8, cp1252] :
         {Paar{"€ ß „x“ … Œ Ÿ ™", "\x80 \xDF \x84x\x93 \x85 \x8C \x9F \x99"},
          Paar{"\u0081\u008D\u008F\u0090\u009D", "\x81\x8D\x8F\x90\x9D"}}) {
        EXPECT_EQ(NachCp1252(utf8), cp1252);
        EXPECT_EQ(AusCp1252(cp1252), utf8);
    }
    // Not in Windows-1252; one character, one "?"; U+0080 is not the euro
    // sign; a stray byte; a truncated euro sign; an overlong "/"; a
    // surrogate; beyond U+10FFFF; truncated at the end. Four bytes: U+10000
    // and U+10FFFF are one character each, overlong forms and anything from
    // F5 on are bytes, and a cut sequence is one broken character.
    const Paar nurHin[] = {
        {"żółw", "?\xF3?w"},
        {"A😀B", "A?B"},
        {"\xC2\x80", "?"},
        {"x\xFFy", "x?y"},
        {"\xE2\x82Z", "?Z"},
        {"\xC0\xAF", "??"},
        {"\xE0\x9F\xBF", "???"},
        {"\xED\xA0\x80", "???"},
        {"\xF4\x90\x80\x80", "????"},
        {"x\xE2\x82", "x?"},
        {"\xF0\x90\x80\x80", "?"},
        {"\xF4\x8F\xBF\xBF", "?"},
        {"\xF0\x80\x80\x80", "????"},
        {"\xF0\x8F\xBF\xBF", "????"},
        {"\xF5\x80\x80\x80", "????"},
        {"\xF0\x9F\x98Z", "?Z"},
        {"x\xF0\x9F\x98", "x?"},
    };
    for (const auto& [utf8, cp1252] : nurHin) EXPECT_EQ(NachCp1252(utf8), cp1252);

    std::string alle;
    for (int b = 0; b < 256; ++b) alle += static_cast<char>(b);
    EXPECT_EQ(NachCp1252(AusCp1252(alle)), alle);
}

// A field holds the first 20 characters, however many bytes each takes in
// UTF-8, and blanks after a shorter text.
TEST(Cp1252, TextfeldNimmtZwanzigZeichen) {
    const auto feld = [](std::string_view utf8) {
        std::array<std::byte, TextfeldLaenge> bytes{};
        TextfeldKodieren(utf8, bytes);
        return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    };
    EXPECT_EQ(feld("Müller & Söhne Großhandel"), "M\xFCller & S\xF6hne Gro\xDFh");
    EXPECT_EQ(feld("€uro\xE2\x82żółw"), "\x80uro??\xF3?w           ");
    EXPECT_EQ(feld("12345678901234567890€"), "12345678901234567890");
    EXPECT_EQ(feld(""), std::string(TextfeldLaenge, ' '));
}

}  // namespace
}  // namespace lohnwippe
