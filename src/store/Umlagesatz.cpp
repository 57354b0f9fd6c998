#include "store/Umlagesatz.h"

#include "calc/Eingaben.h"
#include "store/Bytefolge.h"

namespace lohnwippe {

using namespace bytefolge;

namespace {

// The four arrays follow each other without gaps, 44 bytes apiece.
template <typename Datensatz>
constexpr auto Felder(Datensatz& s) {
    return std::array{&s.U1Saetze, &s.U2Saetze, &s.U3Saetze, &s.KVSaetze};
}

static_assert(std::size_t{4} * AnzahlKassen * 2 == UmlagesatzLaenge);

}  // namespace

Satz KVSatzVon(const Umlagesatz& satz, std::size_t kasse) {
    return Satz::AusHundertsteln(satz.KVSaetze[kasse]);
}

Satz UmlageVon(const Umlagesatz& satz, std::size_t kasse, Umlageart umlage) {
    const JeKasse& saetze = umlage == U1   ? satz.U1Saetze
                            : umlage == U2 ? satz.U2Saetze
                                           : satz.U3Saetze;
    return Satz::AusTausendsteln(saetze[kasse]);
}

void UmlagesatzKodieren(const Umlagesatz& satz, std::span<std::byte, UmlagesatzLaenge> ziel) {
    std::size_t offset = 0;
    for (const JeKasse* feld : Felder(satz)) {
        for (std::int16_t wert : *feld) {
            Int16Schreiben(ziel, offset, wert);
            offset += 2;
        }
    }
}

std::array<std::byte, UmlagesatzLaenge> UmlagesatzKodieren(const Umlagesatz& satz) {
    std::array<std::byte, UmlagesatzLaenge> puffer{};
    UmlagesatzKodieren(satz, puffer);
    return puffer;
}

Umlagesatz UmlagesatzDekodieren(std::span<const std::byte, UmlagesatzLaenge> quelle) {
    Umlagesatz satz;
    std::size_t offset = 0;
    for (JeKasse* feld : Felder(satz)) {
        for (std::int16_t& wert : *feld) {
            wert = Int16Lesen(quelle, offset);
            offset += 2;
        }
    }
    return satz;
}

}  // namespace lohnwippe
