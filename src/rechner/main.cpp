// lohnwippe-rechner: the calculation and the stored cases without the
// window, for scripts and spreadsheets.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>

#include "calc/Perioden.h"
#include "rechner/Export.h"
#include "rechner/Rechnen.h"
#include "rechner/Spalten.h"

namespace {

using namespace lohnwippe::rechner;
using lohnwippe::Zahlformat;

constexpr int Aufruffehler = 2;

// The library's words in the help text, in German.
std::shared_ptr<CLI::Formatter> DeutscheHilfe() {
    auto hilfe = std::make_shared<CLI::Formatter>();
    hilfe->label("Usage", "Aufruf");
    hilfe->label("OPTIONS", "OPTIONEN");
    hilfe->label("SUBCOMMAND", "BEFEHL");
    hilfe->label("SUBCOMMANDS", "BEFEHLE");
    hilfe->label("Positionals", "Argumente");
    hilfe->label("REQUIRED", "(Pflicht)");
    hilfe->column_width(28);
    return hilfe;
}

void Melden(const std::string& zeile) {
    std::cerr << zeile << '\n';
}

// The library's own messages are English; what it can report is said here
// again in German.
std::string DeutscheMeldung(const CLI::ParseError& fehler) {
    const std::string text = fehler.what();
    const std::string option = text.substr(0, text.find(':'));
    if (fehler.get_name() == "ArgumentMismatch") {
        return "Option " + option + ": Wert fehlt oder passt nicht";
    }
    // "Could not convert: --bom = nein"
    const std::size_t gleich = text.find(" = ");
    if (fehler.get_name() == "ConversionError" && gleich != std::string::npos) {
        const std::size_t name = text.find(": ") + 2;
        return "Option " + text.substr(name, gleich - name) + ": „" + text.substr(gleich + 3) +
               "“ passt nicht";
    }
    return "Aufruf nicht verstanden (" + text + ")";
}

// The value an option's word stands for; none for an option not given.
// `erlaubt` lists the words for the message.
template <typename Wert>
std::optional<Wert> Wahl(const std::string& wort, const char* option,
                         std::initializer_list<std::pair<const char*, Wert>> werte,
                         const char* erlaubt) {
    if (wort.empty()) {
        return std::nullopt;
    }
    for (const auto& [name, wert] : werte) {
        if (wort == name) {
            return wert;
        }
    }
    throw Abbruch(std::string(option) + " " + wort + ": erlaubt sind " + erlaubt);
}

std::optional<Ausgabeformat> Format(const std::string& wort) {
    return Wahl<Ausgabeformat>(wort, "--format",
                               {{"csv", Ausgabeformat::Csv},
                                {"jsonl", Ausgabeformat::JsonZeilen},
                                {"xlsx", Ausgabeformat::Xlsx}},
                               "csv, jsonl und xlsx");
}

std::optional<Eingabeart> Eingabeformat(const std::string& wort) {
    return Wahl<Eingabeart>(wort, "--eingabeformat",
                            {{"csv", Eingabeart::Csv},
                             {"jsonl", Eingabeart::JsonZeilen},
                             {"xlsx", Eingabeart::Tabelle},
                             {"ods", Eingabeart::Tabelle}},
                            "csv, jsonl, xlsx und ods");
}

std::optional<Zeichensatz> ZeichensatzWahl(const std::string& wort) {
    return Wahl<Zeichensatz>(wort, "--zeichensatz",
                             {{"utf-8", Zeichensatz::Utf8},
                              {"UTF-8", Zeichensatz::Utf8},
                              {"windows-1252", Zeichensatz::Windows1252},
                              {"Windows-1252", Zeichensatz::Windows1252}},
                             "utf-8 und windows-1252");
}

// Options of both commands that write rows; the format as given, checked
// once the command line is read.
std::optional<Zahlformat> CsvDialekt(const std::string& wort) {
    return Wahl<Zahlformat>(wort, "--csv",
                            {{"deutsch", Zahlformat::Deutsch}, {"englisch", Zahlformat::Englisch}},
                            "deutsch und englisch");
}

void AusgabeoptionenAnlegen(CLI::App& befehl, Ausgabeoptionen& o, std::string& format,
                            std::string& zeichensatz, const char* zeichensatzHilfe,
                            std::string& dialekt, const char* dialektHilfe) {
    befehl
        .add_option("-o,--ausgabe", o.Ausgabe,
                    "Ausgabedatei; - oder ohne: Standardausgabe. Eine vorhandene Datei wird "
                    "ersetzt, wenn der Lauf gelingt, sonst bleibt sie, wie sie war.")
        ->type_name("DATEI");
    befehl
        .add_option(
            "--format", format,
            "csv (Semikolon, Dezimalkomma, Kopfzeile; siehe --csv), jsonl (ein JSON-Objekt je "
            "Zeile) oder xlsx (Tabellendatei: Zahlen als Zahlen); ohne: nach der Endung "
            "der Ausgabedatei (.csv, .jsonl, .xlsx), sonst csv")
        ->type_name("FORMAT");
    befehl.add_flag("--bom", o.Bom,
                    "CSV mit Byte-Order-Markierung beginnen, damit Tabellenkalkulationen "
                    "Umlaute richtig lesen");
    befehl.add_option("--zeichensatz", zeichensatz, zeichensatzHilfe)->type_name("ZEICHENSATZ");
    befehl.add_option("--csv", dialekt, dialektHilfe)->type_name("DIALEKT");
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app(
        "Lohnwippe ohne Fenster: rechnet Fälle aus CSV-, JSON-Zeilen- und Tabellendateien "
        "und gibt die gespeicherten Fälle für Tabellenkalkulationen aus.",
        "lohnwippe-rechner");
    app.formatter(DeutscheHilfe());
    app.set_help_flag("-h,--help", "Diese Hilfe zeigen");
    app.get_help_ptr()->group("Optionen");
    app.set_version_flag("--version", std::string("lohnwippe-rechner ") + LOHNWIPPE_VERSION,
                         "Version zeigen");
    app.get_option("--version")->group("Optionen");
    app.option_defaults()->group("Optionen");
    app.allow_extras();
    const std::string exitstatus =
        "Exitstatus: 0 alle Zeilen gerechnet, 1 einige Zeilen abgewiesen (je eine Meldung auf "
        "der Standardfehlerausgabe), 2 Aufruf- oder Dateifehler.";
    app.footer(exitstatus + "\nHilfe zu einem Befehl: lohnwippe-rechner BEFEHL --help");

    Rechenauftrag rechnen;
    std::string rechnenFormat;
    std::string eingabeformat;
    std::string rechnenZeichensatz;
    std::string rechnenDialekt;
    std::string blatt;
    std::string daten;
    CLI::App* rechnenBefehl =
        app.add_subcommand("rechnen",
                           "Fälle rechnen: je Eingabezeile ein Fall, je Fall eine "
                           "Ergebniszeile");
    rechnenBefehl
        ->add_option("EINGABE", rechnen.Eingabe,
                     "CSV-, JSON-Zeilen- oder Tabellendatei (.xlsx, .ods); - oder ohne: "
                     "Standardeingabe")
        ->type_name("")
        ->group("Argumente");
    AusgabeoptionenAnlegen(*rechnenBefehl, rechnen.Ausgabe, rechnenFormat, rechnenZeichensatz,
                           "utf-8 oder windows-1252: Zeichensatz der CSV-Eingabe und einer "
                           "CSV-Ausgabe; ohne: UTF-8, eine CSV-Eingabe, die kein gültiges UTF-8 "
                           "ist, wird als Windows-1252 gelesen, die Ausgabe ist UTF-8",
                           rechnenDialekt,
                           "deutsch oder englisch: CSV der Ein- und Ausgabe mit Semikolon und "
                           "Dezimalkomma (deutsch, ohne: so) oder mit Komma und Dezimalpunkt "
                           "(englisch, wie englische Tabellenkalkulationen es schreiben und "
                           "lesen)");
    rechnenBefehl
        ->add_option("--eingabeformat", eingabeformat,
                     "csv, jsonl, xlsx oder ods; ohne: nach der Endung der Datei (.csv; .jsonl, "
                     ".ndjson, .json; .xlsx, .ods), sonst nach dem Inhalt")
        ->type_name("FORMAT");
    rechnenBefehl
        ->add_option("--blatt", blatt,
                     "Tabellenblatt einer .xlsx- oder .ods-Datei, das gerechnet wird; ohne: "
                     "das erste")
        ->type_name("NAME");
    rechnenBefehl
        ->add_option("--daten", daten,
                     "Umlage- und KV-Sätze aus ORDNER/U12.dat lesen (nur lesen) statt der "
                     "Standardtabelle; ab 2013 die Sätze der in Kasse genannten Kasse aus "
                     "ORDNER/SVab2013.dat")
        ->type_name("ORDNER");

    Exportauftrag exportieren;
    std::string exportFormat;
    std::string exportZeichensatz;
    std::string exportDialekt;
    std::string ordner;
    std::string jahr;
    std::string person;
    CLI::App* exportBefehl = app.add_subcommand(
        "export", "Gespeicherte Fälle aus SV.dat mit Eingaben und Ergebnissen ausgeben");
    exportBefehl
        ->add_option("ORDNER", ordner,
                     "Ordner mit SV.dat und U12.dat; ohne: der Datenordner des Startmenüs "
                     "($XDG_DATA_HOME/lohnwippe oder ~/.local/share/lohnwippe)")
        ->type_name("")
        ->group("Argumente");
    AusgabeoptionenAnlegen(*exportBefehl, exportieren.Ausgabe, exportFormat, exportZeichensatz,
                           "utf-8 oder windows-1252: Zeichensatz einer CSV-Ausgabe; ohne: UTF-8",
                           exportDialekt,
                           "deutsch oder englisch: CSV-Ausgabe mit Semikolon und Dezimalkomma "
                           "(deutsch, ohne: so) oder mit Komma und Dezimalpunkt (englisch)");
    exportBefehl
        ->add_option(
            "--jahr", jahr,
            "nur dieses Jahr (2009 bis " + std::to_string(lohnwippe::LetztesBekanntesJahr()) + ")")
        ->type_name("JAHR");
    exportBefehl->add_option("--person", person, "nur diese Person: Nummer 1 bis 10 oder Name")
        ->type_name("PERSON");
    exportBefehl->add_flag("--alle", exportieren.Alle,
                           "auch Fälle ausgeben, die nie bearbeitet wurden (alle Entgelte 0, "
                           "alle Schalter wie in einem neuen Fall)");

    CLI::App* spaltenBefehl =
        app.add_subcommand("spalten", "Die Spalten der Ein- und Ausgabe beschreiben (Markdown)");

    for (CLI::App* befehl : {rechnenBefehl, exportBefehl, spaltenBefehl}) {
        befehl->group("Befehle");
        befehl->get_help_ptr()->group("Optionen");
    }
    rechnenBefehl->footer(exitstatus);
    exportBefehl->footer(
        "Exitstatus: 0 alle Fälle ausgegeben, 1 einige Fälle nicht oder unvollständig ausgegeben "
        "(je eine Meldung auf der Standardfehlerausgabe), 2 Aufruf- oder Dateifehler.");
    spaltenBefehl->footer("");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return 0;
    } catch (const CLI::CallForVersion& version) {
        std::cout << version.what() << '\n';
        return 0;
    } catch (const CLI::ParseError& fehler) {
        Melden(DeutscheMeldung(fehler));
        return Aufruffehler;
    }

