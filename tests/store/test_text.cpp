#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>

#include "Cp1252.h"

namespace lohnwippe {
namespace {

using Feld = std::array<std::byte, TextfeldLaenge>;

std::string Bytes(const Feld& feld) {
    return std::string(reinterpret_cast<const char*>(feld.data()), feld.size());
}

Feld Kodiert(std::string_view utf8) {
    Feld feld;
    TextfeldKodieren(utf8, feld);
    return feld;
}

TEST(Textfeld, KuerztAufZwanzigZeichenUndFuelltMitLeerzeichen) {
    EXPECT_EQ(Bytes(Kodiert("Fünfundzwanzig Zeichen!!!")), "F\xFCnfundzwanzig Zeich");
    EXPECT_EQ(Bytes(Kodiert("Abt.5")), "Abt.5               ");
    EXPECT_EQ(Bytes(Kodiert("")), std::string(20, ' '));
    // Twenty umlauts are forty UTF-8 bytes but twenty characters: none is lost.
    std::string umlaute;
    for (int i = 0; i < 20; ++i) umlaute += "ä";
    EXPECT_EQ(Bytes(Kodiert(umlaute)), std::string(20, '\xE4'));
    EXPECT_EQ(TextfeldDekodieren(Kodiert(umlaute + "x")), umlaute);
}

TEST(Textfeld, LiefertAlleZwanzigZeichenZurueck) {
    EXPECT_EQ(TextfeldDekodieren(Kodiert("Müller & Söhne")), "Müller & Söhne      ");
    EXPECT_EQ(Bytes(Kodiert("Müller & Söhne")).substr(0, 14), "M\xFCller & S\xF6hne");
}

TEST(Cp1252, BildetSonderzeichenAb) {
    EXPECT_EQ(NachCp1252("€ ß „x“ … Œ Ÿ ™"), "\x80 \xDF \x84x\x93 \x85 \x8C \x9F \x99");
    EXPECT_EQ(AusCp1252("\x80\xDF\x84\x93\x85\x8C\x9F\x99"), "€ß„“…ŒŸ™");
}

TEST(Cp1252, ErsetztNichtDarstellbaresDurchFragezeichen) {
    EXPECT_EQ(NachCp1252("łódź"),
              "?\xF3"
              "d?");
    EXPECT_EQ(NachCp1252("A😀B"), "A?B");     // one character, one "?"
    EXPECT_EQ(NachCp1252("\xC2\x80"), "?");  // U+0080 is not the euro sign
}

TEST(Cp1252, ErsetztKaputtesUtf8) {
    EXPECT_EQ(NachCp1252("a\xFF"
                         "b"),
              "a?b");
    EXPECT_EQ(NachCp1252("\xE2\x82"
                         "A"),
              "?A");                                    // truncated euro sign
    EXPECT_EQ(NachCp1252("\xC0\xAF"), "??");            // overlong "/"
    EXPECT_EQ(NachCp1252("\xED\xA0\x80"), "???");       // surrogate
    EXPECT_EQ(NachCp1252("\xF4\x90\x80\x80"), "????");  // beyond U+10FFFF
    EXPECT_EQ(NachCp1252("x\xE2\x82"), "x?");           // truncated at the end
}

TEST(Cp1252, JedesByteUeberstehtDenWegUeberText) {
    std::string alle;
    for (int b = 0; b < 256; ++b) alle += static_cast<char>(b);
    EXPECT_EQ(NachCp1252(AusCp1252(alle)), alle);
    // The bytes Windows-1252 leaves undefined come back as the C1 controls.
    EXPECT_EQ(AusCp1252("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");

    std::mt19937 zufall(1252);
    for (int runde = 0; runde < 1000; ++runde) {
        Feld feld;
        for (auto& b : feld) b = static_cast<std::byte>(zufall());
        EXPECT_EQ(Kodiert(TextfeldDekodieren(feld)), feld);
    }
}

}  // namespace
}  // namespace lohnwippe
