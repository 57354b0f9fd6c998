#pragma once

#include "calc/Berichtsmonat.h"
#include "calc/Ergebnis.h"
#include "calc/Uebergangsbereich.h"
#include "fall/Fallangaben.h"
#include "rechner/Zeilenleser.h"
#include "rechner/Zeilenschreiber.h"

namespace lohnwippe::rechner {

// The fields of one output row. Their order is that of the column tables
// in Spalten.h; the row writer counts them.

// The input columns as the case was calculated: the fund by its name, the
// partial month by its text, the month as a number, the switches as stored
// (0, 1 or 2). The columns from 2013 stay empty.
void EingabefelderSchreiben(Zeilenschreiber& zeile, const Fallangaben& fall, Berichtsmonat monat);

// The same for a row from 2013: the fund as it was written, the rates as
// they were taken (the year's average Zusatzbeitrag for an empty one, none
// in 2013-2014), the children as a number.
void EingabefelderSchreiben(Zeilenschreiber& zeile, const Fallangaben& fall, Berichtsmonat monat,
                            const AngabenAb2013& angaben, const ErgebnisAb2013& ergebnis);

// Every value of the result table with two decimals as the table shows it,
// the rows that keep four decimals once more with all four, then the
// partial-month factor, the additional rate, the rates the calculation
// took and whether the warning shows; the columns from 2013 empty.
void ErgebnisfelderSchreiben(Zeilenschreiber& zeile, const Eingaben& eingaben,
                             const Ergebnis& ergebnis);

// A row from 2013: the result columns of 2009-2012 empty, of the rates
// behind them those that mean the same from 2013, the notices in Warnung,
// then every figure of the calculation.
void ErgebnisfelderSchreiben(Zeilenschreiber& zeile, const EingabenAb2013& eingaben,
                             const ErgebnisAb2013& ergebnis);

}  // namespace lohnwippe::rechner
