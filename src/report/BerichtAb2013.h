#pragma once

#include <string>

#include "calc/Uebergangsbereich.h"
#include "report/Berichtskopf.h"
#include "report/Druckflaeche.h"

namespace lohnwippe {

// Everything the report of a month from 2013 prints, taken from the window
// at the moment of printing. Texts are UTF-8 and exactly as the window shows
// them.
struct BerichtsdatenAb2013 : Berichtskopf {
    // The fund entry is the year's "Durchschnitt", no real fund: said on
    // paper.
    bool Durchschnitt = false;
    EingabenAb2013 Eingabe{};
    ErgebnisAb2013 Resultat{};
    bool Zeilendrucker = false;
};

// Prints the report onto `flaeche` and ends the document. Returns false when
// the surface failed; output stops where the failure occurred. `daten`
// must hold a result (Resultat.Parameter set).
bool BerichtAb2013Drucken(const BerichtsdatenAb2013& daten, Druckflaeche& flaeche);

}  // namespace lohnwippe
