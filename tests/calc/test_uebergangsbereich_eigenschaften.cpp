// Properties the calculation from 2013 on must have in every period, over
// many random cases from a fixed seed.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "TestHilfen.h"
#include "calc/Uebergangsbereich.h"

namespace lohnwippe {
namespace {

using Zahlen = std::vector<std::optional<Waehrung>>;

// Every figure of a column in one list, the BE_AN values last.
Zahlen AlleZahlen(const SpalteAb2013& s, bool mitBEAN = true) {
    Zahlen z{s.AE,           s.KVNurAN,  s.PVZuschlag, s.PVAbschlag, s.Umlagen,
             s.Summe.Gesamt, s.Summe.AG, s.Summe.AN,   s.AGAufwand,  s.Netto};
    for (const auto& l : s.Linie) {
        z.insert(z.end(), {l ? std::optional(l->Gesamt) : std::nullopt,
                           l ? std::optional(l->AG) : std::nullopt,
                           l ? std::optional(l->AN) : std::nullopt});
    }
    z.insert(z.end(), s.Umlage.begin(), s.Umlage.end());
    z.insert(z.end(), s.BE.begin(), s.BE.end());
    if (mitBEAN) {
        z.insert(z.end(), s.BEAN.begin(), s.BEAN.end());
    }
    return z;
}

class Zufall {
  public:
    int Zahl(int von, int bis) { return std::uniform_int_distribution<int>(von, bis)(gen_); }
    bool Muenze(int von = 2) { return Zahl(1, von) == 1; }

    // Any month, one to four employments around the zone, any switches.
    EingabenAb2013 Fall() {
        EingabenAb2013 e;
        e.Jahr = Zahl(2013, 2026);
        e.Monat = Zahl(1, 12);
        e.Tage = Muenze() ? 30 : Zahl(1, 30);
        e.Anzahl = Zahl(1, 4);
        const Periode& p = *PeriodeZu(e.Jahr, e.Monat);
        const int hoechst = static_cast<int>(p.O.Roh() / 100 * e.Tage / 25 / e.Anzahl);
        for (int j = 1; j <= e.Anzahl; ++j) {
            Beschaeftigung& b = e.Job[static_cast<std::size_t>(j)];
            b.Entgelt = Waehrung::AusRoh(Zahl(0, hoechst) * 100LL);
            for (bool& zweig : b.Zweig) {
                zweig = !Muenze(6);
            }
            for (bool& umlage : b.Umlage) {
                umlage = Muenze();
            }
            b.OhneKrankengeld = Muenze();
        }
        if (Muenze()) {
            e.Zusatzbeitrag = Satz{Zahl(0, 3000)};
        }
        e.U1Satz = Satz{Zahl(0, 4000)};
        e.U2Satz = Satz{Zahl(0, 1000)};
        e.Kinderlos = Muenze();
        e.Kinder = e.Kinderlos ? 0 : Zahl(0, 6);
        e.Sachsen = Muenze(4);
        e.Verzicht = Muenze(4);
        return e;
    }

