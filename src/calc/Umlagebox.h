#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "calc/Waehrung.h"

namespace lohnwippe {

// Reading the U1 and U2 boxes of the master-data window, without the
// widgets. A box holds a rate in percent, typed with a point or shown with
// a decimal comma ("0.5", "0,500"); the levy-rate file stores thousandths
// of a percent in 16 bits.

// A rate in percent in thousandths of a percent, halves to even. The rate
// holds four decimals, so one decimal digit of the count decides.
std::int64_t Tausendstel(Waehrung rate);

// Why a box cannot be stored.
enum class Satzfehler { KeineZahl, ZuGross, ZuKlein };

// The box's text as saving stores it: the thousandths, or why they cannot
// be stored (no number, or beyond 16 bits).
struct Satzlesung {
    std::int16_t Tausendstel = 0;
    std::optional<Satzfehler> Fehler;
};
Satzlesung UmlageboxLesen(std::string_view text);

// Enter in a U1 box that is not blank: the rate for this month and the
// rest of the year. The box is read as far as it holds a number: blanks,
// a sign, digits, one decimal sign and digits; reading stops at the first
// character that does not fit ("0.5.3" reads 0.5, "abc" reads 0). The
// decimal sign is a point or, as the boxes show rates, a comma. That number
// times 1000, held with four decimals (halves to even), must lie within 1
// to 1000, that is the rate within 0.001 to 1.000 percent; otherwise the
// rate becomes 0.300 and is marked as corrected. Only then is it rounded to
// whole thousandths, halves to even.
struct U1Uebernahme {
    std::int64_t Tausendstel = 0;
    bool Korrigiert = false;
};
U1Uebernahme U1Uebernehmen(std::string_view text);

}  // namespace lohnwippe
