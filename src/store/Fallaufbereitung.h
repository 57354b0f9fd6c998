#pragma once

#include <cstdint>

#include "calc/Eingaben.h"
#include "calc/Waehrung.h"
#include "store/Fallsatz.h"
#include "store/Umlagesatz.h"

namespace lohnwippe {

// The data side of bringing a stored case onto the main window, without
// the widgets: which case the window starts on, which list entries stored
// positions select, and the calculation inputs that the window's controls
// and their handlers end up with. The window goes through its controls;
// whatever reaches `Eingaben` on that road comes from here.

// The cases the lists reach: four years of ten persons and twelve months.
inline constexpr int AnzahlFaelle = 480;
// 2011, tenth person, December: where a start without a valid last case
// opens.
inline constexpr int FallNachAltemEnde = 360;

// The case the window starts on: `LetzterFall` of the settings record, or
// FallNachAltemEnde for 0 (what an old end left there) and for anything
// else outside 1..480 (only a damaged file holds that).
int StartfallNr(const Fallsatz& einstellungen);

// A stored position in a list of `anzahl` entries; one outside the list (a
// damaged file) selects the first entry rather than leaving the list
// without a selection.
int Listenposition(int position, int anzahl);

// The state a check box takes from a stored switch: 0 off, 1 on, 2 grey;
// any other value is off.
std::int16_t Schalterzustand(int gespeichert);

// Puts the stored case into `eingaben` as loading it does: the four
// remunerations; the branch, levy and sick-pay switches as the boxes show
// them (the calculation counts only 1 as on); the RV waiver and Saxony as 1
// for any state but off, the childless switch as shown; and the factor of
// the case's partial month. Year values, rates and the case's place are
// set by the others below and by JahreswerteUebernehmen.
void FallUebernehmen(const Fallsatz& satz, Eingaben& eingaben);

// The fund's levy rates in percent, held beside the inputs for the report.
struct Kassenprozente {
    Waehrung U1, U2, U3;
};

// KV rate of each employment from the general rate in column `kasse`
// (0..21) of the levy record, less 0.6 points without sick pay (so the
// sick-pay switches must be in `eingaben` already), and the general rate
// itself for the total column; returns the fund's levy rates in percent.
Kassenprozente KassenwerteUebernehmen(const Umlagesatz& umlagen, int kasse, Eingaben& eingaben);

// What every calculation reads besides the case: the levy rates of column
// `kasse` and the case's year, month and number.
void Berechnungsrahmen(const Umlagesatz& umlagen, int kasse, int jahrPos, int monatPos, int fallNr,
                       Eingaben& eingaben);

}  // namespace lohnwippe
