#include "calc/Waehrung.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace lohnwippe {

namespace {

__extension__ using Int128 = __int128;

static_assert(std::numeric_limits<long double>::digits >= 64,
              "exact conversion from double needs a 64-bit long double mantissa");

constexpr long double ZweiHoch63 = 9223372036854775808.0L;

std::int64_t Pruefen(Int128 wert) {
    if (wert > std::numeric_limits<std::int64_t>::max() ||
        wert < std::numeric_limits<std::int64_t>::min()) {
        detail::WaehrungUeberlauf();
    }
    return static_cast<std::int64_t>(wert);
}

}  // namespace

std::optional<Waehrung> Waehrung::AusGrossemDouble(double wert) {
    if (!std::isfinite(wert)) {
        return std::nullopt;
    }
    // Large values: the double's mantissa (53 bits) times 10000 (14 bits, of
    // which 4 are a power of two) needs at most 63 bits, so in x87 extended
    // precision the product is exact and the truncation and the remainder
    // below are exact too.
    const long double produkt = static_cast<long double>(wert) * Skala;
    if (produkt >= ZweiHoch63 || produkt < -ZweiHoch63) {
        return std::nullopt;
    }
    const auto ganz = static_cast<std::int64_t>(produkt);
    const long double rest = produkt - static_cast<long double>(ganz);
    const long double restBetrag = rest < 0 ? -rest : rest;
    if (restBetrag > 0.5L || (restBetrag == 0.5L && ganz % 2 != 0)) {
        if (rest > 0) {
            if (ganz == std::numeric_limits<std::int64_t>::max()) {
                return std::nullopt;
            }
            return Waehrung(ganz + 1);
        }
        if (ganz == std::numeric_limits<std::int64_t>::min()) {
            return std::nullopt;
        }
        return Waehrung(ganz - 1);
    }
    return Waehrung(ganz);
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

namespace detail {

void WaehrungUeberlauf() {
    throw std::overflow_error("Betrag außerhalb des Wertebereichs");
}

Waehrung MalHalbGerade128(Waehrung a, Waehrung b) {
    const Int128 produkt = static_cast<Int128>(a.Roh()) * b.Roh();
    return Waehrung::AusRoh(Pruefen(GeteiltHalbGerade<Int128>(produkt, Waehrung::Skala)));
}

}  // namespace detail

}  // namespace lohnwippe
