// Reading spreadsheet files: a sheet of calculator input as our own writer
// writes it, read whole, in rows per second. The time is split into
// unpacking the sheet's entry alone, unpacking and parsing its XML without
// handlers, and the whole reader, so that a slowdown shows where it lies.
// The calculator as a whole must read 50,000 rows a second.
#include <benchmark/benchmark.h>
#include <expat.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <zip.h>

#include <array>
#include <charconv>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>

#include "rechner/Blattleser.h"
#include "rechner/Mappenschreiber.h"
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

    // `zeilen` rows of input under a header: the texts in the cells, as our
    // own output has them, or in the shared strings table.
    const std::string& Datei(long zeilen, bool geteilt) {
        auto& pfad = dateien_[{zeilen, geteilt}];
        if (pfad.empty()) {
            pfad = ordner_ / (std::to_string(zeilen) + (geteilt ? "-geteilt" : "") + ".xlsx");
            Schreiben(pfad, zeilen, geteilt);
        }
        return pfad;
    }

  private:
    static constexpr std::array<const char*, 12> Kopf = {
        "Mitarbeiter", "Jahr",      "Monat",     "Kasse",       "Entgelt_1", "Entgelt_2",
        "Entgelt_3",   "Entgelt_4", "Teilmonat", "RV-Verzicht", "Sachsen",   "Kinderlos"};
    static constexpr std::array<const char*, 3> Kassen = {"AOK Bayern", "AOK Techn.",
                                                          "AOK Thüring."};

    // The numbers of row `i` after its name and fund.
    static std::array<double, 10> Zahlen(long i) {
        std::array<double, 10> zahlen{static_cast<double>(2009 + i % 4),
                                      static_cast<double>(1 + i % 12)};
        for (long job = 0; job < 4; ++job) {
            zahlen[static_cast<std::size_t>(2 + job)] =
                400 + static_cast<double>((i * 37 + job * 11) % 4000) / 4;
        }
        zahlen[6] = 1;
        for (long schalter = 0; schalter < 3; ++schalter) {
            zahlen[static_cast<std::size_t>(7 + schalter)] =
                static_cast<double>((i >> schalter) & 1);
        }
        return zahlen;
    }

    static void Schreiben(const std::string& pfad, long zeilen, bool geteilt) {
        if (geteilt) {
            MitGeteiltenTexten(pfad, zeilen);
            return;
        }
        Mappenschreiber mappe(pfad, pfad, [](const std::string&) {});
        mappe.Blatt("Tabelle1", std::vector<std::string>(Kopf.begin(), Kopf.end()));
        for (long i = 1; i <= zeilen; ++i) {
            mappe.Text("Mitarbeiter " + std::to_string(i % 997));
            const std::array<double, 10> zahlen = Zahlen(i);
            mappe.Zahl(zahlen[0], "");
            mappe.Zahl(zahlen[1], "");
            mappe.Text(Kassen[static_cast<std::size_t>(i % 3)]);
            for (std::size_t z = 2; z < zahlen.size(); ++z) {
                mappe.Zahl(zahlen[z], "");
            }
            mappe.Zeilenende();
        }
        mappe.Schliessen();
    }

    // The texts in the shared strings table, as LibreOffice and most
    // programs write them: the parts by hand, for the few rows of this case.
    static void MitGeteiltenTexten(const std::string& pfad, long zeilen) {
        std::vector<std::string> texte(Kopf.begin(), Kopf.end());
        texte.insert(texte.end(), Kassen.begin(), Kassen.end());
        for (int n = 0; n < 997; ++n) {
            texte.push_back("Mitarbeiter " + std::to_string(n));
        }
        const auto zelle = [](long zeile, std::size_t spalte, const std::string& art,
                              const std::string& wert) {
            return "<c r=\"" + std::string(1, static_cast<char>('A' + spalte)) +
                   std::to_string(zeile) + "\"" + art + "><v>" + wert + "</v></c>";
        };
        std::string blatt =
            std::string(Xmlkopf) + "<worksheet xmlns=\"" + Haupt + R"("><sheetData><row r="1">)";
        for (std::size_t s = 0; s < Kopf.size(); ++s) {
            blatt += zelle(1, s, " t=\"s\"", std::to_string(s));
        }
        blatt += "</row>";
        for (long i = 1; i <= zeilen; ++i) {
            const long r = i + 1;
            const std::array<double, 10> zahlen = Zahlen(i);
            blatt += "<row r=\"" + std::to_string(r) + "\">" +
                     zelle(r, 0, " t=\"s\"", std::to_string(15 + i % 997));
            std::array<char, 32> text{};
            const auto zahl = [&](std::size_t spalte, double wert) {
                const char* ende = std::to_chars(text.data(), text.data() + text.size(), wert).ptr;
                blatt += zelle(r, spalte, "", std::string(std::as_const(text).data(), ende));
            };
            zahl(1, zahlen[0]);
            zahl(2, zahlen[1]);
            blatt += zelle(r, 3, " t=\"s\"", std::to_string(12 + i % 3));
            for (std::size_t z = 2; z < zahlen.size(); ++z) {
                zahl(z + 2, zahlen[z]);
            }
            blatt += "</row>";
        }
        blatt += "</sheetData></worksheet>";
        std::string geteilt = std::string(Xmlkopf) + "<sst xmlns=\"" + Haupt + "\">";
        for (const std::string& t : texte) {
            geteilt += "<si><t>" + t + "</t></si>";
        }
        geteilt += "</sst>";
        const std::string art = "application/vnd.openxmlformats-officedocument.spreadsheetml.";
        const std::string bez =
            "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
        const std::vector<std::pair<std::string, std::string>> teile{
            {"[Content_Types].xml",
             std::string(Xmlkopf) +
                 "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                 "<Default Extension=\"rels\" ContentType=\"application/"
                 "vnd.openxmlformats-package.relationships+xml\"/><Default Extension=\"xml\" "
                 "ContentType=\"application/xml\"/><Override PartName=\"/xl/workbook.xml\" "
                 "ContentType=\"" +
                 art +
                 "sheet.main+xml\"/><Override "
                 "PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"" +
                 art +
                 R"(worksheet+xml"/><Override PartName="/xl/sharedStrings.xml" ContentType=")" +
                 art + "sharedStrings+xml\"/></Types>"},
            {"_rels/.rels", std::string(Xmlkopf) + "<Relationships xmlns=\"" + Paket +
                                R"("><Relationship Id="rId1" Type=")" + bez +
                                R"(/officeDocument" Target="xl/workbook.xml"/></Relationships>)"},
            {"xl/workbook.xml", std::string(Xmlkopf) + "<workbook xmlns=\"" + Haupt +
                                    "\" xmlns:r=\"" + bez +
                                    "\"><sheets><sheet name=\"Tabelle1\" sheetId=\"1\" "
                                    "r:id=\"rId1\"/></sheets></workbook>"},
            {"xl/_rels/workbook.xml.rels",
             std::string(Xmlkopf) + "<Relationships xmlns=\"" + Paket +
                 R"("><Relationship Id="rId1" Type=")" + bez +
                 "/worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" "
                 "Type=\"" +
                 bez +
                 "/sharedStrings\" Target=\"sharedStrings.xml\"/>"
                 "</Relationships>"},
            {"xl/sharedStrings.xml", geteilt},
            {"xl/worksheets/sheet1.xml", blatt}};
        int fehler = 0;
        zip_t* zip = zip_open(pfad.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &fehler);
        for (const auto& [name, inhalt] : teile) {
            if (zip == nullptr ||
                zip_file_add(zip, name.c_str(),
                             zip_source_buffer(zip, inhalt.data(), inhalt.size(), 0),
                             ZIP_FL_ENC_UTF_8) < 0) {
                throw std::runtime_error("Mappe nicht geschrieben: " + pfad);
            }
        }
        if (zip_close(zip) != 0) {
            throw std::runtime_error("Mappe nicht geschrieben: " + pfad);
        }
    }
    static constexpr const char* Xmlkopf =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
    static constexpr const char* Haupt =
        "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    static constexpr const char* Paket =
        "http://schemas.openxmlformats.org/package/2006/relationships";

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
