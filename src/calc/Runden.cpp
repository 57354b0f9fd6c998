#include "Runden.h"

namespace lohnwippe {

namespace {

// Quotient of two whole numbers, rounded half to even.
std::int64_t GeteiltHalbGerade(std::int64_t zaehler, std::int64_t nenner) {
    std::int64_t quotient = zaehler / nenner;
    const std::int64_t rest = zaehler % nenner;
    const std::int64_t betrag = rest < 0 ? -rest : rest;
    if (2 * betrag > nenner || (2 * betrag == nenner && quotient % 2 != 0)) {
        quotient += zaehler < 0 ? -1 : 1;
    }
    return quotient;
}

}  // namespace

Waehrung AufCentRunden(Waehrung cent) {
    const std::int64_t roh = cent.Roh();
    const std::int64_t ganz = roh / Waehrung::Skala;  // truncated toward zero
    if (roh < 0) {
        return Waehrung::AusGanzzahl(ganz);
    }
    // Hundredths of a cent, half to even. A fraction from .9950 on gives 100:
    // that is a carry into the next cent and must round up, not fall to 0.
    const std::int64_t hundertstel = GeteiltHalbGerade(roh % Waehrung::Skala, 100);
    return Waehrung::AusGanzzahl(hundertstel > 49 ? ganz + 1 : ganz);
}

Waehrung UmlageRunden(Waehrung hunderttausendstel) {
    const std::int64_t n = GeteiltHalbGerade(hunderttausendstel.Roh(), Waehrung::Skala);
    // Whole cents from n itself, so that a value just below a whole cent that
    // n rounds up to it is not also cut down a cent.
    const std::int64_t t = n / 1000;
    double euro = static_cast<double>(t) / 100;
    if (n % 1000 >= 500) {
        euro += 0.01;
    }
    return Waehrung::AusDoubleHalbGerade(euro);
}

Waehrung AufCentGerundet(Waehrung euro) {
    const Waehrung cent = AufCentRunden(MalGanzzahl(euro, 100));
    return Waehrung::AusDoubleHalbGerade(cent.AlsDouble() / 100);
}

}  // namespace lohnwippe
