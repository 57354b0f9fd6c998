// Speed of the case model without any window: one remuneration set, from
// the typed text to both saves and the annual sum, as every Enter runs it.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "fall/OffenerFall.h"

namespace lohnwippe {
namespace {

class StillesFenster final : public Fensterlage {
  public:
    Fensterposition Position() const override { return {}; }
    void Verschieben(Fensterposition) override {}
};

void BM_EntgeltSetzen(benchmark::State& state) {
    const auto vorher = std::filesystem::current_path();
    const auto ordner = std::filesystem::temp_directory_path() /
                        ("lohnwippe_bench_fall_" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(ordner);
    std::filesystem::current_path(ordner);
    {
        StillesFenster fenster;
        auto fall = OffenerFall::Starten(Datenbestand::Oeffnen().Wert(), fenster).Fall;
        const char* const betraege[] = {"450,00", "612,34", "799,99", "401,50"};
        int i = 0;
        for (auto _ : state) {
            benchmark::DoNotOptimize(fall->EntgeltEingeben(*Job::Aus(1 + i % 2), betraege[i % 4]));
            ++i;
        }
    }
    std::filesystem::current_path(vorher);
    std::filesystem::remove_all(ordner);
}
BENCHMARK(BM_EntgeltSetzen)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lohnwippe

BENCHMARK_MAIN();
