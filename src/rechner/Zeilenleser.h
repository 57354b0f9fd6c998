#pragma once

#include <array>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "calc/Berichtsmonat.h"
#include "calc/Waehrung.h"
#include "rechner/Spalten.h"
#include "rechner/Zahltext.h"
#include "store/Fallsatz.h"

namespace lohnwippe::rechner {

// One input row as texts, by input column (the order of Eingabespalten).
// A column the input does not have stays nullopt and takes the value of a
// new case; an empty text takes the column's value for "empty" (see
// ZeileLesen). The views point into the reader's buffer.
using Eingabefelder = std::array<std::optional<std::string_view>, AnzahlEingabespalten>;

// Fields by column name, for a caller with a case in hand rather than a
// file: FelderNachNamen({{"Jahr", "2012"}, {"Monat", "1"}, {"Entgelt_1",
// "600,00"}}). Throws std::invalid_argument for a name that is no input
// column.
Eingabefelder FelderNachNamen(
    std::initializer_list<std::pair<std::string_view, std::string_view>> werte);

// A row read: the case as the case file would hold it and its month.
struct Fallzeile {
    Fallsatz Fall;
    Berichtsmonat Monat;
};

// Why a row was not read: the column (empty when the row as a whole is at
// fault) and the reason, both German.
struct Zeilenfehler {
    std::string Spalte;
    std::string Grund;
};

// Turns one row into a case, starting from a new case (StandardFallsatz):
// Jahr 2009 .. 2012 and Monat 1 .. 12 or "JAN" .. "DEZ" are required; Kasse
// is a name of the fund list or its number 1 .. 22; Teilmonat a text of the
// partial-month list or its number 1 .. 35, empty for a full month;
// Entgelt a non-negative amount with at most two decimals up to
// HoechstesEntgelt, empty for 0 (Deutsch: "1.234,50" or "1234,5", Punkt:
// "1234.50"); the switches 0, 1 or 2 (grey, as an old case file may hold),
// empty for 1 per employment and 0 for the three switches of all
// employments. Blanks around a text do not count.
std::variant<Fallzeile, Zeilenfehler> ZeileLesen(const Eingabefelder& felder, Zahlformat format);

// The value readers, for the messages' and the tests' sake one by one.
// nullopt when the text is no such value; `grund` then says why.
std::optional<Waehrung> EntgeltLesen(std::string_view text, Zahlformat format, std::string& grund);

// Text of the partial-month list at `position` (0 .. 34).
const std::string& Teilmonatsname(int position);

// First invalid byte of `text` as UTF-8, or npos.
std::size_t Utf8Fehler(std::string_view text);

// A text for a message: invalid bytes as "?", long texts shortened, in „…“.
std::string Zitat(std::string_view text);

}  // namespace lohnwippe::rechner
