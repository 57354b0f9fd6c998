#include "calc/Umlagebox.h"

#include <limits>

#include "calc/Formate.h"

namespace lohnwippe {

std::int64_t Tausendstel(Waehrung rate) {
    const std::int64_t roh = rate.Roh();
    std::int64_t quotient = roh / 10;
    const std::int64_t rest = roh % 10 < 0 ? -(roh % 10) : roh % 10;
    if (rest > 5 || (rest == 5 && quotient % 2 != 0)) {
        quotient += roh < 0 ? -1 : 1;
    }
    return quotient;
}

Satzlesung UmlageboxLesen(std::string_view text) {
    const auto rate = RateLesen(text);
    if (!rate) {
        return {.Tausendstel = 0, .Fehler = Satzfehler::KeineZahl};
    }
    const std::int64_t tausendstel = Tausendstel(*rate);
    if (tausendstel > std::numeric_limits<std::int16_t>::max()) {
        return {.Tausendstel = 0, .Fehler = Satzfehler::ZuGross};
    }
    if (tausendstel < std::numeric_limits<std::int16_t>::min()) {
        return {.Tausendstel = 0, .Fehler = Satzfehler::ZuKlein};
    }
    return {.Tausendstel = static_cast<std::int16_t>(tausendstel), .Fehler = std::nullopt};
}

U1Uebernahme U1Uebernehmen(std::string_view text) {
    // The box's own display has a decimal comma, a typed rate a point: both
    // read alike, so Enter on a shown rate keeps it.
    const auto rate = RateLesen(text);
    const std::int64_t tausendstel = rate ? Tausendstel(*rate) : 0;
    if (!rate || tausendstel < 1 || tausendstel > 1000) {
        return {.Tausendstel = 300, .Korrigiert = true};
    }
    return {.Tausendstel = tausendstel, .Korrigiert = false};
}

}  // namespace lohnwippe
