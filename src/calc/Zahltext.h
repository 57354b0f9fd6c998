#pragma once

#include <cstddef>

#include "calc/Waehrung.h"

namespace lohnwippe {

// The one writer of numbers: the window's and the report's texts
// (Formate.h) and the calculator's output are all written here, straight
// into a caller's buffer. A row of the calculator has some two hundred
// numbers, and building a string for each would cost more than the
// calculation itself. Built from the integer count, never from a locale.

enum class Zahlformat {
    Deutsch,  // the window, the report, CSV: "1.234,50", decimal comma
    Punkt,    // JSON: "1234.50", decimal point, no thousands separators
    // English spreadsheets: decimal point; read with commas between
    // thousands ("1,234.50"), written without them, as Punkt.
    Englisch,
};

// Room enough for any text below: a minus, 19 digits, six separators, the
// decimal sign and four decimals.
inline constexpr std::size_t ZahltextPlatz = 32;

// The amount with `stellen` decimals (0 to 4), rounded half away from zero,
// without a minus for a value that rounds to zero. Deutsch: full stop between
// thousands, decimal comma. Returns the end of the text.
char* BetragText(char* ziel, Waehrung wert, int stellen, Zahlformat format);

// Like BetragText but without thousands separators: the rate texts of the
// window ("14,60", "0,390", "0,7472").
char* DezimalText(char* ziel, Waehrung wert, int stellen, Zahlformat format);

// All decimals the value has, no trailing zeros ("4,348", "30").
char* ZahlText(char* ziel, Waehrung wert, Zahlformat format);

// A whole number; with `tausender`, full stops between thousands
// ("1.234.567").
char* GanzzahlText(char* ziel, long wert, bool tausender = false);

// A spreadsheet's number as its cells show it in the general format: at
// most 15 significant digits, so that the binary noise of a formula
// (0.30000000000000004) is gone, no trailing zeros, an exponent only for
// very large or small values ("1e+20"). Returns the end of the text.
char* GleitText(char* ziel, double wert, Zahlformat format);

}  // namespace lohnwippe
