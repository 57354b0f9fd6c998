#pragma once

#include <optional>

#include "fall/Meldung.h"
#include "fall/Stammdatenformular.h"
#include "fall/Verlauf.h"
#include "store/Datenbestand.h"

namespace lohnwippe {

// Undo (`rueckwaerts`) or redo of the next step on the files: its records go
// back to the bytes before the step (or forth to those after it), and with
// them the master data the settings record keeps besides the case.
//
// - Nothing is written while another program's file waits for the decision
//   which version goes on, nor when one of the records no longer holds the
//   bytes the step left (another program changed it), nor when the names
//   were saved anew since; `a` says why. A step taken before the user took
//   another program's file over (Schritt::Frueher) that finds such a record
//   is dropped: it will never go, and the ones before it may.
// - The writes go whole or not at all; a step cut short is put back and
//   said, and stays where it was in the list.
// - The line printer goes with the step only where the step changed it.
//
// Gives the step that went through, for the open case to show; the names
// in `formular` are then the ones the files hold.
std::optional<Schritt> SchrittGehen(bool rueckwaerts, Datenbestand& daten, Verlauf& verlauf,
                                    Stammdatenformular& formular, Aenderung& a);

}  // namespace lohnwippe
