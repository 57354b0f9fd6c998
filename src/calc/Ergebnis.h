#pragma once

#include "calc/Eingaben.h"

namespace lohnwippe {

// Results of one run, for the employment columns 1 to 4 and the total 5.
// Beside each line: the rows of the result table that show it.
struct Ergebnis {
    JeSpalte<JeZweig<Waehrung>> AE{};                  // rows 1-4
    JeSpalte<JeZweig<Waehrung>> AEGekuerzt{};          // rows 6-9
    JeSpalte<JeZweig<Waehrung>> Gesamtbeitrag{};       // rows 11-14
    JeSpalte<Waehrung> GesamtSumme{};                  // row 15
    JeSpalte<JeZweig<Waehrung>> Arbeitgeberanteil{};   // rows 17-20
    JeSpalte<Waehrung> AGSumme{};                      // row 21
    JeSpalte<JeUmlage<Waehrung>> Umlage{};             // rows 22-24
    JeSpalte<Waehrung> AGAufwand{};                    // row 25
    JeSpalte<JeZweig<Waehrung>> Arbeitnehmeranteil{};  // rows 27-30
    JeSpalte<Waehrung> Zusatzbeitrag{};                // row 31, four decimals
    JeSpalte<Waehrung> ANSumme{};                      // row 32
    JeSpalte<Waehrung> ANNetto{};                      // row 33
    JeSpalte<Waehrung> ANErsparnis{};                  // row 34

    Waehrung EntgeltSumme{};
    JeSpalte<Waehrung> ZusatzErsparnis{};

    // The partial-month factor the run used: that of the inputs, or 1 for
    // one below 1 (none chosen yet).
    Waehrung Teilmonatsfaktor{};
    // 0.009, or 0.0115 for a childless employee.
    double Zusatzsatz = 0;
    // The pension base of the total lies outside 399 < AE < 801.
    bool WarnungSichtbar = false;
};

// The sliding-zone calculation. Throws std::overflow_error only for amounts
// that no input of the window can produce, such as the remunerations of a
// damaged data file (see HoechstesEntgelt).
Ergebnis Berechnen(const Eingaben& eingaben);

// The largest remuneration the program takes: four of them at the largest
// partial-month factor, with any rates a levy record can hold, still
// calculate.
inline const Waehrung HoechstesEntgelt = Waehrung::AusRoh(999'999'999'900);

}  // namespace lohnwippe
