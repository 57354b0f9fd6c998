#pragma once

#include <cmath>
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

    // The check takes the defaulted comparison's own 0 for a null pointer.
    constexpr auto operator<=>(const Waehrung&) const = default;  // NOLINT(modernize-use-nullptr)

    inline friend Waehrung operator+(Waehrung a, Waehrung b);
    inline friend Waehrung operator-(Waehrung a, Waehrung b);
    inline friend Waehrung operator-(Waehrung a);
    Waehrung& operator+=(Waehrung b) { return *this = *this + b; }
    Waehrung& operator-=(Waehrung b) { return *this = *this - b; }

  private:
    constexpr explicit Waehrung(std::int64_t roh) : roh_(roh) {}
    static bool KleinRunden(double wert, std::int64_t& roh);
    static std::optional<Waehrung> AusGrossemDouble(double wert);
    std::int64_t roh_ = 0;
};

// Exact product of two values, rounded half to even at the fourth decimal.
Waehrung MalHalbGerade(Waehrung a, Waehrung b);

// Exact product with a whole number, no rounding needed.
Waehrung MalGanzzahl(Waehrung a, std::int64_t faktor);

// The calculation converts and multiplies a few hundred times per run, so
// the common paths are defined here where the compiler can inline them.

// Quotient of two whole numbers (`nenner` positive), rounded half to even:
// the one rule every exact division of the calculation rounds by.
template <typename Ganz>
constexpr Ganz GeteiltHalbGerade(Ganz zaehler, Ganz nenner) {
    Ganz quotient = zaehler / nenner;
    const Ganz rest = zaehler % nenner;
    const Ganz betrag = rest < 0 ? -rest : rest;
    if (betrag * 2 > nenner || (betrag * 2 == nenner && quotient % 2 != 0)) {
        quotient += zaehler < 0 ? -1 : 1;
    }
    return quotient;
}

namespace detail {
[[noreturn]] void WaehrungUeberlauf();
Waehrung MalHalbGerade128(Waehrung a, Waehrung b);

// Quotient by 10000, rounded half to even.
constexpr std::int64_t DurchSkalaHalbGerade(std::int64_t wert) {
    return GeteiltHalbGerade<std::int64_t>(wert, Waehrung::Skala);
}
}  // namespace detail

inline Waehrung Waehrung::AusGanzzahl(std::int64_t ganz) {
    std::int64_t roh;
    if (__builtin_mul_overflow(ganz, Skala, &roh)) {
        detail::WaehrungUeberlauf();
    }
    return Waehrung(roh);
}

inline bool Waehrung::KleinRunden(double wert, std::int64_t& roh) {
    // p is the product rounded to double and p + fehler the exact one. Below
    // 2^52, p's fraction and 0.5 are both multiples of p's last place while
    // |fehler| is at most half of it, so fehler can only decide an apparent
    // tie.
    const double betrag = std::fabs(wert);
    const double p = betrag * Skala;
    if (!(p < 0x1p52)) {
        return false;  // also infinities and NaN
    }
    auto ganz = static_cast<std::int64_t>(p);
    const double bruch = p - static_cast<double>(ganz);
    if (bruch > 0.5) {
        ++ganz;
    } else if (bruch == 0.5) {
        const double fehler = std::fma(betrag, Skala, -p);
        if (fehler > 0 || (fehler == 0 && ganz % 2 != 0)) {
            ++ganz;
        }
    }
    roh = wert < 0 ? -ganz : ganz;
    return true;
}

inline std::optional<Waehrung> Waehrung::AusDoubleHalbGeradeGeprueft(double wert) {
    std::int64_t roh;
    if (KleinRunden(wert, roh)) {
        return Waehrung(roh);
    }
    return AusGrossemDouble(wert);
}

// Returns a plain value on the common path: an optional there costs a
// round trip through memory on every conversion.
inline Waehrung Waehrung::AusDoubleHalbGerade(double wert) {
    std::int64_t roh;
    if (KleinRunden(wert, roh)) {
        return Waehrung(roh);
    }
    if (auto w = AusGrossemDouble(wert)) {
        return *w;
    }
    detail::WaehrungUeberlauf();
}

inline Waehrung operator+(Waehrung a, Waehrung b) {
    std::int64_t summe;
    if (__builtin_add_overflow(a.roh_, b.roh_, &summe)) {
        detail::WaehrungUeberlauf();
    }
    return Waehrung(summe);
}

inline Waehrung operator-(Waehrung a, Waehrung b) {
    std::int64_t differenz;
    if (__builtin_sub_overflow(a.roh_, b.roh_, &differenz)) {
        detail::WaehrungUeberlauf();
    }
    return Waehrung(differenz);
}

inline Waehrung operator-(Waehrung a) {
    return Waehrung() - a;
}

inline Waehrung MalHalbGerade(Waehrung a, Waehrung b) {
    // Amounts times rates nearly always fit 64 bits, where dividing by the
    // constant is a multiplication; 128-bit division is a library call.
    std::int64_t produkt;
    if (__builtin_mul_overflow(a.Roh(), b.Roh(), &produkt)) {
        return detail::MalHalbGerade128(a, b);
    }
    return Waehrung::AusRoh(detail::DurchSkalaHalbGerade(produkt));
}

inline Waehrung MalGanzzahl(Waehrung a, std::int64_t faktor) {
    std::int64_t produkt;
    if (__builtin_mul_overflow(a.Roh(), faktor, &produkt)) {
        detail::WaehrungUeberlauf();
    }
    return Waehrung::AusRoh(produkt);
}

}  // namespace lohnwippe
