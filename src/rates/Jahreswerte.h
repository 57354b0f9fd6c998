#pragma once

#include <array>
#include <string_view>

#include "calc/Eingaben.h"
#include "calc/Waehrung.h"

namespace lohnwippe {

// Year-dependent values of the calculation. The captions are fixed texts
// as the rate panel shows them, not formatted from the numbers.
struct Jahreswert {
    std::string_view Jahr;
    std::string_view PVText;
    Waehrung PV;
    std::string_view RVText;
    Waehrung RV;
    std::string_view AVText;
    Waehrung AV;
    std::string_view FText;
    Waehrung F;
};

// Row of a year position (0 = 2009 .. 3 = 2012); nullptr outside the table.
const Jahreswert* Jahreswerte(int jahrPos);

// Stores the row's PV, RV and AV rates and factor F into `eingaben`. A
// position outside the table changes nothing and returns false.
bool JahreswerteUebernehmen(int jahrPos, Eingaben& eingaben);

}  // namespace lohnwippe
