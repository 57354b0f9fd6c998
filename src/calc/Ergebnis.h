#pragma once

#include "calc/Eingaben.h"

namespace lohnwippe {

template <typename T>
using JeZweig = std::array<T, AnzahlZweige>;

// Results of one run, for the employment columns 1 to 4 and the total 5.
// Beside each line: the rows of the result table that show it.
struct Ergebnis {
    JeSpalte<JeZweig<Waehrung>> AE{};                        // rows 1-4
    JeSpalte<JeZweig<Waehrung>> AEGekuerzt{};                // rows 6-9
    JeSpalte<JeZweig<Waehrung>> Gesamtbeitrag{};             // rows 11-14
    JeSpalte<Waehrung> GesamtSumme{};                        // row 15
    JeSpalte<JeZweig<Waehrung>> Arbeitgeberanteil{};         // rows 17-20
    JeSpalte<Waehrung> AGSumme{};                            // row 21
    JeSpalte<std::array<Waehrung, AnzahlUmlagen>> Umlage{};  // rows 22-24
    JeSpalte<Waehrung> AGAufwand{};                          // row 25
    JeSpalte<JeZweig<Waehrung>> Arbeitnehmeranteil{};        // rows 27-30
    JeSpalte<Waehrung> Zusatzbeitrag{};                      // row 31, four decimals
    JeSpalte<Waehrung> ANSumme{};                            // row 32
    JeSpalte<Waehrung> ANNetto{};                            // row 33
    JeSpalte<Waehrung> ANErsparnis{};                        // row 34

    Waehrung EntgeltSumme{};
    JeSpalte<Waehrung> ZusatzErsparnis{};

    // 0.009, or 0.0115 for a childless employee.
    double Zusatzsatz = 0;
    // The pension base of the total lies outside 399 < AE < 801.
    bool WarnungSichtbar = false;
};

// The sliding-zone calculation. Pure apart from one thing: a partial-month
// factor below 1 is written back into `eingaben` as 1. Throws
// std::overflow_error only for amounts that no input of the window can
// produce, such as the remunerations of a damaged data file.
Ergebnis Berechnen(Eingaben& eingaben);

}  // namespace lohnwippe
