// Speed of the data files: record conversion, writing a new installation,
// the save at the end of every calculation (which checks that the file is
// still the one under its name) and the annual sum that every calculation
// reads.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "store/Datenbestand.h"
#include "store/Standardinhalt.h"

#include "Arbeitsordner.h"

namespace lohnwippe {
namespace {

Fallsatz Beispiel() {
    Fallsatz satz = StandardFallsatz(1);
    satz.Namen[1] = "Müller & Söhne GmbH";
    satz.Entgelte[1] = Waehrung::AusGanzzahl(612);
    return satz;
}

void FallsatzKodierenBench(benchmark::State& state) {
    const Fallsatz satz = Beispiel();
    for (auto _ : state) {
        benchmark::DoNotOptimize(FallsatzKodieren(satz));
    }
}
BENCHMARK(FallsatzKodierenBench);

void FallsatzDekodierenBench(benchmark::State& state) {
    const auto bytes = FallsatzKodieren(Beispiel());
    for (auto _ : state) {
        benchmark::DoNotOptimize(FallsatzDekodieren(bytes));
    }
}
BENCHMARK(FallsatzDekodierenBench);

void UmlagesatzKodierenUndDekodierenBench(benchmark::State& state) {
    const Umlagesatz satz = StandardUmlagesatz(32);
    for (auto _ : state) {
        benchmark::DoNotOptimize(UmlagesatzDekodieren(UmlagesatzKodieren(satz)));
    }
}
BENCHMARK(UmlagesatzKodierenUndDekodierenBench);

void DatenAnlegenBench(benchmark::State& state) {
    Arbeitsordner ordner;
    auto bestand = Datenbestand::Oeffnen();
    if (!bestand.HatWert()) {
        state.SkipWithError(bestand.Fehler().Meldung().c_str());
        return;
    }
    for (auto _ : state) {
        if (!bestand.Wert().DatenAnlegen().HatWert()) {
            state.SkipWithError("DatenAnlegen gescheitert");
            break;
        }
    }
}
BENCHMARK(DatenAnlegenBench)->Unit(benchmark::kMicrosecond);

// What a calculation writes: the case and the settings record. Must stay
// well under 15 µs.
void SpeichernBench(benchmark::State& state) {
    Arbeitsordner ordner;
    auto bestand = Datenbestand::Oeffnen();
    if (!bestand.HatWert() || !bestand.Wert().DatenAnlegen().HatWert()) {
        state.SkipWithError("Datenbestand nicht angelegt");
        return;
    }
    const Fallsatz satz = Beispiel();
    const int fallNr = FallNr(3, 4, 5);
    for (auto _ : state) {
        if (!bestand.Wert().FallSchreiben(fallNr, satz).HatWert() ||
            !bestand.Wert().FallSchreiben(EinstellungsSatz, satz).HatWert()) {
            state.SkipWithError("Speichern gescheitert");
            break;
        }
    }
}
BENCHMARK(SpeichernBench)->Unit(benchmark::kMicrosecond);

void JahressummeBench(benchmark::State& state) {
    Arbeitsordner ordner;
    auto bestand = Datenbestand::Oeffnen();
    if (!bestand.HatWert() || !bestand.Wert().DatenAnlegen().HatWert()) {
        state.SkipWithError("Datenbestand nicht angelegt");
        return;
    }
    const int fallNr = FallNr(3, 4, 5);
    for (auto _ : state) {
        auto summe = bestand.Wert().Jahressumme(fallNr);
        benchmark::DoNotOptimize(summe);
    }
}
BENCHMARK(JahressummeBench)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lohnwippe
