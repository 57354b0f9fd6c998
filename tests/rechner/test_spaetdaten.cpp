// The stored cases and funds from 2013 (SVab2013.dat) in `export` and in
// `rechnen --daten`.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "Arbeitsordner.h"
#include "Zeilen.h"
#include "calc/Zahltext.h"
#include "rechner/Export.h"
#include "rechner/Rechnen.h"
#include "store/Datenbestand.h"
#include "store/Spaetsatz.h"

namespace lohnwippe::rechner {
namespace {

namespace fs = std::filesystem;

struct Lauf {
    int Code = -1;
    std::vector<test::Ausgabezeile> Zeilen;
    std::vector<std::string> Meldungen;
};

template <typename Befehl>
Lauf Ausfuehren(Befehl befehl) {
    Lauf lauf;
    lauf.Code = befehl([&](const std::string& m) { lauf.Meldungen.push_back(m); });
    std::ifstream strom("aus.csv", std::ios::binary);
    lauf.Zeilen = test::CsvZeilen({std::istreambuf_iterator<char>(strom), {}});
    return lauf;
}

std::string Betrag(std::optional<Waehrung> w) {
    std::array<char, ZahltextPlatz> text{};
    return {text.data(), BetragText(text.data(), w.value(), 2, Zahlformat::Deutsch)};
}

const int Maerz = FallNrAb2013(2026, 1, 2);

class Spaetdaten : public test::ArbeitsordnerTest {
  protected:
    // The folder "daten" as the window leaves it: the fund "TK" in 2026
    // beside the average, and person 2 in March 2026 with TK and children.
    Spaetdaten() {
        fs::create_directory("daten");
        fs::current_path("daten");
        {
            auto daten = Datenbestand::Oeffnen().Wert();
            EXPECT_TRUE(daten.DatenAnlegen().HatWert());
            auto kassen = daten.KassenLesen(2026).Wert();
            kassen.push_back({"TK", Satz{2450}, Satz{1600}, Satz{440}});
            EXPECT_TRUE(daten.KassenSchreiben(2026, kassen).HatWert());
            Fallsatz fall = daten.FallAb2013Lesen(Maerz).Wert();
            fall.Namen[1] = "Bäckerei Korn";
            fall.Entgelte[1] = Waehrung::AusGanzzahl(1000);
            fall.KassePos = 1;
            KinderSetzen(fall, 2);
            EXPECT_TRUE(daten.FallAb2013Schreiben(Maerz, fall).HatWert());
        }
        fs::current_path("..");
    }

    static Lauf Export(const std::optional<std::string>& jahr, bool alle = false) {
        Exportauftrag auftrag;
        auftrag.Ordner = "daten";
        auftrag.Ausgabe.Ausgabe = "aus.csv";
        auftrag.Jahr = jahr;
        auftrag.Alle = alle;
        return Ausfuehren([&](const Melder& m) { return ExportBefehl(auftrag, m); });
    }