    std::vector<std::string> rest = app.remaining();
    for (const CLI::App* befehl : app.get_subcommands()) {
        const auto weitere = befehl->remaining();
        rest.insert(rest.end(), weitere.begin(), weitere.end());
    }
    if (!rest.empty()) {
        Melden("Unbekanntes Argument: " + rest.front() +
               " („lohnwippe-rechner --help“ zeigt alle)");
        return Aufruffehler;
    }
    try {
        if (*rechnenBefehl) {
            rechnen.Ausgabe.Format = Format(rechnenFormat);
            rechnen.Eingabeformat = Eingabeformat(eingabeformat);
            rechnen.Textzeichensatz = ZeichensatzWahl(rechnenZeichensatz);
            rechnen.Ausgabe.Textzeichensatz = rechnen.Textzeichensatz.value_or(Zeichensatz::Utf8);
            rechnen.Ausgabe.Csv = CsvDialekt(rechnenDialekt).value_or(Zahlformat::Deutsch);
            if (!blatt.empty()) {
                rechnen.Blatt = blatt;
            }
            if (!daten.empty()) {
                rechnen.Daten = daten;
            }
            return RechnenBefehl(rechnen, Melden);
        }
        if (*exportBefehl) {
            exportieren.Ausgabe.Format = Format(exportFormat);
            exportieren.Ausgabe.Textzeichensatz =
                ZeichensatzWahl(exportZeichensatz).value_or(Zeichensatz::Utf8);
            exportieren.Ausgabe.Csv = CsvDialekt(exportDialekt).value_or(Zahlformat::Deutsch);
            for (auto [wert, ziel] :
                 {std::pair{&ordner, &exportieren.Ordner}, std::pair{&jahr, &exportieren.Jahr},
                  std::pair{&person, &exportieren.Person}}) {
                if (!wert->empty()) {
                    *ziel = *wert;
                }
            }
            return ExportBefehl(exportieren, Melden);
        }
        if (*spaltenBefehl) {
            std::cout << Spaltenreferenz() << std::flush;
            if (!std::cout) {
                Melden("Standardausgabe: Schreiben nicht möglich");
                return Aufruffehler;
            }
            return 0;
        }
    } catch (const Abbruch& abbruch) {
        Melden(abbruch.what());
        return Aufruffehler;
    }
    std::cerr << app.help();
    Melden("Bitte einen Befehl angeben: rechnen, export oder spalten.");
    return Aufruffehler;
}
