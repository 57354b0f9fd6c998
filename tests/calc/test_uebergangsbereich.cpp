// The calculation from 2013 on against the published worked examples, the
// published factors F and cases worked by hand from the rules.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "TestHilfen.h"
#include "calc/Ergebnis.h"
#include "calc/Uebergangsbereich.h"

namespace lohnwippe {
namespace {

EingabenAb2013 Fall(int jahr, int monat, std::initializer_list<double> entgelte, int tage = 30) {
    EingabenAb2013 e;
    e.Jahr = jahr;
    e.Monat = monat;
    e.Tage = tage;
    e.Anzahl = static_cast<int>(entgelte.size());
    int j = 1;
    for (const double ae : entgelte) {
        e.Job[static_cast<std::size_t>(j++)].Entgelt = W(ae);
    }
    return e;
}

ErgebnisAb2013 Rechnen(const EingabenAb2013& e) {
    RechnungAb2013 r = BerechnenAb2013(e);
    EXPECT_TRUE(r.Ergebnis) << r.Meldung;
    return r.Ergebnis ? *r.Ergebnis : ErgebnisAb2013{};
}

void Linie(const SpalteAb2013& s, Linie l, double gesamt, double ag, double an) {
    ASSERT_TRUE(s.Linie[l]) << "line " << l;
    EXPECT_EQ(s.Linie[l]->Gesamt, W(gesamt)) << "line " << l;
    EXPECT_EQ(s.Linie[l]->AG, W(ag)) << "line " << l;
    EXPECT_EQ(s.Linie[l]->AN, W(an)) << "line " << l;
}

// F = round-half-up4(C / GSV), GSV from the rates of 1 January of the year
// (a rate changed in July leaves F alone).
TEST(Perioden, FaktorFWieVeroeffentlicht) {
    const auto perioden = Perioden();
    Monatszahl erwartet = MonatszahlAus(2013, 1);
    for (const Periode& p : perioden) {
        EXPECT_EQ(p.Von, erwartet) << "gap before " << p.Von;
        erwartet = p.Bis % 100 == 12 ? p.Bis + 89 : p.Bis + 1;
        const Periode& januar = *PeriodeZu(p.Von / 100, 1);
        const Satz gsv = januar.RV + januar.PV + januar.AV + januar.KV +
                         januar.KVNurAN.value_or(Satz{}) + januar.ZBDurchschnitt.value_or(Satz{});
        // C / (gsv / 1000) to four decimals: 10000 · C · 1000 / gsv.
        const std::int64_t zaehler = std::int64_t{p.C} * 10000 * 1000;
        EXPECT_EQ(p.F10000, (2 * zaehler + gsv.Tausendstel) / (2 * gsv.Tausendstel)) << p.Von;
        EXPECT_EQ(p.PVSachsenAG + p.PVSachsenAG + P("1"), p.PV) << p.Von;
    }
    EXPECT_EQ(ErstesJahrAb2013(), 2013);
    EXPECT_EQ(LetztesBekanntesJahr(), 2026);
    EXPECT_EQ(PeriodeZu(2026, 12), &perioden.back());
    EXPECT_EQ(PeriodeZu(2027, 1), nullptr);
    EXPECT_TRUE(NachLetzterPeriode(2027, 1));
    EXPECT_FALSE(NachLetzterPeriode(2026, 12));
}

TEST(Uebergangsbereich, BeispieleEinsUndZweiBasen) {
    const ErgebnisAb2013 eins = Rechnen(Fall(2020, 5, {300, 350}));
    EXPECT_EQ(eins.Spalte[1].BE[RV], W(261.04));
    EXPECT_EQ(eins.Spalte[2].BE[RV], W(304.55));
    EXPECT_EQ(eins.Zweig[KV].BEMonat, W(565.59));
    EXPECT_FALSE(eins.Spalte[1].BEAN[RV]);
    EXPECT_EQ(Rechnen(Fall(2021, 3, {900})).Spalte[1].BE[PV], W(847.25));
}

TEST(Uebergangsbereich, BeispielDreiJederBetrag) {
    EingabenAb2013 e = Fall(2022, 11, {521});
    e.Zusatzbeitrag = P("1.3");
    const ErgebnisAb2013 r = Rechnen(e);
    const SpalteAb2013& s = r.Spalte[1];
    for (const Zweig b : Zweige) {
        EXPECT_EQ(s.BE[b], W(365.61));
        EXPECT_EQ(s.BEAN[b], W(1.48));
    }
    Linie(s, LKV, 53.38, 53.27, 0.11);
    Linie(s, LZB, 4.76, 4.75, 0.01);
    Linie(s, LPV, 11.16, 11.14, 0.02);
    Linie(s, LRV, 68.00, 67.86, 0.14);
    Linie(s, LAV, 8.78, 8.76, 0.02);
    EXPECT_EQ(s.Summe.Gesamt, W(146.08));
    EXPECT_EQ(s.Summe.AG, W(145.78));
    EXPECT_EQ(s.Summe.AN, W(0.30));
    EXPECT_EQ(s.Netto, W(520.70));
    EXPECT_FALSE(s.KVNurAN);
    EXPECT_FALSE(s.PVAbschlag);
    EXPECT_TRUE(r.Hinweise.empty());
}

// A partial month rounds after every step: 455.99 -> 303.99 -> 182.39
// (chained unrounded it would be 182.40).
TEST(Uebergangsbereich, BeispielVierTeilmonatKette) {
    const ErgebnisAb2013 r = Rechnen(Fall(2022, 11, {240, 160}, 20));
    const ZweigAb2013& kv = r.Zweig[KV];
    EXPECT_EQ(kv.BEMonat, W(455.99));
    EXPECT_EQ(kv.BEANMonat, W(118.52));
    EXPECT_EQ(kv.BEZeitraum, W(303.99));
    EXPECT_EQ(kv.BEANZeitraum, W(79.01));
    EXPECT_EQ(r.Spalte[1].BE[KV], W(182.39));
    EXPECT_EQ(r.Spalte[1].BEAN[KV], W(47.41));
}

// 2013, AE 600: BE = 0.7605·450 + (850 − 342.225)·150/400 = 532.640625 ->
// 532.64. KV 2·r2(532.64·7.3 %) = 77.76, AG r2(600·7.3 %) = 43.80; the 0.9
// part r2(532.64·0.9 %) = 4.79 adds to total and AN: 82.55 / 43.80 / 38.75.
// RV 2·r2(532.64·9.45 %) = 100.66, AG r2(600·9.45 %) = 56.70.
// A fund rate given for 2013 changes nothing and is said to change nothing.
TEST(Uebergangsbereich, Zweitausenddreizehn) {
    EingabenAb2013 e = Fall(2013, 5, {600});
    e.Zusatzbeitrag = P("1.5");
    const ErgebnisAb2013 r = Rechnen(e);
    EXPECT_EQ(r.Hinweise, std::vector<std::string>{"Einen Zusatzbeitrag als Prozentsatz gibt es "
                                                   "erst ab 2015; der angegebene bleibt "
                                                   "unberücksichtigt"});
    const SpalteAb2013& s = r.Spalte[1];
    Linie(s, LKV, 82.55, 43.80, 38.75);
    EXPECT_EQ(s.KVNurAN, W(4.79));
    EXPECT_FALSE(s.Linie[LZB]);
    Linie(s, LRV, 100.66, 56.70, 43.96);
}

// 2016, AE 700, fund 1.5 %, childless: BE = 339.615 + 510.385·250/400 =
// 658.605625 -> 658.61. ZB r2(658.61·1.5 %) = 9.88 employee only; PV
// 2·r2(658.61·1.175 %) = 15.48, AG r2(700·1.175 %) = 8.23, surcharge
// r2(658.61·0.25 %) = 1.65: 17.13 / 8.23 / 8.90.
TEST(Uebergangsbereich, ZusatzbeitragNurArbeitnehmer2016) {
    EingabenAb2013 e = Fall(2016, 4, {700});
    e.Zusatzbeitrag = P("1.5");
    e.Kinderlos = true;
    const SpalteAb2013 s = Rechnen(e).Spalte[1];
    Linie(s, LZB, 9.88, 0, 9.88);
    Linie(s, LPV, 17.13, 8.23, 8.90);
    EXPECT_EQ(s.PVZuschlag, W(1.65));
}

// 2019-03, AE 500, waiver: RV normal, r2(500·9.3 %) = 46.50 each, U3
// r2(500·0.06 %) = 0.30 on the RV base 500; KV stays in the zone on
// BE = 340.47 + 509.53·50/400 = 404.16125 -> 404.16: 2·r2(29.50368) = 59.00.
// From 2019-07 the same waiver is ignored with a notice.
TEST(Uebergangsbereich, VerzichtBisJuni2019) {
    EingabenAb2013 e = Fall(2019, 3, {500});
    e.Verzicht = true;
    const ErgebnisAb2013 r = Rechnen(e);
    EXPECT_EQ(ZonenstatusText(r.Zweig[RV].Status), "Verzicht");
    Linie(r.Spalte[1], LRV, 93.00, 46.50, 46.50);
    EXPECT_EQ(r.Spalte[1].Umlage[U3], W(0.30));
    EXPECT_EQ(r.Spalte[1].Linie[LKV]->Gesamt, W(59.00));
    EXPECT_TRUE(r.Hinweise.empty());
    e.Monat = 7;
    const ErgebnisAb2013 spaeter = Rechnen(e);
    EXPECT_EQ(spaeter.Zweig[RV].Status, Zonenstatus::Zone);
    ASSERT_EQ(spaeter.Hinweise.size(), 1U);
    EXPECT_NE(spaeter.Hinweise[0].find("RV-Verzicht"), std::string::npos);
}

// 2023-08, AE 1000, three children, Saxony: BE = 359.944 + 1640.056·480/1480
// = 891.854… -> 891.85, BE_AN = 2000·480/1480 = 648.648… -> 648.65. PV
// 2·r2(891.85·1.7 %) = 30.32; AN r2(648.65·2.2 %) = 14.27, AG 16.05;
// abatement r2(648.65·0.5 %) = 3.24 off AN and total: 27.08 / 16.05 / 11.03.
TEST(Uebergangsbereich, KinderUndSachsen2023) {
    EingabenAb2013 e = Fall(2023, 8, {1000});
    e.Kinder = 3;
    e.Sachsen = true;
    const SpalteAb2013 s = Rechnen(e).Spalte[1];
    EXPECT_EQ(s.BE[PV], W(891.85));
    EXPECT_EQ(s.BEAN[PV], W(648.65));
    Linie(s, LPV, 27.08, 16.05, 11.03);
    EXPECT_EQ(s.PVAbschlag, W(3.24));
}

// 2026-06, 20 SV days, AE 400 and 300, the second without AV, childless.
// KV/PV/RV: M = 700·30/20 = 1050; BE(1050) = 911.3596… -> 911.36 -> ·20/30
// 607.57 -> ·400/700 347.18 and ·300/700 260.39; BE_AN(1050) = 639.9427…
// -> 639.94 -> 426.63 -> 243.79 and 182.84. RV 1: 2·r2(347.18·9.3 %) =
// 64.58, AN r2(243.79·9.3 %) = 22.67. PV 1: 2·r2(347.18·1.8 %) = 12.50,
// AN 4.39, surcharge r2(347.18·0.6 %) = 2.08. U3 1: r2(347.18·0.15 %) = 0.52.
// AV has only job 1: M = 400·30/20 = 600 <= 603, normal: r2(400·1.3 %) =
// 5.20 each, with a warning.
TEST(Uebergangsbereich, MehrereJobsImTeilmonat2026) {
    EingabenAb2013 e = Fall(2026, 6, {400, 300}, 20);
    e.Job[2].Zweig[AV] = false;
    e.Kinderlos = true;
    const ErgebnisAb2013 r = Rechnen(e);
    EXPECT_EQ(r.Zweig[RV].BEZeitraum, W(607.57));
    EXPECT_EQ(r.Zweig[RV].BEANZeitraum, W(426.63));
    EXPECT_EQ(r.Spalte[2].BE[RV], W(260.39));
    EXPECT_EQ(r.Spalte[2].BEAN[RV], W(182.84));
    Linie(r.Spalte[1], LRV, 64.58, 41.91, 22.67);
    Linie(r.Spalte[1], LPV, 14.58, 8.11, 6.47);
    Linie(r.Spalte[2], LRV, 48.44, 31.44, 17.00);
    EXPECT_EQ(r.Spalte[1].Umlage[U3], W(0.52));
    EXPECT_EQ(r.Zweig[AV].Status, Zonenstatus::Unter);
    Linie(r.Spalte[1], LAV, 10.40, 5.20, 5.20);
    Linie(r.Spalte[2], LAV, 0, 0, 0);
    EXPECT_FALSE(r.Spalte[1].BEAN[AV]);
    ASSERT_EQ(r.Hinweise.size(), 1U);
    EXPECT_EQ(r.Hinweise[0],
              "Auf einen vollen Monat hochgerechnetes Entgelt bis zur Geringfügigkeitsgrenze "
              "(603,00 €) in AV: kein Übergangsbereich, normale Beiträge");
}

TEST(Uebergangsbereich, KeinErgebnisMitGrund) {
    auto meldung = [](const EingabenAb2013& e) {
        RechnungAb2013 r = BerechnenAb2013(e);
        EXPECT_FALSE(r.Ergebnis);
        return r.Meldung;
    };
    EXPECT_EQ(meldung(Fall(2027, 1, {700})),
              "Die Werte für 01/2027 sind noch nicht bekannt (bekannt bis 12/2026).");
    EXPECT_NE(meldung(Fall(2012, 12, {700})).find("vor 01/2013"), std::string::npos);
    EXPECT_NE(meldung(Fall(2026, 13, {700})).find("13"), std::string::npos);
    EXPECT_NE(meldung(Fall(2026, 1, {})).find("Beschäftigungen"), std::string::npos);
    EXPECT_NE(meldung(Fall(2026, 1, {1, 2, 3, 4, 5})).find("Beschäftigungen"), std::string::npos);
    EXPECT_NE(meldung(Fall(2026, 1, {700}, 0)).find("SV-Tage"), std::string::npos);
    EXPECT_NE(meldung(Fall(2026, 1, {700}, 31)).find("SV-Tage"), std::string::npos);
    EXPECT_NE(meldung(Fall(2026, 1, {700, -0.01})).find("Beschäftigung 2 ist negativ"),
              std::string::npos);
    EXPECT_NE(meldung(Fall(2026, 1, {700.005})).find("Nachkommastellen"), std::string::npos);
    EingabenAb2013 e = Fall(2026, 1, {0, 0, 0, 0});
    for (Beschaeftigung& job : e.Job) {
        job.Entgelt = HoechstesEntgelt;
    }
    e.U1Satz = P("100");
    EXPECT_EQ(Rechnen(e).Spalte[SummenSpalte].Umlage[U1], MalGanzzahl(HoechstesEntgelt, 4));
    e.Job[4].Entgelt += W(0.01);
    EXPECT_NE(meldung(e).find("größer als 99.999.999,99 €"), std::string::npos);
    e = Fall(2026, 1, {700});
    e.U2Satz = Satz{100001};
    EXPECT_NE(meldung(e).find("100 %"), std::string::npos);
    e.U2Satz = {};
    e.Kinderlos = true;
    e.Kinder = 1;
    EXPECT_EQ(meldung(e), "Kinderlos und 1 Kind schließen sich aus.");
}

}  // namespace
}  // namespace lohnwippe
