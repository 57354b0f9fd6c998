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
    Berichtsdaten d;
    d.Abrechnungsstelle1 = "Lohnbüro Muster     ";
    d.Abrechnungsstelle2 = "Beispielstadt       ";
    d.Tag = 5;
    d.Monat = 12;
    d.Jahr = 2012;
    d.Person = "Personalfall 1";
    d.MonatText = "JAN";
    d.JahrText = "2012";
    d.Arbeitgeber = {"", "Firma A", "Firma B", "Firma C", "Firma D"};
    d.Kasse = "AOK";
    d.TeilmonatText = TeilmonatText(teilmonat);
    d.RVVerzichtImSatz = static_cast<std::int16_t>(e.RVVerzicht);
    d.KinderlosImSatz = Gespeichert(e.Kinderlos);
    d.RVBefreiungAngehakt = e.RVVerzicht;
    d.Eingabe = e;
    d.Resultat = Berechnen(e);
    d.U1Prozent = W(2.1);
    d.U2Prozent = W(0.37);
    d.U3Prozent = W(0.04);
    return d;
}

}  // namespace lohnwippe::test
