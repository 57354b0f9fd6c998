#pragma once

#include "store/Fallsatz.h"
#include "store/Umlagesatz.h"

namespace lohnwippe {

// Contents of a new installation.

// Record `satzNr` (1..603) of a new case file: every case with four
// placeholder employers, every switch on and no remuneration; 601 to 603
// with the case names, the payroll office and the case to start with.
Fallsatz StandardFallsatz(int satzNr);

// Record `umlageNr` (1..48) of a new levy-rate file: the rates of all 22
// funds in that month of 2009 to 2012. Zeros for any other number.
Umlagesatz StandardUmlagesatz(int umlageNr);

}  // namespace lohnwippe
