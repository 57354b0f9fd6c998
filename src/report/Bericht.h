#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "calc/Ergebnis.h"
#include "report/Druckflaeche.h"

namespace lohnwippe {

// Everything the report prints, taken from the window at the moment of
// printing. Texts are UTF-8 and exactly as the window shows them.
struct Berichtsdaten {
    std::string Abrechnungsstelle1;  // 20 characters, blank-padded
    std::string Abrechnungsstelle2;
    int Tag = 1, Monat = 1, Jahr = 2012;  // today's date
    std::string Person;                   // text shown in `Minijobber`
    std::string MonatText;                // "JAN" .. "DEZ"
    std::string JahrText;                 // "2009" .. "2012"
    JeJob<std::string> Arbeitgeber{};     // texts of `Arbeitgeber(1..4)`
    std::string Kasse;                    // selected `Kassen` entry
    std::string TeilmonatText;            // selected `Teilmonat` entry
    std::int16_t RVVerzichtImSatz = 0;    // `RVVerzicht` of the case record
    std::int16_t KinderlosImSatz = 0;     // `KinderlosWahl` of the case record
    bool RVBefreiungAngehakt = false;     // `RV_Befreiung` checked now
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
