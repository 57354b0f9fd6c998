#pragma once

// The sliding-zone calculation for the months from 2013-01 on (the law of
// the Übergangsbereich). The months 2009-2012 keep their own calculation
// (Berechnen, Ergebnis.h); nothing here is used for them.
//
// Money is Waehrung holding whole cents (raw counts are multiples of 100),
// rates are Satz (thousandths of a percent). Every intermediate value is an
// exact fraction of 128-bit integers; the only rounding is to whole cents,
// half up, where the law rounds.
//
// Figures of a result and the calculator's columns (j = employment 1..4 or
// "Summe" for Spalte[SummenSpalte], the sum of the employment columns;
// b = KV PV RV AV; a branch's bases are the same for every branch with the
// same employments switched on, so a sheet may show one of them):
//   Spalte[j].AE                        AE_j
//   Zweig[b].Status                     Status_<b> (ZonenstatusText)
//   Zweig[b].GAE                        the pay the branch's zone is judged on
//   Zweig[b].BEMonat / BEZeitraum       BE_Monat_<b>, BE_Zeitraum_<b>
//   Zweig[b].BEANMonat / BEANZeitraum   BE_AN_Monat_<b>, BE_AN_Zeitraum_<b>
//   Spalte[j].BE[b] / BEAN[b]           BE_<b>_j, BE_AN_<b>_j
//   Spalte[j].Linie[l].Gesamt/AG/AN     <l>_j, <l>_AG_j, <l>_AN_j (l = KV ZB PV RV AV)
//   Spalte[j].KVNurAN                   the 0.9 part of 2013-14 (inside KV)
//   Spalte[j].PVZuschlag                childless surcharge (inside PV)
//   Spalte[j].PVAbschlag                child abatement (PV is reduced by it)
//   Spalte[j].Umlage[u]                 U1_j, U2_j, U3_j
//   Spalte[j].Umlagen                   U1 + U2 + U3
//   Spalte[j].Summe.Gesamt/AG/AN        sum of the lines
//   Spalte[j].AGAufwand                 AE + sum AG + levies
//   Spalte[j].Netto                     AE - sum AN
//   Hinweise                            Warnung (R10 texts, one per entry)
// nullopt marks a figure that does not exist for that period, branch or
// status; the caller shows it as an empty cell, never as 0. A branch
// switched off for an employment has no BE but lines of 0.00.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/Eingaben.h"
#include "calc/Perioden.h"
#include "calc/Satz.h"
#include "calc/Waehrung.h"

