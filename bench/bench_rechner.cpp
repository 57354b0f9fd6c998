// Speed of the command-line calculator over a million generated rows:
// reading CSV, calculating and writing CSV together, against the bare
// calculation of the same cases. Target: 300,000 rows per second on one
// core for the whole road, median of five runs. An .xlsx output of the
// same rows: 10,000 rows per second, with its parts measured apart.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "rechner/Eingabe.h"
#include "rechner/Mappenschreiber.h"
#include "rechner/Rechnen.h"
#include "rechner/Spalten.h"
#include "store/Umlagesatz.h"

namespace lohnwippe::rechner {
namespace {

constexpr long Zeilen = 1'000'000;

// Rows as a payroll office would have them: years 2009 to 2026 mixed,
// mostly one or two employments,
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
            "RV-Verzicht;Sachsen;Kinderlos;Zusatzbeitrag;U1_Satz;U2_Satz;Kinder\n";
        for (long i = 0; i < Zeilen; ++i) {
            const int jahr = zahl(2009, 2026);
            t += std::to_string(jahr) + ";" + std::to_string(zahl(1, 12)) + ";";
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
            const int kinderlos = zahl(0, 1);
            t += ";" + std::to_string(zahl(0, 1)) + ";" + std::to_string(zahl(0, 1)) + ";;" +
                 (zahl(0, 9) == 0 ? "1" : "") + ";" + (zahl(0, 9) == 0 ? "1" : "") + ";" +
                 std::to_string(kinderlos);
            // From 2013 the fund's rates, mostly given, and the children.
            if (jahr >= 2013) {
                t += ";" + (zahl(0, 3) == 0 ? "" : "2," + std::to_string(zahl(100, 999))) + ";" +
                     std::to_string(zahl(1, 3)) + ",6;0," + std::to_string(zahl(100, 800)) + ";" +
                     (kinderlos == 1 ? "" : std::to_string(zahl(0, 4)));
            } else {
                t += ";;;;";
            }
            t += "\n";
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

// The first `zeilen` rows of the input with its header.
std::string_view Anfang(long zeilen) {
    const std::string& text = Eingabe();
    std::size_t ende = 0;
    for (long i = 0; i <= zeilen; ++i) {
        ende = text.find('\n', ende) + 1;
    }
    return std::string_view(text).substr(0, ende);
}

// `rechnen … -o x.xlsx` over fewer rows, the file in a folder of its own:
// `schliessen` false leaves out the packing of the file at the end, which
// leaves reading, calculating and the sheet's XML into its temporary file.
constexpr long XlsxZeilen = 20'000;
void RechnenXlsx(benchmark::State& state, bool schliessen) {
    const std::string text(Anfang(XlsxZeilen));
    const Umlagetabelle umlagen = StandardUmlagen();
    const std::filesystem::path ordner =
        std::filesystem::temp_directory_path() / ("bench_mappe_" + std::to_string(::getpid()));
    std::filesystem::create_directories(ordner);
    const std::string datei = (ordner / "x.xlsx").string();
    long gerechnet = 0;
    for (auto _ : state) {
        TextStrom strom(text);
        const auto quelle = CsvQuelle(strom);
        Mappenschreiber mappe(datei, datei, [](const std::string&) {});
        Zeilenschreiber schreiber(mappe, "Ergebnisse", Rechenspalten());
        schreiber.Kopf();
        const Zaehlung z = FaelleRechnen(*quelle, schreiber, umlagen, "bench", [](auto&) {});
        if (schliessen) {
            mappe.Schliessen();
        }
        gerechnet += z.Gerechnet;
    }
    state.SetItemsProcessed(gerechnet);
    std::filesystem::remove_all(ordner);
}
void BM_RechnenXlsx(benchmark::State& state) {
    RechnenXlsx(state, true);
}
BENCHMARK(BM_RechnenXlsx)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
void BM_XlsxOhnePacken(benchmark::State& state) {
    RechnenXlsx(state, false);
}
BENCHMARK(BM_XlsxOhnePacken)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

// The same rows into CSV, to set the shares apart: reading and calculating
// cost about what they cost there.
void BM_RechnenCsvKurz(benchmark::State& state) {
    const std::string text(Anfang(XlsxZeilen));
    const Umlagetabelle umlagen = StandardUmlagen();
    long gerechnet = 0;
    for (auto _ : state) {
        TextStrom strom(text);
        const auto quelle = CsvQuelle(strom);
        Zeilenschreiber schreiber([](std::string_view) {}, Ausgabeformat::Csv, Rechenspalten());
        gerechnet += FaelleRechnen(*quelle, schreiber, umlagen, "bench", [](auto&) {}).Gerechnet;
    }
    state.SetItemsProcessed(gerechnet);
}
BENCHMARK(BM_RechnenCsvKurz)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

// Berechnen alone over the cases of 2009-2012 among them, read beforehand.
void BM_NurBerechnen(benchmark::State& state) {
    const Umlagetabelle umlagen = StandardUmlagen();
    std::vector<Eingaben> faelle;
    faelle.reserve(Zeilen);
    TextStrom strom(Eingabe());
    const auto quelle = CsvQuelle(strom);
    Eingabezeile zeile;
    while (quelle->Naechste(zeile)) {
        const auto fall = std::get<Fallzeile>(ZeileLesen(zeile.Felder, Zahlformat::Deutsch));
        if (!fall.Ab2013) {
            faelle.push_back(EingabenVonZeile(fall, umlagen));
        }
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
