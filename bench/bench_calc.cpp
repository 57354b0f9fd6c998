// Speed of one calculation over a mix of cases: one to four employments,
// full and partial months, every year, waiver, Saxony and childless.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "calc/Ergebnis.h"
#include "calc/Teilmonat.h"
#include "calc/Uebergangsbereich.h"
#include "rates/Jahreswerte.h"

namespace lohnwippe {
namespace {

std::vector<Eingaben> Faelle(std::size_t anzahl, bool vierJobs) {
    std::mt19937 zufall(20120101);
    auto zahl = [&](int von, int bis) {
        return std::uniform_int_distribution<int>(von, bis)(zufall);
    };
    std::vector<Eingaben> faelle(anzahl);
    for (Eingaben& e : faelle) {
        const int jobs = vierJobs ? 4 : zahl(1, 4);
        for (int j = 1; j <= 4; ++j) {
            e.Entgelt[j] =
                j <= jobs ? Waehrung::AusRoh(zahl(vierJobs ? 1 : 0, 90000) * 100LL) : Waehrung();
            e.Zweige[j].fill(Schalter::An);
            e.Umlagen[j].fill(Schalter::An);
            e.Zweige[j][AV] = j == 1 || zahl(0, 1) == 1 ? Schalter::An : Schalter::Aus;
            e.KG[j] = zahl(0, 1) == 1 ? Schalter::An : Schalter::Aus;
            e.KVSatz[j] = KVSatzAbleiten(1460, e.KG[j]);
        }
        e.Monat = {ErstesJahr + zahl(0, 3), zahl(1, 12)};
        JahreswerteUebernehmen(e.Monat.JahrPos(), e);
        e.Teilmonatsfaktor = *Teilmonatsfaktor(zahl(0, 3) == 0 ? zahl(1, 34) : 0);
        e.RVVerzicht = zahl(0, 9) == 0;
        e.Sachsen = zahl(0, 9) == 0;
        e.Kinderlos = zahl(0, 1) == 1 ? Schalter::An : Schalter::Aus;
        e.Umlagesatz = {2100, 39, 40};
    }
    return faelle;
}

void BM_Berechnen(benchmark::State& state) {
    std::vector<Eingaben> faelle = Faelle(1024, state.range(0) != 0);
    std::size_t i = 0;
    for (auto _ : state) {
        Ergebnis r = Berechnen(faelle[i++ & 1023]);
        benchmark::DoNotOptimize(r);
    }
}
// 0: the mix of one to four employments; 1: always all four (the slowest).
BENCHMARK(BM_Berechnen)->Arg(0)->Arg(1);

// A month of 2026 in the zone: 0: one employment, full month; 1: a clerk's
// sheet with four employments, 20 SV days, three children and Saxony.
void BM_BerechnenAb2013(benchmark::State& state) {
    const bool vier = state.range(0) != 0;
    EingabenAb2013 e;
    e.Jahr = 2026;
    e.Monat = 3;
    e.Anzahl = vier ? 4 : 1;
    e.Tage = vier ? 20 : 30;
    const std::array<std::int64_t, 4> euro{480, 200, 150, 90};
    for (int j = 1; j <= e.Anzahl; ++j) {
        e.Job[static_cast<std::size_t>(j)].Entgelt =
            Waehrung::AusGanzzahl(vier ? euro[static_cast<std::size_t>(j - 1)] : 1234);
    }
    e.Job[4].Zweig[AV] = false;
    e.U1Satz = Satz{2100};
    e.U2Satz = Satz{440};
    e.Kinder = vier ? 3 : 0;
    e.Sachsen = vier;
    for (auto _ : state) {
        RechnungAb2013 r = BerechnenAb2013(e);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_BerechnenAb2013)->Arg(0)->Arg(1);

}  // namespace
}  // namespace lohnwippe
