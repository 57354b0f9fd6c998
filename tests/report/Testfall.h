#pragma once

#include <string>

#include "calc/Formate.h"
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
    Eingaben e{.PVSatz = W(1.95),
               .RVSatz = W(19.6),
               .AVSatz = W(3),
               .FaktorF = W(0.7491),
               .U1Satz = 2100,
               .U2Satz = 370,
               .U3Satz = 40,
               .KVGrundsatz = 1550,
               .JahrPos = 3};
    for (int j = ErsteSpalte; j <= LetzterJob; ++j) {
        e.KV[j] = e.PV[j] = e.RV[j] = e.AV[j] = e.KG[j] = e.U1[j] = e.U2[j] = e.U3[j] = 1;
        e.KVSatz[j] = KVSatzAbleiten(e.KVGrundsatz, e.KG[j]);
    }
    e.KVSatz[SummenSpalte] = KVSatzAbleiten(e.KVGrundsatz, 1);
    e.Entgelt[1] = W(entgelt1);
    e.Entgelt[2] = W(entgelt2);
    return e;
}

// The window's snapshot of `e` for the partial month at list position
// `teilmonat`, calculated as the window would have it.
inline Berichtsdaten Beispielbericht(Eingaben e = Beispieleingaben(), int teilmonat = 0) {
    e.Teilmonatsfaktor = Teilmonatsfaktor(teilmonat).value();
    const Ergebnis resultat = Berechnen(e);
    // The result table names a partial month's factor in three captions.
    const std::string faktor = "Teilmonatsfaktor (" + FormatZahl(e.Teilmonatsfaktor) + ")";
    const std::string mal = teilmonat == 0 ? "" : " * " + faktor;
    const std::string durch = teilmonat == 0 ? "" : " / " + faktor;
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
            .RVVerzichtImSatz = e.RVVerzicht,
            .KinderlosImSatz = e.Kinderlos,
            .RVBefreiungAngehakt = e.RVVerzicht == 1,
            .Eingabe = e,
            .Resultat = resultat,
            .U1Prozent = W(2.1),
            .U2Prozent = W(0.37),
            .U3Prozent = W(0.04),
            .Abschnitte = {"1. Beitragspflichtiges Arbeitsentgelt (AE)" + mal,
                           "3. Gesamtbeitrag je SV-Zweig aus 2." + durch,
                           "4. Arbeitgeberanteil aus 1." + durch}};
}

}  // namespace lohnwippe::test
