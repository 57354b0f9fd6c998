#pragma once

#include <optional>
#include <string>

#include "calc/Waehrung.h"

namespace lohnwippe {

// The partial-month choices: full month, 1 to 4 weeks, 1 to 30 days.
inline constexpr int AnzahlTeilmonate = 35;

// Factor that raises the remuneration of the chosen period to a full month;
// nullopt for a position outside the list (no entry chosen).
std::optional<Waehrung> Teilmonatsfaktor(int position);

// List entry of a position ("für vollen Monat", "für 1 Woche", "für 7 Tage").
std::string TeilmonatText(int position);

}  // namespace lohnwippe
