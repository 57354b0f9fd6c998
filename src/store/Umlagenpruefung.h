#pragma once

#include <array>
#include <span>
#include <string>
#include <vector>

#include "store/Umlagesatz.h"

namespace lohnwippe {

// What the start-up finds in the levy-rate file and how it tells the user.

// Levy records (1..48; others are left out) as German month ranges in
// ascending order: "Juli 2011", "Juli bis Dezember 2012", "Januar 2009 bis
// Dezember 2012", several joined as "März 2010, Juli 2011 und Mai bis Juni
// 2012". Empty for none.
std::string Monatsbereiche(std::vector<int> umlageNrn);

// The message after the levy records `saetze` were filled with the default
// contents (Datenbestand::UmlagenErgaenzen); empty when there are none.
std::string UmlagenErgaenztMeldung(const std::vector<int>& saetze);

// Rates no fund ever had: below 0, a KV rate above 20 % (2000 hundredths) or
// a levy above 10 % (10000 thousandths). Only a damaged file holds them.
inline constexpr int HoechsterKVSatz = 2000;
inline constexpr int HoechsterUmlagesatz = 10000;
bool Unplausibel(const Umlagesatz& satz, int kasse);

// The funds and months of the levy-rate file with such rates.
struct Umlagenbefund {
    // Per fund position, the levy records (1..48) with such a rate of that
    // fund, ascending.
    std::array<std::vector<int>, AnzahlKassen> Monate;

    bool Leer() const;
    // German text for the start-up, said once: which funds in which months,
    // funds with the same months together, and that the program calculates
    // with the values as they are. Empty when Leer().
    std::string Meldung() const;
};

// Checks `saetze`, record 1 first.
Umlagenbefund UmlagenPruefen(std::span<const Umlagesatz> saetze);

}  // namespace lohnwippe
