#pragma once

#include <optional>

#include "calc/Satz.h"
#include "calc/Uebergangsbereich.h"
#include "fall/Fallangaben.h"
#include "store/Kasseneintrag.h"

namespace lohnwippe {

// The road from a stored case of a month from 2013 to `EingabenAb2013`,
// taken by the window and the command-line calculator alike, so that a case
// gives the same result wherever it is calculated.

// The rates of the case's fund entry for its year.
struct Kassensaetze {
    // None: the year's average (the calculation takes it from the period).
    std::optional<Satz> Zusatzbeitrag;
    Satz U1;
    Satz U2;
};

// Whether `kasse` is the year's average a new file holds ("Durchschnitt",
// StandardKassen), blanks aside: no fund, which the window and the report
// say.
bool IstDurchschnitt(const Kasseneintrag& kasse);

// Social-insurance days of a partial-month position: 30 for the full month,
// 7 a week for positions 1 to 4, then 1 to 30 days.
int SVTage(int teilmonat);

// The remunerations and switches of `fall` (a branch, levy or sick-pay
// switch only when exactly on; Saxony and the waiver for any state but
// off), its partial month as days, the fund's rates and the children.
// Employments up to the last one with pay count, one at least.
EingabenAb2013 EingabenAusFallAb2013(const Fallangaben& fall, int jahr, int monat,
                                     const Kassensaetze& kasse, int kinder);

}  // namespace lohnwippe
