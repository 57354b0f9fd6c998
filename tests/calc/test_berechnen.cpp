#include <gtest/gtest.h>

#include "Ergebnis.h"
#include "TestHilfen.h"
#include "Teilmonat.h"

namespace lohnwippe {
namespace {

// 2009 values, fund rate 15.5 % with sick pay, U1 2.100 %, everything
// switched on, as a new case stands in the file.
Eingaben Grundfall() {
    Eingaben e;
    e.PVSatz = W(1.95);
    e.RVSatz = W(19.9);
    e.AVSatz = W(2.8);
    e.FaktorF = W(0.7472);
    e.Teilmonatsfaktor = W(1);
    e.U1Satz = 2100;
    e.KVGrundsatz = 1550;
    for (int j = 1; j <= 4; ++j) {
        e.KV[j] = e.PV[j] = e.RV[j] = e.AV[j] = 1;
        e.U1[j] = e.U2[j] = e.U3[j] = e.KG[j] = 1;
        e.KVSatz[j] = KVSatzAbleiten(e.KVGrundsatz, e.KG[j]);
    }
    return e;
}

TEST(Berechnen, EineHauptbeschaeftigungMit600Euro) {
    Eingaben e = Grundfall();
    e.Entgelt[1] = W(600);
    const Ergebnis r = Berechnen(e);

    for (int c : {1, 5}) {
        SCOPED_TRACE(c);
        for (Zweig b : {KV, PV, RV, AV}) {
            EXPECT_EQ(r.AE[c][b], W(600));
            EXPECT_EQ(r.AEGekuerzt[c][b], W(549.44));
        }
        EXPECT_EQ(r.Gesamtbeitrag[c][KV], W(85.16));
        EXPECT_EQ(r.Gesamtbeitrag[c][PV], W(10.72));  // 535.704 cents, 536
        EXPECT_EQ(r.Gesamtbeitrag[c][RV], W(109.34));
        EXPECT_EQ(r.Gesamtbeitrag[c][AV], W(15.38));
        EXPECT_EQ(r.GesamtSumme[c], W(220.60));
        EXPECT_EQ(r.Arbeitgeberanteil[c][KV], W(46.50));
        EXPECT_EQ(r.Arbeitgeberanteil[c][PV], W(5.85));
        EXPECT_EQ(r.Arbeitgeberanteil[c][RV], W(59.70));
        EXPECT_EQ(r.Arbeitgeberanteil[c][AV], W(8.40));
        EXPECT_EQ(r.AGSumme[c], W(120.45));
        EXPECT_EQ(r.Umlage[c][U1], W(11.54));
        EXPECT_EQ(r.Umlage[c][U2], W(0));
        EXPECT_EQ(r.AGAufwand[c], W(731.99));
        EXPECT_EQ(r.Arbeitnehmeranteil[c][PV], W(4.87));
        EXPECT_EQ(r.Arbeitnehmeranteil[c][RV], W(49.64));
        EXPECT_EQ(r.Zusatzbeitrag[c], W(4.9450));
        EXPECT_EQ(r.ZusatzErsparnis[c], W(0.46));
        EXPECT_EQ(r.ANSumme[c], W(105.095));
        EXPECT_EQ(r.ANNetto[c], W(494.905));
        EXPECT_EQ(r.ANErsparnis[c], W(20.76));
    }
    for (int c : {2, 3, 4}) {
        EXPECT_EQ(r.AE[c][KV], W(0));
        EXPECT_EQ(r.ANNetto[c], W(0));
    }
    EXPECT_EQ(r.EntgeltSumme, W(600));
    EXPECT_DOUBLE_EQ(r.Zusatzsatz, 0.009);
    EXPECT_FALSE(r.WarnungSichtbar);
}

TEST(Berechnen, ZweiBeschaeftigungenTeilenDieGekuerzteSumme) {
    Eingaben e = Grundfall();
    e.Entgelt[1] = W(300);
    e.Entgelt[2] = W(200);
    const Ergebnis r = Berechnen(e);
    EXPECT_EQ(r.AEGekuerzt[5][RV], W(424.16));
    EXPECT_EQ(r.AEGekuerzt[1][RV], W(254.50));  // 254.496
    EXPECT_EQ(r.AEGekuerzt[2][RV], W(169.66));  // 169.664
    EXPECT_EQ(r.Gesamtbeitrag[5][RV], W(50.64) + W(33.76));
    EXPECT_EQ(r.Umlage[1][U1], W(5.34));
    EXPECT_EQ(r.Umlage[2][U1], W(3.56));
    EXPECT_EQ(r.Umlage[5][U1], W(8.90));
    EXPECT_EQ(r.Arbeitgeberanteil[5][KV], W(23.25) + W(15.50));
}

TEST(Berechnen, GrenzenDerGleitzone) {
    Eingaben e = Grundfall();
    e.Entgelt[1] = W(800);
    EXPECT_EQ(Berechnen(e).AEGekuerzt[5][RV], W(800));  // the formula gives 800 for any F
    e.Entgelt[1] = W(800.01);
    EXPECT_EQ(Berechnen(e).AEGekuerzt[5][RV], W(800.01));
    e.FaktorF = W(0.7585);
    e.Entgelt[1] = W(900);
    EXPECT_EQ(Berechnen(e).AEGekuerzt[5][RV], W(900));

    // Between 400 and 400.1 the base is only multiplied by F.
    e.FaktorF = W(0.7472);
    e.Entgelt[1] = W(400.05);
    EXPECT_EQ(Berechnen(e).AEGekuerzt[5][RV], W(298.92));  // 298.9174
    e.Entgelt[1] = W(400.1);
    EXPECT_EQ(Berechnen(e).AEGekuerzt[5][RV], W(299.01));  // 298.88 + 0.12528
    e.Entgelt[1] = W(0);
    const Ergebnis null = Berechnen(e);
    EXPECT_EQ(null.AEGekuerzt[5][RV], W(0));
    EXPECT_EQ(null.AGAufwand[5], W(0));
    EXPECT_TRUE(null.WarnungSichtbar);
}

TEST(Berechnen, WarnungNachRVSummeMit399Und801) {
    Eingaben e = Grundfall();
    const auto warnung = [&](double entgelt) {
        e.Entgelt[1] = W(entgelt);
        return Berechnen(e).WarnungSichtbar;
    };
    EXPECT_TRUE(warnung(399));
    EXPECT_FALSE(warnung(399.01));
    EXPECT_FALSE(warnung(399.50));
    EXPECT_FALSE(warnung(800.50));
    EXPECT_FALSE(warnung(800.99));
    EXPECT_TRUE(warnung(801));
    for (int j = 1; j <= 4; ++j) {
        e.RV[j] = 0;
    }
    EXPECT_TRUE(warnung(600));
}

TEST(Berechnen, TeilmonatRechnetAufDieWocheZurueck) {
    Eingaben e = Grundfall();
    e.Teilmonatsfaktor = *Teilmonatsfaktor(1);
    e.Entgelt[1] = W(150);
    const Ergebnis r = Berechnen(e);
    EXPECT_EQ(r.AE[1][RV], W(652.20));
    EXPECT_EQ(r.AEGekuerzt[1][RV], W(614.84));
    EXPECT_EQ(r.Gesamtbeitrag[1][RV], W(28.14));
    EXPECT_EQ(r.Arbeitgeberanteil[1][RV], W(14.93));
    EXPECT_EQ(r.Umlage[1][U1], W(2.97));
    EXPECT_EQ(r.Zusatzbeitrag[1], W(1.2727));
    EXPECT_EQ(r.ZusatzErsparnis[1], W(0.08));
    EXPECT_EQ(r.AGAufwand[1], W(150) + r.AGSumme[1] + W(2.97));
}

TEST(Berechnen, TeilmonatsfaktorUnterEinsWirdEins) {
    Eingaben e = Grundfall();
    e.Entgelt[1] = W(600);
    e.Teilmonatsfaktor = W(0);
    const Ergebnis r = Berechnen(e);
    EXPECT_EQ(e.Teilmonatsfaktor, W(1));
    EXPECT_EQ(r.AE[1][KV], W(600));
    e.Teilmonatsfaktor = W(0.5);
    Berechnen(e);
    EXPECT_EQ(e.Teilmonatsfaktor, W(1));
}

TEST(Berechnen, NurGenauEinsSchaltetEin) {
    Eingaben e = Grundfall();
    e.Entgelt[1] = W(600);
    e.KV[1] = 2;
    e.U1[1] = 2;
    Ergebnis r = Berechnen(e);
    EXPECT_EQ(r.AE[1][KV], W(0));
    EXPECT_EQ(r.Gesamtbeitrag[1][KV], W(0));
    EXPECT_EQ(r.Zusatzbeitrag[1], W(0));
    EXPECT_EQ(r.ZusatzErsparnis[1], W(0));
    EXPECT_EQ(r.Umlage[1][U1], W(0));
    EXPECT_EQ(r.ANNetto[1], W(600) - r.ANSumme[1]);
    EXPECT_EQ(r.ANSumme[1], W(4.87) + W(49.64) + W(6.98));

    e = Grundfall();
    e.Entgelt[1] = W(600);
    e.Kinderlos = 2;  // only exactly 1 means childless
    e.RVVerzicht = 2;
    e.Sachsen = 2;
    r = Berechnen(e);
    EXPECT_DOUBLE_EQ(r.Zusatzsatz, 0.009);
    EXPECT_EQ(r.AEGekuerzt[1][RV], W(549.44));
    EXPECT_EQ(r.Arbeitgeberanteil[1][PV], W(5.85));
}

TEST(Berechnen, UmlageOhneRVIstNull) {
    Eingaben e = Grundfall();
    e.Entgelt[1] = W(600);
    e.RV[1] = 0;
    const Ergebnis r = Berechnen(e);
    EXPECT_EQ(r.Umlage[1][U1], W(0));
    EXPECT_EQ(r.Umlage[5][U1], W(0));
}

TEST(Berechnen, VerzichtInDerRentenversicherung) {
    Eingaben e = Grundfall();
    e.RVVerzicht = 1;
    e.Teilmonatsfaktor = *Teilmonatsfaktor(1);
    e.Entgelt[1] = W(150);
    e.Entgelt[2] = W(100);
    const Ergebnis r = Berechnen(e);
    for (int c = 1; c <= 5; ++c) {
        EXPECT_EQ(r.AEGekuerzt[c][RV], r.AE[c][RV]) << c;
    }
    EXPECT_EQ(r.AEGekuerzt[5][RV], W(1087));
    EXPECT_EQ(r.Umlage[1][U1], W(3.15));
    EXPECT_EQ(r.Umlage[2][U1], W(2.10));

    // Columns 1 to 4 are still shared out and rounded to cents; the total
    // keeps the unrounded base.
    e.Teilmonatsfaktor = *Teilmonatsfaktor(3);  // 1.4493
    e.Entgelt[1] = W(300.01);
    e.Entgelt[2] = W(0);
    const Ergebnis d = Berechnen(e);
    EXPECT_EQ(d.AE[5][RV], W(434.8045));
    EXPECT_EQ(d.AEGekuerzt[5][RV], W(434.8045));
    EXPECT_EQ(d.AEGekuerzt[1][RV], W(434.80));
}

TEST(Berechnen, SachsenSatzNachJahrUndMonat) {
    Eingaben e = Grundfall();
    e.Entgelt[1] = W(600);
    e.Sachsen = 1;
    e.JahrPos = 2;
    e.MonatPos = 5;
    Ergebnis r = Berechnen(e);
    EXPECT_EQ(r.Arbeitgeberanteil[1][PV], W(2.10));
    EXPECT_EQ(r.Arbeitnehmeranteil[1][PV], W(10.72) - W(2.10));
    e.MonatPos = 6;
    r = Berechnen(e);
    EXPECT_EQ(r.Arbeitgeberanteil[1][PV], W(2.85));
    EXPECT_EQ(r.Arbeitgeberanteil[5][PV], W(2.85));
    EXPECT_EQ(r.Arbeitnehmeranteil[1][PV], W(7.87));
    EXPECT_DOUBLE_EQ(SachsenSatz(0, 11), 0.0035);
    EXPECT_DOUBLE_EQ(SachsenSatz(1, 0), 0.0035);
    EXPECT_DOUBLE_EQ(SachsenSatz(3, 0), 0.00475);
}

TEST(Berechnen, KinderlosErhoehtDenZusatzbeitrag) {
    Eingaben e = Grundfall();
    e.Entgelt[1] = W(600);
    e.Kinderlos = 1;
    const Ergebnis r = Berechnen(e);
    EXPECT_DOUBLE_EQ(r.Zusatzsatz, 0.0115);
    EXPECT_EQ(r.Zusatzbeitrag[1], W(6.3186));  // 549.44 x 1.15 %
    EXPECT_EQ(r.ZusatzErsparnis[1], W(0.58));  // 6.90 - 6.3186
}

TEST(KVSatzAbleiten, OhneKrankengeld06Weniger) {
    EXPECT_EQ(KVSatzAbleiten(1550, 1), W(15.5));
    EXPECT_EQ(KVSatzAbleiten(1550, 0), W(14.9));
    EXPECT_EQ(KVSatzAbleiten(1550, 2), W(14.9));
    EXPECT_EQ(KVSatzAbleiten(1460, 0), W(14));
    EXPECT_EQ(KVSatzAbleiten(0, 0), W(-0.6));
}

TEST(Teilmonat, FaktorenUndTexte) {
    EXPECT_EQ(*Teilmonatsfaktor(0), W(1));
    EXPECT_EQ(*Teilmonatsfaktor(1), W(4.348));
    EXPECT_EQ(*Teilmonatsfaktor(2), W(2.174));
    EXPECT_EQ(*Teilmonatsfaktor(3), W(1.4493));
    EXPECT_EQ(*Teilmonatsfaktor(4), W(1.087));
    EXPECT_EQ(*Teilmonatsfaktor(5), W(30));
    EXPECT_EQ(*Teilmonatsfaktor(11), W(4.2857));
    EXPECT_EQ(*Teilmonatsfaktor(8), W(7.5));
    EXPECT_EQ(*Teilmonatsfaktor(34), W(1));
    EXPECT_FALSE(Teilmonatsfaktor(-1));
    EXPECT_FALSE(Teilmonatsfaktor(35));

    EXPECT_EQ(TeilmonatText(0), "für vollen Monat");
    EXPECT_EQ(TeilmonatText(1), "für 1 Woche");
    EXPECT_EQ(TeilmonatText(4), "für 4 Wochen");
    EXPECT_EQ(TeilmonatText(5), "für 1 Tag");
    EXPECT_EQ(TeilmonatText(6), "für 2 Tage");
    EXPECT_EQ(TeilmonatText(11), "für 7 Tage");
    EXPECT_EQ(TeilmonatText(34), "für 30 Tage");
}

}  // namespace
}  // namespace lohnwippe
