#include "calc/Zahltext.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>

namespace lohnwippe {

namespace {

constexpr std::array<std::uint64_t, 5> ZehnHoch{1, 10, 100, 1000, 10000};

// "00" .. "99": two digits per division halve the divisions.
constexpr auto Paare = [] {
    std::array<char, 200> paare{};
    for (std::size_t i = 0; i < 100; ++i) {
        paare[2 * i] = static_cast<char>('0' + i / 10);
        paare[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return paare;
}();

char* Paar(char* ziel, std::uint64_t zahl) {
    std::memcpy(ziel, &Paare[2 * zahl], 2);
    return ziel + 2;
}

// 1 to 3 digits of `zahl` (below 1000) without leading zeros, or exactly 3.
char* Dreier(char* ziel, std::uint64_t zahl, bool voll) {
    if (voll || zahl >= 100) {
        *ziel++ = static_cast<char>('0' + zahl / 100);
        return Paar(ziel, zahl % 100);
    }
    if (zahl >= 10) {
        return Paar(ziel, zahl);
    }
    *ziel++ = static_cast<char>('0' + zahl);
    return ziel;
}

// Numbers of four digits and more: groups of three from the right, written
// left to right afterwards.
[[gnu::noinline]] char* GrosserGanzteil(char* ziel, std::uint64_t zahl, bool tausender) {
    std::array<std::uint16_t, 7> gruppen{};
    std::size_t anzahl = 0;
    while (zahl >= 1000) {
        gruppen[anzahl++] = static_cast<std::uint16_t>(zahl % 1000);
        zahl /= 1000;
    }
    ziel = Dreier(ziel, zahl, false);
    while (anzahl > 0) {
        if (tausender) {
            *ziel++ = '.';
        }
        ziel = Dreier(ziel, gruppen[--anzahl], true);
    }
    return ziel;
}

// Nearly every amount of the table is below 1000.
inline char* Ganzteil(char* ziel, std::uint64_t zahl, bool tausender) {
    return zahl < 1000 ? Dreier(ziel, zahl, false) : GrosserGanzteil(ziel, zahl, tausender);
}

// The magnitude of a count; the most negative one fits unsigned.
std::uint64_t Betrag(std::int64_t roh) {
    const auto u = static_cast<std::uint64_t>(roh);
    return roh < 0 ? std::uint64_t{0} - u : u;
}

template <int Stellen>
char* Festkomma(char* ziel, Waehrung wert, bool tausender, char komma) {
    constexpr std::uint64_t teiler = ZehnHoch[4 - Stellen];
    constexpr std::uint64_t einheit = ZehnHoch[Stellen];
    if (wert.Roh() == 0) {
        // Most cells of a row are empty employments.
        *ziel++ = '0';
        if constexpr (Stellen > 0) {
            *ziel++ = komma;
            for (int i = 0; i < Stellen; ++i) {
                *ziel++ = '0';
            }
        }
        return ziel;
    }
    const std::uint64_t betrag = Betrag(wert.Roh());
    // Halves away from zero, on the magnitude: 2^63 plus one unit still fits.
    const std::uint64_t gerundet = betrag / teiler + (2 * (betrag % teiler) >= teiler ? 1 : 0);
    if (wert.Roh() < 0 && gerundet != 0) {
        *ziel++ = '-';
    }
    ziel = Ganzteil(ziel, gerundet / einheit, tausender);
    if constexpr (Stellen > 0) {
        *ziel++ = komma;
        const std::uint64_t rest = gerundet % einheit;
        if constexpr (Stellen == 1) {
            *ziel++ = static_cast<char>('0' + rest);
        } else if constexpr (Stellen == 2) {
            ziel = Paar(ziel, rest);
        } else if constexpr (Stellen == 3) {
            ziel = Dreier(ziel, rest, true);
        } else {
            ziel = Paar(Paar(ziel, rest / 100), rest % 100);
        }
    }
    return ziel;
}

char* Fest(char* ziel, Waehrung wert, int stellen, bool tausender, char komma) {
    switch (stellen) {
        case 0:
            return Festkomma<0>(ziel, wert, tausender, komma);
        case 1:
            return Festkomma<1>(ziel, wert, tausender, komma);
        case 2:
            return Festkomma<2>(ziel, wert, tausender, komma);
        case 3:
            return Festkomma<3>(ziel, wert, tausender, komma);
        default:
            return Festkomma<4>(ziel, wert, tausender, komma);
    }
}

char Komma(Zahlformat format) {
    return format == Zahlformat::Deutsch ? ',' : '.';
}

}  // namespace

char* BetragText(char* ziel, Waehrung wert, int stellen, Zahlformat format) {
    return Fest(ziel, wert, stellen, format == Zahlformat::Deutsch, Komma(format));
}

char* DezimalText(char* ziel, Waehrung wert, int stellen, Zahlformat format) {
    return Fest(ziel, wert, stellen, false, Komma(format));
}

char* ZahlText(char* ziel, Waehrung wert, Zahlformat format) {
    char* ende = Festkomma<4>(ziel, wert, false, Komma(format));
    // Four decimals are all there are, so nothing was rounded: drop the
    // zeros behind the last digit and the decimal sign if nothing is left.
    while (ende[-1] == '0') {
        --ende;
    }
    if (ende[-1] == Komma(format)) {
        --ende;
    }
    return ende;
}

char* GanzzahlText(char* ziel, long wert, bool tausender) {
    if (wert < 0) {
        *ziel++ = '-';
    }
    return Ganzteil(ziel, Betrag(wert), tausender);
}

char* GleitText(char* ziel, double wert, Zahlformat format) {
    if (wert == 0) {  // also -0, which a sheet shows as 0
        *ziel = '0';
        return ziel + 1;
    }
    char* const ende =
        std::to_chars(ziel, ziel + ZahltextPlatz, wert, std::chars_format::general, 15).ptr;
    if (format == Zahlformat::Deutsch) {
        std::replace(ziel, ende, '.', ',');
    }
    return ende;
}

}  // namespace lohnwippe
