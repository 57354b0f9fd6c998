#pragma once

#include "calc/Berichtsmonat.h"
#include "calc/Ergebnis.h"
#include "fall/Fallangaben.h"
#include "rechner/Zeilenschreiber.h"

namespace lohnwippe::rechner {

// The fields of one output row. Their order is that of the column tables
// in Spalten.h; the row writer counts them.

// The input columns as the case was calculated: the fund by its name, the
// partial month by its text, the month as a number, the switches as stored
// (0, 1 or 2).
void EingabefelderSchreiben(Zeilenschreiber& zeile, const Fallangaben& fall, Berichtsmonat monat);

// Every value of the result table with two decimals as the table shows it,
// the rows that keep four decimals once more with all four, then the
// partial-month factor, the additional rate, the rates the calculation
// took and whether the warning shows.
void ErgebnisfelderSchreiben(Zeilenschreiber& zeile, const Eingaben& eingaben,
                             const Ergebnis& ergebnis);

}  // namespace lohnwippe::rechner
