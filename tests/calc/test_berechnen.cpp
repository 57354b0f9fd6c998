#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "TestHilfen.h"
#include "calc/Ergebnis.h"
#include "calc/Teilmonat.h"

namespace lohnwippe {
namespace {

// 2009 values, fund rate 15.5 % with sick pay, U1 2.100 %, everything
// switched on, as a new case stands in the file.
Eingaben Grundfall(double entgelt1 = 0, double entgelt2 = 0) {
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
    e.Entgelt[2] = W(entgelt2);
    return e;
}

// Compares result lines with expected amounts; the index names the line.
void Pruefen(const std::vector<std::pair<Waehrung, double>>& zeilen) {
    for (std::size_t i = 0; i < zeilen.size(); ++i) {
        EXPECT_EQ(zeilen[i].first, W(zeilen[i].second)) << "line " << i;
    }
}

TEST(Berechnen, EineHauptbeschaeftigungMit600Euro) {
    Eingaben e = Grundfall(600);
    const Ergebnis r = Berechnen(e);
    for (int c : {1, 5}) {
        SCOPED_TRACE(c);
        for (Zweig b : {KV, PV, RV, AV}) {
            EXPECT_EQ(r.AE[c][b], W(600));
            EXPECT_EQ(r.AEGekuerzt[c][b], W(549.44));  // 400 x F + (2 - F) x 200
        }
        Pruefen({{r.Gesamtbeitrag[c][KV], 85.16},
                 {r.Gesamtbeitrag[c][PV], 10.72},
                 {r.Gesamtbeitrag[c][RV], 109.34},
                 {r.Gesamtbeitrag[c][AV], 15.38},
                 {r.GesamtSumme[c], 220.60},
                 {r.Arbeitgeberanteil[c][KV], 46.50},
                 {r.Arbeitgeberanteil[c][PV], 5.85},
                 {r.Arbeitgeberanteil[c][RV], 59.70},
                 {r.Arbeitgeberanteil[c][AV], 8.40},
                 {r.AGSumme[c], 120.45},
                 {r.Umlage[c][U1], 11.54},
                 {r.Umlage[c][U2], 0},
                 {r.AGAufwand[c], 731.99},
                 {r.Arbeitnehmeranteil[c][PV], 4.87},
                 {r.Arbeitnehmeranteil[c][RV], 49.64},
                 {r.Zusatzbeitrag[c], 4.9450},
                 {r.ZusatzErsparnis[c], 0.46},
                 {r.ANSumme[c], 105.095},
                 {r.ANNetto[c], 494.905},
                 {r.ANErsparnis[c], 20.76}});
    }
    for (int c : {2, 3, 4}) {
        Pruefen({{r.AE[c][KV], 0}, {r.ANNetto[c], 0}});
    }
    EXPECT_EQ(r.EntgeltSumme, W(600));
    EXPECT_DOUBLE_EQ(r.Zusatzsatz, 0.009);
    EXPECT_FALSE(r.WarnungSichtbar);
}

TEST(Berechnen, ZweiBeschaeftigungenTeilenDieGekuerzteSumme) {
    Eingaben e = Grundfall(300, 200);
    const Ergebnis r = Berechnen(e);
    // The total is rounded to cents first, then shared 3 : 2, each share
    // rounded on its own (254.496 and 169.664).
    Pruefen({{r.AEGekuerzt[5][RV], 424.16},
             {r.AEGekuerzt[1][RV], 254.50},
             {r.AEGekuerzt[2][RV], 169.66},
             {r.Gesamtbeitrag[5][RV], 50.64 + 33.76},
             {r.Umlage[1][U1], 5.34},
             {r.Umlage[2][U1], 3.56},
             {r.Umlage[5][U1], 8.90},
             {r.Arbeitgeberanteil[5][KV], 23.25 + 15.50}});
}

TEST(Berechnen, GrenzenDerGleitzone) {
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
    EXPECT_EQ(Berechnen(e).AGAufwand[5], W(0));
}

TEST(Berechnen, WarnungNachRVSummeMit399Und801) {
    Eingaben e = Grundfall();
    const auto warnung = [&](double entgelt) {
        e.Entgelt[1] = W(entgelt);
        return Berechnen(e).WarnungSichtbar;
    };
    for (double innen : {399.01, 399.50, 600.0, 800.50, 800.99}) {
        EXPECT_FALSE(warnung(innen)) << innen;
    }
    for (double aussen : {0.0, 399.0, 801.0}) {
        EXPECT_TRUE(warnung(aussen)) << aussen;
    }
    for (int j = 1; j <= 4; ++j) {
        e.Zweige[j][RV] = Schalter::Aus;
    }
    EXPECT_TRUE(warnung(600));
}

TEST(Berechnen, TeilmonatRechnetAufDieWocheZurueck) {
    Eingaben e = Grundfall(150);
    e.Teilmonatsfaktor = *Teilmonatsfaktor(1);
    const Ergebnis r = Berechnen(e);
    Pruefen({{r.AE[1][RV], 652.20},
             {r.AEGekuerzt[1][RV], 614.84},
             {r.Gesamtbeitrag[1][RV], 28.14},
             {r.Arbeitgeberanteil[1][RV], 14.93},
             {r.Umlage[1][U1], 2.97},
             {r.Zusatzbeitrag[1], 1.2727},
             {r.ZusatzErsparnis[1], 0.08}});
    EXPECT_EQ(r.AGAufwand[1], W(150) + r.AGSumme[1] + W(2.97));

    // Below 1 (0 before any choice) counts as 1.
    for (double faktor : {0.0, 0.5}) {
        e.Teilmonatsfaktor = W(faktor);
        EXPECT_EQ(Berechnen(e).AE[1][KV], W(150));
        EXPECT_EQ(Berechnen(e).Teilmonatsfaktor, W(1));
    }
}

TEST(Berechnen, NurAnSchaltetEin) {
    Eingaben e = Grundfall(600);
    e.Zweige[1][KV] = Schalter::Grau;
    e.Umlagen[1][U1] = Schalter::Grau;
    Ergebnis r = Berechnen(e);
    Pruefen({{r.AE[1][KV], 0},
             {r.Gesamtbeitrag[1][KV], 0},
             {r.Zusatzbeitrag[1], 0},
             {r.ZusatzErsparnis[1], 0},
             {r.Umlage[1][U1], 0},
             {r.ANSumme[1], 4.87 + 49.64 + 6.98}});
    EXPECT_EQ(r.ANNetto[1], W(600) - r.ANSumme[1]);

    e = Grundfall(600);
    e.Kinderlos = Schalter::Grau;
    EXPECT_DOUBLE_EQ(Berechnen(e).Zusatzsatz, 0.009);

    e = Grundfall(600);
    e.Zweige[1][RV] = Schalter::Aus;  // levies rest on the pension base
    r = Berechnen(e);
    Pruefen({{r.Umlage[1][U1], 0}, {r.Umlage[5][U1], 0}});
}

TEST(Berechnen, VerzichtInDerRentenversicherung) {
    Eingaben e = Grundfall(150, 100);
    e.RVVerzicht = true;
    e.Teilmonatsfaktor = *Teilmonatsfaktor(1);
    const Ergebnis r = Berechnen(e);
    for (int c = 1; c <= 5; ++c) {
        EXPECT_EQ(r.AEGekuerzt[c][RV], r.AE[c][RV]) << c;
    }
    Pruefen({{r.AEGekuerzt[5][RV], 1087}, {r.Umlage[1][U1], 3.15}, {r.Umlage[2][U1], 2.10}});

    // Columns 1 to 4 are still shared out and rounded to cents; the total
    // keeps the unrounded base.
    e = Grundfall(300.01);
    e.RVVerzicht = true;
    e.Teilmonatsfaktor = *Teilmonatsfaktor(3);  // 1.4493
    const Ergebnis d = Berechnen(e);
    Pruefen(
        {{d.AE[5][RV], 434.8045}, {d.AEGekuerzt[5][RV], 434.8045}, {d.AEGekuerzt[1][RV], 434.80}});
}

TEST(Berechnen, SachsenUndKinderlos) {
    Eingaben e = Grundfall(600);
    e.Sachsen = true;
    e.Monat = {2011, 6};  // June 2011: 0.35 %
    Ergebnis r = Berechnen(e);
    Pruefen({{r.Arbeitgeberanteil[1][PV], 2.10}, {r.Arbeitnehmeranteil[1][PV], 10.72 - 2.10}});
    e.Monat = {2011, 7};  // from July 2011: 0.475 %
    r = Berechnen(e);
    Pruefen({{r.Arbeitgeberanteil[1][PV], 2.85},
             {r.Arbeitgeberanteil[5][PV], 2.85},
             {r.Arbeitnehmeranteil[1][PV], 7.87}});
    EXPECT_DOUBLE_EQ(SachsenSatz({2010, 12}), 0.0035);
    EXPECT_DOUBLE_EQ(SachsenSatz({2012, 1}), 0.00475);

    e = Grundfall(600);
    e.Kinderlos = Schalter::An;
    r = Berechnen(e);
    EXPECT_DOUBLE_EQ(r.Zusatzsatz, 0.0115);
    Pruefen({{r.Zusatzbeitrag[1], 6.3186}, {r.ZusatzErsparnis[1], 0.58}});  // 6.90 - 6.3186
}

TEST(KVSatzUndTeilmonat, Tabellen) {
    Pruefen({{KVSatzAbleiten(1550, Schalter::An), 15.5},
             {KVSatzAbleiten(1550, Schalter::Aus), 14.9},
             {KVSatzAbleiten(1550, Schalter::Grau), 14.9},
             {KVSatzAbleiten(1460, Schalter::Aus), 14}});

    const std::vector<std::pair<int, double>> faktoren = {{0, 1},      {1, 4.348},   {2, 2.174},
                                                          {3, 1.4493}, {4, 1.087},   {5, 30},
                                                          {8, 7.5},    {11, 4.2857}, {34, 1}};
    for (auto [position, faktor] : faktoren) {
        EXPECT_EQ(*Teilmonatsfaktor(position), W(faktor)) << position;
    }
    EXPECT_FALSE(Teilmonatsfaktor(-1));
    EXPECT_FALSE(Teilmonatsfaktor(35));

    const std::vector<std::pair<int, const char*>> texte = {
        {0, "für vollen Monat"}, {1, "für 1 Woche"}, {4, "für 4 Wochen"}, {5, "für 1 Tag"},
        {6, "für 2 Tage"},       {11, "für 7 Tage"}, {34, "für 30 Tage"}};
    for (auto [position, text] : texte) {
        EXPECT_EQ(TeilmonatText(position), text);
    }
}

}  // namespace
}  // namespace lohnwippe
