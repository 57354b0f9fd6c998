#include "calc/Teilmonat.h"

#include <stdexcept>

namespace lohnwippe {

namespace {
// Weeks per month (52.176 / 12) and days per month.
constexpr double WochenJeMonat = 4.348;
constexpr double TageJeMonat = 30;
}  // namespace

std::optional<Waehrung> Teilmonatsfaktor(int position) {
    double faktor;
    if (position == 0) {
        faktor = 1;
    } else if (position >= 1 && position <= 4) {
        faktor = WochenJeMonat / position;
    } else if (position >= 5 && position < AnzahlTeilmonate) {
        faktor = TageJeMonat / (position - 4);
    } else {
        return std::nullopt;
    }
    return Waehrung::AusDoubleHalbGerade(faktor);
}

std::string TeilmonatText(int position) {
    if (position == 0) {
        return "für vollen Monat";
    }
    if (position == 1) {
        return "für 1 Woche";
    }
    if (position >= 2 && position <= 4) {
        return "für " + std::to_string(position) + " Wochen";
    }
    if (position == 5) {
        return "für 1 Tag";
    }
    if (position > 5 && position < AnzahlTeilmonate) {
        return "für " + std::to_string(position - 4) + " Tage";
    }
    throw std::out_of_range("TeilmonatText: keine Position der Liste");
}

}  // namespace lohnwippe
