// Speed of the case model without any window: one remuneration set, from
// the typed text to the saves and the annual sum, as every Enter runs it;
// and, in the same run, the least file work that needs: the case record and
// the settings record written once each, with the looks at the files that
// notice another program's change (see BM_Dateiarbeit). And undo of the largest
// step a user takes.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <random>

#include "fall/OffenerFall.h"
#include "store/Satznummern.h"

#include "Arbeitsordner.h"

namespace lohnwippe {
namespace {

class StillesFenster final : public Fensterlage {
  public:
    Fensterposition Position() const override { return {}; }
    void Verschieben(Fensterposition) override {}
};

void BM_EntgeltSetzen(benchmark::State& state) {
    const Arbeitsordner ordner;
    StillesFenster fenster;
    auto fall = OffenerFall::Starten(Datenbestand::Oeffnen().Wert(), fenster).Fall;
    const char* const betraege[] = {"450,00", "612,34", "799,99", "401,50"};
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(fall->EntgeltEingeben(*Job::Aus(1 + i % 2), betraege[i % 4]));
        ++i;
    }
}
BENCHMARK(BM_EntgeltSetzen)->Unit(benchmark::kMicrosecond);

// Undo of a copy to December (eleven months written back, the case loaded
// and calculated), alternating with its redo.
void BM_DezemberRueckgaengig(benchmark::State& state) {
    const Arbeitsordner ordner;
    StillesFenster fenster;
    auto fall = OffenerFall::Starten(Datenbestand::Oeffnen().Wert(), fenster).Fall;
    fall->EntgeltEingeben(*Job::Aus(1), "612,34");
    fall->BisDezemberKopieren();
    bool zurueck = true;
    for (auto _ : state) {
        benchmark::DoNotOptimize(zurueck ? fall->Rueckgaengig() : fall->Wiederholen());
        zurueck = !zurueck;
    }
}
BENCHMARK(BM_DezemberRueckgaengig)->Unit(benchmark::kMicrosecond);

void BM_Dateiarbeit(benchmark::State& state) {
    const Arbeitsordner ordner;
    {
        StillesFenster fenster;
        (void)OffenerFall::Starten(Datenbestand::Oeffnen().Wert(), fenster);
    }
    const int fd = ::open(FalldateiName, O_RDWR | O_CLOEXEC);
    std::array<std::byte, FallsatzLaenge> satz{};
    constexpr int fallNr = 361;
    for (auto _ : state) {
        // Before the first write, whether the name still leads to the file;
        // between the writes, whether the open file has the length it
        // should; after the step, whether both names still lead to their
        // files (and the last write left the length it should). The twelve
        // months come from memory.
        struct stat angaben {};
        benchmark::DoNotOptimize(::stat(FalldateiName, &angaben));
        benchmark::DoNotOptimize(
            ::pwrite(fd, satz.data(), satz.size(), FallsatzLaenge * (fallNr - 1)));
        benchmark::DoNotOptimize(::fstat(fd, &angaben));
        benchmark::DoNotOptimize(
            ::pwrite(fd, satz.data(), satz.size(), FallsatzLaenge * (EinstellungsSatz - 1)));
        benchmark::DoNotOptimize(::stat(FalldateiName, &angaben));
        benchmark::DoNotOptimize(::stat(UmlagedateiName, &angaben));
    }
    ::close(fd);
}
BENCHMARK(BM_Dateiarbeit)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lohnwippe

BENCHMARK_MAIN();
