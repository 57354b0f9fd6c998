// Footer, end of the document and the behaviour on a failing printer.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "Aufzeichnung.h"
#include "Formate.h"
#include "Testfall.h"

namespace lohnwippe {
namespace {

using Paare = std::vector<std::pair<int, std::string>>;

const std::string Linie98(98, '_');
const std::string Beitragssaetze =
    "Beitragssätze: KV = 14,6 %, PV = 1,95 %, RV = 19,6 %, AV = 3 %.  Faktor F = 0,7491";
const std::string Umlagesaetze = "Umlagesätze: U1 = 2,1 %, U2 = 0,37 %, U3 = 0,04";
const std::string Verzicht =
    "In der Rentenversicherung wurde auf die Anwendung der Gleitzone verzichtet.";

// The lines from the rule above the footer to the end.
std::vector<Druckzeile> Fuss(const Aufzeichnung& a) {
    const std::vector<Druckzeile> z = Zeilen(a);
    std::size_t i = z.size();
    while (i > 0 && !(z[i - 1].size() == 1 && z[i - 1][0].text == Linie98)) {
        --i;
    }
    EXPECT_GT(i, 0u);
    return {z.begin() + static_cast<std::ptrdiff_t>(i > 0 ? i - 1 : 0), z.end()};
}

TEST(BerichtFuss, OhneVerzicht) {
    Aufzeichnung a;
    ASSERT_TRUE(BerichtDrucken(Daten(), a));
    const std::vector<Druckzeile> fuss = Fuss(a);
    ASSERT_EQ(fuss.size(), 3u);
    EXPECT_EQ(Spalten(fuss[1]), (Paare{{0, Beitragssaetze}}));
    EXPECT_EQ(Spalten(fuss[2]), (Paare{{0, Umlagesaetze}}));
    for (const Druckzeile& z : fuss) {
        for (const Eintrag& e : z) {
            EXPECT_EQ(e.aufruf->schrift, "Times Roman");
            EXPECT_EQ(e.aufruf->punkte, 10);
            EXPECT_FALSE(e.aufruf->fett);
            EXPECT_FALSE(e.aufruf->hervorgehoben);
        }
    }
    // One empty line ends the last result row, then the footer's fonts.
    const std::size_t i = IndexVon(a, "Beitragssätze: KV = ");
    const Berichtsdaten d = Daten();
    EXPECT_EQ(Folge(a, i - 9, 10),
              (std::vector<std::string>{
                  "Drucken[ " + FormatBetragFeld(d.Resultat.ANErsparnis[5]) + "]", "Drucken[]|",
                  "Schriftart Times Roman", "Groesse 10", "Fett 0", "Hervorhebung 0", "XSetzen 700",
                  "Drucken[" + Linie98 + "]|", "XSetzen 700", "Drucken[Beitragssätze: KV = ]"}));
}

TEST(BerichtFuss, MitVerzichtStehtDerHinweisZuletzt) {
    Eingaben e = Grundeingaben();
    e.RVVerzicht = 1;
    const Berichtsdaten d = Daten(e);
    Aufzeichnung a;
    ASSERT_TRUE(BerichtDrucken(d, a));
    const std::vector<Druckzeile> fuss = Fuss(a);
    ASSERT_EQ(fuss.size(), 4u);
    EXPECT_EQ(Spalten(fuss[2]), (Paare{{0, Umlagesaetze}}));
    EXPECT_EQ(Spalten(fuss[3]), (Paare{{0, Verzicht}}));
    EXPECT_TRUE(fuss[3][0].aufruf->an);
    // Header and footer agree.
    EXPECT_EQ(TextIn(Zeilen(a)[8], 5), "NEIN");
}

TEST(BerichtFuss, HinweisNurBeiVerzichtGleichEins) {
    // The note follows the calculation's input, not the stored flag.
    Berichtsdaten d = Daten();
    d.RVVerzichtImSatz = 1;
    d.Eingabe.RVVerzicht = 2;
    Aufzeichnung a;
    ASSERT_TRUE(BerichtDrucken(d, a));
    EXPECT_EQ(IndexVon(a, Verzicht), a.aufrufe.size());
    EXPECT_EQ(Fuss(a).size(), 3u);
}

TEST(BerichtFuss, KVSatzDerDrittenMinijobSpalte) {
    Eingaben e = Grundeingaben();
    e.KG[4] = 0;
    e.KVSatz[4] = KVSatzAbleiten(e.KVGrundsatz, e.KG[4]);
    e.FaktorF = W(0.7472);
    Berichtsdaten d = Daten(e);
    d.U1Prozent = W(1.9);
    d.U2Prozent = W(0);
    d.U3Prozent = W(0.15);
    Aufzeichnung a;
    ASSERT_TRUE(BerichtDrucken(d, a));
    const std::vector<Druckzeile> fuss = Fuss(a);
    ASSERT_EQ(fuss.size(), 3u);
    EXPECT_EQ(TextIn(fuss[1], 0),
              "Beitragssätze: KV = 14 %, PV = 1,95 %, RV = 19,6 %, AV = 3 %.  Faktor F = 0,7472");
    EXPECT_EQ(TextIn(fuss[2], 0), "Umlagesätze: U1 = 1,9 %, U2 = 0 %, U3 = 0,15");
}

TEST(BerichtFuss, DokumentWirdEinmalZuletztBeendet) {
    Aufzeichnung a;
    ASSERT_TRUE(BerichtDrucken(Daten(), a));
    EXPECT_EQ(a.Anzahl(Aufzeichnung::Art::Beenden), 1u);
    EXPECT_EQ(a.aufrufe.back().art, Aufzeichnung::Art::Beenden);
    // Only the six print columns are ever used.
    for (const Aufzeichnung::Aufruf& r : a.aufrufe) {
        if (r.art == Aufzeichnung::Art::XSetzen) {
            EXPECT_GE(SpalteVon(r.zahl), 0) << r.zahl;
        }
    }
}

TEST(BerichtFuss, ScheiternHaeltDieAusgabeSofortAn) {
    Aufzeichnung vollstaendig;
    ASSERT_TRUE(BerichtDrucken(Daten(), vollstaendig));
    const std::size_t gesamt = vollstaendig.aufrufe.size();
    // Fail at every single call in turn, Beenden included.
    for (std::size_t ab = 0; ab < gesamt; ++ab) {
        Aufzeichnung a;
        a.scheitertAb = ab;
        ASSERT_FALSE(BerichtDrucken(Daten(), a)) << ab;
        ASSERT_EQ(a.aufrufe.size(), ab + 1) << "calls after the failure at " << ab;
        EXPECT_EQ(Kurz(a.aufrufe.back()), Kurz(vollstaendig.aufrufe[ab]));
        if (ab + 1 < gesamt) {
            EXPECT_EQ(a.Anzahl(Aufzeichnung::Art::Beenden), 0u);
        }
    }
}

TEST(BerichtFuss, UngueltigesDatumDrucktNichts) {
    Berichtsdaten d = Daten();
    d.Tag = 30;
    d.Monat = 2;
    Aufzeichnung a;
    EXPECT_THROW(BerichtDrucken(d, a), std::invalid_argument);
    EXPECT_TRUE(a.aufrufe.empty());
}

}  // namespace
}  // namespace lohnwippe
