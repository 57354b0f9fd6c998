#include "store/Spaetsatz.h"

#include <algorithm>
#include <cstdint>

#include "calc/Perioden.h"
#include "store/Bytefolge.h"
#include "store/Kasseneintrag.h"
#include "store/Standardinhalt.h"

namespace lohnwippe {

using namespace bytefolge;

int KinderLesen(const Fallsatz& satz) {
    return Int16Lesen(satz.Reserviert, 0);
}

void KinderSetzen(Fallsatz& satz, int kinder) {
    Int16Schreiben(satz.Reserviert, 0, static_cast<std::int16_t>(kinder));
}

int AnzahlSpaetsaetze() {
    return SpaetsaetzeBis(LetztesBekanntesJahr());
}

Fallsatz StandardSpaeteinstellung() {
    Fallsatz satz = StandardFallsatz(1);
    satz.LetzterFall = 0;
    return satz;
}

std::vector<std::byte> StandardSpaetjahre(int vonJahr, int bisJahr) {
    const auto jahre = static_cast<std::size_t>(std::max(0, bisJahr - vonJahr + 1));
    std::vector<std::byte> puffer(jahre * SaetzeJeSpaetjahr * FallsatzLaenge);
    const auto fall = FallsatzKodieren(StandardFallsatz(1));
    for (std::size_t j = 0; j < jahre; ++j) {
        const auto block = std::span(puffer).subspan(j * SaetzeJeSpaetjahr * FallsatzLaenge);
        for (std::size_t i = 0; i < static_cast<std::size_t>(FaelleJeJahr); ++i) {
            std::ranges::copy(fall,
                              block.begin() + static_cast<std::ptrdiff_t>(i * FallsatzLaenge));
        }
        KassenKodieren(StandardKassen(vonJahr + static_cast<int>(j)),
                       block.subspan(FaelleJeJahr * FallsatzLaenge).first<KassenblockLaenge>());
    }
    return puffer;
}

}  // namespace lohnwippe
