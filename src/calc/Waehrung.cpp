#include "Waehrung.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace lohnwippe {

namespace {

__extension__ typedef __int128 Int128;

// The double's mantissa (53 bits) times 10000 (14 bits, of which 4 are a
// power of two) needs at most 63 bits, so in x87 extended precision the
// product is exact and the only rounding is the final one to a whole count.
static_assert(std::numeric_limits<long double>::digits >= 64,
              "exact conversion from double needs a 64-bit long double mantissa");

constexpr long double ZweiHoch63 = 9223372036854775808.0L;

[[noreturn]] void Ueberlauf() { throw std::overflow_error("Betrag außerhalb des Wertebereichs"); }

std::int64_t Pruefen(Int128 wert) {
    if (wert > std::numeric_limits<std::int64_t>::max() ||
        wert < std::numeric_limits<std::int64_t>::min()) {
        Ueberlauf();
    }
    return static_cast<std::int64_t>(wert);
}

}  // namespace

Waehrung Waehrung::AusGanzzahl(std::int64_t ganz) {
    return Waehrung(Pruefen(static_cast<Int128>(ganz) * Skala));
}

std::optional<Waehrung> Waehrung::AusDoubleHalbGeradeGeprueft(double wert) {
    if (!std::isfinite(wert)) {
        return std::nullopt;
    }
    // nearbyint follows the current rounding mode, which is to nearest,
    // ties to even, unless someone changed it; rint-family functions are the
    // only exact half-to-even rounding the standard library offers.
    const long double gerundet = std::nearbyint(static_cast<long double>(wert) * Skala);
    if (gerundet >= ZweiHoch63 || gerundet < -ZweiHoch63) {
        return std::nullopt;
    }
    return Waehrung(static_cast<std::int64_t>(gerundet));
}

Waehrung Waehrung::AusDoubleHalbGerade(double wert) {
    if (auto w = AusDoubleHalbGeradeGeprueft(wert)) {
        return *w;
    }
    Ueberlauf();
}

Waehrung Waehrung::GerundetHalbWeg(int stellen) const {
    if (stellen < 0 || stellen > 4) {
        throw std::invalid_argument("GerundetHalbWeg: 0 bis 4 Stellen");
    }
    std::int64_t teiler = 1;
    for (int i = stellen; i < 4; ++i) {
        teiler *= 10;
    }
    Int128 quotient = roh_ / teiler;
    const std::int64_t rest = roh_ % teiler;
    if (2 * (rest < 0 ? -rest : rest) >= teiler) {
        quotient += roh_ < 0 ? -1 : 1;
    }
    return Waehrung(Pruefen(quotient * teiler));
}

Waehrung operator+(Waehrung a, Waehrung b) {
    std::int64_t summe;
    if (__builtin_add_overflow(a.roh_, b.roh_, &summe)) {
        Ueberlauf();
    }
    return Waehrung(summe);
}

Waehrung operator-(Waehrung a, Waehrung b) {
    std::int64_t differenz;
    if (__builtin_sub_overflow(a.roh_, b.roh_, &differenz)) {
        Ueberlauf();
    }
    return Waehrung(differenz);
}

Waehrung operator-(Waehrung a) { return Waehrung() - a; }

Waehrung MalHalbGerade(Waehrung a, Waehrung b) {
    const Int128 produkt = static_cast<Int128>(a.Roh()) * b.Roh();
    Int128 quotient = produkt / Waehrung::Skala;
    const Int128 rest = produkt % Waehrung::Skala;
    const Int128 betrag = rest < 0 ? -rest : rest;
    const bool ungerade = (quotient % 2) != 0;
    if (betrag * 2 > Waehrung::Skala || (betrag * 2 == Waehrung::Skala && ungerade)) {
        quotient += produkt < 0 ? -1 : 1;
    }
    return Waehrung::AusRoh(Pruefen(quotient));
}

Waehrung MalGanzzahl(Waehrung a, std::int64_t faktor) {
    return Waehrung::AusRoh(Pruefen(static_cast<Int128>(a.Roh()) * faktor));
}

}  // namespace lohnwippe