namespace lohnwippe {

// The contribution lines: the Zusatzbeitrag is a line of its own that
// belongs to the branch KV.
enum Linie : int { LKV = 0, LZB = 1, LPV = 2, LRV = 3, LAV = 4 };
inline constexpr int AnzahlLinien = 5;
template <typename T>
using JeLinie = std::array<T, AnzahlLinien>;
constexpr Zweig ZweigDerLinie(Linie l) {
    constexpr std::array<Zweig, AnzahlLinien> zweig{KV, KV, PV, RV, AV};
    return zweig[static_cast<std::size_t>(l)];
}

struct Beschaeftigung {
    Waehrung Entgelt;  // AE of the days entered, whole cents
    JeZweig<bool> Zweig{true, true, true, true};
    bool OhneKrankengeld = false;  // reduced KV rate
    JeUmlage<bool> Umlage{true, true, true};
};

struct EingabenAb2013 {
    int Jahr = 2026;
    int Monat = 1;
    int Tage = 30;   // SV days, 30 = full month
    int Anzahl = 1;  // employments 1..4 in Job[1..Anzahl]; Job[0] is never read
    JeJob<Beschaeftigung> Job{};
    std::optional<Satz> Zusatzbeitrag;  // the fund's; nullopt = the year's average
    Satz U1Satz{};
    Satz U2Satz{};
    bool Kinderlos = false;
    int Kinder = 0;  // children under 25
    bool Sachsen = false;
    bool Verzicht = false;  // RV waiver, until 2019-06
};

// Zone status of a branch, judged on the monthly equivalent of the pay of
// all employments switched on for it.
enum class Zonenstatus : std::int8_t {
    Keiner,       // no pay in the branch
    Unter,        // at or below G: normal contributions
    Ueber,        // above O: normal contributions
    Zone,         // in the zone: reduced bases
    ZoneVerzicht  // RV in the zone with the waiver: normal contributions
};

// Short German word of a status, as the calculator's Status_ columns print
// it: "keiner", "unter", "über", "Zone", "Verzicht".
std::string_view ZonenstatusText(Zonenstatus status);

struct ZweigAb2013 {
    Zonenstatus Status = Zonenstatus::Keiner;
    Waehrung GAE;  // pay of the employments in the branch
    // Only in the zone; the BE_AN values only from 2022-10. For a full
    // month BEZeitraum equals BEMonat.
    std::optional<Waehrung> BEMonat, BEZeitraum, BEANMonat, BEANZeitraum;
};

struct Beitrag {
    Waehrung Gesamt, AG, AN;
};

struct SpalteAb2013 {
    Waehrung AE;
    JeZweig<std::optional<Waehrung>> BE{};    // nullopt: branch off for the employment
    JeZweig<std::optional<Waehrung>> BEAN{};  // only in the zone from 2022-10
    JeLinie<std::optional<Beitrag>> Linie{};  // ZB nullopt in 2013-14
    std::optional<Waehrung> KVNurAN;          // 2013-14 only
    Waehrung PVZuschlag;
    std::optional<Waehrung> PVAbschlag;  // from 2023-07 only
    JeUmlage<Waehrung> Umlage{};
    Waehrung Umlagen;
    Beitrag Summe;
    Waehrung AGAufwand;
    Waehrung Netto;
};

struct ErgebnisAb2013 {
    const Periode* Parameter = nullptr;
    std::optional<Satz> Zusatzbeitrag;  // the rate used; nullopt in 2013-14
    Satz Kinderabschlag;                // the abatement rate used (0 if none)
    int Anzahl = 0;                     // employment columns 1..Anzahl are filled
    JeZweig<ZweigAb2013> Zweig{};
    JeSpalte<SpalteAb2013> Spalte{};    // 1..Anzahl and SummenSpalte
    std::vector<std::string> Hinweise;  // warnings and notices (R10), German
};

// A result, or the German reason why there is none.
struct RechnungAb2013 {
    std::optional<ErgebnisAb2013> Ergebnis;
    std::string Meldung;
};

// The calculation of one month from 2013-01 on.
RechnungAb2013 BerechnenAb2013(const EingabenAb2013& eingaben);

// The steps, in order; each fills its part of `e`.
// R1: the period, or why the inputs give no result.
std::optional<std::string> EingabenPruefen(const EingabenAb2013& eingaben);
// R2/R3: GAE and zone status per branch.
void ZweigeEinstufen(const EingabenAb2013& eingaben, ErgebnisAb2013& e);
// R4/R5: BE (and BE_AN) per branch and employment.
void BasenRechnen(const EingabenAb2013& eingaben, ErgebnisAb2013& e);
// R6: the contribution lines.
void BeitraegeRechnen(const EingabenAb2013& eingaben, ErgebnisAb2013& e);
// R7: the employee-only parts: 0.9, ZB 2015-18, surcharge, abatement.
void ArbeitnehmerteileRechnen(const EingabenAb2013& eingaben, ErgebnisAb2013& e);
// R8: the levies.
void UmlagenRechnen(const EingabenAb2013& eingaben, ErgebnisAb2013& e);
// R9: sums per employment and the total column.
void SummenBilden(ErgebnisAb2013& e);
// R10: the warnings and notices.
void HinweiseSammeln(const EingabenAb2013& eingaben, ErgebnisAb2013& e);

// The child abatement rate of a period: 0.25 points per child from the
// second to the fifth, none for the childless or before 2023-07.
Satz KinderabschlagSatz(const Periode& p, bool kinderlos, int kinder);

// Money and rates: round half up to whole cents of `basis` times `satz`
// percent divided by `teiler` (2 for the half rate). Used by every line.
Waehrung CentAnteil(Waehrung basis, Satz satz, int teiler);

}  // namespace lohnwippe
