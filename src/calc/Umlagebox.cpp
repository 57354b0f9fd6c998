#include "calc/Umlagebox.h"

#include <algorithm>
#include <limits>

#include "calc/Satz.h"
#include "calc/Zahllesen.h"
#include "calc/Zeichen.h"

namespace lohnwippe {

namespace {

// The number at the start of `text` times 1000, as a count of 1/10000,
// rounded half to even from the digits themselves. Whole parts beyond a
// million are all alike far out of any range and are held there.
std::int64_t FuehrendeZahlMalTausend(std::string_view text) {
    constexpr std::int64_t GrosserGanzteil = 1'000'000;
    constexpr int Nachkommastellen = 7;  // 3 for the factor 1000, 4 of the count
    std::size_t i = 0;
    while (i < text.size() && IstLeerzeichen(text[i])) {
        ++i;
    }
    bool negativ = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negativ = text[i] == '-';
        ++i;
    }
    std::int64_t ganz = 0;
    for (; i < text.size() && IstZiffer(text[i]); ++i) {
        ganz = std::min(ganz * 10 + (text[i] - '0'), GrosserGanzteil);
    }
    std::int64_t zahl = ganz;
    int stellen = 0;
    int ersteWeitere = 0;  // the first digit beyond the count's last place
    bool mehrDahinter = false;
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        for (++i; i < text.size() && IstZiffer(text[i]); ++i) {
            const int ziffer = text[i] - '0';
            if (stellen < Nachkommastellen) {
                zahl = zahl * 10 + ziffer;
                ++stellen;
            } else if (stellen++ == Nachkommastellen) {
                ersteWeitere = ziffer;
            } else {
                mehrDahinter = mehrDahinter || ziffer != 0;
            }
        }
    }
    for (; stellen < Nachkommastellen; ++stellen) {
        zahl *= 10;
    }
    if (ersteWeitere > 5 || (ersteWeitere == 5 && (mehrDahinter || zahl % 2 != 0))) {
        ++zahl;
    }
    return negativ ? -zahl : zahl;
}

}  // namespace

std::int64_t Tausendstel(Waehrung rate) {
    return Satz::AusProzent(rate).Tausendstel;
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
    const std::int64_t x = FuehrendeZahlMalTausend(text);
    constexpr std::int64_t Eins = Waehrung::Skala;  // x = 1 with four decimals
    if (x < 1 * Eins || x > 1000 * Eins) {
        return {.Tausendstel = 300, .Korrigiert = true};
    }
    return {.Tausendstel = detail::DurchSkalaHalbGerade(x), .Korrigiert = false};
}

}  // namespace lohnwippe
