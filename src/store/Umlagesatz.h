#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "calc/Satz.h"
#include "store/Satznummern.h"

namespace lohnwippe {

// Health funds in the order of the fund lists; the position selects the
// entry within a levy-rate record.
inline constexpr int AnzahlKassen = 22;
using JeKasse = std::array<std::int16_t, AnzahlKassen>;

// The funds in the order of their entries in a levy-rate record; both
// windows list them so.
inline constexpr std::array<const char*, AnzahlKassen> Kassennamen = {
    "AOK Bad-Württ.", "AOK Bayern",   "AOK Berlin",    "AOK Brandbg",  "AOK Bremen",
    "AOK Hamburg",    "AOK Hessen",   "AOK Mecklenb.", "AOK Nieders.", "AOK Westf.L",
    "AOK Rheinl.Pf",  "AOK Saarland", "AOK Sachsen",   "AOK S-Anhalt", "AOK Schlesw.",
    "AOK Thüring.",   "AOK Rheinl.",  "AOK Barmer",    "AOK DAK",      "AOK KKH",
    "AOK Techn.",     "AOK BBK"};

// One record of the levy-rate file: the rates of all funds in one month.
struct Umlagesatz {
    JeKasse U1Saetze{};  // percent × 1000 (390 = 0.390 %)
    JeKasse U2Saetze{};  // percent × 1000
    JeKasse U3Saetze{};  // percent × 1000
    JeKasse KVSaetze{};  // general KV rate, percent × 100 (1460 = 14.60 %)

    bool operator==(const Umlagesatz&) const = default;
};

enum Umlageart : int;  // calc/Eingaben.h

// The rates of the fund at position `kasse` (0..AnzahlKassen-1) as the
// program calculates and shows them.
Satz KVSatzVon(const Umlagesatz& satz, std::size_t kasse);
Satz UmlageVon(const Umlagesatz& satz, std::size_t kasse, Umlageart umlage);

void UmlagesatzKodieren(const Umlagesatz& satz, std::span<std::byte, UmlagesatzLaenge> ziel);
std::array<std::byte, UmlagesatzLaenge> UmlagesatzKodieren(const Umlagesatz& satz);
Umlagesatz UmlagesatzDekodieren(std::span<const std::byte, UmlagesatzLaenge> quelle);

}  // namespace lohnwippe
