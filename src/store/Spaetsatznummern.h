#pragma once

#include <optional>

#include "calc/Berichtsmonat.h"
#include "store/Satznummern.h"

namespace lohnwippe {

// The file of the months from 2013 on, beside SV.dat and U12.dat, which
// stay as other programs read them. Records of FallsatzLaenge bytes without
// a header, record n at FallsatzLaenge × (n − 1): record 1 holds the
// settings of these years, then one block per year from 2013 on, 120 case
// records (person × month, as in SV.dat) and the records of the year's
// funds.
inline constexpr const char* SpaetdateiName = "SVab2013.dat";

// The layout starts in 2013 for good: a table that some day began later
// must not move the records of a file already written.
inline constexpr int ErstesSpaetjahr = 2013;
inline constexpr int SpaetEinstellungsSatz = 1;
inline constexpr int KassensaetzeJeJahr = 4;
inline constexpr int KassenJeSatz = 6;
inline constexpr int KassenJeJahr = KassensaetzeJeJahr * KassenJeSatz;
inline constexpr int SaetzeJeSpaetjahr = FaelleJeJahr + KassensaetzeJeJahr;

// First record of the block of `jahr` (≥ 2013).
constexpr int SpaetjahrAnfang(int jahr) {
    return SpaetEinstellungsSatz + 1 + (jahr - ErstesSpaetjahr) * SaetzeJeSpaetjahr;
}

// The records of a file that holds the years up to `letztesJahr`.
constexpr int SpaetsaetzeBis(int letztesJahr) {
    return SpaetjahrAnfang(letztesJahr + 1) - 1;
}

// personPos 0..9, monatPos 0 = January .. 11.
constexpr int FallNrAb2013(int jahr, int personPos, int monatPos) {
    return SpaetjahrAnfang(jahr) + personPos * MonateJeJahr + monatPos;
}

// Record `i` (0..3) of the funds of `jahr`.
constexpr int KassensatzNr(int jahr, int i) {
    return SpaetjahrAnfang(jahr) + FaelleJeJahr + i;
}

struct SpaetfallPosition {
    int Jahr = ErstesSpaetjahr;
    int PersonPos = 0;
    int MonatPos = 0;
    constexpr bool operator==(const SpaetfallPosition&) const = default;
};

// Inverse of FallNrAb2013; nullopt for the settings and the fund records.
constexpr std::optional<SpaetfallPosition> FallAb2013Zerlegen(int satzNr) {
    if (satzNr <= SpaetEinstellungsSatz) {
        return std::nullopt;
    }
    const int imJahr = (satzNr - SpaetjahrAnfang(ErstesSpaetjahr)) % SaetzeJeSpaetjahr;
    if (imJahr >= FaelleJeJahr) {
        return std::nullopt;
    }
    return SpaetfallPosition{
        ErstesSpaetjahr + (satzNr - SpaetjahrAnfang(ErstesSpaetjahr)) / SaetzeJeSpaetjahr,
        imJahr / MonateJeJahr, imJahr % MonateJeJahr};
}

static_assert(FallNrAb2013(2013, 0, 0) == 2 && KassensatzNr(2013, 3) == 125 &&
              FallNrAb2013(2014, 0, 0) == 126);
static_assert(FallAb2013Zerlegen(FallNrAb2013(2026, 9, 11)) == SpaetfallPosition{2026, 9, 11});
static_assert(!FallAb2013Zerlegen(KassensatzNr(2020, 0)) && !FallAb2013Zerlegen(1));

}  // namespace lohnwippe
