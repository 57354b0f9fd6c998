#pragma once

#include <string>

#include "calc/Eingaben.h"
#include "fall/Fallangaben.h"
#include "store/Umlagesatz.h"

namespace lohnwippe {

// What a stored case calculates with, without files or windows: the road
// from the case to `Eingaben`. The window, on loading a case, and the
// command-line calculator both take it, so that a case gives the same
// result wherever it is calculated.

// The cases the lists reach: four years of ten persons and twelve months.
inline constexpr int AnzahlFaelle = 480;
// 2011, tenth person, December: where a start without a valid last case
// opens.
inline constexpr int FallNachAltemEnde = 360;

// The case the window starts on: `LetzterFall` of the settings record, or
// FallNachAltemEnde for 0 (what an old end left there) and for anything
// else outside 1..480 (only a damaged file holds that).
int StartfallNr(int letzterFall);

// The fund's levy rates in percent, held beside the inputs for the report.
struct Kassenprozente {
    Waehrung U1, U2, U3;
};
Kassenprozente KassenprozenteVon(const Umlagesatz& umlagen, Kassenplatz kasse);

// Everything the calculation reads for case `fall` in `monat`, with the
// rates of its fund from `umlagen`: the remunerations and switches, the
// waiver and Saxony as on for any state but off, the partial-month factor,
// the year's rates, each employment's KV rate from the fund's general rate
// and its sick-pay switch, and the levy rates.
Eingaben EingabenAusFall(const Fallangaben& fall, const Umlagesatz& umlagen, Berichtsmonat monat);

// What the window and the calculator say of a case whose amounts are too
// large to calculate with; only a damaged file holds such amounts.
inline constexpr const char* BetraegeZuGross =
    "Die Beträge dieses Falls sind zu groß, um sie zu berechnen.";

// List texts of the window: "JAN" .. "DEZ" (month 1..12) and "2009" .. "2012".
std::string Monatskuerzel(int monat);
std::string Jahrestext(int jahr);

}  // namespace lohnwippe
