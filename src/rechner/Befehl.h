#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "rechner/Ausgabedatei.h"
#include "rechner/Fehler.h"
#include "rechner/Mappenschreiber.h"
#include "rechner/Zeilenschreiber.h"

namespace lohnwippe::rechner {

// The frame of the commands that write rows, `rechnen` and `export`: the
// output's format, its opening, header, flushing and closing, and the exit
// status. The commands read their inputs and supply the rows.

// The format a file name announces (.csv, .jsonl, .ndjson, .json, .xlsx).
std::optional<Ausgabeformat> FormatNachName(const std::string& name);

struct Ausgabeoptionen {
    std::string Ausgabe = "-";            // file name, "-" for standard output
    std::optional<Ausgabeformat> Format;  // none: by the output's name, else CSV
    bool Bom = false;
    // Of a CSV output; characters Windows-1252 lacks become "?", the first
    // said.
    Zeichensatz Textzeichensatz = Zeichensatz::Utf8;
    // CSV: Deutsch (semicolon, decimal comma) or Englisch (comma, decimal
    // point).
    Zahlformat Csv = Zahlformat::Deutsch;
    Systemaufrufe* Aufrufe = &Systemaufrufe::Echte();  // of the output file
};

// How many rows went through and how many were turned away; of those that
// went through, how many lack a field (the export's annual sum).
struct Zaehlung {
    long Gerechnet = 0;
    long Abgewiesen = 0;
    long Unvollstaendig = 0;
};

// The output of a running command.
class Ausgabe {
  public:
    // `melden` hears what an output will lack.
    Ausgabe(const Ausgabeoptionen& optionen, Ausgabeformat format, Melder melden = {})
        : optionen_(optionen), format_(format), melden_(std::move(melden)) {}
    Ausgabe(const Ausgabe&) = delete;
    Ausgabe& operator=(const Ausgabe&) = delete;

    // Opens the output once the inputs are open (see Ausgabedatei), and
    // writes the header of `spalten`. Refused when the output is one of the
    // files `gelesen`: replacing it would destroy what is being read, a
    // data file above all. Xlsx: the rows go into the sheet `blatt`.
    Zeilenschreiber& Oeffnen(std::vector<std::string> spalten, const Gelesenes& gelesen,
                             const std::string& blatt = "Ergebnisse");

    // Xlsx: the workbook, for sheets behind the rows' one; else none.
    Mappenschreiber* Mappe() { return mappe_ ? &*mappe_ : nullptr; }

    // Hands the rest of the rows to the output and puts it in place.
    void Schliessen();

  private:
    const Ausgabeoptionen& optionen_;
    Ausgabeformat format_;
    Melder melden_;
    std::optional<Ausgabedatei> datei_;
    std::optional<Mappenschreiber> mappe_;
    std::optional<Zeilenschreiber> schreiber_;
};

// Runs a command: `zeilen` reads its input, opens the output and writes the
// rows. Exit status 0 when every row went through, 1 when rows were turned
// away or lack a field (each said in `melden`), 2 for an Abbruch (options,
// files, header), whose message goes to `melden`. The output replaces its
// file with status 0 and 1 only.
int ZeilenAusgeben(const Ausgabeoptionen& optionen, const Melder& melden,
                   const std::function<Zaehlung(Ausgabe&)>& zeilen);

}  // namespace lohnwippe::rechner
