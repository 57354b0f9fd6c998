#include "calc/Eingaben.h"

namespace lohnwippe {

Waehrung KVSatzAbleiten(std::int16_t kvGrundsatz, Schalter kg) {
    double satz = static_cast<double>(kvGrundsatz) / 100;
    if (!Ein(kg)) {
        satz -= 0.6;
    }
    return Waehrung::AusDoubleHalbGerade(satz);
}

double SachsenSatz(Berichtsmonat monat) {
    // The employer's share rose from 0.35 % to 0.475 % in July 2011.
    if (monat.Jahr < 2011 || (monat.Jahr == 2011 && monat.Monat < 7)) {
        return 0.0035;
    }
    return 0.00475;
}

}  // namespace lohnwippe
