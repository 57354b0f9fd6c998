#include "calc/Runden.h"

namespace lohnwippe {

namespace {

// Below this many cents a quotient of whole cents by 50 or 100, formed in
// double, lies within far less than 1/20000 of its exact value, so the
// conversion back always lands on the exact value and the division can be
// left out.
constexpr std::int64_t GrenzeExakt = std::int64_t{1} << 40;

bool Exakt(std::int64_t cent) {
    return cent > -GrenzeExakt && cent < GrenzeExakt;
}

}  // namespace

Waehrung GanzeCentGeteilt(Waehrung cent, int teiler) {
    const std::int64_t ganz = cent.Roh() / Waehrung::Skala;
    if (Exakt(ganz) && Waehrung::Skala % teiler == 0) {
        return Waehrung::AusRoh(ganz * (Waehrung::Skala / teiler));
    }
    return Waehrung::AusDoubleHalbGerade(cent.AlsDouble() / teiler);
}

Waehrung AufCentRunden(Waehrung cent) {
    const std::int64_t roh = cent.Roh();
    const std::int64_t ganz = roh / Waehrung::Skala;  // truncated toward zero
    if (roh < 0) {
        return Waehrung::AusGanzzahl(ganz);
    }
    // Hundredths of a cent, half to even. A fraction from .9950 on gives 100:
    // that is a carry into the next cent and must round up, not fall to 0.
    const std::int64_t hundertstel = GeteiltHalbGerade(roh % Waehrung::Skala, std::int64_t{100});
    return Waehrung::AusGanzzahl(hundertstel > 49 ? ganz + 1 : ganz);
}

Waehrung UmlageRunden(Waehrung hunderttausendstel) {
    const std::int64_t n = detail::DurchSkalaHalbGerade(hunderttausendstel.Roh());
    // Whole cents from n itself, so that a value just below a whole cent that
    // n rounds up to it is not also cut down a cent.
    const std::int64_t t = n / 1000;
    const bool aufrunden = n % 1000 >= 500;
    if (Exakt(t)) {
        // t / 100 (+ 0.01) in double is within a few units of its last
        // place of the exact value, which the conversion recovers.
        return Waehrung::AusRoh((t + (aufrunden ? 1 : 0)) * 100);
    }
    double euro = static_cast<double>(t) / 100;
    if (aufrunden) {
        euro += 0.01;
    }
    return Waehrung::AusDoubleHalbGerade(euro);
}

Waehrung AufCentGerundet(Waehrung euro) {
    return GanzeCentGeteilt(AufCentRunden(MalGanzzahl(euro, 100)), 100);
}

}  // namespace lohnwippe
