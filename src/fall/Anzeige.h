#pragma once

#include <optional>
#include <string>

#include "calc/Eingaben.h"
#include "fall/Fallangaben.h"
#include "store/Umlagesatz.h"

namespace lohnwippe {

// Texts of the main window's rate panel and annual sum, for whatever view
// shows the open case.

// General KV rate of fund `kasse`: hundredths of a percent as "14,60 %".
std::string KVSatzText(const Umlagesatz& umlagen, Kassenplatz kasse);
// Levy rate: thousandths of a percent as "0,390 %".
std::string UmlagesatzText(const Umlagesatz& umlagen, Kassenplatz kasse, Umlageart umlage);
// "14.400,00 Euro", or "unbekannt" when the months could not be added up.
std::string JahressummeText(std::optional<Waehrung> summe);

}  // namespace lohnwippe
