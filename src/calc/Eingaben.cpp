#include "calc/Eingaben.h"

#include "calc/Satz.h"

namespace lohnwippe {

namespace {
// Without entitlement to sick pay the fund's rate is lower by this much.
constexpr Satz KrankengeldAnteil = P("0.6");
}  // namespace

Waehrung KVSatzAbleiten(std::int16_t kvGrundsatz, Schalter kg) {
    const Waehrung satz = Satz::AusHundertsteln(kvGrundsatz).Prozent();
    return Ein(kg) ? satz : satz - KrankengeldAnteil.Prozent();
}

double SachsenSatz(Berichtsmonat monat) {
    // The employer's share rose from 0.35 % to 0.475 % in July 2011.
    if (monat.Jahr < 2011 || (monat.Jahr == 2011 && monat.Monat < 7)) {
        return 0.0035;
    }
    return 0.00475;
}

}  // namespace lohnwippe
