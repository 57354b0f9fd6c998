#include "rates/Jahreswerte.h"

namespace lohnwippe {

namespace {

constexpr Waehrung W(std::int64_t zehntausendstel) {
    return Waehrung::AusRoh(zehntausendstel);
}

constexpr std::array<Jahreswert, AnzahlJahre> Tabelle{{
    {"2009", "1,95 %", W(19500), "19,90 %", W(199000), "2,80 %", W(28000), "0,7472", W(7472)},
    {"2010", "1,95 %", W(19500), "19,90 %", W(199000), "2,80 %", W(28000), "0,7585", W(7585)},
    {"2011", "1,95 %", W(19500), "19,90 %", W(199000), "3,00 %", W(30000), "0,7435", W(7435)},
    {"2012", "1,95 %", W(19500), "19,60 %", W(196000), "3,00 %", W(30000), "0,7491", W(7491)},
}};

}  // namespace

const Jahreswert* Jahreswerte(int jahrPos) {
    if (jahrPos < 0 || jahrPos >= AnzahlJahre) {
        return nullptr;
    }
    return &Tabelle[static_cast<std::size_t>(jahrPos)];
}

bool JahreswerteUebernehmen(int jahrPos, Eingaben& eingaben) {
    const Jahreswert* zeile = Jahreswerte(jahrPos);
    if (zeile == nullptr) {
        return false;
    }
    eingaben.Jahressatz[PV] = zeile->PV;
    eingaben.Jahressatz[RV] = zeile->RV;
    eingaben.Jahressatz[AV] = zeile->AV;
    eingaben.FaktorF = zeile->F;
    return true;
}

}  // namespace lohnwippe
