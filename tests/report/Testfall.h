#pragma once

#include <string>

#include "calc/Teilmonat.h"
#include "report/Bericht.h"

namespace lohnwippe::test {

inline Waehrung W(double wert) {
    return Waehrung::AusDoubleHalbGerade(wert);
}

// The example case of the report, its print output and its benchmarks:
// January 2012 with that year's rates, `entgelt1` in the main employment and
// `entgelt2` in the first mini-job, every switch on, a fund rate of 15.5 %
// and three levies of different rates.
inline Eingaben Beispieleingaben(double entgelt1 = 600, double entgelt2 = 0) {
    Eingaben e{.Jahressatz = {Waehrung(), W(1.95), W(19.6), W(3)},
               .FaktorF = W(0.7491),
               .Umlagesatz = {2100, 370, 40},
               .Monat = {2012, 1}};
    for (int j = ErsteSpalte; j <= LetzterJob; ++j) {
        e.Zweige[j].fill(Schalter::An);
        e.Umlagen[j].fill(Schalter::An);
        e.KG[j] = Schalter::An;
        e.KVSatz[j] = KVSatzAbleiten(1550, e.KG[j]);
    }
    e.KVSatz[SummenSpalte] = KVSatzAbleiten(1550, Schalter::An);
    e.Entgelt[1] = W(entgelt1);
    e.Entgelt[2] = W(entgelt2);
    return e;
}

// The window's snapshot of `e` for the partial month at list position
// `teilmonat`, calculated as the window would have it.
inline Berichtsdaten Beispielbericht(Eingaben e = Beispieleingaben(), int teilmonat = 0) {
    e.Teilmonatsfaktor = Teilmonatsfaktor(teilmonat).value();
    return {.Abrechnungsstelle1 = "Lohnbüro Muster     ",
            .Abrechnungsstelle2 = "Beispielstadt       ",
            .Tag = 5,
            .Monat = 12,
            .Jahr = 2012,
            .Person = "Personalfall 1",
            .MonatText = "JAN",
            .JahrText = "2012",
            .Arbeitgeber = {"", "Firma A", "Firma B", "Firma C", "Firma D"},
            .Kasse = "AOK",
            .TeilmonatText = TeilmonatText(teilmonat),
            .RVVerzichtImSatz = static_cast<std::int16_t>(e.RVVerzicht),
            .KinderlosImSatz = Gespeichert(e.Kinderlos),
            .RVBefreiungAngehakt = e.RVVerzicht,
            .Eingabe = e,
            .Resultat = Berechnen(e),
            .U1Prozent = W(2.1),
            .U2Prozent = W(0.37),
            .U3Prozent = W(0.04)};
}

}  // namespace lohnwippe::test
