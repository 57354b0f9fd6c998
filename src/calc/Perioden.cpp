#include "calc/Perioden.h"

#include <array>

namespace lohnwippe {

namespace {

constexpr Monatszahl M(int jahr, int monat) {
    return MonatszahlAus(jahr, monat);
}
constexpr Waehrung E(std::int64_t euro) {
    return Waehrung::AusRoh(euro * Waehrung::Skala);
}
constexpr std::optional<Satz> kein = std::nullopt;
constexpr auto AG = Teilung::AGausAE;
constexpr auto AN = Teilung::ANausBEAN;
constexpr auto ZBkein = ZBTragung::Keiner;
constexpr auto ZBAN = ZBTragung::NurAN;
constexpr auto ZBhalb = ZBTragung::Haelftig;

// One row per stretch of months with the same law. A new year is one more
// row at the end (and its published F in the tests).
// clang-format off
constexpr std::array Tabelle{
//          Von          Bis       G       O       F    C  Teilung  KV         KV erm.    KV nur AN  ZB      ZB Schnitt  PV         PV Sachsen AG Kinderlos  Kinderabschlag RV          AV        U3         Verzicht
    Periode{M(2013, 1), M(2014, 12), E(450), E(850),  7605, 30, AG, P("14.6"), P("14.0"), P("0.9"), ZBkein, kein,      P("2.05"), P("0.525"), P("0.25"), kein,      P("18.9"), P("3.0"), P("0.15"), true},
    Periode{M(2015, 1), M(2015, 12), E(450), E(850),  7585, 30, AG, P("14.6"), P("14.0"), kein,     ZBAN,   P("0.9"), P("2.35"), P("0.675"), P("0.25"), kein,      P("18.7"), P("3.0"), P("0.15"), true},
    Periode{M(2016, 1), M(2016, 12), E(450), E(850),  7547, 30, AG, P("14.6"), P("14.0"), kein,     ZBAN,   P("1.1"), P("2.35"), P("0.675"), P("0.25"), kein,      P("18.7"), P("3.0"), P("0.12"), true},
    Periode{M(2017, 1), M(2017, 12), E(450), E(850),  7509, 30, AG, P("14.6"), P("14.0"), kein,     ZBAN,   P("1.1"), P("2.55"), P("0.775"), P("0.25"), kein,      P("18.7"), P("3.0"), P("0.09"), true},
    Periode{M(2018, 1), M(2018, 12), E(450), E(850),  7547, 30, AG, P("14.6"), P("14.0"), kein,     ZBAN,   P("1.0"), P("2.55"), P("0.775"), P("0.25"), kein,      P("18.6"), P("3.0"), P("0.06"), true},
    Periode{M(2019, 1), M(2019, 6),  E(450), E(850),  7566, 30, AG, P("14.6"), P("14.0"), kein,     ZBhalb, P("0.9"), P("3.05"), P("1.025"), P("0.25"), kein,      P("18.6"), P("2.5"), P("0.06"), true},
    Periode{M(2019, 7), M(2019, 12), E(450), E(1300), 7566, 30, AG, P("14.6"), P("14.0"), kein,     ZBhalb, P("0.9"), P("3.05"), P("1.025"), P("0.25"), kein,      P("18.6"), P("2.5"), P("0.06"), false},
    Periode{M(2020, 1), M(2020, 12), E(450), E(1300), 7547, 30, AG, P("14.6"), P("14.0"), kein,     ZBhalb, P("1.1"), P("3.05"), P("1.025"), P("0.25"), kein,      P("18.6"), P("2.4"), P("0.06"), false},
    Periode{M(2021, 1), M(2021, 12), E(450), E(1300), 7509, 30, AG, P("14.6"), P("14.0"), kein,     ZBhalb, P("1.3"), P("3.05"), P("1.025"), P("0.25"), kein,      P("18.6"), P("2.4"), P("0.12"), false},
    Periode{M(2022, 1), M(2022, 9),  E(450), E(1300), 7509, 30, AG, P("14.6"), P("14.0"), kein,     ZBhalb, P("1.3"), P("3.05"), P("1.025"), P("0.35"), kein,      P("18.6"), P("2.4"), P("0.09"), false},
    Periode{M(2022, 10), M(2022, 12), E(520), E(1600), 7009, 28, AN, P("14.6"), P("14.0"), kein,    ZBhalb, P("1.3"), P("3.05"), P("1.025"), P("0.35"), kein,      P("18.6"), P("2.4"), P("0.09"), false},
    Periode{M(2023, 1), M(2023, 6),  E(520), E(2000), 6922, 28, AN, P("14.6"), P("14.0"), kein,     ZBhalb, P("1.6"), P("3.05"), P("1.025"), P("0.35"), kein,      P("18.6"), P("2.6"), P("0.06"), false},
    Periode{M(2023, 7), M(2023, 12), E(520), E(2000), 6922, 28, AN, P("14.6"), P("14.0"), kein,     ZBhalb, P("1.6"), P("3.4"),  P("1.2"),   P("0.6"),  P("0.25"), P("18.6"), P("2.6"), P("0.06"), false},
    Periode{M(2024, 1), M(2024, 12), E(538), E(2000), 6846, 28, AN, P("14.6"), P("14.0"), kein,     ZBhalb, P("1.7"), P("3.4"),  P("1.2"),   P("0.6"),  P("0.25"), P("18.6"), P("2.6"), P("0.06"), false},
    Periode{M(2025, 1), M(2025, 12), E(556), E(2000), 6683, 28, AN, P("14.6"), P("14.0"), kein,     ZBhalb, P("2.5"), P("3.6"),  P("1.3"),   P("0.6"),  P("0.25"), P("18.6"), P("2.6"), P("0.15"), false},
    Periode{M(2026, 1), M(2026, 12), E(603), E(2000), 6619, 28, AN, P("14.6"), P("14.0"), kein,     ZBhalb, P("2.9"), P("3.6"),  P("1.3"),   P("0.6"),  P("0.25"), P("18.6"), P("2.6"), P("0.15"), false},
};
// clang-format on

}  // namespace

std::span<const Periode> Perioden() {
    return Tabelle;
}

const Periode* PeriodeZu(int jahr, int monat) {
    if (monat < 1 || monat > 12) {
        return nullptr;
    }
    const Monatszahl m = M(jahr, monat);
    for (const Periode& p : Tabelle) {
        if (p.Von <= m && m <= p.Bis) {
            return &p;
        }
    }
    return nullptr;
}

Monatszahl ErsterBekannterMonat() {
    return Tabelle.front().Von;
}

Monatszahl LetzterBekannterMonat() {
    return Tabelle.back().Bis;
}

bool NachLetzterPeriode(int jahr, int monat) {
    return M(jahr, monat) > LetzterBekannterMonat();
}

int ErstesJahrAb2013() {
    return ErsterBekannterMonat() / 100;
}

int LetztesBekanntesJahr() {
    return LetzterBekannterMonat() / 100;
}

}  // namespace lohnwippe
