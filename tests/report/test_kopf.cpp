// Header, remuneration line and switch lines of the printed report.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "Aufzeichnung.h"
#include "Formate.h"
#include "Testfall.h"

namespace lohnwippe {
namespace {

using Paare = std::vector<std::pair<int, std::string>>;

const std::string Linie83(83, '_');

std::vector<Druckzeile> Drucke(const Berichtsdaten& d, Aufzeichnung& a) {
    EXPECT_TRUE(BerichtDrucken(d, a));
    return Zeilen(a);
}

TEST(BerichtKopf, AnfangInGenauerFolge) {
    Aufzeichnung a;
    ASSERT_TRUE(BerichtDrucken(Daten(), a));
    const std::vector<std::string> erwartet{
        "Schriftart Times new roman",
        "Groesse 10",
        "Fett 0",
        "Drucken[]|",
        "XSetzen 700",
        "Drucken[Lohnbüro Sonnberg   ]",
        "XSetzen 7900",
        "Drucken[05. Dezember 2012]|",
        "XSetzen 700",
        "Drucken[Am Markt 3          ]|",
        "Groesse 14",
        "Fett 1",
        "Drucken[]|",
        "XSetzen 700",
        "Drucken[Berechnung der SV-Beiträge in der Gleitzone i.S.v. § 20 SGB IV]|",
        "Groesse 12",
        "Drucken[]|",
        "XSetzen 700",
        "Drucken[Arbeitnehmer:]",
        "XSetzen 4300",
        "Drucken[Erika Beispiel]",
        "XSetzen 7900",
        "Drucken[Berichtsmonat:  JAN. 2012]|",
        "Drucken[]|",
    };
    EXPECT_EQ(Folge(a, 0, erwartet.size()), erwartet);
}

TEST(BerichtKopf, VollerMonat) {
    Aufzeichnung a;
    const std::vector<Druckzeile> z = Drucke(Daten(), a);
    ASSERT_GE(z.size(), 17u);
    EXPECT_EQ(Spalten(z[8]), (Paare{{0, "Hauptbeschäftigung bei"},
                                    {2, "Baeckerei Korn"},
                                    {4, "Gleitzone in RV:"},
                                    {5, "JA"}}));
    EXPECT_EQ(
        Spalten(z[9]),
        (Paare{{0, "1. Mini-Job bei"}, {2, "Gasthof Linde"}, {4, "Kinderlos:"}, {5, "NEIN"}}));
    EXPECT_EQ(Spalten(z[10]),
              (Paare{{0, "2. Mini.Job bei"}, {2, "Kiosk Eck"}, {4, "AOK Musterland"}}));
    // Nothing at column 5 in a full month.
    EXPECT_EQ(Spalten(z[11]),
              (Paare{{0, "3. Mini-Job bei"}, {2, "Reinigung Blank"}, {4, "für vollen Monat"}}));
    EXPECT_EQ(Spalten(z[12]), (Paare{{0, Linie83}}));
    EXPECT_EQ(Spalten(z[13]), (Paare{{1, "Hauptbeschäftig."},
                                     {2, "1. Mini-Job"},
                                     {3, "2. Mini-Job"},
                                     {4, "3. Mini-Job"},
                                     {5, "Summe"}}));
    // The header is set in one font, bold from the title to the remunerations.
    for (std::size_t i = 1; i <= 14; ++i) {
        for (const Eintrag& e : z[i]) {
            EXPECT_EQ(e.aufruf->schrift, "Times new roman") << e.text;
            EXPECT_EQ(e.aufruf->fett, i >= 4) << e.text;
            EXPECT_EQ(e.aufruf->punkte, i <= 2 ? 10 : i == 4 ? 14 : 12) << e.text;
        }
    }
}

TEST(BerichtKopf, EineWoche) {
    Eingaben e = Grundeingaben(150, 0);
    e.Teilmonatsfaktor = W(4.348);
    Berichtsdaten d = Daten(e);
    d.TeilmonatText = "für 1 Woche";
    Aufzeichnung a;
    const std::vector<Druckzeile> z = Drucke(d, a);
    EXPECT_EQ(
        Spalten(z[11]),
        (Paare{
            {0, "3. Mini-Job bei"}, {2, "Reinigung Blank"}, {4, "für 1 Woche"}, {5, "(4,348)"}}));
    // The factor stands at the column, not behind the period's text.
    const std::size_t i = IndexVon(a, "(4,348)");
    EXPECT_EQ(Folge(a, i - 2, 3), (std::vector<std::string>{"Drucken[für 1 Woche]", "XSetzen 9700",
                                                            "Drucken[(4,348)]|"}));
}

TEST(BerichtKopf, AntwortenFolgenDenGespeichertenSchaltern) {
    struct Fall {
        std::int16_t verzicht, kinderlos;
        const char *gleitzone, *ohneKinder;
    };
    // Only the stored value 1 counts; a waiver means no sliding zone in RV.
    for (const Fall& f :
         {Fall{0, 0, "JA", "NEIN"}, Fall{1, 1, "NEIN", "JA"}, Fall{2, 2, "JA", "NEIN"}}) {
        Berichtsdaten d = Daten();
        d.RVVerzichtImSatz = f.verzicht;
        d.KinderlosImSatz = f.kinderlos;
        Aufzeichnung a;
        const std::vector<Druckzeile> z = Drucke(d, a);
        EXPECT_EQ(TextIn(z[8], 5), f.gleitzone) << f.verzicht;
        EXPECT_EQ(TextIn(z[9], 5), f.ohneKinder) << f.kinderlos;
    }
}

TEST(BerichtKopf, Entgeltzeile) {
    Aufzeichnung a;
    const std::vector<Druckzeile> z = Drucke(Daten(), a);
    EXPECT_EQ(Spalten(z[14]), (Paare{{1, "EUR  600,00"},
                                     {2, "EUR  150,00"},
                                     {3, "EUR    0,00"},
                                     {4, "EUR    0,00"},
                                     {5, "EUR  750,00"}}));
    EXPECT_TRUE(z[14].back().aufruf->an);
    EXPECT_EQ(z[14].size(), 5u);  // one text per column
}

TEST(BerichtKopf, EntgeltsummeUeberTausendWirdNichtAbgeschnitten) {
    Aufzeichnung a;
    const std::vector<Druckzeile> z = Drucke(Daten(Grundeingaben(600, 600)), a);
    EXPECT_EQ(TextIn(z[14], 5), "EUR 1.200,00");
}

TEST(BerichtKopf, SchalterzeilenAllesAn) {
    Aufzeichnung a;
    const std::vector<Druckzeile> z = Drucke(Daten(), a);
    const std::vector<std::pair<int, std::string>> zweige{
        {1, "KV, PV, RV, AV"}, {2, "KV, PV, RV, AV"}, {3, "KV, PV, RV, AV"}, {4, "KV, PV, RV, AV"}};
    EXPECT_EQ(Spalten(z[15]), zweige);
    // The levy line stays open: the rule is printed on the same line.
    EXPECT_EQ(Spalten(z[16]), (Paare{{1, " U1, U2, U3"},
                                     {2, "KG, U1, U2, U3"},
                                     {3, "KG, U1, U2, U3"},
                                     {4, "KG, U1, U2, U3"},
                                     {0, Linie83}}));
    for (std::size_t i = 15; i <= 16; ++i) {
        for (const Eintrag& e : z[i]) {
            const bool regel = e.spalte == 0;
            EXPECT_EQ(e.aufruf->punkte, regel ? 12 : 8);
            EXPECT_EQ(e.aufruf->fett, regel);
        }
    }
}

TEST(BerichtKopf, SchalterzeilenMitAbgeschaltetenZweigen) {
    Eingaben e = Grundeingaben();
    e.KV[1] = 0;  // the column begins with the blank of " PV,"
    e.KV[2] = e.PV[2] = e.RV[2] = e.AV[2] = 0;
    e.KG[2] = e.U1[2] = e.U2[2] = e.U3[2] = 0;
    e.AV[3] = 2;  // only 1 counts as on
    e.U3[3] = 2;
    e.PV[4] = e.RV[4] = 0;
    e.U1[4] = e.U2[4] = 0;
    Aufzeichnung a;
    const std::vector<Druckzeile> z = Drucke(Daten(e), a);
    EXPECT_EQ(Spalten(z[15]), (Paare{{1, " PV, RV, AV"}, {3, "KV, PV, RV,"}, {4, "KV, AV"}}));
    EXPECT_EQ(Spalten(z[16]),
              (Paare{{1, " U1, U2, U3"}, {3, "KG, U1, U2,"}, {4, "KG, U3"}, {0, Linie83}}));
    // Each switch is a text of its own, printed where the one before ended.
    const std::size_t i = IndexVon(a, " PV,");
    EXPECT_EQ(Folge(a, i - 1, 4), (std::vector<std::string>{"XSetzen 2500", "Drucken[ PV,]",
                                                            "Drucken[ RV,]", "Drucken[ AV]"}));
}

TEST(BerichtKopf, OhneSchalterBleibtDieZeileLeer) {
    Eingaben e = Grundeingaben();
    for (int j = 1; j <= 4; ++j) {
        e.KV[j] = e.PV[j] = e.RV[j] = e.AV[j] = 0;
        e.KG[j] = e.U1[j] = e.U2[j] = e.U3[j] = 0;
    }
    Aufzeichnung a;
    const std::vector<Druckzeile> z = Drucke(Daten(e), a);
    EXPECT_TRUE(z[15].empty());
    EXPECT_EQ(Spalten(z[16]), (Paare{{0, Linie83}}));
}

}  // namespace
}  // namespace lohnwippe
