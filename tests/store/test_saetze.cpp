#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "store/Cp1252.h"
#include "store/Fallsatz.h"
#include "store/Satznummern.h"
#include "store/Umlagesatz.h"

namespace lohnwippe {
namespace {

using Feld = std::array<std::byte, TextfeldLaenge>;

Feld Kodiert(std::string_view utf8) {
    Feld feld;
    TextfeldKodieren(utf8, feld);
    return feld;
}

std::string Text(std::span<const std::byte> bytes) {
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// Little-endian number at `offset`, read independently of the record code.
template <typename T = std::int16_t>
T Wert(std::span<const std::byte> bytes, std::size_t offset) {
    std::uint64_t wert = 0;
    for (std::size_t i = sizeof(T); i-- > 0;)
        wert = wert << 8 | std::to_integer<unsigned>(bytes[offset + i]);
    return static_cast<T>(wert);
}

TEST(Textfeld, KuerztAufZwanzigZeichenUndFuelltMitLeerzeichen) {
    // Twenty umlauts are forty UTF-8 bytes but twenty characters: none is lost.
    std::string umlaute;
    for (int i = 0; i < 20; ++i) umlaute += "ä";
    const std::string leer(20, ' ');
    const std::tuple<std::string, std::string, std::string> faelle[] = {
        {"Fünfundzwanzig Zeichen!!!", "F\xFCnfundzwanzig Zeich", "Fünfundzwanzig Zeich"},
        {"Abt.5", "Abt.5" + leer.substr(5), "Abt.5" + leer.substr(5)},
        {"", leer, leer},
        {"Müller & Söhne", "M\xFCller & S\xF6hne      ", "Müller & Söhne      "},
        {umlaute, std::string(20, '\xE4'), umlaute},
        {umlaute + "x", std::string(20, '\xE4'), umlaute},
    };
    for (const auto& [eingabe, bytes, zurueck] : faelle) {
        SCOPED_TRACE(eingabe);
        EXPECT_EQ(Text(Kodiert(eingabe)), bytes);
        EXPECT_EQ(TextfeldDekodieren(Kodiert(eingabe)), zurueck);
    }
}

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

TEST(Saetze, FelderLiegenAnIhrenOffsets) {
    // Every byte holds its own offset, so a field read from the wrong place
    // shows; bytes from 0x80 up make the numbers negative.
    std::array<std::byte, FallsatzLaenge> fall;
    for (std::size_t i = 0; i < fall.size(); ++i) fall[i] = std::byte(i);
    const Fallsatz satz = FallsatzDekodieren(fall);
    EXPECT_EQ(FallsatzKodieren(satz), fall);
    const std::int16_t* einstellungen[] = {
        &satz.LetzterFall,  &satz.Oben,       &satz.Links,       &satz.Oben2,
        &satz.Links2,       &satz.RVVerzicht, &satz.SachsenWahl, &satz.KinderlosWahl,
        &satz.TeilmonatPos, &satz.KassePos};
    for (std::size_t k = 0; k < 10; ++k) EXPECT_EQ(*einstellungen[k], Wert(fall, 80 + 2 * k)) << k;
    EXPECT_EQ(Text(satz.Reserviert), Text(std::span(fall).subspan(100, 8)));
    for (std::size_t job = 1; job <= 4; ++job) {
        SCOPED_TRACE(job);
        const std::size_t ab = 8 * (job - 1);
        EXPECT_EQ(satz.Namen[job], Text(std::span(fall).subspan(20 * (job - 1), 20)));
        for (std::size_t b = 0; b < 4; ++b) {
            EXPECT_EQ(satz.Zweige[job][b], Wert(fall, 108 + ab + 2 * b));
            EXPECT_EQ(satz.Umlagen[job][b], Wert(fall, 140 + ab + 2 * b));
        }
        EXPECT_EQ(satz.Entgelte[job].Roh(), Wert<std::int64_t>(fall, 172 + ab));
    }

    std::array<std::byte, UmlagesatzLaenge> umlage;
    for (std::size_t i = 0; i < umlage.size(); ++i) umlage[i] = std::byte(i);
    const Umlagesatz saetze = UmlagesatzDekodieren(umlage);
    EXPECT_EQ(UmlagesatzKodieren(saetze), umlage);
    for (std::size_t k = 0; k < AnzahlKassen; ++k) {
        EXPECT_EQ(saetze.U1Saetze[k], Wert(umlage, 2 * k));
        EXPECT_EQ(saetze.U2Saetze[k], Wert(umlage, 44 + 2 * k));
        EXPECT_EQ(saetze.U3Saetze[k], Wert(umlage, 88 + 2 * k));
        EXPECT_EQ(saetze.KVSaetze[k], Wert(umlage, 132 + 2 * k));
    }
}

}  // namespace
}  // namespace lohnwippe
