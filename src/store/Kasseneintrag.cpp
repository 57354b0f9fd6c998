#include "store/Kasseneintrag.h"

#include <cstdint>

#include "calc/Perioden.h"
#include "store/Bytefolge.h"
#include "store/Cp1252.h"

namespace lohnwippe {

using namespace bytefolge;

namespace {

// An entry: the name, the three rates as 32-bit integers, the in-use mark.
constexpr std::size_t EintragLaenge = 34;
constexpr std::size_t SaetzeAb = TextfeldLaenge;
constexpr std::size_t BelegtAb = SaetzeAb + std::size_t{3} * 4;
static_assert(BelegtAb + 2 == EintragLaenge && EintragLaenge * KassenJeSatz == FallsatzLaenge);

void Int32Schreiben(std::span<std::byte> puffer, std::size_t offset, std::int32_t wert) {
    auto u = static_cast<std::uint32_t>(wert);
    for (std::size_t i = 0; i < 4; ++i, u >>= 8) {
        puffer[offset + i] = static_cast<std::byte>(u & 0xFF);
    }
}

std::int32_t Int32Lesen(std::span<const std::byte> puffer, std::size_t offset) {
    std::uint32_t u = 0;
    for (std::size_t i = 4; i-- > 0;) {
        u = (u << 8) | std::to_integer<std::uint32_t>(puffer[offset + i]);
    }
    return static_cast<std::int32_t>(u);
}

// The place of entry `i` within a year's fund records, which never spans
// two records.
constexpr std::size_t EintragAb(std::size_t i) {
    return i / KassenJeSatz * FallsatzLaenge + i % KassenJeSatz * EintragLaenge;
}

}  // namespace

std::optional<std::size_t> KassenUnpassend(const std::vector<Kasseneintrag>& kassen) {
    for (std::size_t i = 0; i < kassen.size(); ++i) {
        for (const Satz satz : {kassen[i].Zusatzbeitrag, kassen[i].U1, kassen[i].U2}) {
            if (satz < Satz{} || satz > HoechsterKassensatz) {
                return i;
            }
        }
    }
    if (kassen.size() > static_cast<std::size_t>(KassenJeJahr)) {
        return KassenJeJahr;
    }
    return std::nullopt;
}

void KassenKodieren(const std::vector<Kasseneintrag>& kassen,
                    std::span<std::byte, KassenblockLaenge> ziel) {
    for (std::size_t i = 0; i < static_cast<std::size_t>(KassenJeJahr); ++i) {
        const auto eintrag = ziel.subspan(EintragAb(i), EintragLaenge);
        if (i >= kassen.size()) {
            std::fill(eintrag.begin(), eintrag.end(), std::byte{0});
            continue;
        }
        const Kasseneintrag& kasse = kassen[i];
        TextfeldKodieren(kasse.Name, eintrag.first<TextfeldLaenge>());
        std::size_t offset = SaetzeAb;
        for (const Satz satz : {kasse.Zusatzbeitrag, kasse.U1, kasse.U2}) {
            Int32Schreiben(eintrag, offset, static_cast<std::int32_t>(satz.Tausendstel));
            offset += 4;
        }
        Int16Schreiben(eintrag, BelegtAb, 1);
    }
}

std::vector<Kasseneintrag> KassenDekodieren(std::span<const std::byte, KassenblockLaenge> quelle) {
    std::vector<Kasseneintrag> kassen;
    for (std::size_t i = 0; i < static_cast<std::size_t>(KassenJeJahr); ++i) {
        const auto eintrag = quelle.subspan(EintragAb(i), EintragLaenge);
        // Any mark but free counts as in use: a damaged mark must not make
        // a fund vanish from the list and from the next write.
        if (Int16Lesen(eintrag, BelegtAb) == 0) {
            continue;
        }
        kassen.push_back({TextfeldDekodieren(eintrag.first<TextfeldLaenge>()),
                          Satz{Int32Lesen(eintrag, SaetzeAb)},
                          Satz{Int32Lesen(eintrag, SaetzeAb + 4)},
                          Satz{Int32Lesen(eintrag, SaetzeAb + 8)}});
    }
    return kassen;
}

std::vector<Kasseneintrag> StandardKassen(int jahr) {
    const Periode* januar = PeriodeZu(jahr, 1);
    const Satz schnitt = januar != nullptr ? januar->ZBDurchschnitt.value_or(Satz{}) : Satz{};
    return {{"Durchschnitt", schnitt, Satz{}, Satz{}}};
}

}  // namespace lohnwippe
