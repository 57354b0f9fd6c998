#pragma once

#include <array>
#include <cstdint>

#include "calc/Berichtsmonat.h"
#include "calc/Schalter.h"
#include "calc/Waehrung.h"

namespace lohnwippe {

// Employment columns are numbered as in the window: 1 = main employment,
// 2 to 4 = first to third mini-job, 5 = their total. Arrays are indexed by
// that number directly; element 0 is never used.
inline constexpr int ErsteSpalte = 1;
inline constexpr int LetzterJob = 4;
inline constexpr int SummenSpalte = 5;

template <typename T>
using JeJob = std::array<T, LetzterJob + 1>;
template <typename T>
using JeSpalte = std::array<T, SummenSpalte + 1>;

// Insurance branches and levies, in the order of the result table.
enum Zweig : int { KV = 0, PV = 1, RV = 2, AV = 3 };
inline constexpr int AnzahlZweige = 4;
inline constexpr std::array<Zweig, AnzahlZweige> Zweige{KV, PV, RV, AV};
enum Umlageart : int { U1 = 0, U2 = 1, U3 = 2 };
inline constexpr int AnzahlUmlagen = 3;
inline constexpr std::array<Umlageart, AnzahlUmlagen> Umlagearten{U1, U2, U3};

template <typename T>
using JeZweig = std::array<T, AnzahlZweige>;
template <typename T>
using JeUmlage = std::array<T, AnzahlUmlagen>;

// Everything the calculation reads.
struct Eingaben {
    JeJob<Waehrung> Entgelt{};
    JeJob<JeZweig<Schalter>> Zweige{};
    JeJob<JeUmlage<Schalter>> Umlagen{};
    JeJob<Schalter> KG{};
    // Percent; column 5 holds the fund's general rate for the report.
    JeSpalte<Waehrung> KVSatz{};

    // PV, RV and AV rates of the year in percent. KV has no year rate: it
    // is the fund's, per employment, in KVSatz.
    JeZweig<Waehrung> Jahressatz{};
    Waehrung FaktorF{};
    // 0 until a partial month has been chosen; the calculation treats
    // anything below 1 as 1.
    Waehrung Teilmonatsfaktor{};

    bool RVVerzicht = false;
    bool Sachsen = false;
    Schalter Kinderlos = Schalter::Aus;

    // Levy rates of the chosen fund in thousandths of a percent.
    JeUmlage<std::int16_t> Umlagesatz{};

    // The month decides the Saxony rate.
    Berichtsmonat Monat{};

    // Rate of branch `zweig` for employment `job` in percent.
    Waehrung Satz(int job, Zweig zweig) const {
        return zweig == KV ? KVSatz[static_cast<std::size_t>(job)]
                           : Jahressatz[static_cast<std::size_t>(zweig)];
    }
};

// KV rate of one employment in percent: the fund's general rate (hundredths
// of a percent), less 0.6 points without entitlement to sick pay.
Waehrung KVSatzAbleiten(std::int16_t kvGrundsatz, Schalter kg);

// Rate of the employer's PV share in Saxony.
double SachsenSatz(Berichtsmonat monat);

}  // namespace lohnwippe
