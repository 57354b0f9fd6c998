#pragma once

#include <string>

#include "calc/Uebergangsbereich.h"
#include "report/Druckflaeche.h"

namespace lohnwippe {

// Everything the report of a month from 2013 prints, taken from the window
// at the moment of printing. Texts are UTF-8 and exactly as the window shows
// them.
struct BerichtsdatenAb2013 {
    std::string Abrechnungsstelle1;  // 20 characters, blank-padded
    std::string Abrechnungsstelle2;
    int Tag = 1, Monat = 1, Jahr = 2026;  // today's date
    std::string Person;
    std::string MonatText;  // "JAN" .. "DEZ"
    JeJob<std::string> Arbeitgeber{};
    std::string Kasse;  // the fund entry's name
    // The entry is the year's "Durchschnitt", no real fund: said on paper.
    bool Durchschnitt = false;
    std::string TeilmonatText;
    EingabenAb2013 Eingabe{};
    ErgebnisAb2013 Resultat{};
    bool Zeilendrucker = false;
};

// Prints the report onto `flaeche` and ends the document. Returns false when
// the surface failed; output stops where the failure occurred. `daten`
// must hold a result (Resultat.Parameter set).
bool BerichtAb2013Drucken(const BerichtsdatenAb2013& daten, Druckflaeche& flaeche);

}  // namespace lohnwippe
