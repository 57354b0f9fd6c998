#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "calc/Ergebnis.h"
#include "report/Berichtskopf.h"
#include "report/Druckflaeche.h"

namespace lohnwippe {

// Everything the report prints, taken from the window at the moment of
// printing. Texts are UTF-8 and exactly as the window shows them.
struct Berichtsdaten : Berichtskopf {
    std::string JahrText;               // "2009" .. "2012"
    std::int16_t RVVerzichtImSatz = 0;  // `RVVerzicht` of the case record
    std::int16_t KinderlosImSatz = 0;   // `KinderlosWahl` of the case record
    bool RVBefreiungAngehakt = false;   // `RV_Befreiung` checked now
    Eingaben Eingabe{};
    // The last run, with `Zusatzsatz` and the partial-month factor it used;
    // captions and amounts come from it (calc/Ergebniszeilen.h).
    Ergebnis Resultat{};
    Waehrung U1Prozent{}, U2Prozent{}, U3Prozent{};
    std::int16_t Zeilendrucker = 0;
};

// Prints the report onto `flaeche` and ends the document. Returns false when
// the surface failed; output stops where the failure occurred.
bool BerichtDrucken(const Berichtsdaten& daten, Druckflaeche& flaeche);

}  // namespace lohnwippe
