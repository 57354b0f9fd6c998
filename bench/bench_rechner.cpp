// Speed of the command-line calculator over a million generated rows:
// reading CSV, calculating and writing CSV together, against the bare
// calculation of the same cases. Target: 300,000 rows per second on one
// core for the whole road, median of five runs.
#include <benchmark/benchmark.h>
#include <fcntl.h>

#include <random>
#include <span>
#include <string>
#include <vector>

#include "rechner/Eingabe.h"
#include "rechner/Rechnen.h"
#include "rechner/Spalten.h"
#include "store/Umlagesatz.h"

namespace lohnwippe::rechner {
namespace {

constexpr long Zeilen = 1'000'000;

// Rows as a payroll office would have them: mostly one or two employments,
// some partial months, amounts around the sliding zone, funds by name or
// number, switches mostly left out.
const std::string& Eingabe() {
    static const std::string text = [] {
        std::mt19937 zufall(20120101);
        const auto zahl = [&](int von, int bis) {
            return std::uniform_int_distribution<int>(von, bis)(zufall);
        };
        std::string t =
            "Jahr;Monat;Kasse;Teilmonat;Entgelt_1;Entgelt_2;Entgelt_3;Entgelt_4;KV_2;AV_2;KG_1;"
            "RV-Verzicht;Sachsen;Kinderlos\n";
        for (long i = 0; i < Zeilen; ++i) {
            t += std::to_string(zahl(2009, 2012)) + ";" + std::to_string(zahl(1, 12)) + ";";
            t += zahl(0, 1) == 0 ? std::to_string(zahl(1, 22))
                                 : std::string(Kassennamen[static_cast<std::size_t>(zahl(0, 21))]);
            t += ";";
            t += zahl(0, 9) == 0 ? "für " + std::to_string(zahl(2, 4)) + " Wochen" : "";
            const int jobs = zahl(1, 4) <= 3 ? 1 : zahl(2, 4);
            for (int j = 1; j <= 4; ++j) {
                t += ";";
                if (j <= jobs) {
                    t += std::to_string(zahl(100, 900)) + "," + std::to_string(zahl(10, 99));
                }
            }
            t += ";" + std::to_string(zahl(0, 1)) + ";" + std::to_string(zahl(0, 1)) + ";;" +
                 (zahl(0, 9) == 0 ? "1" : "") + ";" + (zahl(0, 9) == 0 ? "1" : "") + ";" +
                 std::to_string(zahl(0, 1)) + "\n";
        }
        return t;
    }();
    return text;
}

// The whole road of `lohnwippe-rechner rechnen` after opening the files,
// CSV in and `format` out.
void Rechnen(benchmark::State& state, Ausgabeformat format) {
    const std::string& text = Eingabe();
    const Umlagetabelle umlagen = StandardUmlagen();
    Deskriptor null = std::move(Deskriptor::Oeffnen("/dev/null", O_WRONLY)).Wert();
    long gerechnet = 0;
    for (auto _ : state) {
        TextStrom strom(text);
        const auto quelle = CsvQuelle(strom);
        Zeilenschreiber schreiber(
            [&](std::string_view daten) {
                OderAbbruch(null.Schreiben(std::as_bytes(std::span(daten.data(), daten.size()))));
            },
            format, Rechenspalten());
        schreiber.Kopf();
        const Zaehlung z = FaelleRechnen(*quelle, schreiber, umlagen, "bench", [](auto&) {});
        schreiber.Leeren();
        gerechnet += z.Gerechnet;
        if (z.Abgewiesen != 0) {
            state.SkipWithError("Zeilen abgewiesen");
        }
    }
    state.SetItemsProcessed(gerechnet);
}
void BM_RechnenCsv(benchmark::State& state) {
    Rechnen(state, Ausgabeformat::Csv);
}
BENCHMARK(BM_RechnenCsv)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);
// JSON lines out, for comparison; no target.
void BM_RechnenJsonAus(benchmark::State& state) {
    Rechnen(state, Ausgabeformat::JsonZeilen);
}
BENCHMARK(BM_RechnenJsonAus)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);

// Berechnen alone over the same cases, read beforehand.
void BM_NurBerechnen(benchmark::State& state) {
    const Umlagetabelle umlagen = StandardUmlagen();
    std::vector<Eingaben> faelle;
    faelle.reserve(Zeilen);
    TextStrom strom(Eingabe());
    const auto quelle = CsvQuelle(strom);
    Eingabezeile zeile;
    while (quelle->Naechste(zeile)) {
        faelle.push_back(EingabenVonZeile(
            std::get<Fallzeile>(ZeileLesen(zeile.Felder, Zahlformat::Deutsch)), umlagen));
    }
    long gerechnet = 0;
    for (auto _ : state) {
        for (const Eingaben& e : faelle) {
            Ergebnis r = Berechnen(e);
            benchmark::DoNotOptimize(r);
        }
        gerechnet += static_cast<long>(faelle.size());
    }
    state.SetItemsProcessed(gerechnet);
}
BENCHMARK(BM_NurBerechnen)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);

}  // namespace
}  // namespace lohnwippe::rechner

BENCHMARK_MAIN();
