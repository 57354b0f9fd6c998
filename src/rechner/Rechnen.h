#pragma once

#include <functional>
#include <optional>
#include <string>

#include "calc/Ergebnis.h"
#include "rechner/Datenordner.h"
#include "rechner/Eingabe.h"
#include "rechner/Zeilenleser.h"
#include "rechner/Zeilenschreiber.h"

namespace lohnwippe::rechner {

// How many rows went through and how many were turned away; of those that
// went through, how many lack a field (the export's annual sum).
struct Zaehlung {
    long Gerechnet = 0;
    long Abgewiesen = 0;
    long Unvollstaendig = 0;
};

// What the window calculates with for the case of a row: its fund's rates
// from the levy record of its month.
Eingaben EingabenVonZeile(const Fallzeile& zeile, const Umlagetabelle& umlagen);

// Reads every row of `quelle`, calculates it and writes one output row per
// case (the columns of Rechenspalten). A row that cannot be read yields no
// output row and one message "Zeile n, Spalte „x“: reason", prefixed with
// `eingabe`. Abbruch passes through (header, reading, writing).
Zaehlung FaelleRechnen(Zeilenquelle& quelle, Zeilenschreiber& ausgabe, const Umlagetabelle& umlagen,
                       const std::string& eingabe, const Melder& melden);

// The command `rechnen`.
struct Rechenauftrag {
    std::string Eingabe = "-";  // file name, "-" for standard input
    std::string Ausgabe = "-";
    std::optional<Ausgabeformat> Format;         // none: by the output's name
    std::optional<Ausgabeformat> Eingabeformat;  // none: by name, then content
    std::optional<std::string> Daten;            // folder whose U12.dat to read
    bool Bom = false;
};

// Exit status: 0 every row calculated, 1 some turned away, 2 the command
// could not run (files, header); messages go to `melden`.
int RechnenBefehl(const Rechenauftrag& auftrag, const Melder& melden);

// The format a file name announces (.csv, .jsonl, .ndjson, .json).
std::optional<Ausgabeformat> FormatNachName(const std::string& name);

}  // namespace lohnwippe::rechner
