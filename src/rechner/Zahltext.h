#pragma once

#include <cstddef>

#include "calc/Waehrung.h"

namespace lohnwippe::rechner {

// Numbers of the command-line calculator's output, written straight into a
// buffer: a table row has some two hundred of them, and building a string
// for each would cost more than the calculation itself.

enum class Zahlformat {
    Deutsch,  // CSV for German spreadsheets: "1.234,50", decimal comma
    Punkt,    // JSON: "1234.50", decimal point, no thousands separators
};

// Room enough for any text below: a minus, 19 digits, six separators, the
// decimal sign and four decimals.
inline constexpr std::size_t ZahltextPlatz = 32;

// The amount with `stellen` decimals (0 to 4), rounded half away from zero,
// without a minus for a value that rounds to zero. Deutsch: full stop between
// thousands, decimal comma; with two decimals the text is FormatBetrag's.
// Returns the end of the text.
char* BetragText(char* ziel, Waehrung wert, int stellen, Zahlformat format);

// Like BetragText but without thousands separators: the rate texts of the
// window ("14,60", "0,390", "0,7472"), FormatDezimal's.
char* DezimalText(char* ziel, Waehrung wert, int stellen, Zahlformat format);

// All decimals the value has, no trailing zeros ("4,348", "30"): FormatZahl's.
char* ZahlText(char* ziel, Waehrung wert, Zahlformat format);

char* GanzzahlText(char* ziel, long wert);

}  // namespace lohnwippe::rechner
