#include "fall/Anzeige.h"

#include "calc/Formate.h"

namespace lohnwippe {

namespace {

std::string Prozent(std::int16_t wert, int faktor, int stellen) {
    return FormatDezimal(Waehrung::AusRoh(std::int64_t{wert} * faktor), stellen) + " %";
}

}  // namespace

std::string KVSatzText(const Umlagesatz& umlagen, Kassenplatz kasse) {
    return Prozent(umlagen.KVSaetze[static_cast<std::size_t>(kasse.Wert())], 100, 2);
}

std::string UmlagesatzText(const Umlagesatz& umlagen, Kassenplatz kasse, Umlageart umlage) {
    const auto k = static_cast<std::size_t>(kasse.Wert());
    const std::int16_t wert = umlage == U1   ? umlagen.U1Saetze[k]
                              : umlage == U2 ? umlagen.U2Saetze[k]
                                             : umlagen.U3Saetze[k];
    return Prozent(wert, 10, 3);
}

std::string JahressummeText(std::optional<Waehrung> summe) {
    return summe ? FormatEuro(*summe) : "unbekannt";
}

}  // namespace lohnwippe