    static Lauf Rechnen(const std::string& csv, bool mitDaten = true) {
        std::ofstream("ein.csv", std::ios::binary) << csv;
        Rechenauftrag auftrag;
        auftrag.Eingabe = "ein.csv";
        auftrag.Ausgabe.Ausgabe = "aus.csv";
        if (mitDaten) {
            auftrag.Daten = "daten";
        }
        return Ausfuehren([&](const Melder& m) { return RechnenBefehl(auftrag, m); });
    }
};

// The stored case, calculated by the law of 2026 with the fund's rates
// and the children, as the calculation itself gives it.
EingabenAb2013 GespeicherterFall() {
    EingabenAb2013 e;
    e.Jahr = 2026;
    e.Monat = 3;
    e.Job[1].Entgelt = Waehrung::AusGanzzahl(1000);
    e.Zusatzbeitrag = Satz{2450};
    e.U1Satz = Satz{1600};
    e.U2Satz = Satz{440};
    e.Kinder = 2;
    return e;
}

TEST_F(Spaetdaten, ExportRechnetMitDerKasseDesFalls) {
    const Lauf lauf = Export("2026");
    EXPECT_EQ(lauf.Code, 0);
    ASSERT_EQ(lauf.Zeilen.size(), 1u);
    const auto& z = lauf.Zeilen[0];
    const ErgebnisAb2013 e = *BerechnenAb2013(GespeicherterFall()).Ergebnis;
    EXPECT_EQ(z.at("Fall_Nr"), std::to_string(Maerz));
    EXPECT_EQ(z.at("Person_Nr"), "2");
    EXPECT_EQ(z.at("Arbeitgeber_1"), "Bäckerei Korn");
    EXPECT_EQ(z.at("Jahr"), "2026");
    EXPECT_EQ(z.at("Kasse"), "TK");
    EXPECT_EQ(z.at("Zusatzbeitrag"), "2,450");
    EXPECT_EQ(z.at("U2_Satz"), "0,440");
    EXPECT_EQ(z.at("Kinder"), "2");
    EXPECT_EQ(z.at("ZB_AN_Summe"), Betrag(e.Spalte[SummenSpalte].Linie[LZB]->AN));
    EXPECT_EQ(z.at("U1_Betrag_Summe"), Betrag(e.Spalte[SummenSpalte].Umlage[U1]));
    EXPECT_EQ(z.at("PV_Abschlag_Summe"), Betrag(e.Spalte[SummenSpalte].PVAbschlag));
    EXPECT_EQ(z.at("Jahressumme"), "1.000,00");
    EXPECT_EQ(z.at("AGSumme_Summe"), "");  // a figure of 2009-2012

    // All years: the stored case of 2012 too; a year the table lacks is refused.
    EXPECT_EQ(Export(std::nullopt).Zeilen.size(), 1u);
    EXPECT_EQ(Export("2027").Meldungen,
              std::vector<std::string>{"--jahr „2027“: ein Jahr von 2009 bis 2026"});
    // A fund taken out of the list since: the case is named and left out.
    {
        fs::current_path("daten");
        auto daten = Datenbestand::Oeffnen().Wert();
        EXPECT_TRUE(daten.KassenSchreiben(2026, StandardKassen(2026)).HatWert());
        fs::current_path("..");
    }
    const Lauf ohne = Export("2026");
    EXPECT_EQ(ohne.Code, 1);
    EXPECT_TRUE(ohne.Zeilen.empty());
    EXPECT_EQ(ohne.Meldungen,
              std::vector<std::string>{"SVab2013.dat, Satz " + std::to_string(Maerz) +
                                       " (Person 2, MRZ 2026): die Kasse Nr. 2 steht nicht in der "
                                       "Kassenliste 2026"});
}

// Without the file of later years (an installation from before), every
// case of those years is a new case with the year's average.
TEST_F(Spaetdaten, FehlendeDateiIstIhrStandardinhalt) {
    fs::remove("daten/SVab2013.dat");
    const Lauf lauf = Export("2015", true);
    EXPECT_EQ(lauf.Code, 0);
    EXPECT_TRUE(lauf.Meldungen.empty());
    ASSERT_EQ(lauf.Zeilen.size(), 120u);
    EXPECT_EQ(lauf.Zeilen[119].at("Kasse"), "Durchschnitt");
    EXPECT_EQ(lauf.Zeilen[119].at("Zusatzbeitrag"), "0,900");
    EXPECT_FALSE(fs::exists("daten/SVab2013.dat"));

    // Whole years missing at the end are the window's to add without a
    // word; a file cut within them is named as the window names it.
    std::ofstream("daten/SVab2013.dat", std::ios::binary)
        << std::string(std::size_t{204} * (1 + 124 * 3), '\0');
    EXPECT_TRUE(Export("2026").Meldungen.empty());
    fs::remove("daten/SVab2013.dat");
    fs::current_path("daten");
    EXPECT_TRUE(Datenbestand::Oeffnen().Wert().UmlagenErgaenzen().HatWert());
    fs::current_path("..");
    fs::resize_file("daten/SVab2013.dat", 354000);
    EXPECT_EQ(Export("2015").Meldungen,
              std::vector<std::string>{
                  "Die Datei SVab2013.dat ist unvollständig oder beschädigt (354000 statt 354348 "
                  "Bytes). Fehlende Fälle und Kassen ab 2013 werden als leer angezeigt und beim "
                  "nächsten Speichern ergänzt."});
}

// A row naming a fund takes its rates where it leaves them empty; a name
// the year's list does not have is refused with the list.
TEST_F(Spaetdaten, RechnenNimmtDieSaetzeDerGenanntenKasse) {
    const std::string kopf = "Jahr;Monat;Kasse;Entgelt_1;U1_Satz;Kinder\n";
    const Lauf lauf = Rechnen(kopf + "2026;3;TK;1000;;2\n2026;3;tk;1000;;\n2026;3;2;1000;1,0;\n" +
                              "2025;3;TK;1000;;\n2026;3;;1000;;\n");
    EXPECT_EQ(lauf.Code, 1);
    ASSERT_EQ(lauf.Zeilen.size(), 3u);
    const ErgebnisAb2013 e = *BerechnenAb2013(GespeicherterFall()).Ergebnis;
    EXPECT_EQ(lauf.Zeilen[0].at("ZB_AN_Summe"), Betrag(e.Spalte[SummenSpalte].Linie[LZB]->AN));
    EXPECT_EQ(lauf.Zeilen[0].at("U2_Satz"), "0,440");
    EXPECT_EQ(lauf.Zeilen[1].at("Kasse"), "TK");  // by its number
    EXPECT_EQ(lauf.Zeilen[1].at("U1_Satz"), "1,000");
    EXPECT_EQ(lauf.Zeilen[2].at("Zusatzbeitrag"), "2,900");
    EXPECT_EQ(lauf.Zeilen[2].at("U2_Satz"), "0,000");
    EXPECT_EQ(lauf.Meldungen,
              (std::vector<std::string>{
                  "ein.csv, Zeile 3, Spalte „Kasse“: „tk“ steht nicht in der Kassenliste 2026 in "
                  "SVab2013.dat („Durchschnitt“, „TK“)",
                  "ein.csv, Zeile 5, Spalte „Kasse“: „TK“ steht nicht in der Kassenliste 2025 in "
                  "SVab2013.dat („Durchschnitt“)"}));
    // Without a data folder the fund is free text.
    EXPECT_EQ(Rechnen(kopf + "2026;3;tk;1000;;\n", false).Code, 0);
}

}  // namespace
}  // namespace lohnwippe::rechner
