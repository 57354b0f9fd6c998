#include "calc/Formate.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <stdexcept>

#include "calc/Zahltext.h"

namespace lohnwippe {

namespace {

constexpr std::array<const char*, 12> Monatsnamen{"Januar",    "Februar", "März",     "April",
                                                  "Mai",       "Juni",    "Juli",     "August",
                                                  "September", "Oktober", "November", "Dezember"};

template <typename Schreiber>
std::string Text(Schreiber schreiben) {
    char puffer[ZahltextPlatz];
    return std::string(puffer, schreiben(puffer));
}

// `zahl` (not negative) with leading zeros to at least `stellen` digits.
std::string MitNullen(int zahl, std::size_t stellen) {
    const std::string ziffern = std::to_string(zahl);
    return std::string(stellen - std::min(stellen, ziffern.size()), '0') + ziffern;
}

bool Schaltjahr(int jahr) {
    return (jahr % 4 == 0 && jahr % 100 != 0) || jahr % 400 == 0;
}

int TageImMonat(int jahr, int monat) {
    constexpr std::array<int, 12> tage{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return monat == 2 && Schaltjahr(jahr) ? 29 : tage[static_cast<std::size_t>(monat - 1)];
}

}  // namespace

std::string FormatBetrag(Waehrung wert) {
    return Text([&](char* p) { return BetragText(p, wert, 2, Zahlformat::Deutsch); });
}

std::string FormatEuro(Waehrung wert) {
    return FormatBetrag(wert) + " Euro";
}

std::string FormatDezimal(Waehrung wert, int stellen) {
    if (stellen < 0 || stellen > 4) {
        throw std::invalid_argument("FormatDezimal: 0 bis 4 Stellen");
    }
    return Text([&](char* p) { return DezimalText(p, wert, stellen, Zahlformat::Deutsch); });
}

std::string FormatZahl(Waehrung wert) {
    return Text([&](char* p) { return ZahlText(p, wert, Zahlformat::Deutsch); });
}

std::string FormatBetragFeld(Waehrung wert) {
    constexpr std::size_t Feldbreite = 7;
    std::string text = FormatBetrag(wert);
    if (text.size() < Feldbreite) {
        text.insert(0, Feldbreite - text.size(), ' ');
    }
    return text;
}

std::string FormatDatum(int jahr, int monat, int tag) {
    if (jahr < 1 || jahr > 9999 || monat < 1 || monat > 12 || tag < 1 ||
        tag > TageImMonat(jahr, monat)) {
        throw std::invalid_argument("FormatDatum: kein gültiges Datum");
    }
    return MitNullen(tag, 2) + ". " + Monatsnamen[static_cast<std::size_t>(monat - 1)] + " " +
           MitNullen(jahr, 4);
}

std::string VollerMonatsname(int monat) {
    return monat >= 1 && monat <= 12 ? Monatsnamen[static_cast<std::size_t>(monat - 1)] : "";
}

std::string MonatUndJahr(int monat, int jahr) {
    return VollerMonatsname(monat) + " " + std::to_string(jahr);
}

std::string FormatGanzzahl(long zahl) {
    return Text([&](char* p) { return GanzzahlText(p, zahl, true); });
}

}  // namespace lohnwippe
