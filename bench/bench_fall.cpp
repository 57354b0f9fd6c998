// Speed of the case model without any window: one remuneration set, from
// the typed text to the saves and the annual sum, as every Enter runs it;
// and, in the same run, the least file work that needs: one look at the
// file's name, the case record and the settings record written once each,
// and the person's twelve months read in one call.
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

void BM_Dateiarbeit(benchmark::State& state) {
    const Arbeitsordner ordner;
    {
        StillesFenster fenster;
        (void)OffenerFall::Starten(Datenbestand::Oeffnen().Wert(), fenster);
    }
    const int fd = ::open(FalldateiName, O_RDWR | O_CLOEXEC);
    std::array<std::byte, FallsatzLaenge> satz{};
    std::array<std::byte, FallsatzLaenge * MonateJeJahr> monate{};
    constexpr int fallNr = 361;
    for (auto _ : state) {
        struct stat angaben {};
        benchmark::DoNotOptimize(::stat(FalldateiName, &angaben));
        benchmark::DoNotOptimize(
            ::pwrite(fd, satz.data(), satz.size(), FallsatzLaenge * (fallNr - 1)));
        benchmark::DoNotOptimize(
            ::pwrite(fd, satz.data(), satz.size(), FallsatzLaenge * (EinstellungsSatz - 1)));
        benchmark::DoNotOptimize(
            ::pread(fd, monate.data(), monate.size(), FallsatzLaenge * (fallNr - 1)));
    }
    ::close(fd);
}
BENCHMARK(BM_Dateiarbeit)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lohnwippe

BENCHMARK_MAIN();
