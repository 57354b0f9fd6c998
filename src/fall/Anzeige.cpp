#include "fall/Anzeige.h"

#include "calc/Formate.h"
#include "calc/Satz.h"

namespace lohnwippe {

std::string KVSatzText(const Umlagesatz& umlagen, Kassenplatz kasse) {
    return SatzText(KVSatzVon(umlagen, static_cast<std::size_t>(kasse.Wert())), 2) + " %";
}

std::string UmlagesatzText(const Umlagesatz& umlagen, Kassenplatz kasse, Umlageart umlage) {
    return SatzText(UmlageVon(umlagen, static_cast<std::size_t>(kasse.Wert()), umlage), 3) + " %";
}

std::string JahressummeText(std::optional<Waehrung> summe) {
    return summe ? FormatEuro(*summe) : "unbekannt";
}

}  // namespace lohnwippe
