// Reading spreadsheet files: a sheet of calculator input as libxlsxwriter
// writes it, read whole, in rows per second. The time is split into
// unpacking the sheet's entry alone, unpacking and parsing its XML without
// handlers, and the whole reader, so that a slowdown shows where it lies.
// The calculator as a whole must read 50,000 rows a second.
#include <benchmark/benchmark.h>
#include <expat.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <xlsxwriter.h>

#include <array>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>

#include "rechner/Blattleser.h"
#include "rechner/Rechnen.h"
#include "rechner/Spalten.h"
#include "rechner/Zipmappe.h"

namespace lohnwippe::rechner {
namespace {

// The files live in a folder of their own for the whole run.
class Mappen {
  public:
    Mappen()
        : ordner_(std::filesystem::temp_directory_path() /
                  ("lohnwippe_bench_blatt_" + std::to_string(std::random_device{}()))) {
        std::filesystem::create_directories(ordner_);
    }
    ~Mappen() { std::filesystem::remove_all(ordner_); }
    Mappen(const Mappen&) = delete;
    Mappen& operator=(const Mappen&) = delete;

    // `zeilen` rows of input under a header. In constant-memory mode
    // libxlsxwriter writes texts into the cells; otherwise into the shared
    // strings table, as LibreOffice and most programs do.
    const std::string& Datei(long zeilen, bool geteilt) {
        auto& pfad = dateien_[{zeilen, geteilt}];
        if (pfad.empty()) {
            pfad = ordner_ / (std::to_string(zeilen) + (geteilt ? "-geteilt" : "") + ".xlsx");
            Schreiben(pfad, zeilen, geteilt);
        }
        return pfad;
    }

  private:
    static void Schreiben(const std::string& pfad, long zeilen, bool geteilt) {
        lxw_workbook_options optionen{};
        optionen.constant_memory = geteilt ? LXW_FALSE : LXW_TRUE;
        lxw_workbook* mappe = workbook_new_opt(pfad.c_str(), &optionen);
        lxw_worksheet* blatt = workbook_add_worksheet(mappe, "Tabelle1");
        const std::array<const char*, 12> kopf = {
            "Mitarbeiter", "Jahr",      "Monat",     "Kasse",       "Entgelt_1", "Entgelt_2",
            "Entgelt_3",   "Entgelt_4", "Teilmonat", "RV-Verzicht", "Sachsen",   "Kinderlos"};
        for (std::size_t spalte = 0; spalte < kopf.size(); ++spalte) {
            worksheet_write_string(blatt, 0, static_cast<lxw_col_t>(spalte), kopf[spalte], nullptr);
        }
        const std::array<const char*, 3> kassen = {"AOK Bayern", "AOK Techn.", "AOK Thüring."};
        for (long i = 1; i <= zeilen; ++i) {
            const auto z = static_cast<lxw_row_t>(i);
            const std::string name = "Mitarbeiter " + std::to_string(i % 997);
            worksheet_write_string(blatt, z, 0, name.c_str(), nullptr);
            worksheet_write_number(blatt, z, 1, static_cast<double>(2009 + i % 4), nullptr);
            worksheet_write_number(blatt, z, 2, static_cast<double>(1 + i % 12), nullptr);
            worksheet_write_string(blatt, z, 3, kassen[static_cast<std::size_t>(i % 3)], nullptr);
            for (lxw_col_t job = 0; job < 4; ++job) {
                const double entgelt =
                    400 + static_cast<double>((i * 37 + static_cast<long>(job) * 11) % 4000) / 4;
                worksheet_write_number(blatt, z, static_cast<lxw_col_t>(4 + job), entgelt, nullptr);
            }
            worksheet_write_number(blatt, z, 8, 1, nullptr);
            for (lxw_col_t schalter = 0; schalter < 3; ++schalter) {
                worksheet_write_number(blatt, z, static_cast<lxw_col_t>(9 + schalter),
                                       static_cast<double>((i >> schalter) & 1), nullptr);
            }
        }
        if (workbook_close(mappe) != LXW_NO_ERROR) {
            throw std::runtime_error("Mappe nicht geschrieben: " + pfad);
        }
    }

