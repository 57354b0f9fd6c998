#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "calc/Satz.h"
#include "store/Satznummern.h"
#include "store/Spaetsatznummern.h"

namespace lohnwippe {

// A fund the payroll office works with in one year from 2013, with the
// rates it publishes.
struct Kasseneintrag {
    std::string Name;  // UTF-8; read back always 20 characters, blanks included
    Satz Zusatzbeitrag;
    Satz U1;
    Satz U2;

    bool operator==(const Kasseneintrag&) const = default;
};

// The fund records of one year, as they lie in the file one after the other.
inline constexpr std::size_t KassenblockLaenge = FallsatzLaenge * KassensaetzeJeJahr;

// The highest rate a fund entry may hold: 100 %. The file's fields would
// hold more, but no rate is larger, and a larger one is a typing error.
inline constexpr Satz HoechsterKassensatz{100000};

// Whether `kassen` fits the fund records of a year: at most KassenJeJahr
// entries, every rate 0 .. 100 %. The position of the first that does not
// fit; nullopt when all do.
std::optional<std::size_t> KassenUnpassend(const std::vector<Kasseneintrag>& kassen);

// The entries in use, in the order of their places; places beyond the
// entries are written free. Rates that do not fit the fields are the
// caller's to refuse first (KassenUnpassend).
void KassenKodieren(const std::vector<Kasseneintrag>& kassen,
                    std::span<std::byte, KassenblockLaenge> ziel);
std::vector<Kasseneintrag> KassenDekodieren(std::span<const std::byte, KassenblockLaenge> quelle);

// What a new file holds for `jahr`: one entry "Durchschnitt" with the
// year's average Zusatzbeitrag (0 where the law has none) and no levies.
std::vector<Kasseneintrag> StandardKassen(int jahr);

}  // namespace lohnwippe
