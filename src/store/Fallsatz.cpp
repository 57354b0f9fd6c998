#include "store/Fallsatz.h"

#include "store/Bytefolge.h"
#include "store/Cp1252.h"

namespace lohnwippe {

using namespace bytefolge;

namespace {

// Byte offsets of the record layout.
constexpr std::size_t NamenAb = 0;
constexpr std::size_t LetzterFallAb = 80;  // then nine more Integers
constexpr std::size_t ReserviertAb = 100;
constexpr std::size_t ZweigeAb = 108;
constexpr std::size_t UmlagenAb = 140;
constexpr std::size_t EntgelteAb = 172;

static_assert(EntgelteAb + std::size_t{8} * LetzterJob == FallsatzLaenge);

// The ten Integers from offset 80 in file order.
template <typename Satz>
constexpr auto Einstellungen(Satz& s) {
    return std::array{&s.LetzterFall,  &s.Oben,       &s.Links,       &s.Oben2,
                      &s.Links2,       &s.RVVerzicht, &s.SachsenWahl, &s.KinderlosWahl,
                      &s.TeilmonatPos, &s.KassePos};
}

constexpr std::size_t SchalterOffset(std::size_t ab, int job, int stelle) {
    return ab + 8 * static_cast<std::size_t>(job - 1) + 2 * static_cast<std::size_t>(stelle);
}

}  // namespace

void FallsatzKodieren(const Fallsatz& satz, std::span<std::byte, FallsatzLaenge> ziel) {
    for (int job = ErsteSpalte; job <= LetzterJob; ++job) {
        const std::size_t ab = NamenAb + TextfeldLaenge * static_cast<std::size_t>(job - 1);
        TextfeldKodieren(satz.Namen[job], ziel.subspan(ab).first<TextfeldLaenge>());
    }
    std::size_t offset = LetzterFallAb;
    for (const std::int16_t* wert : Einstellungen(satz)) {
        Int16Schreiben(ziel, offset, *wert);
        offset += 2;
    }
    for (std::size_t i = 0; i < satz.Reserviert.size(); ++i) {
        ziel[ReserviertAb + i] = satz.Reserviert[i];
    }
    for (int job = ErsteSpalte; job <= LetzterJob; ++job) {
        for (int stelle = 0; stelle < AnzahlZweige; ++stelle) {
            Int16Schreiben(ziel, SchalterOffset(ZweigeAb, job, stelle), satz.Zweige[job][stelle]);
        }
        for (int stelle = 0; stelle < AnzahlUmlageschalter; ++stelle) {
            Int16Schreiben(ziel, SchalterOffset(UmlagenAb, job, stelle), satz.Umlagen[job][stelle]);
        }
        Int64Schreiben(ziel, EntgelteAb + 8 * static_cast<std::size_t>(job - 1),
                       satz.Entgelte[job].Roh());
    }
}

std::array<std::byte, FallsatzLaenge> FallsatzKodieren(const Fallsatz& satz) {
    std::array<std::byte, FallsatzLaenge> puffer{};
    FallsatzKodieren(satz, puffer);
    return puffer;
}

Fallsatz FallsatzDekodieren(std::span<const std::byte, FallsatzLaenge> quelle) {
    Fallsatz satz;
    for (int job = ErsteSpalte; job <= LetzterJob; ++job) {
        const std::size_t ab = NamenAb + TextfeldLaenge * static_cast<std::size_t>(job - 1);
        satz.Namen[job] = TextfeldDekodieren(quelle.subspan(ab).first<TextfeldLaenge>());
    }
    std::size_t offset = LetzterFallAb;
    for (std::int16_t* wert : Einstellungen(satz)) {
        *wert = Int16Lesen(quelle, offset);
        offset += 2;
    }
    for (std::size_t i = 0; i < satz.Reserviert.size(); ++i) {
        satz.Reserviert[i] = quelle[ReserviertAb + i];
    }
    for (int job = ErsteSpalte; job <= LetzterJob; ++job) {
        for (int stelle = 0; stelle < AnzahlZweige; ++stelle) {
            satz.Zweige[job][stelle] = Int16Lesen(quelle, SchalterOffset(ZweigeAb, job, stelle));
        }
        for (int stelle = 0; stelle < AnzahlUmlageschalter; ++stelle) {
            satz.Umlagen[job][stelle] = Int16Lesen(quelle, SchalterOffset(UmlagenAb, job, stelle));
        }
    }
    satz.Entgelte = EntgelteDekodieren(quelle);
    return satz;
}

JeJob<Waehrung> EntgelteDekodieren(std::span<const std::byte, FallsatzLaenge> quelle) {
    JeJob<Waehrung> entgelte{};
    for (int job = ErsteSpalte; job <= LetzterJob; ++job) {
        // JeJob has LetzterJob + 1 elements; cppcheck miscounts the alias.
        // cppcheck-suppress containerOutOfBounds
        entgelte[job] = Waehrung::AusRoh(
            Int64Lesen(quelle, EntgelteAb + 8 * static_cast<std::size_t>(job - 1)));
    }
    return entgelte;
}

}  // namespace lohnwippe
