#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "calc/Eingaben.h"
#include "calc/Waehrung.h"
#include "store/Satznummern.h"

namespace lohnwippe {

// Position of the sick-pay switch in `Fallsatz::Umlagen`, after U1, U2, U3
// (`Umlageart`).
inline constexpr int KGStelle = 3;
inline constexpr int AnzahlUmlageschalter = 4;

// One record of the case file: a person's case in one month, or one of the
// master records 601 to 603, which use the same layout.
//
// Per-employment fields are indexed by the employment number 1..4 exactly
// as `Eingaben`, so values move between the two without renumbering. Element
// 0 is not stored: encoding ignores it and decoding leaves it empty.
struct Fallsatz {
    // Employer names (case records) or case and office names (601..603),
    // UTF-8. Read back they are always 20 characters, blanks included.
    JeJob<std::string> Namen{};

    std::int16_t LetzterFall = 0;
    std::int16_t Oben = 0;
    std::int16_t Links = 0;
    std::int16_t Oben2 = 0;
    std::int16_t Links2 = 0;
    std::int16_t RVVerzicht = 0;
    std::int16_t SachsenWahl = 0;
    std::int16_t KinderlosWahl = 0;
    std::int16_t TeilmonatPos = 0;
    std::int16_t KassePos = 0;

    // Unused by the program; kept as read so that rewriting a record
    // changes only what the writer meant to change.
    std::array<std::byte, 8> Reserviert{};

    // [job][Zweig]: KV, PV, RV, AV switch states.
    JeJob<std::array<std::int16_t, AnzahlZweige>> Zweige{};
    // [job][Umlageart or KGStelle]: U1, U2, U3 and sick-pay switch states.
    JeJob<std::array<std::int16_t, AnzahlUmlageschalter>> Umlagen{};
    // Remuneration per employment in Euro.
    JeJob<Waehrung> Entgelte{};

    bool operator==(const Fallsatz&) const = default;
};

void FallsatzKodieren(const Fallsatz& satz, std::span<std::byte, FallsatzLaenge> ziel);
std::array<std::byte, FallsatzLaenge> FallsatzKodieren(const Fallsatz& satz);
Fallsatz FallsatzDekodieren(std::span<const std::byte, FallsatzLaenge> quelle);
// Only the four remunerations, for the annual sum that reads twelve records
// after every calculation.
JeJob<Waehrung> EntgelteDekodieren(std::span<const std::byte, FallsatzLaenge> quelle);

}  // namespace lohnwippe
