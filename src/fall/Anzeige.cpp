#include "fall/Anzeige.h"

#include "calc/Formate.h"
#include "calc/Satz.h"

namespace lohnwippe {

std::string KVSatzText(const Umlagesatz& umlagen, Kassenplatz kasse) {
    const std::int16_t wert = umlagen.KVSaetze[static_cast<std::size_t>(kasse.Wert())];
    return SatzText(Satz::AusHundertsteln(wert), 2) + " %";
}

std::string UmlagesatzText(const Umlagesatz& umlagen, Kassenplatz kasse, Umlageart umlage) {
    const auto k = static_cast<std::size_t>(kasse.Wert());
    const std::int16_t wert = umlage == U1   ? umlagen.U1Saetze[k]
                              : umlage == U2 ? umlagen.U2Saetze[k]
                                             : umlagen.U3Saetze[k];
    return SatzText(Satz::AusTausendsteln(wert), 3) + " %";
}

std::string JahressummeText(std::optional<Waehrung> summe) {
    return summe ? FormatEuro(*summe) : "unbekannt";
}

}  // namespace lohnwippe
