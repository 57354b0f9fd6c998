#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "calc/Satz.h"
#include "calc/Waehrung.h"

namespace lohnwippe {

// A contribution month from 2013 on as one number, year · 100 + month
// (201301 = January 2013), so that periods compare as plain integers.
using Monatszahl = int;
constexpr Monatszahl MonatszahlAus(int jahr, int monat) {
    return jahr * 100 + monat;
}

// Who bears the contribution of the sliding zone's reduced base:
// to 2022-09 the employer's share comes from the pay and the employee pays
// the rest; from 2022-10 the employee's share comes from its own base BE_AN
// and the employer pays the rest.
enum class Teilung : std::int8_t { AGausAE, ANausBEAN };

// How the fund's Zusatzbeitrag is borne: not a payroll item (2013-14),
// by the employee alone (2015-18), half and half (from 2019).
enum class ZBTragung : std::int8_t { Keiner, NurAN, Haelftig };

// Everything of the law that changes from one period to the next. Amounts
// in Euro (cents of Waehrung), F as a factor with four decimals, rates in
// percent. A rate the period does not have is nullopt.
struct Periode {
    Monatszahl Von;
    Monatszahl Bis;
    Waehrung G;  // Geringfügigkeitsgrenze: the zone starts one cent above
    Waehrung O;  // upper limit of the zone
    std::int64_t F10000;
    int C;  // percent of G the total contribution at G amounts to: F = C / GSV
    Teilung Aufteilung;
    Satz KV;                      // parity part, general rate
    Satz KVErmaessigt;            // parity part without sick pay
    std::optional<Satz> KVNurAN;  // 0.9 borne by the employee alone (2013-14)
    ZBTragung ZB;
    std::optional<Satz> ZBDurchschnitt;  // taken when the fund gives no rate
    Satz PV;
    Satz PVSachsenAG;                    // employer's PV rate in Saxony (outside the zone)
    Satz Kinderlos;                      // childless surcharge, employee only
    std::optional<Satz> Kinderabschlag;  // per child from the 2nd to the 5th
    Satz RV;
    Satz AV;
    Satz U3;
    bool VerzichtMoeglich;  // RV waiver of the reduced base
};

// All periods in order, without gaps, from 2013-01 on.
std::span<const Periode> Perioden();

// The period of a month; nullptr before the first or after the last period
// and for a month outside 1..12.
const Periode* PeriodeZu(int jahr, int monat);

// First and last month the table knows.
Monatszahl ErsterBekannterMonat();
Monatszahl LetzterBekannterMonat();

// The month lies after the last known period: its figures are not yet known.
bool NachLetzterPeriode(int jahr, int monat);

// The calendar years the table covers, first and last, for year lists.
int ErstesJahrAb2013();
int LetztesBekanntesJahr();

}  // namespace lohnwippe
