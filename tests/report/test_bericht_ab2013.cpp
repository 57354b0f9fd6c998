// The report of a month from 2013: the period's header and captions, the
// fund's rates and the rules' notices on paper.
#include <gtest/gtest.h>

#include <algorithm>

#include "Aufzeichnung.h"
#include "calc/Formate.h"
#include "report/BerichtAb2013.h"

namespace lohnwippe::test {
namespace {

BerichtsdatenAb2013 Beispiel(int jahr, int monat, Waehrung entgelt) {
    BerichtsdatenAb2013 d;
    d.Abrechnungsstelle1 = "Lohnbüro Muster     ";
    d.Tag = 7;
    d.Monat = 12;
    d.Jahr = 2026;
    d.Person = "Personalfall 1";
    d.MonatText = "MRZ";
    d.Arbeitgeber = {"", "Firma A", "Firma B", "", ""};
    d.Kasse = "Durchschnitt";
    d.Durchschnitt = true;
    d.TeilmonatText = "für vollen Monat";
    EingabenAb2013& e = d.Eingabe;
    e.Jahr = jahr;
    e.Monat = monat;
    e.Anzahl = 2;
    e.Job[1].Entgelt = entgelt;
    e.Job[2].Entgelt = Waehrung::AusGanzzahl(100);
    e.Job[2].Zweig[AV] = false;
    e.Kinder = 2;
    e.Verzicht = true;
    e.U1Satz = P("1.1");
    auto r = BerechnenAb2013(e);
    d.Resultat = *r.Ergebnis;
    return d;
}

bool Enthaelt(const Texte& zeilen, const std::string& text) {
    return std::any_of(zeilen.begin(), zeilen.end(),
                       [&](const std::string& z) { return z.find(text) != std::string::npos; });
}

TEST(BerichtAb2013, KopfFormelnSaetzeUndHinweiseDerPeriode) {
    Aufzeichnung a;
    const auto d = Beispiel(2026, 3, Waehrung::AusGanzzahl(900));
    ASSERT_TRUE(BerichtAb2013Drucken(d, a));
    const Texte z = a.Zeilen();
    EXPECT_EQ(z[4], "[0]Berechnung der SV-Beiträge im Übergangsbereich i.S.v. § 20 SGB IV");
    EXPECT_EQ(z[8], "[0]Hauptbeschäftigung bei[2]Firma A");  // no waiver since 2019-07
    EXPECT_EQ(z[10], "[0]2. Mini-Job bei[4]Kinder unter 25:[5]2");
    EXPECT_EQ(z[12], "[0]Krankenkasse:[2]Durchschnitt (keine Kasse gewählt)");
    EXPECT_EQ(z[15], "[1]EUR  900,00[2]EUR  100,00[3]EUR    0,00[4]EUR    0,00[5]EUR 1.000,00");
    EXPECT_EQ(z[16], "[1]KV, PV, RV, AV[2]KV, PV, RV[3]KV, PV, RV, AV[4]KV, PV, RV, AV");
    EXPECT_TRUE(Enthaelt(z,
                         "2a. Beitragspflichtige Einnahme für den Arbeitnehmeranteil (BE AN): "
                         "2000/(2000 - 603) x (AE - 603)"));
    const auto& s = d.Resultat.Spalte;
    EXPECT_TRUE(Enthaelt(z, "[0]AN-Netto[1]" + FormatBetragFeld(s[1].Netto) + "[2]" +
                                FormatBetragFeld(s[2].Netto) + "[5]" +
                                FormatBetragFeld(s[SummenSpalte].Netto)));
    EXPECT_TRUE(Enthaelt(z, "Zusatzbeitrag = 2,90 %, PV = 3,60 %, RV = 18,60 %, AV = 2,60 %."));
    EXPECT_TRUE(Enthaelt(z, "[0]Faktor F = 0,6619, Grenzen 603,00 / 2.000,00 Euro."));
    EXPECT_TRUE(Enthaelt(z, "[0]Umlagesätze: U1 = 1,10 %, U2 = 0,00 %, U3 = 0,15 %."));
    EXPECT_TRUE(Enthaelt(z, "„Durchschnitt“ ist keine Krankenkasse"));
    ASSERT_FALSE(d.Resultat.Hinweise.empty());  // the waiver, ignored since 2019-07
    EXPECT_TRUE(Enthaelt(z, "[0]" + d.Resultat.Hinweise.front()));
}

TEST(BerichtAb2013, FruehePeriodeUndAbbruchBeimFehler) {
    Aufzeichnung a;
    auto d = Beispiel(2014, 5, Waehrung::AusGanzzahl(600));
    d.Durchschnitt = false;
    d.Kasse = "AOK Bayern";
    ASSERT_TRUE(BerichtAb2013Drucken(d, a));
    const Texte z = a.Zeilen();
    EXPECT_EQ(z[4], "[0]Berechnung der SV-Beiträge in der Gleitzone i.S.v. § 20 SGB IV");
    EXPECT_EQ(z[8], "[0]Hauptbeschäftigung bei[2]Firma A[4]Gleitzone in RV:[5]NEIN");
    EXPECT_EQ(z[10], "[0]2. Mini-Job bei");
    EXPECT_EQ(z[12], "[0]Krankenkasse:[2]AOK Bayern");
    EXPECT_TRUE(
        Enthaelt(z, "KV = 14,60 % (ohne Krankengeld 14,00 %) + 0,90 % nur AN, PV = 2,05 %"));
    EXPECT_FALSE(Enthaelt(z, "ist keine Krankenkasse"));

    Aufzeichnung kaputt;
    kaputt.scheitertAb = 40;
    EXPECT_FALSE(BerichtAb2013Drucken(d, kaputt));
    EXPECT_EQ(kaputt.aufrufe.size(), 41U);
}

}  // namespace
}  // namespace lohnwippe::test
