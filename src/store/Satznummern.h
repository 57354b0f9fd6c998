#pragma once

#include <cstddef>

#include "calc/Berichtsmonat.h"

namespace lohnwippe {

// Both data files are plain sequences of fixed-length records without a
// header; record n (counted from 1) starts at byte length × (n − 1).

inline constexpr const char* FalldateiName = "SV.dat";
inline constexpr const char* UmlagedateiName = "U12.dat";

inline constexpr std::size_t FallsatzLaenge = 204;
inline constexpr std::size_t UmlagesatzLaenge = 176;

// Case file: 600 case records (the lists reach only 1..480, the default
// contents fill the rest alike), then the three master records.
inline constexpr int AnzahlFallsaetze = 600;
inline constexpr int NamenSatz1 = 601;        // names of person cases 1..4
inline constexpr int NamenSatz2 = 602;        // names of person cases 5..8
inline constexpr int EinstellungsSatz = 603;  // cases 9, 10, payroll office, settings
inline constexpr int AnzahlSaetzeFalldatei = 603;

// Levy-rate file: one record per month of 2009 to 2012.
inline constexpr int AnzahlUmlagesaetze = 48;
inline constexpr int ErsterUmlagesatz2012 = 37;

inline constexpr int FaelleJeJahr = 120;  // ten person cases × twelve months

// Record numbers are 16-bit wherever the program stores them (`LetzterFall`),
// so no valid number lies above this. Checking it keeps a damaged settings
// record from sending a write gigabytes into the file.
inline constexpr int HoechsteSatzNr = 32767;

// jahrPos 0 = 2009 .. 3 = 2012, personPos 0..9, monatPos 0 = January .. 11.
constexpr int FallNr(int jahrPos, int personPos, int monatPos) {
    return jahrPos * FaelleJeJahr + personPos * MonateJeJahr + monatPos + 1;
}

// January of the person and year of case record `fallNr` (≥ 1).
constexpr int JanuarsatzNr(int fallNr) {
    return (fallNr - 1) / MonateJeJahr * MonateJeJahr + 1;
}

struct FallPosition {
    int JahrPos = 0;
    int PersonPos = 0;
    int MonatPos = 0;
    constexpr bool operator==(const FallPosition&) const = default;
};

// Inverse of FallNr for case records (fallNr ≥ 1).
constexpr FallPosition FallZerlegen(int fallNr) {
    const int jahrPos = (fallNr - 1) / FaelleJeJahr;
    return {jahrPos, (fallNr - 1 - FaelleJeJahr * jahrPos) / MonateJeJahr,
            (fallNr - 1) % MonateJeJahr};
}

constexpr int UmlageNr(int jahrPos, int monatPos) {
    return jahrPos * MonateJeJahr + monatPos + 1;
}

constexpr int FallNr(Berichtsmonat monat, int personPos) {
    return FallNr(monat.JahrPos(), personPos, monat.MonatPos());
}

constexpr int UmlageNr(Berichtsmonat monat) {
    return UmlageNr(monat.JahrPos(), monat.MonatPos());
}

}  // namespace lohnwippe
