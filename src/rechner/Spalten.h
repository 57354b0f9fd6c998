#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lohnwippe::rechner {

// The columns of the command-line calculator: what a row of input may hold
// and what a row of output holds, with the names scripts and spreadsheets
// know them by. The reference (`lohnwippe-rechner spalten`, the README) is
// printed from these tables, so it cannot say other than the program does.

enum class Feldart {
    Jahr,       // 2009 .. 2026
    Monat,      // 1 .. 12 or "JAN" .. "DEZ"
    Kasse,      // name in the fund list or its number from 1
    Teilmonat,  // text in the partial-month list or its number from 1
    Entgelt,    // remuneration of one employment
    Zweig,      // KV, PV, RV, AV switch of one employment
    Umlage,     // U1, U2, U3 or sick-pay switch of one employment
    Allgemein,  // waiver, Saxony, childless: for all employments
    Satz,       // from 2013: the fund's Zusatzbeitrag, U1 and U2 rates in percent
    Kinder,     // from 2013: children under 25
};

struct Eingabespalte {
    std::string Name;
    Feldart Art;
    int Job;     // 1 .. 4 for the per-employment columns, else 0
    int Stelle;  // `Zweig`, position in `Fallsatz::Umlagen`, 0 .. 2 for
                 // waiver, Saxony, childless, or a `Satzspalte`
};

// The rate columns from 2013, by `Eingabespalte::Stelle`.
enum Satzspalte : int { ZusatzbeitragSpalte = 0, U1SatzSpalte = 1, U2SatzSpalte = 2 };

// Jahr, Monat, Kasse, Teilmonat, Entgelt_1 .. Entgelt_4, per employment
// KV, PV, RV, AV, KG, U1, U2, U3 (KV_1 .. U3_4), RV-Verzicht, Sachsen,
// Kinderlos, and for the months from 2013 Zusatzbeitrag, U1_Satz, U2_Satz,
// Kinder: the input columns, in the order the output repeats them.
const std::vector<Eingabespalte>& Eingabespalten();
inline constexpr std::size_t AnzahlEingabespalten = 47;
// The first of the columns that only rows from 2013 may fill.
inline constexpr std::size_t ErsteSpalteAb2013 = 43;

// Position of an input column by name, or -1. Blanks around the name and
// the case of its letters do not count.
int Eingabespaltennummer(std::string_view name);

// Whether `name` is a column of some output, which an input may carry;
// compared as Eingabespaltennummer does.
bool Ausgabespalte(std::string_view name);

// The input column `name` looks like when blanks, "_", "-" and case are
// passed over ("Entgelt 1" for Entgelt_1), for a carried column that was
// probably meant as that one.
std::optional<std::string> AehnlicheEingabespalte(std::string_view name);

// Jahr and Monat have no default; every other column may be left out.
bool Pflichtspalte(const Eingabespalte& spalte);

// Output of `rechnen`: the columns the input carries (`davor`), the input
// columns, the result columns of 2009-2012, the rates and the warning, and
// the result columns from 2013 (Zonenspalten.h), in this order.
std::vector<std::string> Rechenspalten(std::vector<std::string> davor = {});

// Output of `export`: case, person and employer names in front of the
// columns of `rechnen`, the year's remuneration behind them.
std::vector<std::string> Exportspalten();

// The result columns: for every value row of the result table its name
// (see Zeilenname) with "_1" .. "_4" for the employments and "_Summe" for
// the total; rows that keep four decimals follow with the same five names
// ending in "_genau".
std::vector<std::string> Ergebnisspalten();

// Name of value row `zeile` (0 .. 34) of the result table: the name of its
// Ergebnis line, and where several rows share that line the last word of
// the row caption ("AE_KV", "Umlage_U1", "GesamtSumme"). Empty for section
// rows.
std::string Zeilenname(int zeile);

// The column reference in Markdown, German.
std::string Spaltenreferenz();

}  // namespace lohnwippe::rechner
