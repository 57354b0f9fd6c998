#include <array>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include <gtest/gtest.h>

#include "TestHilfen.h"
#include "calc/Formate.h"
#include "calc/Zahllesen.h"
#include "calc/Zahltext.h"

namespace lohnwippe {
namespace {

const Waehrung Groesster = Waehrung::AusRoh(std::numeric_limits<std::int64_t>::max());
const Waehrung Kleinster = Waehrung::AusRoh(std::numeric_limits<std::int64_t>::min());

template <typename Eingabe>
using Faelle = std::initializer_list<std::pair<Eingabe, const char*>>;

// Feeds every input of the table to `pruefling` and compares with the text next to it.
template <typename Eingabe, typename Pruefling>
void Tabelle(Pruefling pruefling, Faelle<Eingabe> faelle) {
    for (const auto& [eingabe, text] : faelle) {
        SCOPED_TRACE(testing::PrintToString(eingabe));
        EXPECT_EQ(pruefling(eingabe), text);
    }
}

// Parser results as plain numbers, so that each case fits in a table.
const auto Text = [](std::optional<Waehrung> wert) { return wert ? FormatZahl(*wert) : "nichts"; };
auto Gelesen(int stellen) {
    return [stellen](std::string_view text) { return Text(ZahlLesen(text, stellen)); };
}
// FormatEuro is FormatBetrag with " Euro" behind it; the table checks FormatBetrag.
const auto BetragMitEuro = [](Waehrung wert) {
    EXPECT_EQ(FormatEuro(wert), FormatBetrag(wert) + " Euro");
    return FormatBetrag(wert);
};

TEST(FormatBetrag, RundungTausenderVorzeichenEuroUndFeld) {
    // Halves away from zero at the second decimal; no minus in front of 0,00.
    const Faelle<Waehrung> rundung = {
        {W(0), "0,00"},       {W(-0.5), "-0,50"},   {W(0.005), "0,01"}, {W(0.0049), "0,00"},
        {W(-0.005), "-0,01"}, {W(-0.0049), "0,00"}, {W(4.945), "4,95"}, {W(0.995), "1,00"}};
    const Faelle<Waehrung> tausender = {
        {W(999.99), "999,99"},           {W(1000), "1.000,00"},
        {W(1234.5), "1.234,50"},         {W(-1234.5), "-1.234,50"},
        {W(-999.995), "-1.000,00"},      {W(999999.99), "999.999,99"},
        {W(999999.995), "1.000.000,00"}, {W(1234567.891), "1.234.567,89"}};
    for (const auto& faelle : {rundung, tausender}) {
        Tabelle<Waehrung>(BetragMitEuro, faelle);
    }
    const Faelle<Waehrung> feld = {{W(123.4), " 123,40"},   {W(0), "   0,00"},
                                   {W(-0.5), "  -0,50"},    {W(-999.99), "-999,99"},
                                   {W(1234.5), "1.234,50"}, {Kleinster, "-922.337.203.685.477,58"}};
    Tabelle<Waehrung>(FormatBetragFeld, feld);
}

TEST(FormatDezimalUndZahl, FesteStellenOderOhneEndnullen) {
    const Faelle<std::pair<Waehrung, int>> dezimal = {
        {{W(2.5), 0}, "3"},          {{W(-2.5), 0}, "-3"},        {{W(14.6), 2}, "14,60"},
        {{W(1234.5), 2}, "1234,50"}, {{W(0.39), 3}, "0,390"},     {{W(0.0005), 3}, "0,001"},
        {{W(0.0004), 3}, "0,000"},   {{W(-0.0005), 3}, "-0,001"}, {{W(-0.0004), 3}, "0,000"},
        {{W(0.7491), 4}, "0,7491"}};
    Tabelle<std::pair<Waehrung, int>>([](auto f) { return FormatDezimal(f.first, f.second); },
                                      dezimal);
    EXPECT_EQ(FormatDezimal(Kleinster, 4), "-922337203685477,5808");
    EXPECT_THROW(FormatDezimal(W(1), 5), std::invalid_argument);
    const Faelle<Waehrung> zahl = {
        {W(19.9), "19,9"},  {W(3), "3"},           {W(0.7491), "0,7491"}, {W(4.348), "4,348"},
        {W(30), "30"},      {W(1.4493), "1,4493"}, {W(7.5), "7,5"},       {W(-2.5), "-2,5"},
        {W(1000), "1000"},  {W(0), "0"},           {W(0.0001), "0,0001"}, {W(-0.0001), "-0,0001"},
        {W(10.05), "10,05"}};
    Tabelle<Waehrung>(FormatZahl, zahl);
    EXPECT_EQ(FormatZahl(Groesster), "922337203685477,5807");
}

// The writer under the formats, where the formats do not reach it: the
// point of JSON, whole numbers.
TEST(Zahltext, PunktUndGanzzahlen) {
    char puffer[ZahltextPlatz];
    const auto text = [&](char* ende) { return std::string(puffer, ende); };
    EXPECT_EQ(text(BetragText(puffer, Kleinster, 4, Zahlformat::Punkt)), "-922337203685477.5808");
    EXPECT_EQ(text(DezimalText(puffer, W(-0.0004), 3, Zahlformat::Punkt)), "0.000");
    EXPECT_EQ(text(ZahlText(puffer, W(4.348), Zahlformat::Punkt)), "4.348");
    EXPECT_EQ(text(GanzzahlText(puffer, -2012)), "-2012");
    // The messages' counts and sizes: full stops between thousands.
    EXPECT_EQ(FormatGanzzahl(1048575), "1.048.575");
    EXPECT_EQ(FormatGanzzahl(-123012), "-123.012");
    EXPECT_EQ(MonatUndJahr(3, 2012), "März 2012");
}

TEST(FormatDatum, MonatsnamenSchaltjahreUndUngueltigeDaten) {
    const Faelle<std::array<int, 3>> gueltig = {{{2012, 2, 29}, "29. Februar 2012"},
                                                {{1, 1, 1}, "01. Januar 0001"},
                                                {{2000, 2, 29}, "29. Februar 2000"},
                                                {{9999, 12, 31}, "31. Dezember 9999"}};
    Tabelle<std::array<int, 3>>([](auto d) { return FormatDatum(d[0], d[1], d[2]); }, gueltig);
    const int ungueltig[][3] = {{2011, 2, 29}, {1900, 2, 29}, {2012, 4, 31}, {2012, 13, 1},
                                {2012, 0, 1},  {2012, 1, 0},  {0, 1, 1},     {10000, 1, 1}};
    for (const auto& [jahr, monat, tag] : ungueltig) {
        SCOPED_TRACE(testing::Message() << jahr << '-' << monat << '-' << tag);
        EXPECT_THROW(FormatDatum(jahr, monat, tag), std::invalid_argument);
    }
}

TEST(ZahlLesen, SchreibweisenRundungAblehnungenUndUeberlauf) {
    const Faelle<std::string_view> faelle = {
        {"1234,5", "1234,5"}, {"1.234,50", "1234,5"},   {"  400 ", "400"},   {"\t7\t", "7"},
        {"000123", "123"},    {"1.000.000", "1000000"}, {",5", "0,5"},       {"5,", "5"},
        {"-2,5", "-2,5"},     {"12,555", "12,56"},      {"0,00499999", "0"}, {"0,005", "0,01"},
        {"9,995", "10"},      {"-12,345", "-12,35"},    {"-0,001", "0"}};
    Tabelle<std::string_view>(Gelesen(2), faelle);
    Tabelle<std::string_view>(Gelesen(0), {{"2,5", "3"}, {"2,4999", "2"}, {"-2,5", "-3"}});
    Tabelle<std::string_view>(Gelesen(3), {{"0,0005", "0,001"}});
    Tabelle<std::string_view>(Gelesen(4),
                              {{"0,12345", "0,1235"}, {"0,12344999999999999999999", "0,1234"}});
    EXPECT_THROW(ZahlLesen("1", 5), std::invalid_argument);
    EXPECT_THROW(ZahlLesen("1", -1), std::invalid_argument);
    for (const std::string_view text : {"", "   ", ",", "-", "-,", "abc", "12a", "1,2,3", "1,2.3",
                                        ".5", "5.", "1..000", "1.,5", "+5", "- 5", "5-", "1 234"}) {
        EXPECT_EQ(Gelesen(2)(text), "nichts") << '"' << text << '"';
    }
    const Faelle<std::string_view> grenzen = {{"922.337.203.685.477,58", "922337203685477,58"},
                                              {"922337203685477,585", "nichts"},
                                              {"922337203685478", "nichts"},
                                              {"99999999999999999999999999", "nichts"},
                                              {"0000000000000000000000000001", "1"}};
    Tabelle<std::string_view>(Gelesen(2), grenzen);
    const Faelle<std::string_view> grenzenVierStellen = {
        {"922337203685477,5807", "922337203685477,5807"},    {"922337203685477,5808", "nichts"},
        {"-922337203685477,5808", "-922337203685477,5808"},  {"-922337203685477,5809", "nichts"},
        {"-922337203685477,58075", "-922337203685477,5808"}, {"-922337203685477,58085", "nichts"}};
    Tabelle<std::string_view>(Gelesen(4), grenzenVierStellen);
}

}  // namespace
}  // namespace lohnwippe
