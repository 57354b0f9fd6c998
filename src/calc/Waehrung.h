#pragma once

#include <compare>
#include <cstdint>
#include <optional>

namespace lohnwippe {

// Fixed-point amount or rate: a signed 64-bit count of 1/10000.
//
// Every way into the type names its rounding, so a reader of the calculation
// can see at each step which rule applies. Sums and differences are exact;
// they throw std::overflow_error instead of wrapping, which can only happen
// with values no source of the program produces (a damaged data file, say).
class Waehrung {
public:
    static constexpr std::int64_t Skala = 10000;

    constexpr Waehrung() = default;

    static constexpr Waehrung AusRoh(std::int64_t roh) { return Waehrung(roh); }

    // Whole units (Euro, percent). Throws std::overflow_error when out of range.
    static Waehrung AusGanzzahl(std::int64_t ganz);

    // The double's exact value times 10000, rounded half to even. Throws
    // std::overflow_error for NaN, infinities and values out of range.
    static Waehrung AusDoubleHalbGerade(double wert);
    // The same for values from outside: nullopt instead of an exception.
    static std::optional<Waehrung> AusDoubleHalbGeradeGeprueft(double wert);

    constexpr std::int64_t Roh() const { return roh_; }
    // Correctly rounded quotient of the count and 10000.
    double AlsDouble() const { return static_cast<double>(roh_) / static_cast<double>(Skala); }

    // Rounds to `stellen` decimals (0 to 4), halves away from zero; for display.
    Waehrung GerundetHalbWeg(int stellen) const;

    constexpr auto operator<=>(const Waehrung&) const = default;

    friend Waehrung operator+(Waehrung a, Waehrung b);
    friend Waehrung operator-(Waehrung a, Waehrung b);
    friend Waehrung operator-(Waehrung a);
    Waehrung& operator+=(Waehrung b) { return *this = *this + b; }
    Waehrung& operator-=(Waehrung b) { return *this = *this - b; }

private:
    constexpr explicit Waehrung(std::int64_t roh) : roh_(roh) {}
    std::int64_t roh_ = 0;
};

// Exact product of two values, rounded half to even at the fourth decimal.
Waehrung MalHalbGerade(Waehrung a, Waehrung b);

// Exact product with a whole number, no rounding needed.
Waehrung MalGanzzahl(Waehrung a, std::int64_t faktor);

}  // namespace lohnwippe
