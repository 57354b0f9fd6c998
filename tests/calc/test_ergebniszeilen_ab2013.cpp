// The rows of a month from 2013: which rows each period has, the formula in
// the captions, and that every cell shows the figure of its own line.
#include <gtest/gtest.h>

#include <algorithm>

#include "calc/ErgebniszeilenAb2013.h"

namespace lohnwippe {
namespace {

std::vector<std::string> Titel(int jahr, int monat) {
    std::vector<std::string> t;
    for (const ZeileAb2013& z : ErgebniszeilenAb2013(*PeriodeZu(jahr, monat), P("2.9"))) {
        t.push_back(z.Titel);
    }
    return t;
}

bool Hat(const std::vector<std::string>& titel, std::string_view anfang) {
    return std::any_of(titel.begin(), titel.end(),
                       [&](const std::string& t) { return t.starts_with(anfang); });
}

TEST(ErgebniszeilenAb2013, JedePeriodeZeigtIhreZeilenUndFormel) {
    const auto t2013 = Titel(2013, 1);
    EXPECT_EQ(t2013[4 * 1 + 1],
              "2. Beitragspflichtige Einnahme (BE) nach der Formel: "
              "F x 450 + (850/400 - 450/400 x F) x (AE - 450)");
    EXPECT_FALSE(Hat(t2013, "Zusatzbeitrag"));
    EXPECT_TRUE(Hat(t2013, "darin KV 0,90 % nur AN"));
    EXPECT_FALSE(Hat(t2013, "2a."));

    const auto t2015 = Titel(2015, 6);
    EXPECT_TRUE(Hat(t2015, "Zusatzbeitrag (2,90 %)"));
    EXPECT_FALSE(Hat(t2015, "darin KV"));

    EXPECT_TRUE(Hat(Titel(2019, 6),
                    "2. Beitragspflichtige Einnahme (BE) nach der Formel: F x 450 + (850/"));
    EXPECT_EQ(Titel(2019, 7)[5],
              "2. Beitragspflichtige Einnahme (BE) nach der Formel: "
              "F x 450 + ([1300/(1300 - 450)] - [450/(1300 - 450)] x F) x "
              "(AE - 450)");
    EXPECT_FALSE(Hat(Titel(2022, 9), "2a."));
    const auto t2022 = Titel(2022, 10);
    EXPECT_TRUE(Hat(t2022,
                    "2a. Beitragspflichtige Einnahme für den Arbeitnehmeranteil (BE AN): "
                    "1600/(1600 - 520) x (AE - 520)"));
    EXPECT_FALSE(Hat(t2022, "darin PV-Abschlag"));
    EXPECT_FALSE(Hat(Titel(2023, 6), "darin PV-Abschlag"));
    const auto t2026 = Titel(2026, 3);
    EXPECT_TRUE(Hat(t2026, "darin PV-Abschlag Kinder"));
    EXPECT_TRUE(
        Hat(t2026, "2. Beitragspflichtige Einnahme (BE) nach der Formel: F x 603 + ([2000/"));
    EXPECT_EQ(FormatSatz(P("0.375")), "0,375 %");
    EXPECT_EQ(FormatSatz(P("14")), "14,00 %");
}

TEST(ErgebniszeilenAb2013, JedeZelleZeigtDieZahlIhrerLinie) {
    EingabenAb2013 ein;
    ein.Jahr = 2026;
    ein.Monat = 3;
    ein.Anzahl = 2;
    ein.Job[1].Entgelt = Waehrung::AusGanzzahl(700);
    ein.Job[2].Entgelt = Waehrung::AusGanzzahl(500);
    ein.Job[2].Zweig[AV] = false;
    ein.Zusatzbeitrag = P("2.9");
    ein.U1Satz = P("1.1");
    ein.Kinder = 2;
    const auto r = BerechnenAb2013(ein);
    ASSERT_TRUE(r.Ergebnis) << r.Meldung;
    const ErgebnisAb2013& e = *r.Ergebnis;
    const auto zeilen = ErgebniszeilenAb2013(*e.Parameter, e.Zusatzbeitrag);
    const auto zelle = [&](std::string_view abschnitt, std::string_view titel, std::size_t spalte) {
        bool drin = false;
        for (const ZeileAb2013& z : zeilen) {
            if (z.Art == Zeilenart::Abschnitt) {
                drin = z.Titel.starts_with(abschnitt);
            } else if (drin && z.Titel.starts_with(titel)) {
                return ZellentextAb2013(z, e, spalte);
            }
        }
        return std::string("fehlt");
    };
    const auto& s1 = e.Spalte[1];
    EXPECT_EQ(zelle("1.", "AV", 2), Zellentext(Waehrung()));  // AV off for the mini-job
    EXPECT_EQ(zelle("1.", "AV", SummenSpalte), Zellentext(Waehrung::AusGanzzahl(700)));
    EXPECT_EQ(zelle("1.", "KV", SummenSpalte), Zellentext(Waehrung::AusGanzzahl(1200)));
    EXPECT_EQ(zelle("2.", "PV", 1), Zellentext(*s1.BE[PV]));
    EXPECT_EQ(zelle("2a.", "RV", 2), Zellentext(*e.Spalte[2].BEAN[RV]));
    EXPECT_EQ(zelle("3.", "Zusatzbeitrag (2,90 %)", 1), Zellentext(s1.Linie[LZB]->Gesamt));
    EXPECT_EQ(zelle("4.", "RV", 1), Zellentext(s1.Linie[LRV]->AG));
    EXPECT_EQ(zelle("4.", "Umlage U1", SummenSpalte),
              Zellentext(e.Spalte[SummenSpalte].Umlage[U1]));
    EXPECT_EQ(zelle("4.", "AG-Aufwand", 2), Zellentext(e.Spalte[2].AGAufwand));
    EXPECT_EQ(zelle("5.", "PV", 1), Zellentext(s1.Linie[LPV]->AN));
    EXPECT_EQ(zelle("5.", "darin PV-Abschlag", 1), Zellentext(*s1.PVAbschlag));
    EXPECT_EQ(zelle("5.", "Summe", SummenSpalte), Zellentext(e.Spalte[SummenSpalte].Summe.AN));
    EXPECT_EQ(zelle("5.", "AN-Netto", 1), Zellentext(s1.Netto));
    EXPECT_EQ(zelle("5.", "AN-Netto", 3), "");  // no third employment
    EXPECT_NE(*s1.PVAbschlag, Waehrung());
}

}  // namespace
}  // namespace lohnwippe
