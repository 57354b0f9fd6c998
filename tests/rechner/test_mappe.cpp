// The .xlsx output: cells, styles and sheets as a spreadsheet program reads
// them from the file, and runs that fail leaving nothing behind.
#include <expat.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zip.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>

#include "Arbeitsordner.h"
#include "rechner/Befehl.h"
#include "rechner/Blattleser.h"
#include "rechner/Export.h"
#include "rechner/Mappenschreiber.h"
#include "rechner/Spalten.h"
#include "rechner/Zonenspalten.h"
#include "store/Datenbestand.h"
#include "store/Satznummern.h"
#include "store/Spaetsatznummern.h"

namespace lohnwippe::rechner {
namespace {

namespace fs = std::filesystem;

std::string Entpackt(const std::string& datei, const std::string& name) {
    int fehler = 0;
    zip_t* zip = zip_open(datei.c_str(), ZIP_RDONLY, &fehler);
    EXPECT_NE(zip, nullptr) << datei;
    std::string inhalt;
    if (zip_file_t* teil = zip == nullptr ? nullptr : zip_fopen(zip, name.c_str(), 0)) {
        std::array<char, 65536> puffer{};
        for (zip_int64_t n = 0; (n = zip_fread(teil, puffer.data(), puffer.size())) > 0;) {
            inhalt.append(puffer.data(), static_cast<std::size_t>(n));
        }
        zip_fclose(teil);
    }
    zip_close(zip);
    return inhalt;
}

std::string Zellname(std::size_t spalte, int zeile) {
    std::string name;
    for (std::size_t n = spalte + 1; n > 0; n = (n - 1) / 26) {
        name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
    }
    return name + std::to_string(zeile);
}

// The cell's XML, empty when the sheet has none.
std::string Zelle(const std::string& blatt, std::size_t spalte, int zeile) {
    const std::string anfang = "<c r=\"" + Zellname(spalte, zeile) + "\"";
    const std::size_t pos = blatt.find(anfang);
    return pos == std::string::npos ? "" : blatt.substr(pos, blatt.find("</c>", pos) + 4 - pos);
}

// The number format of each style of the workbook, "" for the general one.
std::vector<std::string> Zahlformate(const std::string& mappe) {
    const std::string stile = Entpackt(mappe, "xl/styles.xml");
    std::map<std::string, std::string> codes{{"0", ""}, {"2", "0.00"}, {"4", "#,##0.00"}};
    const std::regex eigen(R"re(<numFmt numFmtId="(\d+)" formatCode="([^"]*)")re");
    const std::regex xf(R"re(<xf numFmtId="(\d+)")re");
    for (std::sregex_iterator i(stile.begin(), stile.end(), eigen), ende; i != ende; ++i) {
        codes[(*i)[1]] = (*i)[2];
    }
    std::vector<std::string> formate;
    const std::string xfs = stile.substr(stile.find("<cellXfs"));
    for (std::sregex_iterator i(xfs.begin(), xfs.end(), xf), ende; i != ende; ++i) {
        formate.push_back(codes.at((*i)[1]));
    }
    return formate;
}

// A number cell: its value as %.15g shows it and its number format.
std::pair<std::string, std::string> Zahl(const std::vector<std::string>& formate,
                                         const std::string& blatt, std::size_t spalte, int zeile) {
    const std::string xml = Zelle(blatt, spalte, zeile);
    std::smatch zahl;
    if (!std::regex_match(xml, zahl,
                          std::regex(R"re(<c r="\w+"(?: s="(\d+)")?><v>(.*)</v></c>)re"))) {
        return {"keine Zahl: " + xml, ""};
    }
    std::array<char, 64> text{};
    (void)std::snprintf(text.data(), text.size(), "%.15g", std::stod(zahl[2]));
    return {text.data(), formate.at(zahl[1].matched ? std::stoul(zahl[1]) : 0)};
}

class Mappe : public test::ArbeitsordnerTest {};

TEST_F(Mappe, SchreibtZahlenAlsZahlenUndTexteAlsTexte) {
    {
        Mappenschreiber mappe("a.xlsx", "a.xlsx", [](const std::string&) {});
        Zeilenschreiber zeile(
            mappe, "Ergebnisse",
            {"Name", "Leer", "Betrag", "Genau", "Satz", "Faktor", "Nr", "Wert", "Lang"});
        zeile.Kopf();
        for (int i = 0; i < 2; ++i) {
            zeile.Text(i == 0 ? "=SUMME(A1)" : "M\xFFller");  // a damaged byte
            zeile.Text("");
            zeile.Betrag(Waehrung::AusRoh(i == 0 ? 12345650 : -50), 2);
            zeile.Betrag(Waehrung::AusRoh(12345655), 4);
            zeile.Dezimal(Waehrung::AusRoh(3905), 3);
            zeile.Zahl(Waehrung::AusRoh(43480));
            zeile.Ganzzahl(2012);
            zeile.Wert(i == 0 ? Zellwert{"1234,5", 1234.5} : Zellwert{"0815", std::nullopt});
            std::string lang;
            for (int n = 0; n < 40000; ++n) {
                lang += "ä";
            }
            zeile.Text(lang);
            zeile.Zeilenende();
        }
        mappe.Schliessen();
    }
    const std::string blatt = Entpackt("a.xlsx", "xl/worksheets/sheet1.xml");
    EXPECT_EQ(Zelle(blatt, 0, 2), R"(<c r="A2" t="inlineStr"><is><t>=SUMME(A1)</t></is></c>)");
    EXPECT_EQ(Zelle(blatt, 0, 3), "<c r=\"A3\" t=\"inlineStr\"><is><t>M\uFFFDller</t></is></c>");
    EXPECT_EQ(Zelle(blatt, 1, 2), "");
    const std::vector<std::pair<std::string, std::string>> erwartet{{"1234.57", "#,##0.00"},
                                                                    {"1234.5655", "0.0000"},
                                                                    {"0.391", "0.000"},
                                                                    {"4.348", ""},
                                                                    {"2012", ""},
                                                                    {"1234.5", ""}};
    const auto formate = Zahlformate("a.xlsx");
    for (std::size_t i = 0; i < erwartet.size(); ++i) {
        EXPECT_EQ(Zahl(formate, blatt, i + 2, 2), erwartet[i]) << i;
    }
    EXPECT_EQ(Zahl(formate, blatt, 2, 3).first, "-0.01");  // halves away from zero
    EXPECT_EQ(Zelle(blatt, 7, 3), R"(<c r="H3" t="inlineStr"><is><t>0815</t></is></c>)");
    const std::string lang = Zelle(blatt, 8, 2);
    EXPECT_EQ(lang.size(),
              std::size_t{32767} * 2 +
                  std::string(R"(<c r="I2" t="inlineStr"><is><t></t></is></c>)").size());
    // The header bold, in view and filtered over every column and row.
    EXPECT_NE(Zelle(blatt, 0, 1).find("s=\"1\""), std::string::npos);
    EXPECT_NE(Entpackt("a.xlsx", "xl/styles.xml").find("<font><b/>"), std::string::npos);
    EXPECT_NE(
        blatt.find(R"(<pane ySplit="1" topLeftCell="A2" activePane="bottomLeft" state="frozen"/>)"),
        std::string::npos);
    EXPECT_NE(blatt.find(R"(<autoFilter ref="A1:I3"/>)"), std::string::npos);
    EXPECT_NE(blatt.find(R"(<col min="1" max="1" width="24.)"), std::string::npos);
    EXPECT_NE(Entpackt("a.xlsx", "xl/workbook.xml").find(R"(<sheet name="Ergebnisse")"),
              std::string::npos);
}

// Every part of the package well-formed XML, whatever the texts hold.
void WohlgeformtPruefen(const std::string& datei) {
    for (const char* teil :
         {"[Content_Types].xml", "_rels/.rels", "xl/workbook.xml", "xl/_rels/workbook.xml.rels",
          "xl/styles.xml", "xl/worksheets/sheet1.xml", "xl/worksheets/sheet2.xml"}) {
        const std::string xml = Entpackt(datei, teil);
        XML_Parser parser = XML_ParserCreate(nullptr);
        EXPECT_EQ(XML_Parse(parser, xml.data(), static_cast<int>(xml.size()), 1), XML_STATUS_OK)
            << teil << ": " << XML_ErrorString(XML_GetErrorCode(parser));
        XML_ParserFree(parser);
    }
}

// Texts come back as they went in, carried cells keep their kind and
// format, and what the file cannot hold is said once.
TEST_F(Mappe, TexteUndFormateBleibenWieSieWaren) {
    std::vector<std::string> meldungen;
    {
        Mappenschreiber mappe("a.xlsx", "aus.xlsx",
                              [&](const std::string& m) { meldungen.push_back(m); });
        Zeilenschreiber zeile(mappe, "Ergebnisse", {"<Name & \"Nr\">", "Wert", "Lang"});
        zeile.Kopf();
        const std::string lang(40000, 'x');
        zeile.Text("_x0041_ a_x00e4_b\x01 \r\n <&>\xEF\xBF\xBE");
        zeile.Wert({"01.01.1998", 35796, "DD.MM.YYYY"});
        zeile.Text(lang);
        zeile.Zeilenende();
        zeile.Text(" vorn\t<&> \"ü\" \U0001F600\n");
        zeile.Wert({"0042", 42, "0000"});
        zeile.Text(lang);
        zeile.Zeilenende();
        Zeilenschreiber summen(mappe, "Karl's \"Summen\" & <mehr>", {"Datum"});
        summen.Kopf();
        summen.Wert({"02.01.1998", 35797, "DD.MM.YYYY"});
        summen.Zeilenende();
        mappe.Schliessen();
    }
    EXPECT_EQ(meldungen, std::vector<std::string>{
                             "aus.xlsx: Zelle C2 im Blatt „Ergebnisse“ auf 32.767 Zeichen gekürzt "
                             "– mehr fasst eine Zelle nicht; weitere zu lange Texte ebenso"});
    WohlgeformtPruefen("a.xlsx");
    const std::string blatt = Entpackt("a.xlsx", "xl/worksheets/sheet1.xml");
    EXPECT_EQ(Zelle(blatt, 0, 2),
              "<c r=\"A2\" t=\"inlineStr\"><is><t>_x005F_x0041_ "
              "a_x005F_x00e4_b_x0001_ _x000D_\n &lt;&amp;&gt;\uFFFD</t></is></c>");
    EXPECT_EQ(Zelle(blatt, 0, 3),
              "<c r=\"A3\" t=\"inlineStr\"><is><t xml:space=\"preserve\"> "
              "vorn\t&lt;&amp;&gt; \"ü\" \U0001F600\n</t></is></c>");
    const auto formate = Zahlformate("a.xlsx");
    using Zahlzelle = std::pair<std::string, std::string>;
    EXPECT_EQ(Zahl(formate, blatt, 1, 2), Zahlzelle("35796", "DD.MM.YYYY"));
    EXPECT_EQ(Zahl(formate, blatt, 1, 3), Zahlzelle("42", "0000"));
    const std::string zweites = Entpackt("a.xlsx", "xl/worksheets/sheet2.xml");
    EXPECT_EQ(Zahl(formate, zweites, 0, 2), Zahlzelle("35797", "DD.MM.YYYY"));
    EXPECT_EQ(std::count(formate.begin(), formate.end(), "DD.MM.YYYY"), 1);
    // Our own reader takes the texts and numbers back as they were.
    Deskriptor datei = std::move(Deskriptor::Oeffnen("a.xlsx", O_RDONLY)).Wert();
    const auto leser = BlattOeffnen(datei, "a.xlsx", std::nullopt);
    Blattzeile gelesen;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(leser->Naechste(gelesen));
    }
    ASSERT_EQ(gelesen.Zellen.size(), 3u);
    EXPECT_EQ(gelesen.Zellen[0].Text, " vorn\t<&> \"ü\" \U0001F600\n");
    EXPECT_EQ(gelesen.Zellen[1].Zahl, 42);
    EXPECT_EQ(gelesen.Zellen[2].Text.size(), 32767u);
}

TEST_F(Mappe, HoertVorDerLetztenZeileDesBlattsAuf) {
    Mappenschreiber mappe(
        "a.xlsx", "a.xlsx", [](const std::string&) {}, 3);
    Zeilenschreiber zeile(mappe, "Ergebnisse", {"Nr"});
    zeile.Kopf();
    for (long i = 0; i < 2; ++i) {
        zeile.Ganzzahl(i);
        zeile.Zeilenende();
    }
    try {
        zeile.Ganzzahl(3);
        FAIL();
    } catch (const Abbruch& abbruch) {
        EXPECT_STREQ(abbruch.what(),
                     "a.xlsx: mehr als 2 Zeilen passen nicht in ein Tabellenblatt – "
                     "bitte als CSV ausgeben");
    }
}

TEST_F(Mappe, ExportiertFaelleUndJahressummen) {
    fs::create_directory("daten");
    fs::current_path("daten");
    {
        auto daten = Datenbestand::Oeffnen().Wert();
        ASSERT_TRUE(daten.DatenAnlegen().HatWert());
        Fallsatz namen = daten.FallLesen(NamenSatz1).Wert();
        namen.Namen[2] = "Müller; Anna";
        ASSERT_TRUE(daten.FallSchreiben(NamenSatz1, namen).HatWert());
        for (const int monat : {2, 3}) {
            Fallsatz fall = daten.FallLesen(1).Wert();
            fall.Entgelte[1] = Waehrung::AusRoh(monat * std::int64_t{1500050});
            fall.Entgelte[2] = Waehrung::AusGanzzahl(120);
            ASSERT_TRUE(daten.FallSchreiben(FallNr(3, 1, monat), fall).HatWert());
            fall.Entgelte[1] = Waehrung::AusGanzzahl(monat * std::int64_t{500});
            ASSERT_TRUE(daten.FallAb2013Schreiben(FallNrAb2013(2026, 1, monat), fall).HatWert());
        }
    }
    fs::current_path("..");
    Exportauftrag auftrag;
    auftrag.Ordner = "daten";
    auftrag.Ausgabe.Ausgabe = "export.xlsx";
    std::vector<std::string> meldungen;
    ASSERT_EQ(ExportBefehl(auftrag, [&](const std::string& m) { meldungen.push_back(m); }), 0);
    EXPECT_EQ(meldungen, std::vector<std::string>{});
    EXPECT_NE(
        Entpackt("export.xlsx", "xl/workbook.xml")
            .find(R"(<sheet name="Fälle" sheetId="1" r:id="rId1"/><sheet name="Jahressummen")"),
        std::string::npos);
    const std::string faelle = Entpackt("export.xlsx", "xl/worksheets/sheet1.xml");
    const std::string summen = Entpackt("export.xlsx", "xl/worksheets/sheet2.xml");
    EXPECT_NE(summen.find(R"(<autoFilter ref="A1:)"), std::string::npos);
    EXPECT_EQ(Zelle(summen, 1, 2), "<c r=\"B2\" t=\"inlineStr\"><is><t>Müller; Anna</t></is></c>");
    EXPECT_EQ(Zelle(summen, 0, 4), "");  // one person, two years
    const auto formate = Zahlformate("export.xlsx");
    using Zahlzelle = std::pair<std::string, std::string>;
    EXPECT_EQ(Zahl(formate, summen, 2, 3), Zahlzelle("2026", ""));
    const auto wert = [&](const std::string& blatt, std::size_t spalte, int zeile) {
        return Zelle(blatt, spalte, zeile).empty()
                   ? Waehrung()
                   : Waehrung::AusDoubleHalbGerade(
                         std::stod(Zahl(formate, blatt, spalte, zeile).first));
    };
    EXPECT_EQ(Zahl(formate, summen, 0, 2), Zahlzelle("2", ""));
    EXPECT_EQ(Zahl(formate, summen, 2, 2), Zahlzelle("2012", ""));
    EXPECT_EQ(Zahl(formate, summen, 3, 2), Zahlzelle("2", ""));
    const std::vector<std::string> spalten = Exportspalten();
    std::size_t summe = 4;
    bool betraege = false;
    const std::vector<std::string> ab2013 = Zonenspalten();
    for (std::size_t i = 0; i < spalten.size(); ++i) {
        if (!spalten[i].ends_with("_Summe") || std::ranges::count(ab2013, spalten[i]) > 0) {
            EXPECT_TRUE(!spalten[i].ends_with("_Summe") || Zelle(faelle, i, 2).empty());
            continue;
        }
        Waehrung erwartet;
        for (const int zeile : {2, 3}) {
            erwartet +=
                Waehrung::AusDoubleHalbGerade(std::stod(Zahl(formate, faelle, i, zeile).first));
        }
        betraege = betraege || erwartet != Waehrung();
        const auto [wert, format] = Zahl(formate, summen, summe, 2);
        EXPECT_EQ(Waehrung::AusDoubleHalbGerade(std::stod(wert)), erwartet) << spalten[i];
        EXPECT_EQ(format, "#,##0.00");
        EXPECT_EQ(Zelle(summen, summe, 3), "");  // no figure of 2026
        EXPECT_NE(Zelle(summen, summe++, 1).find(spalten[i]), std::string::npos);
    }
    EXPECT_GT(summe, 20u);
    EXPECT_TRUE(betraege);
    // The sums of the law from 2013 follow: empty in 2012, added in 2026.
    EXPECT_NE(Zelle(summen, summe, 1).find("AE_Summe"), std::string::npos);
    for (std::size_t i = 0; i < spalten.size(); ++i) {
        if (spalten[i].ends_with("_Summe") && std::ranges::count(ab2013, spalten[i]) > 0) {
            EXPECT_EQ(Zelle(summen, summe, 2), "") << spalten[i];
            EXPECT_EQ(wert(summen, summe++, 3), wert(faelle, i, 4) + wert(faelle, i, 5))
                << spalten[i];
        }
    }
}

// The run fails where the file or its temporary data cannot be written
// whole: status 2, the message, the old file as it was, no file left over.
TEST_F(Mappe, ScheiterndeLaeufeHinterlassenNichts) {
    const auto laufen = [](const std::string& ausgabe, std::string& meldung) {
        return ZeilenAusgeben(
            {.Ausgabe = ausgabe, .Format = Ausgabeformat::Xlsx},
            [&](const std::string& m) { meldung = m; },
            [](Ausgabe& ausgabe) {
                Zeilenschreiber& zeile = ausgabe.Oeffnen({"A", "B"}, {});
                for (int i = 0; i < 20000; ++i) {
                    zeile.Betrag(Waehrung::AusRoh(i * 7919L), 2);
                    zeile.Ganzzahl(i);
                    zeile.Zeilenende();
                }
                return Zaehlung{};
            });
    };
    std::ofstream("alt.xlsx") << "bisher";
    ASSERT_EQ(::setenv("TMPDIR", fs::current_path().c_str(), 1), 0);
    std::string meldung;
    EXPECT_EQ(laufen("/dev/full", meldung), 2);
    EXPECT_EQ(meldung,
              "/dev/full: Schreiben nicht möglich – Kein Speicherplatz mehr auf dem Datenträger");
    // A disk that fills: the file may grow no further than 64 KiB.
    const pid_t kind = ::fork();
    if (kind == 0) {
        (void)std::signal(SIGXFSZ, SIG_IGN);
        const rlimit grenze{rlim_t{64} * 1024, RLIM_INFINITY};
        ::setrlimit(RLIMIT_FSIZE, &grenze);
        const int code = laufen("alt.xlsx", meldung);
        std::_Exit(code == 2 && meldung.starts_with("alt.xlsx: Schreiben nicht möglich – ") ? 0
                                                                                            : 1);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(kind, &status, 0), kind);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ::unsetenv("TMPDIR");
    std::vector<std::string> dateien;
    for (const auto& datei : fs::directory_iterator(".")) {
        dateien.push_back(datei.path().filename().string());
    }
    EXPECT_EQ(dateien, std::vector<std::string>{"alt.xlsx"});
    std::ifstream alt("alt.xlsx");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(alt), {}), "bisher");
}

// A write that fails while the archive is packed, after every sheet is
// complete: the run ends with the system's reason, not a short file.
TEST_F(Mappe, PackenOhnePlatzScheitert) {
    const pid_t kind = ::fork();
    if (kind == 0) {
        (void)std::signal(SIGXFSZ, SIG_IGN);
        std::string meldung;
        try {
            Mappenschreiber mappe("a.xlsx", "a.xlsx", [](const std::string&) {});
            Zeilenschreiber zeile(mappe, "Ergebnisse", {"Nr"});
            zeile.Kopf();
            for (long i = 0; i < 3000; ++i) {
                zeile.Ganzzahl(i * 7919 % 100003);
                zeile.Zeilenende();
            }
            mappe.Blatt("Leer", {});
            const rlimit grenze{rlim_t{8} * 1024, RLIM_INFINITY};
            ::setrlimit(RLIMIT_FSIZE, &grenze);
            mappe.Schliessen();
        } catch (const Abbruch& abbruch) {
            meldung = abbruch.what();
        }
        std::_Exit(meldung == "a.xlsx: Schreiben nicht möglich – Datei zu groß" ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(kind, &status, 0), kind);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace
}  // namespace lohnwippe::rechner
