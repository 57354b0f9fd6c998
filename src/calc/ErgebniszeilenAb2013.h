#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "calc/Ergebniszeilen.h"
#include "calc/Perioden.h"
#include "calc/Uebergangsbereich.h"

namespace lohnwippe {

// The rows in which the result table and the printed report show a month
// from 2013 on: one description for both views, as for 2009-2012.
//
// Which rows there are depends on the period: a Zusatzbeitrag line from 2015,
// the employee's base from 2022-10, the employee-only 0,9 % in 2013-2014 and
// the child abatement from 2023-07. The captions carry the period's formula
// with its limits, so a clerk reading an old printout sees which law it
// applied.
struct ZeileAb2013 {
    Zeilenart Art;
    // The caption; for a section row the whole heading.
    std::string Titel;
    Zeilenfarbe Farbe;
    // The value of employment column 1..4 or of the total column
    // (SummenSpalte); none for an empty cell and for section rows.
    std::optional<Waehrung> (*Wert)(const ErgebnisAb2013&, std::size_t spalte) = nullptr;
};

// The rows of a month in `periode`. The Zusatzbeitrag's caption names the
// rate the calculation used (`zusatzbeitrag`; none before the result is
// there or where the period has no such line).
std::vector<ZeileAb2013> ErgebniszeilenAb2013(const Periode& periode,
                                              std::optional<Satz> zusatzbeitrag = std::nullopt);

// "F x 450 + (850/400 - 450/400 x F) x (AE - 450)": the reduced base's
// formula with the period's limits, in the form the funds publish for it.
std::string BEFormel(const Periode& periode);
// "1600/(1600 - 520) x (AE - 520)": the employee's base from 2022-10; none
// before.
std::optional<std::string> BEANFormel(const Periode& periode);

// A rate as the window shows it: "2,9 %" → "2,90 %", "0,375 %" with all
// three decimals where the third is not 0.
std::string FormatSatz(Satz satz);

// The text of a value cell: five blanks and the amount as in 2009-2012, or
// nothing for an empty cell.
std::string ZellentextAb2013(const ZeileAb2013& zeile, const ErgebnisAb2013& ergebnis,
                             std::size_t spalte);

}  // namespace lohnwippe
