#pragma once

#include <optional>
#include <string>

#include "calc/Ergebnis.h"
#include "calc/Uebergangsbereich.h"
#include "rechner/Befehl.h"
#include "rechner/Datenordner.h"
#include "rechner/Eingabe.h"
#include "rechner/Zeilenleser.h"
#include "rechner/Zeilenschreiber.h"

namespace lohnwippe::rechner {

// What the window calculates with for the case of a row: its fund's rates
// from the levy record of its month.
Eingaben EingabenVonZeile(const Fallzeile& zeile, const Umlagetabelle& umlagen);

// What the calculation from 2013 takes of a row: its rates as they stand
// (empty ones as the calculation takes them), its partial month as SV days.
EingabenAb2013 EingabenAb2013VonZeile(const Fallzeile& zeile);

// Reads every row of `quelle`, calculates it and writes one output row per
// case (the columns of Rechenspalten). A row that cannot be read yields no
// output row and one message "Zeile n, Spalte „x“: reason", prefixed with
// `eingabe`. Abbruch passes through (header, reading, writing).
//
// With `kassen` (a data folder), a row from 2013 whose Kasse is not empty
// names a fund of its year's list, by name or number 1 .. n, and takes the
// fund's Zusatzbeitrag, U1 and U2 rates where it leaves them empty; a fund
// the list does not have refuses the row. Without, Kasse is free text.
Zaehlung FaelleRechnen(Zeilenquelle& quelle, Zeilenschreiber& ausgabe, const Umlagetabelle& umlagen,
                       const std::string& eingabe, const Melder& melden,
                       const Kassenlisten* kassen = nullptr);

// What the input is.
enum class Eingabeart { Csv, JsonZeilen, Tabelle };

// The format a file name announces (.csv; .jsonl, .ndjson, .json; .xlsx,
// .ods).
std::optional<Eingabeart> EingabeartNachName(const std::string& name);

// The command `rechnen`.
struct Rechenauftrag {
    std::string Eingabe = "-";  // file name, "-" for standard input
    Ausgabeoptionen Ausgabe;
    std::optional<Eingabeart> Eingabeformat;  // none: by name, then content
    std::optional<std::string> Blatt;         // of a spreadsheet; none: the first
    // Of a CSV or JSON input; none: UTF-8, or Windows-1252 for a CSV file
    // that is not UTF-8.
    std::optional<Zeichensatz> Textzeichensatz;
    // Folder whose U12.dat (2009-2012) and SVab2013.dat (funds from 2013)
    // to read.
    std::optional<std::string> Daten;
};

// Exit status and messages as ZeilenAusgeben says.
int RechnenBefehl(const Rechenauftrag& auftrag, const Melder& melden);

}  // namespace lohnwippe::rechner
