#pragma once

#include <compare>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "calc/Waehrung.h"

namespace lohnwippe {

// A contribution or levy rate as a whole number of thousandths of a percent
// (14,6 % = 14600). Every rate the law or a fund publishes has at most three
// decimals, so the type holds them exactly and products with cent amounts
// stay integers until the one rounding to cents.
//
// Rates cross into the program only through the named ways in below: the
// data files keep them as 16-bit whole numbers in units of their own, and
// a conversion done by hand elsewhere is a factor of ten waiting to go
// wrong.
struct Satz {
    std::int64_t Tausendstel = 0;

    // The levy-rate file's levies (U1, U2, U3) and the calculator's
    // columns: thousandths of a percent.
    static constexpr Satz AusTausendsteln(std::int64_t tausendstel) { return {tausendstel}; }
    // The levy-rate file's general KV rate: hundredths of a percent.
    static constexpr Satz AusHundertsteln(std::int64_t hundertstel) {
        return {hundertstel * ProHundertstel};
    }
    // A rate in percent with four decimals, as a box or a cell is read,
    // to whole thousandths, halves to even.
    static constexpr Satz AusProzent(Waehrung prozent) {
        return {GeteiltHalbGerade(prozent.Roh(), ProTausendstel)};
    }
    // A share of one (0.009 for 0.9 %), as the calculation of 2009-2012
    // holds its additional rate: the percent rounded half to even at the
    // fourth decimal, then to thousandths.
    static Satz AusAnteil(double anteil);

    // The rate in percent, exactly: 0,370 % is 0.37.
    constexpr Waehrung Prozent() const { return Waehrung::AusRoh(Tausendstel * ProTausendstel); }

    // The check takes the defaulted comparison's own 0 for a null pointer.
    constexpr auto operator<=>(const Satz&) const = default;  // NOLINT(modernize-use-nullptr)
    friend constexpr Satz operator+(Satz a, Satz b) { return {a.Tausendstel + b.Tausendstel}; }
    friend constexpr Satz operator-(Satz a, Satz b) { return {a.Tausendstel - b.Tausendstel}; }

  private:
    // Counts of 1/10000 in a thousandth of a percent, thousandths in a
    // hundredth.
    static constexpr std::int64_t ProTausendstel = Waehrung::Skala / 1000;
    static constexpr std::int64_t ProHundertstel = 10;
};

// The rate in percent with exactly `stellen` decimals (0 to 4), as the
// windows, the report and the calculator print rates: "0,370", "14,60".
std::string SatzText(Satz satz, int stellen);

namespace detail {
// Reads "14.6" or "0.7605" as a whole number of 10^-stellen; a text with
// more decimals or another character does not compile where it is used
// in a constant.
consteval std::int64_t Dezimal(std::string_view text, int stellen) {
    std::int64_t wert = 0;
    int nachkomma = -1;
    for (const char c : text) {
        if (c == '.' && nachkomma < 0) {
            nachkomma = 0;
        } else if (c >= '0' && c <= '9') {
            wert = wert * 10 + (c - '0');
            if (nachkomma >= 0 && ++nachkomma > stellen) {
                throw std::invalid_argument("zu viele Nachkommastellen");
            }
        } else {
            throw std::invalid_argument("keine Dezimalzahl");
        }
    }
    for (int i = nachkomma < 0 ? 0 : nachkomma; i < stellen; ++i) {
        wert *= 10;
    }
    return wert;
}
}  // namespace detail

// A rate written as the tables of the law print it, in percent: P("2.05").
consteval Satz P(std::string_view prozent) {
    return {detail::Dezimal(prozent, 3)};
}

}  // namespace lohnwippe
