#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "calc/Berichtsmonat.h"
#include "calc/Satz.h"
#include "calc/Waehrung.h"
#include "calc/Zahltext.h"
#include "fall/Fallangaben.h"
#include "rechner/Fehler.h"
#include "rechner/Spalten.h"

namespace lohnwippe::rechner {

// One input row as texts, by input column (the order of Eingabespalten).
// A column the input does not have stays nullopt and takes the value of a
// new case; an empty text takes the column's value for "empty" (see
// ZeileLesen). The views point into the reader's buffer.
using Eingabefelder = std::array<std::optional<std::string_view>, AnzahlEingabespalten>;

// What a row from 2013 brings beside the case: the fund as free text and
// the columns only those rows have. An empty column is nullopt.
struct AngabenAb2013 {
    std::string Kasse;
    std::optional<Satz> Zusatzbeitrag;
    std::optional<Satz> U1Satz;
    std::optional<Satz> U2Satz;
    std::optional<int> Kinder;
};

// A row read: the case as the window would show it and its month (for a
// row from 2013 the month as written, its fund in `Ab2013`, not `Fall`).
struct Fallzeile {
    Fallangaben Fall;
    Berichtsmonat Monat;
    std::optional<AngabenAb2013> Ab2013;  // a row of a month from 2013
};

// How each input column writes its amounts. Offen: a column of a CSV file
// whose cells have not shown yet which notation it has; a text there that
// reads as either ("1.005": 1.005,00 or 1,01) is refused naming both.
struct Spaltenformate {
    explicit Spaltenformate(Zahlformat format) { Format.fill(format); }
    std::array<Zahlformat, AnzahlEingabespalten> Format{};
    std::array<bool, AnzahlEingabespalten> Offen{};
};

// What an amount's text tells of its notation. A full stop or a comma
// followed by exactly three digits, after one to three others, may be a
// thousands separator or the decimal sign (Mehrdeutig); any other tells
// (a decimal comma, "1,234.50", "1.234.567"); none, no full stop or comma.
enum class Notation { Keine, Deutsch, Englisch, Mehrdeutig };
Notation NotationDes(std::string_view text);

// The switch a switch column (Zweig, Umlage, Allgemein) stands for.
Schalter& SchalterDerSpalte(Fallangaben& fall, const Eingabespalte& spalte);
Schalter SchalterDerSpalte(const Fallangaben& fall, const Eingabespalte& spalte);

// Turns one row into a case, starting from a new case (StandardFallsatz):
// Jahr 2009 .. 2012 (or a later year: then Ab2013 holds the fund as text and
// the rates and children, which a row of 2009-2012 must leave empty; a year
// after the last known one is left to the calculation to refuse) and
// Monat 1 .. 12 or a month's name ("Januar", "MÄR", "Mrz") are required;
// Kasse is a name of the fund list or its number 1 .. 22; Teilmonat a text
// of the partial-month list or its number 1 .. 35, empty for a full month;
// Entgelt as Entgeltschreibweise of its column's format says, empty for 0;
// the switches 0, 1 or 2 (grey, as an old case file may hold) or a
// spreadsheet's WAHR/FALSCH, TRUE/FALSE, empty for 1 per employment and 0
// for the three switches of all employments. Blanks around a text do not
// count.
std::variant<Fallzeile, Zeilenfehler> ZeileLesen(const Eingabefelder& felder,
                                                 const Spaltenformate& formate);
std::variant<Fallzeile, Zeilenfehler> ZeileLesen(const Eingabefelder& felder, Zahlformat format);

// Text of the partial-month list at `position` (0 .. 34).
const std::string& Teilmonatsname(int position);

// A text for a message: invalid bytes as "?", long texts shortened, in „…“.
std::string Zitat(std::string_view text);

}  // namespace lohnwippe::rechner
