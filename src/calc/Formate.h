#pragma once

#include <string>

#include "calc/Waehrung.h"

namespace lohnwippe {

// German number and date texts for the window, the result table and the
// report, as strings. The numbers are those of Zahltext.h: built from the
// integer count of the value, never from the C or C++ locale, so the output
// is the same on every machine. Where a value is shown with fewer decimals
// than the four it holds, the display rounds half away from zero; a value
// that rounds to zero is shown without a minus sign.

// Amount "###,##0.00": full stop between thousands, decimal comma, two
// decimals, minus in front (1.234,50; 0,00; -0,50).
std::string FormatBetrag(Waehrung wert);

// Amount followed by " Euro" (14.400,00 Euro).
std::string FormatEuro(Waehrung wert);

// At least one integer digit, exactly `stellen` decimals (0 to 4), decimal
// comma, no thousands separators: the rate captions "#0.00" and "#0.000"
// (14,60; 0,390). Throws std::invalid_argument for other `stellen`.
std::string FormatDezimal(Waehrung wert, int stellen);

// Plain number: decimal comma, no thousands separators, no trailing zeros,
// all four decimals when needed (19,9; 3; 0,7491; 4,348).
std::string FormatZahl(Waehrung wert);

// The report's amount: FormatBetrag right-aligned in 7 characters by leading
// blanks (" 123,40", "   0,00"). A longer amount is returned whole, because a
// cut amount would print a wrong number.
std::string FormatBetragFeld(Waehrung wert);

// Date "DD. mmmm yyyy" with the German month name (05. Dezember 2012).
// Throws std::invalid_argument for a date that does not exist or a year
// outside 1 to 9999.
std::string FormatDatum(int jahr, int monat, int tag);

// Full German month name ("Januar" for 1); empty outside 1..12.
std::string VollerMonatsname(int monat);

// A month of a year as messages and undo steps name it ("Januar 2012").
std::string MonatUndJahr(int monat, int jahr);

// A whole number with a full stop between thousands ("1.234.567"): counts
// and sizes in messages.
std::string FormatGanzzahl(long zahl);

}  // namespace lohnwippe
