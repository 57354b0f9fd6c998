#include "calc/Satz.h"

#include "calc/Formate.h"

namespace lohnwippe {

Satz Satz::AusAnteil(double anteil) {
    return AusProzent(Waehrung::AusDoubleHalbGerade(anteil * 100));
}

std::string SatzText(Satz satz, int stellen) {
    return FormatDezimal(satz.Prozent(), stellen);
}

}  // namespace lohnwippe
