// The calculation where the recorded traces seldom go: the edges of the
// zone and of the warning, grey switches, the waiver's unrounded total and
// the month the Saxony rate changed. Ordinary cases are the traces'.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "TestHilfen.h"
#include "calc/Ergebnis.h"

namespace lohnwippe {
namespace {

// 2009 values, fund rate 15.5 % with sick pay, U1 2.100 %, everything
// switched on, as a new case stands in the file.
Eingaben Grundfall(double entgelt1 = 0) {
    Eingaben e{.Jahressatz = {Waehrung(), W(1.95), W(19.9), W(2.8)},
               .FaktorF = W(0.7472),
               .Teilmonatsfaktor = W(1),
               .Umlagesatz = {2100, 0, 0}};
    for (int j = 1; j <= 4; ++j) {
        e.Zweige[j].fill(Schalter::An);
        e.Umlagen[j].fill(Schalter::An);
        e.KG[j] = Schalter::An;
        e.KVSatz[j] = KVSatzAbleiten(1550, e.KG[j]);
    }
    e.Entgelt[1] = W(entgelt1);
    return e;
}

// Compares result lines with expected amounts; the index names the line.
void Pruefen(const std::vector<std::pair<Waehrung, double>>& zeilen) {
    for (std::size_t i = 0; i < zeilen.size(); ++i) {
        EXPECT_EQ(zeilen[i].first, W(zeilen[i].second)) << "line " << i;
    }
}

TEST(Berechnen, GrenzenDerGleitzoneUndDerWarnung) {
    Eingaben e = Grundfall();
    const auto gekuerzt = [&](double entgelt, double f) {
        e.Entgelt[1] = W(entgelt);
        e.FaktorF = W(f);
        return Berechnen(e).AEGekuerzt[5][RV];
    };
    EXPECT_EQ(gekuerzt(800, 0.7472), W(800));  // the formula gives 800 for any F
    EXPECT_EQ(gekuerzt(800.01, 0.7472), W(800.01));
    EXPECT_EQ(gekuerzt(900, 0.7585), W(900));
    EXPECT_EQ(gekuerzt(400.05, 0.7472), W(298.92));  // below 400.1 only times F
    EXPECT_EQ(gekuerzt(400.1, 0.7472), W(299.01));   // 298.88 + 0.12528
    EXPECT_EQ(gekuerzt(0, 0.7472), W(0));

    // The warning follows the pension base of the total: 399 < AE < 801.
    for (const auto& [entgelt, sichtbar] :
         {std::pair{399.01, false}, {800.99, false}, {0.0, true}, {399.0, true}, {801.0, true}}) {
        e.Entgelt[1] = W(entgelt);
        EXPECT_EQ(Berechnen(e).WarnungSichtbar, sichtbar) << entgelt;
    }
    e.Entgelt[1] = W(600);
    for (int j = 1; j <= 4; ++j) {
        e.Zweige[j][RV] = Schalter::Aus;
    }
    EXPECT_TRUE(Berechnen(e).WarnungSichtbar);
    // Below 1 (none chosen yet) the partial-month factor counts as 1.
    e.Teilmonatsfaktor = W(0.5);
    EXPECT_EQ(Berechnen(e).Teilmonatsfaktor, W(1));
    EXPECT_EQ(Berechnen(e).AE[1][KV], W(600));
}

TEST(Berechnen, NurAnSchaltetEin) {
    Eingaben e = Grundfall(600);
    e.Zweige[1][KV] = Schalter::Grau;
    e.Umlagen[1][U1] = Schalter::Grau;
    e.Kinderlos = Schalter::Grau;
    const Ergebnis r = Berechnen(e);
    Pruefen({{r.AE[1][KV], 0},
             {r.Gesamtbeitrag[1][KV], 0},
             {r.Zusatzbeitrag[1], 0},
             {r.ZusatzErsparnis[1], 0},
             {r.Umlage[1][U1], 0},
             {r.ANSumme[1], 4.87 + 49.64 + 6.98}});
    EXPECT_DOUBLE_EQ(r.Zusatzsatz, 0.009);
    e.Kinderlos = Schalter::An;
    EXPECT_DOUBLE_EQ(Berechnen(e).Zusatzsatz, 0.0115);
}

TEST(Berechnen, VerzichtBehaeltDieUngerundeteSumme) {
    // Columns 1 to 4 are still shared out and rounded to cents; the total
    // keeps the unrounded base.
    Eingaben e = Grundfall(300.01);
    e.RVVerzicht = true;
    e.Teilmonatsfaktor = W(1.4493);
    const Ergebnis d = Berechnen(e);
    Pruefen(
        {{d.AE[5][RV], 434.8045}, {d.AEGekuerzt[5][RV], 434.8045}, {d.AEGekuerzt[1][RV], 434.80}});
}

TEST(Berechnen, SachsenSeitJuli2011) {
    Eingaben e = Grundfall(600);
    e.Sachsen = true;
    for (const auto& [monat, ag, an] :
         {std::tuple{Berichtsmonat{2011, 6}, 2.10, 8.62}, {Berichtsmonat{2011, 7}, 2.85, 7.87}}) {
        e.Monat = monat;
        const Ergebnis r = Berechnen(e);
        Pruefen({{r.Arbeitgeberanteil[1][PV], ag},
                 {r.Arbeitgeberanteil[5][PV], ag},
                 {r.Arbeitnehmeranteil[1][PV], an}});
    }
    EXPECT_DOUBLE_EQ(SachsenSatz({2010, 12}), 0.0035);
    EXPECT_DOUBLE_EQ(SachsenSatz({2012, 1}), 0.00475);
}

}  // namespace
}  // namespace lohnwippe
