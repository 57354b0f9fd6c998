// Files a spreadsheet program made, through the whole `rechnen`: the same
// sheet saved by LibreOffice as .xlsx (German and English settings), .ods
// and CSV (UTF-8 and Windows-1252) must give the same result, byte for byte.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "Arbeitsordner.h"
#include "Zeilen.h"
#include "rechner/Rechnen.h"
#include "store/Cp1252.h"

namespace lohnwippe::rechner {
namespace {

const std::string Daten = LOHNWIPPE_TESTDATEN;

std::string Lesen(const std::string& datei) {
    std::ifstream strom(datei, std::ios::binary);
    return {std::istreambuf_iterator<char>(strom), std::istreambuf_iterator<char>()};
}

struct Lauf {
    int Code = -1;
    std::string Aus;
    std::vector<std::string> Meldungen;
};

class Tabellen : public test::ArbeitsordnerTest {
  protected:
    static Lauf Rechnen(const std::string& datei, std::optional<Zeichensatz> zeichensatz = {},
                        std::optional<std::string> blatt = {}) {
        Rechenauftrag auftrag;
        auftrag.Eingabe = Daten + datei;
        auftrag.Ausgabe.Ausgabe = "aus.csv";
        auftrag.Textzeichensatz = zeichensatz;
        auftrag.Ausgabe.Textzeichensatz = zeichensatz.value_or(Zeichensatz::Utf8);
        auftrag.Blatt = std::move(blatt);
        Lauf lauf;
        lauf.Code = RechnenBefehl(
            auftrag, [&](const std::string& meldung) { lauf.Meldungen.push_back(meldung); });
        lauf.Aus = Lesen("aus.csv");
        return lauf;
    }
};

TEST_F(Tabellen, JedeZelleWieLibreOfficeSieGespeichertHat) {
    const Lauf xlsx = Rechnen("/faelle-de.xlsx");
    EXPECT_EQ(xlsx.Code, 1);
    // The totals row at the end is no case; its message names the cell.
    EXPECT_EQ(xlsx.Meldungen, std::vector<std::string>{Daten + "/faelle-de.xlsx, Zeile 10, Spalte "
                                                               "„Jahr“ (B10): Wert fehlt"});
    const auto zeilen = test::CsvZeilen(xlsx.Aus);
    ASSERT_EQ(zeilen.size(), 6u);
    const std::vector<std::map<std::string, std::string>> erwartet = {
        {{"Mitarbeiter", "Müller, Jörg"}, {"Monat", "1"}, {"Entgelt_1", "450,50"}, {"KV_1", "1"}},
        // A number, a month's name, a formula (=F3*2), a partial month by number.
        {{"Mitarbeiter", "1002"},
         {"Monat", "3"},
         {"Teilmonat", "für 2 Tage"},
         {"Entgelt_2", "901,00"},
         {"KV_1", "0"},
         {"RV-Verzicht", "1"}},
        // Amounts in a currency format; a text that looks like a formula.
        {{"Mitarbeiter", "'=Chef"}, {"Entgelt_1", "450,50"}, {"Entgelt_2", "1.234,56"}},
        {{"Mitarbeiter", "'+Aushilfe"}, {"Kasse", "AOK Bayern"}, {"Entgelt_1", "800,25"}},
        {{"Mitarbeiter", "'-Rest"}, {"Monat", "5"}, {"Entgelt_1", "0,10"}},
        {{"Mitarbeiter", "'@home"}, {"Jahr", "2009"}, {"Entgelt_1", "0,05"}},
    };
    for (std::size_t i = 0; i < erwartet.size(); ++i) {
        for (const auto& [spalte, wert] : erwartet[i]) {
            EXPECT_EQ(zeilen[i].at(spalte), wert) << "Zeile " << i + 1 << ", " << spalte;
        }
    }
    EXPECT_TRUE(xlsx.Aus.starts_with("Mitarbeiter;Jahr;Monat;Kasse;"));

    for (const char* datei :
         {"/faelle-de.ods", "/faelle-en.xlsx", "/faelle-utf8.csv", "/faelle-cp1252.csv"}) {
        SCOPED_TRACE(datei);
        const Lauf lauf = Rechnen(datei);
        EXPECT_EQ(lauf.Aus, xlsx.Aus);
        EXPECT_EQ(lauf.Code, 1);
        EXPECT_EQ(lauf.Meldungen.size(), std::string(datei).ends_with("cp1252.csv") ? 2u : 1u);
    }
}

TEST_F(Tabellen, ZeichensatzUndBlattFestgelegt) {
    const Lauf cp1252 = Rechnen("/faelle-cp1252.csv");
    ASSERT_FALSE(cp1252.Meldungen.empty());
    EXPECT_EQ(cp1252.Meldungen[0], Daten +
                                       "/faelle-cp1252.csv: kein gültiges UTF-8 – als "
                                       "Windows-1252 gelesen (--zeichensatz utf-8 liest es "
                                       "als UTF-8)");
    // Windows-1252 in and out: the same output, in the other character set.
    const Lauf beide = Rechnen("/faelle-cp1252.csv", Zeichensatz::Windows1252);
    EXPECT_EQ(AusCp1252(beide.Aus), Rechnen("/faelle-utf8.csv").Aus);
    EXPECT_EQ(beide.Meldungen.size(), 1u);
    // Taken at its word, the file's umlauts are no UTF-8: those rows fail.
    const Lauf utf8 = Rechnen("/faelle-cp1252.csv", Zeichensatz::Utf8);
    EXPECT_EQ(test::CsvZeilen(utf8.Aus).size(), 3u);
    EXPECT_EQ(utf8.Meldungen.size(), 4u);

    const Lauf notizen = Rechnen("/faelle-de.xlsx", {}, "Notizen");
    EXPECT_EQ(notizen.Code, 2);
    ASSERT_EQ(notizen.Meldungen.size(), 1u);
    EXPECT_NE(notizen.Meldungen[0].find("Spalte „Jahr“ fehlt"), std::string::npos)
        << notizen.Meldungen[0];
    const Lauf csvBlatt = Rechnen("/faelle-utf8.csv", {}, "Notizen");
    EXPECT_EQ(csvBlatt.Meldungen,
              std::vector<std::string>{"--blatt gilt nur für Tabellendateien (.xlsx, .ods)"});
}

// The first sheet is hidden and holds 900: the visible one's 600 is
// computed, and said; the carried columns come out as the sheet shows
// them (a minus in front gets the formula guard of every CSV text); a
// date is no month.
TEST_F(Tabellen, SichtbaresBlattUndGezeigteWerte) {
    for (const std::string datei : {"/formate.ods", "/verborgen.xlsx"}) {
        SCOPED_TRACE(datei);
        const Lauf lauf = Rechnen(datei);
        EXPECT_EQ(lauf.Code, 1);
        ASSERT_EQ(lauf.Meldungen.size(), 2u);
        EXPECT_EQ(lauf.Meldungen[0], Daten + datei +
                                         ": das erste Blatt „Alt“ ist ausgeblendet – gelesen "
                                         "wird „Tabelle1“ (--blatt wählt ein anderes)");
        EXPECT_NE(lauf.Meldungen[1].find("Zeile 3, Spalte „Monat“ (B3)"), std::string::npos)
            << lauf.Meldungen[1];
        EXPECT_NE(lauf.Meldungen[1].find("01.02.2012"), std::string::npos) << lauf.Meldungen[1];
        const auto zeilen = test::CsvZeilen(lauf.Aus);
        ASSERT_EQ(zeilen.size(), 1u);
        const std::map<std::string, std::string> erwartet = {
            {"Entgelt_1", "600,00"}, {"Personalnummer", "0042"}, {"Eintritt", "01.01.1998"},
            {"Beginn", "08:30"},     {"Betrag", "'-1.234,50 €"}, {"Anteil", "12,5%"}};
        for (const auto& [spalte, wert] : erwartet) {
            EXPECT_EQ(zeilen[0].at(spalte), wert) << spalte;
        }
    }
}

// What this program writes as .xlsx, read back, is what it wrote as CSV.
TEST_F(Tabellen, XlsxHinUndZurueck) {
    Rechenauftrag hin;
    hin.Eingabe = Daten + "/faelle-de.xlsx";
    hin.Ausgabe.Ausgabe = "aus.xlsx";
    EXPECT_EQ(RechnenBefehl(hin, [](const std::string&) {}), 1);
    Rechenauftrag zurueck;
    zurueck.Eingabe = "aus.xlsx";
    zurueck.Ausgabe.Ausgabe = "zurueck.csv";
    EXPECT_EQ(RechnenBefehl(zurueck, [](const std::string&) {}), 0);
    EXPECT_EQ(Lesen("zurueck.csv"), Rechnen("/faelle-de.xlsx").Aus);
}

}  // namespace
}  // namespace lohnwippe::rechner