    std::filesystem::path ordner_;
    std::map<std::pair<long, bool>, std::string> dateien_;
};

Mappen& Vorrat() {
    static Mappen mappen;
    return mappen;
}

Deskriptor Oeffnen(const std::string& pfad, int schalter = O_RDONLY) {
    auto datei = Deskriptor::Oeffnen(pfad, schalter);
    if (!datei.HatWert()) {
        throw std::runtime_error(datei.Fehler().Meldung());
    }
    return std::move(datei).Wert();
}

constexpr const char* Blatteintrag = "xl/worksheets/sheet1.xml";

// Only unpacking the sheet's entry.
void BM_Entpacken(benchmark::State& state) {
    const std::string& pfad = Vorrat().Datei(state.range(0), false);
    const auto puffer = std::make_unique<char[]>(Xmlstrom::Stueck);
    std::size_t bytes = 0;
    for (auto _ : state) {
        Deskriptor datei = Oeffnen(pfad);
        const Zipmappe mappe = Zipmappe::AusDatei(datei, pfad);
        Zipeintrag eintrag(mappe, Blatteintrag);
        while (const std::size_t n = eintrag.Lesen(puffer.get(), Xmlstrom::Stueck)) {
            bytes += n;
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_Entpacken)->Arg(100'000)->Unit(benchmark::kMillisecond);

// Unpacking and expat with namespaces, as the reader uses it, without any
// handler.
void BM_EntpackenUndXml(benchmark::State& state) {
    const std::string& pfad = Vorrat().Datei(state.range(0), false);
    const auto puffer = std::make_unique<char[]>(Xmlstrom::Stueck);
    for (auto _ : state) {
        Deskriptor datei = Oeffnen(pfad);
        const Zipmappe mappe = Zipmappe::AusDatei(datei, pfad);
        Zipeintrag eintrag(mappe, Blatteintrag);
        XML_Parser parser = XML_ParserCreateNS(nullptr, ' ');
        std::size_t n = 0;
        do {
            n = eintrag.Lesen(puffer.get(), Xmlstrom::Stueck);
            if (XML_Parse(parser, puffer.get(), static_cast<int>(n), n == 0) != XML_STATUS_OK) {
                state.SkipWithError("XML-Fehler");
            }
        } while (n > 0);
        XML_ParserFree(parser);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_EntpackenUndXml)->Arg(100'000)->Unit(benchmark::kMillisecond);

// The whole reader: every row with its cells. Argument 2: texts in the
// shared strings table (1) or in the cells (0).
void BM_Blattleser(benchmark::State& state) {
    const std::string& pfad = Vorrat().Datei(state.range(0), state.range(1) != 0);
    long zeilen = 0;
    for (auto _ : state) {
        Deskriptor datei = Oeffnen(pfad);
        const auto leser = BlattOeffnen(datei, pfad, std::nullopt);
        Blattzeile zeile;
        while (leser->Naechste(zeile)) {
            benchmark::DoNotOptimize(zeile.Zellen.data());
            ++zeilen;
        }
    }
    state.SetItemsProcessed(zeilen);
    rusage verbrauch{};
    getrusage(RUSAGE_SELF, &verbrauch);
    // The whole process's peak so far, the writing of the file included.
    state.counters["Spitze_MiB"] = static_cast<double>(verbrauch.ru_maxrss) / 1024;
}
BENCHMARK(BM_Blattleser)->Args({100'000, 0})->Args({100'000, 1})->Unit(benchmark::kMillisecond);
// The calculator as `rechnen faelle.xlsx -o ergebnis.csv` runs it: rows
// read, calculated and written as CSV (to /dev/null).
void BM_RechnenAusXlsx(benchmark::State& state) {
    const std::string& pfad = Vorrat().Datei(state.range(0), false);
    const Umlagetabelle umlagen = StandardUmlagen();
    Deskriptor null = Oeffnen("/dev/null", O_WRONLY);
    long gerechnet = 0;
    for (auto _ : state) {
        Deskriptor datei = Oeffnen(pfad);
        const auto quelle = TabellenQuelle(BlattOeffnen(datei, pfad, std::nullopt), pfad);
        Zeilenschreiber schreiber(
            [&](std::string_view daten) {
                OderAbbruch(null.Schreiben(std::as_bytes(std::span(daten.data(), daten.size()))));
            },
            Ausgabeformat::Csv, Rechenspalten(quelle->Mitgefuehrt()));
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
BENCHMARK(BM_RechnenAusXlsx)->Arg(100'000)->Unit(benchmark::kMillisecond);

// A million rows once: memory must stay where it is for 100,000.
BENCHMARK(BM_Blattleser)->Args({1'000'000, 0})->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lohnwippe::rechner
