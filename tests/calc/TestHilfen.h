#pragma once

#include <ostream>

#include "calc/Waehrung.h"

namespace lohnwippe {

// Test constants are written as decimal literals; the nearest double of a
// value with at most four decimals always converts back to that value.
inline Waehrung W(double wert) {
    return Waehrung::AusDoubleHalbGerade(wert);
}

inline void PrintTo(Waehrung w, std::ostream* os) {
    *os << w.AlsDouble() << " (" << w.Roh() << ")";
}

}  // namespace lohnwippe
