#pragma once

#include <compare>
#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace lohnwippe {

// A contribution or levy rate as a whole number of thousandths of a percent
// (14,6 % = 14600). Every rate the law or a fund publishes has at most three
// decimals, so the type holds them exactly and products with cent amounts
// stay integers until the one rounding to cents.
struct Satz {
    std::int64_t Tausendstel = 0;

    // The check takes the defaulted comparison's own 0 for a null pointer.
    constexpr auto operator<=>(const Satz&) const = default;  // NOLINT(modernize-use-nullptr)
    friend constexpr Satz operator+(Satz a, Satz b) { return {a.Tausendstel + b.Tausendstel}; }
    friend constexpr Satz operator-(Satz a, Satz b) { return {a.Tausendstel - b.Tausendstel}; }
};

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
