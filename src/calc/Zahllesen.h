#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "calc/Waehrung.h"
#include "calc/Zahltext.h"

namespace lohnwippe {

// The one reader of numbers typed into the window's boxes or brought in by
// the calculator's rows. One grammar: blanks and tabs around the number,
// an optional leading minus, whole digits, a decimal sign and decimal
// digits; either side of the decimal sign may be empty, not both (",5" and
// "5," are numbers, "," is not). The ways of writing differ in the decimal
// sign, the full stops allowed among the whole digits, the minus, the
// decimals kept and the largest value. It reads from the typed digits
// themselves: a detour through double would turn 12,555 into 12,55499...
// and round it the wrong way.

enum class Tausenderpunkte {
    Keine,
    ZwischenZiffern,  // a full stop between two digits is passed over: "1.2.34" is 1234
    Dreiergruppen,    // the whole digits in groups of three, the first of one to three
};

struct Zahlschreibweise {
    char Dezimalzeichen = ',';
    char ZweitesDezimalzeichen = '\0';  // another one, or '\0' for none
    Tausenderpunkte Punkte = Tausenderpunkte::Keine;
    bool MitMinus = true;
    int Stellen = 4;  // decimals kept, 0 to 4
    // Further decimals are rounded half away from zero (the first dropped
    // digit alone decides), or are no number of this way of writing.
    bool Runden = true;
    // The largest count; a negative number may reach one count further, as
    // the money type does.
    std::int64_t Hoechstens = std::numeric_limits<std::int64_t>::max();
    // A currency sign in front or behind ("450,50 €", "EUR 450,50"), as a
    // spreadsheet's currency format shows an amount, is no part of it.
    bool Waehrungszeichen = false;
    // What separates thousands where Punkte allows it: a full stop, or the
    // comma of English notation.
    char Tausenderzeichen = '.';
};

// Why a text is no number of its way of writing, in the order of checking.
enum class Lesefehler {
    Negativ,         // a minus where none is allowed
    Tausender,       // a thousands separator between groups of other than three digits
    KeineZahl,       // anything else the grammar does not take
    ZuVieleStellen,  // more decimals than kept, where they are not rounded
    ZuGross,         // beyond Hoechstens
};

struct Zahllesung {
    Waehrung Wert;
    std::optional<Lesefehler> Fehler;  // none: `Wert` is the number
};

Zahllesung ZahlLesen(std::string_view text, const Zahlschreibweise& schreibweise);

// An amount box: decimal comma, full stops between digits, a minus, rounded
// to `stellen` decimals (0 to 4). nullopt for any other text and for values
// out of range of the type. Throws std::invalid_argument for other `stellen`.
std::optional<Waehrung> ZahlLesen(std::string_view text, int stellen);

// A percentage rate: a full stop or a comma is the decimal sign (at most one
// of them), no thousands separators, rounded at four decimals ("0.5", "0,5",
// "0,500").
std::optional<Waehrung> RateLesen(std::string_view text);

// A remuneration column of the calculator: at most two decimals, never
// negative, at most HoechstesEntgelt. Deutsch as German spreadsheets write
// it ("1.234,50" or "1234,5", full stops only between groups of three
// digits), Punkt as JSON ("1234.50"), Englisch as English spreadsheets
// ("1,234.50" or "1234.5", commas only between groups of three digits).
Zahlschreibweise Entgeltschreibweise(Zahlformat format);

}  // namespace lohnwippe
