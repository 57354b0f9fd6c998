// lohnwippe-rechner as a user runs it: the real program, files, standard
// input and output, exit status and messages.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "Arbeitsordner.h"
#include "Zeilen.h"
#include "rechner/Befehl.h"
#include "rechner/Spalten.h"
#include "store/Datenbestand.h"
#include "store/Satznummern.h"
#include "store/Standardinhalt.h"

namespace lohnwippe::rechner {
namespace {

namespace fs = std::filesystem;

struct Lauf {
    int Code = -1;
    std::string Aus;
    std::string Fehler;
};

std::string Lesen(const fs::path& datei) {
    std::ifstream strom(datei, std::ios::binary);
    return {std::istreambuf_iterator<char>(strom), std::istreambuf_iterator<char>()};
}

void Schreiben(const fs::path& datei, const std::string& text) {
    std::ofstream(datei, std::ios::binary) << text;
}

class Programm : public test::ArbeitsordnerTest {
  protected:
    // The program with `argumente`, `eingabe` on its standard input and
    // the environment of the test with `umgebung` ("NAME=wert") on top;
    // standard output as `umleitung` says.
    static Lauf Starten(const std::vector<std::string>& argumente, const std::string& eingabe = "",
                        const std::vector<std::string>& umgebung = {},
                        const std::string& umleitung = ">aus.txt") {
        Schreiben("ein.txt", eingabe);
        // Every word in single quotes, a quote in it closed, escaped, reopened.
        const auto wort = [](std::string text) {
            for (std::size_t i = 0; (i = text.find('\'', i)) != std::string::npos; i += 4) {
                text.replace(i, 1, "'\\''");
            }
            return "'" + text + "'";
        };
        std::string befehl = "env";
        for (const std::string& w : umgebung) {
            befehl += " " + wort(w);
        }
        befehl += " " + wort(LOHNWIPPE_RECHNER);
        for (const std::string& w : argumente) {
            befehl += " " + wort(w);
        }
        // A shell, as a user's script runs the program; every word is quoted.
        const std::string zeile = befehl + " <ein.txt " + umleitung + " 2>fehler.txt";
        // NOLINTNEXTLINE(cert-env33-c)
        const int status = std::system(zeile.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Lesen("aus.txt"),
                Lesen("fehler.txt")};
    }
};

const std::string Faelle =
    "Jahr;Monat;Kasse;Teilmonat;Entgelt_1;Entgelt_2;KG_1;Kinderlos\n"
    "2012;1;AOK Bayern;;600;;;\n"
    "2012;1;AOK Bayer;;600;;;\n"
    "2011;8;2;für 2 Wochen;300,00;150,50;0;1\n"
    "2009;12;AOK Sachsen;;900;;;\n";

TEST_F(Programm, RechnetEineCsvDateiUndWeistDieFalscheZeileAb) {
    Schreiben("faelle.csv", Faelle);
    const Lauf lauf = Starten({"rechnen", "faelle.csv", "-o", "ergebnis.csv", "--bom"});
    EXPECT_EQ(lauf.Code, 1);
    EXPECT_EQ(lauf.Fehler,
              "faelle.csv, Zeile 3, Spalte „Kasse“: Kasse „AOK Bayer“ steht nicht in der "
              "Kassenliste\n");
    EXPECT_EQ(lauf.Aus, "");
    const std::string text = Lesen("ergebnis.csv");
    EXPECT_TRUE(text.starts_with("\xEF\xBB\xBFJahr;Monat;Kasse;"));
    const auto zeilen = test::CsvZeilen(text);
    ASSERT_EQ(zeilen.size(), 3u);
    EXPECT_EQ(zeilen[0].at("AEGekuerzt_KV_1"), "549,82");
    EXPECT_EQ(zeilen[0].at("Gesamtbeitrag_PV_1"), "10,72");
    EXPECT_EQ(zeilen[0].at("Zusatzbeitrag_1_genau"), "4,9484");
    EXPECT_EQ(zeilen[1].at("Teilmonat"), "für 2 Wochen");
    EXPECT_EQ(zeilen[1].at("Satz_KV_1"), "14,00");
    EXPECT_EQ(zeilen[1].at("Satz_U2"), "0,039");
    EXPECT_EQ(zeilen[1].at("Zusatzsatz"), "1,15");
    EXPECT_EQ(zeilen[2].at("Warnung"), "1");
    EXPECT_EQ(zeilen[2].at("AEGekuerzt_KV_1"), "900,00");
}

TEST_F(Programm, JsonZeilenVonDerStandardeingabeAufDieStandardausgabe) {
    const Lauf lauf = Starten({"rechnen", "--format", "jsonl"},
                              "{\"Jahr\": 2012, \"Monat\": \"1\", \"Kasse\": \"AOK Bayern\", "
                              "\"Entgelt_1\": 600}\n"
                              "{\"Jahr\": 2012, \"Monat\": \"2\", \"Entgelt_1\": \"1234.5\"}\n");
    EXPECT_EQ(lauf.Code, 0) << lauf.Fehler;
    EXPECT_EQ(lauf.Fehler, "");
    const auto zeilen = test::JsonZeilen(lauf.Aus);
    ASSERT_EQ(zeilen.size(), 2u);
    // Every value a string with a decimal point; nothing a binary number.
    EXPECT_EQ(zeilen[0].at("#Felder"), std::to_string(Rechenspalten().size()));
    for (const auto& [spalte, wert] : zeilen[0]) {
        EXPECT_FALSE(wert.starts_with("kein Text")) << spalte;
    }
    EXPECT_EQ(zeilen[0].at("AEGekuerzt_KV_1"), "549.82");
    EXPECT_EQ(zeilen[0].at("Zusatzbeitrag_1_genau"), "4.9484");
    EXPECT_EQ(zeilen[1].at("Entgelt_1"), "1234.50");
}

TEST_F(Programm, AufrufUndDateifehler) {
    Schreiben("faelle.csv", Faelle);
    const struct {
        std::vector<std::string> Argumente;
        int Code;
        const char* Text;  // in stdout for code 0, else in stderr
        const char* Umleitung = ">aus.txt";
    } faelle[] = {
        {{"--help"}, 0, "Aufruf: lohnwippe-rechner [OPTIONEN] [BEFEHL]"},
        {{"export", "--help"}, 0, "auch Fälle ausgeben, die nie bearbeitet wurden"},
        {{"rechnen", "--help"}, 0, "--csv DIALEKT"},
        // Commas between fields and a decimal point, both ways.
        {{"rechnen", "englisch.csv", "--csv", "englisch"},
         0,
         "\n\"a,b\",2012,1,AOK Bayern,für vollen Monat,1005.00,0.00,"},
        {{"rechnen", "englisch.csv"}, 2, "mit Komma getrennt: --csv englisch"},
        {{"spalten"}, 2, "Standardausgabe: Schreiben nicht möglich", ">/dev/full"},
        {{"rechnen", "faelle.csv", "--csv", "english"}, 2, "--csv english: erlaubt sind deutsch"},
        {{"rechnen", "faelle.jsonl", "--zeichensatz", "windows-1252"},
         2,
         "--zeichensatz windows-1252 gilt nicht für JSON-Zeilen: JSON ist immer UTF-8"},
        {{}, 2, "Bitte einen Befehl angeben: rechnen, export oder spalten."},
        {{"rechnen", "--foo"}, 2, "Unbekanntes Argument: --foo"},
        {{"rechnen", "faelle.csv", "--format"}, 2, "Option --format: Wert fehlt"},
        {{"rechnen", "faelle.csv", "--format", "xml"},
         2,
         "--format xml: erlaubt sind csv, jsonl und xlsx"},
        {{"rechnen", "fehlt.csv"}, 2, "fehlt.csv: Öffnen nicht möglich – Datei oder Ordner nicht"},
        {{"rechnen", "faelle.csv", "-o", "faelle.csv"}, 2, "faelle.csv: das ist eine der Dateien"},
        {{"rechnen", "faelle.csv", "--daten", "fehlt"},
         2,
         "fehlt: Öffnen nicht möglich – Datei oder"},
        // Neither what is read nor a data file's name, not even missing.
        {{"rechnen", "faelle.csv", "--daten", "ordner", "-o", "ordner/U12.dat"},
         2,
         "ordner/U12.dat: das ist eine der Dateien, die gelesen werden"},
        {{"rechnen", "faelle.csv", "--daten", "leer", "-o", "leer/SV.dat"},
         2,
         "leer/SV.dat: unter diesem Namen liest das Fenster seine Daten"},
        {{"rechnen", "faelle.csv", "--daten", "leer", "-o", "leer/SVab2013.dat"},
         2,
         "leer/SVab2013.dat: unter diesem Namen liest das Fenster seine Daten"},
        {{"rechnen", "faelle.csv"}, 2, "Standardausgabe: das ist eine der Dateien", ">>faelle.csv"},
        {{"rechnen", "faelle.csv"},
         2,
         "Standardausgabe: Schreiben nicht möglich – Die Ein- ",
         ">&-"},
        {{"rechnen", "faelle.csv", "-o", "faelle.csv/x.csv"},
         2,
         "– Ein Teil des Pfades ist kein Ordner"},
        {{"rechnen", "komma.csv", "-o", "alt.csv"}, 2, "Trennzeichen ist das Semikolon"},
        {{"rechnen", "faelle.csv", "--format", "jsonl", "--bom"}, 2, "--bom gilt nur für CSV"},
        {{"rechnen", "faelle.csv", "--zeichensatz", "latin1"},
         2,
         "--zeichensatz latin1: erlaubt sind utf-8 und windows-1252"},
        {{"export", ".", "--bom", "--zeichensatz", "windows-1252"}, 2, "--bom gilt nur für UTF-8"},
        {{"rechnen", "faelle.csv", "--eingabeformat", "ods"},
         2,
         "faelle.csv: beschädigt oder keine"},
        {{"rechnen", "faelle.csv", "-o", "leer/x/aus.csv"},
         2,
         "leer/x/aus.csv: Öffnen zum Schreiben nicht möglich – Datei oder Ordner nicht gefunden"},
        {{"rechnen", "faelle.csv", "-o", "/dev/full"},
         2,
         "/dev/full: Schreiben nicht möglich – Kein Speicherplatz mehr auf dem Datenträger"},
        {{"export", ".", "--jahr", "2027"}, 2, "--jahr „2027“: ein Jahr von 2009 bis 2026"},
        {{"export", "leer"}, 2, "leer/SV.dat: Öffnen nicht möglich – Datei oder Ordner nicht"},
        {{"export", "ordner"}, 2, "ordner/SV.dat: keine gewöhnliche Datei"},
    };
    fs::create_directory("leer");
    fs::create_directories("ordner/SV.dat");
    Schreiben("ordner/U12.dat", "");
    Schreiben("komma.csv", "Jahr,Monat\n2012,1\n");
    Schreiben("faelle.jsonl", "{\"Jahr\":2012,\"Monat\":1}\n");
    Schreiben("englisch.csv",
              "Notiz,Jahr,Monat,Kasse,Entgelt_1\n\"a,b\",2012,1,AOK Bayern,\"1,005\"\n"
              "x,2012,2,AOK Bayern,600.00\n");
    Schreiben("alt.csv", "bisher\n");
    for (const auto& fall : faelle) {
        SCOPED_TRACE(testing::PrintToString(fall.Argumente));
        const Lauf lauf = Starten(fall.Argumente, "", {}, fall.Umleitung);
        EXPECT_EQ(lauf.Code, fall.Code);
        const std::string& text = fall.Code == 0 ? lauf.Aus : lauf.Fehler;
        EXPECT_NE(text.find(fall.Text), std::string::npos) << text;
        EXPECT_EQ(text.find("Usage"), std::string::npos) << text;
    }
    EXPECT_EQ(Lesen("faelle.csv"), Faelle);
    EXPECT_EQ(Lesen("alt.csv"), "bisher\n");
    for (const auto& datei : fs::recursive_directory_iterator(".")) {
        EXPECT_FALSE(datei.path().filename().string().starts_with(".")) << datei.path();
    }
}

// SV.dat and U12.dat as the window leaves them, in the folder "daten":
// defaults, a name for person 2 and one case in March 2012.
void DatenAnlegen() {
    fs::create_directory("daten");
    const fs::path zurueck = fs::current_path();
    fs::current_path("daten");
    auto daten = Datenbestand::Oeffnen().Wert();
    ASSERT_TRUE(daten.DatenAnlegen().HatWert());
    Fallsatz namen = daten.FallLesen(NamenSatz1).Wert();
    namen.Namen[2] = "Müller; Anna";
    ASSERT_TRUE(daten.FallSchreiben(NamenSatz1, namen).HatWert());
    Fallsatz fall = daten.FallLesen(1).Wert();
    fall.Namen[1] = "Bäckerei \"Korn\"";
    fall.Namen[2] = "=HYPERLINK(1)";
    fall.Namen[3] = std::string("Zeile\neins\0x", 12);  // only a damaged file
    fall.Entgelte[1] = Waehrung::AusGanzzahl(600);
    fall.KassePos = 1;
    ASSERT_TRUE(daten.FallSchreiben(FallNr(3, 1, 2), fall).HatWert());
    fs::current_path(zurueck);
}

TEST_F(Programm, ExportiertDieGespeichertenFaelleNebenEinemOffenenFenster) {
    ASSERT_NO_FATAL_FAILURE(DatenAnlegen());
    fs::resize_file("daten/SV.dat", (AnzahlSaetzeFalldatei + 1) * FallsatzLaenge);
    const std::string vorher = Lesen("daten/SV.dat") + Lesen("daten/U12.dat");
    const auto zeit = fs::last_write_time("daten/SV.dat");
    // The window holds its lock on SV.dat for its whole run.
    const int fenster = ::open("daten/SV.dat", O_RDWR | O_CLOEXEC);
    ASSERT_EQ(::flock(fenster, LOCK_EX | LOCK_NB), 0);

    const Lauf jahr = Starten({"export", "daten", "--jahr", "2012"});
    EXPECT_EQ(jahr.Code, 0);
    EXPECT_EQ(jahr.Fehler,
              "Die Datei SV.dat ist um 204 Bytes länger als erwartet (123216 statt 123012 Bytes). "
              "Das Programm verwendet die zusätzlichen Bytes nicht und lässt sie unverändert.\n");
    const auto zeilen = test::CsvZeilen(jahr.Aus);
    ASSERT_EQ(zeilen.size(), 1u);
    EXPECT_EQ(zeilen[0].at("Fall_Nr"), std::to_string(FallNr(3, 1, 2)));
    EXPECT_EQ(zeilen[0].at("Person"), "Müller; Anna");
    EXPECT_EQ(zeilen[0].at("Arbeitgeber_1"), "Bäckerei \"Korn\"");
    EXPECT_EQ(zeilen[0].at("Arbeitgeber_2"), "'=HYPERLINK(1)");  // never a formula
    EXPECT_EQ(zeilen[0].at("Arbeitgeber_3"), "Zeile\uFFFDeins\uFFFDx");
    EXPECT_EQ(zeilen[0].at("Monat"), "3");
    EXPECT_EQ(zeilen[0].at("Kasse"), "AOK Bayern");
    EXPECT_EQ(zeilen[0].at("AEGekuerzt_KV_1"), "549,82");
    EXPECT_EQ(zeilen[0].at("Jahressumme"), "600,00");
    EXPECT_EQ(zeilen[0].at("#Felder"), std::to_string(Exportspalten().size()));
    EXPECT_EQ(Starten({"rechnen"}, jahr.Aus).Code, 0);  // read again

    // Untouched cases too, one person chosen by name; JSON lines.
    const Lauf alle =
        Starten({"export", "daten", "--alle", "--person", "Müller; Anna", "--format", "jsonl"});
    EXPECT_EQ(alle.Code, 0) << alle.Fehler;
    EXPECT_EQ(test::JsonZeilen(alle.Aus).size(), 48u + 14 * 12);  // 2009 to 2026

    // The folder of a start from the menu.
    fs::create_directories("xdg");
    fs::rename("daten", "xdg/lohnwippe");
    const std::string hier = fs::current_path().string();
    const Lauf benutzer =
        Starten({"export", "--jahr", "2012"}, "", {"XDG_DATA_HOME=" + hier + "/xdg"});
    EXPECT_EQ(benutzer.Aus, jahr.Aus) << benutzer.Fehler;
    fs::create_directories("heim/.local/share");
    fs::rename("xdg/lohnwippe", "heim/.local/share/lohnwippe");
    const Lauf heim = Starten({"export", "--jahr", "2012"}, "",
                              {"XDG_DATA_HOME=relativ", "HOME=" + hier + "/heim"});
    EXPECT_EQ(heim.Aus, jahr.Aus) << heim.Fehler;

    // Read, never written, nothing created beside them.
    const fs::path ordner = "heim/.local/share/lohnwippe";
    EXPECT_EQ(Lesen(ordner / "SV.dat") + Lesen(ordner / "U12.dat"), vorher);
    EXPECT_EQ(fs::last_write_time(ordner / "SV.dat"), zeit);
    EXPECT_EQ(std::distance(fs::directory_iterator(ordner), fs::directory_iterator()), 3);
    ::close(fenster);
}

TEST_F(Programm, BeschaedigteDateienWieBeimStartDesFensters) {
    ASSERT_NO_FATAL_FAILURE(DatenAnlegen());
    fs::resize_file("daten/SV.dat", 1000);
    fs::remove("daten/U12.dat");
    // February 2009 of person 1 with an amount no entry can make: that case
    // cannot be calculated, nor the annual sum of its year.
    {
        std::fstream sv("daten/SV.dat", std::ios::in | std::ios::out | std::ios::binary);
        sv.seekp(FallsatzLaenge + 172);
        sv.write("\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 8);
        sv.seekp(2 * FallsatzLaenge + 172);
        sv.write("\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 8);
    }
    const Lauf lauf = Starten({"export", "daten", "--alle", "--jahr", "2009", "--person", "1"});
    EXPECT_EQ(lauf.Code, 1);
    EXPECT_EQ(lauf.Fehler,
              "Die Datei SV.dat ist unvollständig oder beschädigt (1000 statt 123012 Bytes). "
              "Fehlende Fälle werden als leer angezeigt und beim nächsten Speichern ergänzt.\n"
              "Die Datei U12.dat fehlt: gerechnet wird in allen Monaten mit den Standardsätzen des "
              "Programms, wie im Fenster.\n"
              "SV.dat, Satz 3: Jahressumme außerhalb des Wertebereichs – Spalte „Jahressumme“ "
              "bleibt für Person 1 im Jahr 2009 leer\n"
              "SV.dat, Satz 2 (Person 1, FEB 2009): Die Beträge dieses Falls sind zu groß, um sie "
              "zu berechnen.\n"
              "SV.dat, Satz 3 (Person 1, MRZ 2009): Die Beträge dieses Falls sind zu groß, um sie "
              "zu berechnen.\n");
    // Records beyond the end read as zeros: no switch on; rates as the
    // window writes them where U12.dat lacks them.
    const auto zeilen = test::CsvZeilen(lauf.Aus);
    ASSERT_EQ(zeilen.size(), 10u);
    EXPECT_EQ(zeilen[0].at("KV_1"), "1");
    EXPECT_EQ(zeilen[9].at("KV_1"), "0");
    EXPECT_EQ(zeilen[0].at("Satz_KV"), "14,60");
    EXPECT_EQ(zeilen[0].at("Jahressumme"), "");
}

// The levy records U12.dat lacks are what the window writes there at its
// start, whatever else the folder holds; said once.
TEST_F(Programm, FehlendeUmlagesaetzeSindDieDesFensters) {
    ASSERT_NO_FATAL_FAILURE(DatenAnlegen());
    // The user's own U1 rate of the first fund up to January 2012, then the
    // file ends; no case saved yet.
    Umlagesatz eigen = StandardUmlagesatz(37);
    eigen.U1Saetze[0] = 4321;
    const auto satz = UmlagesatzKodieren(eigen);
    Schreiben("daten/U12.dat",
              Lesen("daten/U12.dat").substr(0, 36 * UmlagesatzLaenge) +
                  std::string(reinterpret_cast<const char*>(satz.data()), satz.size()) + "halb");
    Schreiben("daten/SV.dat", "");
    const Lauf lauf = Starten({"export", "daten", "--alle", "--jahr", "2012", "--person", "1"});
    EXPECT_EQ(lauf.Code, 0);
    EXPECT_EQ(lauf.Fehler,
              "SV.dat ist leer: es ist noch kein Fall gespeichert.\nIn der Datei U12.dat fehlen "
              "die Beitrags- und Umlagesätze für Februar bis Dezember 2012: gerechnet wird in "
              "diesen Monaten mit den Standardsätzen des Programms, wie im Fenster.\n");
    const auto zeilen = test::CsvZeilen(lauf.Aus);
    ASSERT_EQ(zeilen.size(), 12u);
    EXPECT_EQ(zeilen[0].at("Satz_U1"), "4,321");
    EXPECT_EQ(zeilen[1].at("Satz_U1"), "0,370");

    // The rates of `rechnen` by the same rule.
    fs::remove("daten/U12.dat");
    const Lauf rechnen =
        Starten({"rechnen", "--daten", "daten"}, "Jahr;Monat;Entgelt_1\n2012;1;600\n");
    EXPECT_EQ(rechnen.Code, 0);
    EXPECT_EQ(rechnen.Fehler,
              "Die Datei U12.dat fehlt: gerechnet wird in allen Monaten mit den Standardsätzen "
              "des Programms, wie im Fenster.\n");
    EXPECT_EQ(test::CsvZeilen(rechnen.Aus).at(0).at("Gesamtbeitrag_KV_1"), "80,28");
}

// A full disk in the middle of a run, the run ended by a signal: the
// previous output stays as it was, with nothing beside it.
TEST_F(Programm, NurEinGelungenerLaufErsetztDieAusgabe) {
    struct Voll final : Systemaufrufe {
        int Schreibaufrufe = 0;
        long Write(int fd, const void* daten, std::size_t anzahl) override {
            if (++Schreibaufrufe == 2) {
                errno = ENOSPC;
                return -1;
            }
            return Systemaufrufe::Write(fd, daten, anzahl);
        }
    } voll;
    Schreiben("alt.csv", "bisher\n");
    fs::permissions("alt.csv",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("alt.csv", "verweis.csv");
    std::vector<std::string> meldungen;
    const auto lauf = [&](Systemaufrufe& aufrufe, long abgewiesen) {
        const auto melden = [&](const std::string& meldung) { meldungen.push_back(meldung); };
        return ZeilenAusgeben(
            {.Ausgabe = "verweis.csv", .Format = {}, .Bom = false, .Aufrufe = &aufrufe}, melden,
            [&](Ausgabe& ausgabe) {
                Zeilenschreiber& zeile = ausgabe.Oeffnen({"Name"}, {});
                for (int i = 0; i < 3; ++i) {
                    zeile.Text(std::string(1 << 20, 'x'));
                    zeile.Zeilenende();
                }
                return Zaehlung{.Abgewiesen = abgewiesen};
            });
    };
    EXPECT_EQ(lauf(voll, 0), 2);
    EXPECT_EQ(meldungen, std::vector<std::string>{"verweis.csv: Schreiben nicht möglich – Kein "
                                                  "Speicherplatz mehr auf dem Datenträger"});
    // Ended by a signal or by the file size limit, as rows keep coming.
    for (const std::string signal : {"TERM", "QUIT", "USR1", "XFSZ"}) {
        // NOLINTNEXTLINE(cert-env33-c)
        (void)std::system(("ulimit -f 64; (echo 'Jahr;Monat'; yes '2012;1' | head -c " +
                           std::string(signal == "XFSZ" ? "900000" : "10") +
                           "; sleep 1) | timeout -s " + signal + " 0.3 " +
                           std::string(LOHNWIPPE_RECHNER) + " rechnen -o verweis.csv 2>/dev/null")
                              .c_str());
    }
    EXPECT_EQ(Lesen("alt.csv"), "bisher\n");
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 2);

    // Rows turned away make no failed run. The file the link leads to is
    // replaced and keeps its mode.
    EXPECT_EQ(lauf(Systemaufrufe::Echte(), 1), 1);
    EXPECT_EQ(fs::file_size("alt.csv"), 5 + 3 * ((1u << 20) + 1));
    EXPECT_TRUE(fs::is_symlink("verweis.csv"));
    EXPECT_EQ(fs::status("alt.csv").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(Programm, SpaltenreferenzStehtSoImReadme) {
    const Lauf lauf = Starten({"spalten"});
    EXPECT_EQ(lauf.Code, 0);
    const std::string readme = Lesen(LOHNWIPPE_README);
    const std::string anfang = "<!-- spalten: anfang -->\n";
    const std::size_t von = readme.find(anfang);
    const std::size_t bis = readme.find("<!-- spalten: ende -->");
    ASSERT_TRUE(von != std::string::npos && bis != std::string::npos);
    EXPECT_EQ(readme.substr(von + anfang.size(), bis - von - anfang.size()), "\n" + lauf.Aus + "\n")
        << "README.md neu erzeugen: lohnwippe-rechner spalten";
}

}  // namespace
}  // namespace lohnwippe::rechner
