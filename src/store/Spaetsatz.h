#pragma once

#include <cstddef>
#include <vector>

#include "store/Fallsatz.h"
#include "store/Spaetsatznummern.h"

namespace lohnwippe {

// A case from 2013 is a Fallsatz; what only these years have lives in the
// bytes SV.dat leaves reserved, so that the same coding serves both files.
// `KassePos` there is the place in that year's fund list (Kasseneintrag).

// The number of children under 25 (0..9 as the window takes it; a damaged
// file may hold any other).
int KinderLesen(const Fallsatz& satz);
void KinderSetzen(Fallsatz& satz, int kinder);

// The records of the file of later years as long as the table of periods
// reaches: from 2013 to LetztesBekanntesJahr.
int AnzahlSpaetsaetze();

// Record 1 of a new file: a new case, no case of these years shown last.
Fallsatz StandardSpaeteinstellung();

// The default contents of the year blocks of `vonJahr` .. `bisJahr`, one
// after the other: every case as a new case of SV.dat, the funds as
// StandardKassen says.
std::vector<std::byte> StandardSpaetjahre(int vonJahr, int bisJahr);

}  // namespace lohnwippe
