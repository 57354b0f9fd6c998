#pragma once

#include <array>
#include <cstdint>

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
enum Umlageart : int { U1 = 0, U2 = 1, U3 = 2 };
inline constexpr int AnzahlUmlagen = 3;

// Everything the calculation reads. Check-box states are kept as they are
// (0, 1 or 2); a per-employment switch counts only when it is exactly 1.
struct Eingaben {
    JeJob<Waehrung> Entgelt{};
    JeJob<std::int16_t> KV{}, PV{}, RV{}, AV{};
    JeJob<std::int16_t> U1{}, U2{}, U3{};
    JeJob<std::int16_t> KG{};
    // Percent; column 5 holds the fund's general rate for the report.
    JeSpalte<Waehrung> KVSatz{};

    Waehrung PVSatz{}, RVSatz{}, AVSatz{};
    Waehrung FaktorF{};
    // 0 until a partial month has been chosen; the calculation treats
    // anything below 1 as 1 and writes that back.
    Waehrung Teilmonatsfaktor{};

    std::int16_t RVVerzicht = 0;
    std::int16_t Sachsen = 0;
    std::int16_t Kinderlos = 0;

    // Levy rates in thousandths of a percent, general KV rate in hundredths.
    std::int16_t U1Satz = 0, U2Satz = 0, U3Satz = 0;
    std::int16_t KVGrundsatz = 0;

    int JahrPos = 0;   // 0 = 2009 .. 3 = 2012
    int MonatPos = 0;  // 0 = January .. 11 = December
    std::int16_t FallNr = 0;

    // State of the branch switch `zweig` of employment `job`.
    std::int16_t Zweigschalter(int job, Zweig zweig) const;
    std::int16_t& Zweigschalter(int job, Zweig zweig);
    std::int16_t Umlageschalter(int job, Umlageart umlage) const;
    std::int16_t& Umlageschalter(int job, Umlageart umlage);
};

// KV rate of one employment in percent: the fund's general rate, less 0.6
// points without entitlement to sick pay (`kg` not exactly 1).
Waehrung KVSatzAbleiten(std::int16_t kvGrundsatz, std::int16_t kg);

// Rate of the employer's PV share in Saxony, by year and month position.
double SachsenSatz(int jahrPos, int monatPos);

}  // namespace lohnwippe
