// Speed of one calculation over a mix of cases: one to four employments,
// full and partial months, every year, waiver, Saxony and childless.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "calc/Ergebnis.h"
#include "calc/Teilmonat.h"
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
            e.KV[j] = e.PV[j] = e.RV[j] = e.U1[j] = e.U2[j] = e.U3[j] = 1;
            e.AV[j] = static_cast<std::int16_t>(j == 1 ? 1 : zahl(0, 1));
            e.KG[j] = static_cast<std::int16_t>(zahl(0, 1));
            e.KVSatz[j] = KVSatzAbleiten(1460, e.KG[j]);
        }
        e.JahrPos = zahl(0, 3);
        e.MonatPos = zahl(0, 11);
        JahreswerteUebernehmen(e.JahrPos, e);
        e.Teilmonatsfaktor = *Teilmonatsfaktor(zahl(0, 3) == 0 ? zahl(1, 34) : 0);
        e.RVVerzicht = zahl(0, 9) == 0;
        e.Sachsen = zahl(0, 9) == 0;
        e.Kinderlos = static_cast<std::int16_t>(zahl(0, 1));
        e.U1Satz = 2100;
        e.U2Satz = 39;
        e.U3Satz = 40;
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

}  // namespace
}  // namespace lohnwippe