  private:
    std::mt19937 gen_{20130101};
};

ErgebnisAb2013 Rechnen(const EingabenAb2013& e) {
    RechnungAb2013 r = BerechnenAb2013(e);
    EXPECT_TRUE(r.Ergebnis) << r.Meldung;
    return r.Ergebnis ? *r.Ergebnis : ErgebnisAb2013{};
}

TEST(UebergangsbereichEigenschaften, AnteileUndSummenspalte) {
    Zufall z;
    for (int fall = 0; fall < 20000; ++fall) {
        const EingabenAb2013 e = z.Fall();
        const ErgebnisAb2013 r = Rechnen(e);
        const Monatszahl m = MonatszahlAus(e.Jahr, e.Monat);
        Zahlen summe = AlleZahlen(r.Spalte[1]);
        for (int j = 2; j <= e.Anzahl; ++j) {
            const Zahlen spalte = AlleZahlen(r.Spalte[static_cast<std::size_t>(j)]);
            for (std::size_t i = 0; i < summe.size(); ++i) {
                if (spalte[i]) {
                    summe[i] = summe[i].value_or(Waehrung()) + *spalte[i];
                }
            }
        }
        ASSERT_EQ(AlleZahlen(r.Spalte[SummenSpalte]), summe) << fall;
        for (int j : {1, 2, 3, 4, SummenSpalte}) {
            const SpalteAb2013& s = r.Spalte[static_cast<std::size_t>(j)];
            if (j > e.Anzahl && j != SummenSpalte) {
                continue;
            }
            for (const auto& l : s.Linie) {
                ASSERT_TRUE(!l || l->AG + l->AN == l->Gesamt) << fall;
            }
            ASSERT_EQ(s.Summe.AG + s.Summe.AN, s.Summe.Gesamt) << fall;
            ASSERT_EQ(s.AGAufwand, s.AE + s.Summe.AG + s.Umlagen) << fall;
            ASSERT_EQ(s.Netto, s.AE - s.Summe.AN) << fall;
            ASSERT_EQ(s.KVNurAN.has_value(), m <= 201412) << fall;
            ASSERT_EQ(s.Linie[LZB].has_value(), m >= 201501) << fall;
            ASSERT_EQ(s.PVAbschlag.has_value(), m >= 202307) << fall;
            for (const Zweig b : Zweige) {
                ASSERT_TRUE(!s.BEAN[b] || m >= 202210) << fall;
            }
        }
    }
}

// At the upper limit the zone's figures are the normal ones: compared with
// the same employment beside a second one of 0.01 €, which lifts every
// branch above the zone.
TEST(UebergangsbereichEigenschaften, ObergrenzeGibtNormaleBeitraege) {
    Zufall z;
    for (int fall = 0; fall < 3000; ++fall) {
        EingabenAb2013 e = z.Fall();
        e.Tage = 30;
        e.Anzahl = 1;
        e.Job[1].Entgelt = PeriodeZu(e.Jahr, e.Monat)->O;
        const ErgebnisAb2013 zone = Rechnen(e);
        e.Anzahl = 2;
        e.Job[2] = Beschaeftigung{W(0.01)};
        const ErgebnisAb2013 normal = Rechnen(e);
        for (const Zweig b : Zweige) {
            ASSERT_TRUE(!e.Job[1].Zweig[b] || normal.Zweig[b].Status == Zonenstatus::Ueber);
        }
        ASSERT_EQ(AlleZahlen(zone.Spalte[1], false), AlleZahlen(normal.Spalte[1], false)) << fall;
        for (const Zweig b : Zweige) {
            ASSERT_TRUE(!zone.Spalte[1].BEAN[b] || zone.Spalte[1].BEAN[b] == e.Job[1].Entgelt);
        }
    }
}

// In the zone the employee pays less than outside it for the same pay;
// the normal figures come from a second employment of O beside it.
TEST(UebergangsbereichEigenschaften, ArbeitnehmerSpartInDerZone) {
    Zufall z;
    for (int fall = 0; fall < 3000; ++fall) {
        EingabenAb2013 e = z.Fall();
        const Periode& p = *PeriodeZu(e.Jahr, e.Monat);
        e.Tage = 30;
        e.Anzahl = 1;
        e.Job[1].Zweig[z.Zahl(0, 3)] = true;
        e.Verzicht = false;
        e.Job[1].Entgelt = Waehrung::AusRoh(
            z.Zahl(static_cast<int>(p.G.Roh() / 100) + 1, static_cast<int>(p.O.Roh() / 100) - 100) *
            100LL);
        const Waehrung zone = Rechnen(e).Spalte[1].Summe.AN;
        e.Anzahl = 2;
        e.Job[2] = Beschaeftigung{p.O};
        ASSERT_LT(zone, Rechnen(e).Spalte[1].Summe.AN) << fall;
    }
}

// From 2022-10 the employee pays nothing one cent above G (the childless
// surcharge aside, which is on BE); one cent lower there is no zone.
TEST(UebergangsbereichEigenschaften, UntergrenzeUndSprung) {
    Zufall z;
    for (int fall = 0; fall < 3000; ++fall) {
        EingabenAb2013 e = z.Fall();
        const Periode& p = *PeriodeZu(e.Jahr, e.Monat);
        e.Tage = 30;
        e.Anzahl = 1;
        e.Job[1].Zweig.fill(true);
        e.Job[1].Entgelt = p.G;
        e.Kinderlos = false;
        const ErgebnisAb2013 unter = Rechnen(e);
        ASSERT_EQ(unter.Zweig[AV].Status, Zonenstatus::Unter);
        const bool zbOhneWirkung = e.Zusatzbeitrag && p.ZB == ZBTragung::Keiner;
        ASSERT_EQ(unter.Hinweise.size(),
                  1U + (e.Verzicht && !p.VerzichtMoeglich ? 1U : 0U) + (zbOhneWirkung ? 1U : 0U));
        e.Job[1].Entgelt = p.G + W(0.01);
        const ErgebnisAb2013 zone = Rechnen(e);
        ASSERT_EQ(zone.Zweig[AV].Status, Zonenstatus::Zone);
        ASSERT_LT(zone.Spalte[1].Summe.Gesamt, unter.Spalte[1].Summe.Gesamt);
        if (p.Aufteilung == Teilung::ANausBEAN) {
            ASSERT_EQ(zone.Spalte[1].Summe.AN, Waehrung()) << fall;
        }
    }
}

// As pay rises through the zone the bases, levies and line totals never
// fall, nor the share computed from pay or BE_AN.
TEST(UebergangsbereichEigenschaften, MonotonInDerZone) {
    Zufall z;
    for (int fall = 0; fall < 200; ++fall) {
        EingabenAb2013 e = z.Fall();
        e.Anzahl = 1;
        e.Tage = 30;
        e.Kinder = 0;
        const Periode& p = *PeriodeZu(e.Jahr, e.Monat);
        const bool agAusAE = p.Aufteilung == Teilung::AGausAE;
        Zahlen vorher;
        for (Waehrung ae = p.G + W(0.01); ae <= p.O; ae += W(z.Zahl(1, 3000) / 100.0)) {
            e.Job[1].Entgelt = ae;
            const SpalteAb2013 s = Rechnen(e).Spalte[1];
            Zahlen jetzt{s.Umlage.begin(), s.Umlage.end()};
            jetzt.insert(jetzt.end(), s.BE.begin(), s.BE.end());
            jetzt.insert(jetzt.end(), s.BEAN.begin(), s.BEAN.end());
            for (const auto& l : s.Linie) {
                jetzt.push_back(l ? std::optional(l->Gesamt) : std::nullopt);
                jetzt.push_back(l ? std::optional(agAusAE ? l->AG : l->AN) : std::nullopt);
            }
            for (std::size_t i = 0; i < vorher.size(); ++i) {
                ASSERT_LE(vorher[i], jetzt[i]) << fall << " " << i << " " << ae.AlsDouble();
            }
            vorher = jetzt;
        }
    }
}

}  // namespace
}  // namespace lohnwippe
