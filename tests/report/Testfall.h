#pragma once

#include <string>

#include "Bericht.h"
#include "Ergebnis.h"

namespace lohnwippe {

inline Waehrung W(double wert) {
    return Waehrung::AusDoubleHalbGerade(wert);
}

inline const std::string Abschnitt0 = "1. Beitragspflichtiges Arbeitsentgelt (AE)";
inline const std::string Abschnitt10 = "3. Gesamtbeitrag je SV-Zweig aus 2.";
inline const std::string Abschnitt16 = "4. Arbeitgeberanteil aus 1.";

// January 2012, fund rate 14.6 %, everything switched on. The first column
// has no sick pay (KV 14.0 %), so the footer's KV rate shows which column it
// is read from. The levies have different rates so that rows 22 to 24 differ.
inline Eingaben Grundeingaben(double entgelt1 = 600, double entgelt2 = 150) {
    Eingaben e;
    e.PVSatz = W(1.95);
    e.RVSatz = W(19.6);
    e.AVSatz = W(3);
    e.FaktorF = W(0.7491);
    e.Teilmonatsfaktor = W(1);
    e.U1Satz = 2100;
    e.U2Satz = 370;
    e.U3Satz = 40;
    e.KVGrundsatz = 1460;
    e.JahrPos = 3;
    for (int j = 1; j <= 4; ++j) {
        e.KV[j] = e.PV[j] = e.RV[j] = e.AV[j] = 1;
        e.U1[j] = e.U2[j] = e.U3[j] = 1;
        e.KG[j] = j == 1 ? 0 : 1;
        e.KVSatz[j] = KVSatzAbleiten(e.KVGrundsatz, e.KG[j]);
    }
    e.KVSatz[5] = W(14.6);
    e.Entgelt[1] = W(entgelt1);
    e.Entgelt[2] = W(entgelt2);
    return e;
}

// The window's snapshot for `e`, calculated as the window would have it.
inline Berichtsdaten Daten(Eingaben e) {
    Berichtsdaten d;
    d.Abrechnungsstelle1 = "Lohnbüro Sonnberg   ";
    d.Abrechnungsstelle2 = "Am Markt 3          ";
    d.Tag = 5;
    d.Monat = 12;
    d.Jahr = 2012;
    d.Person = "Erika Beispiel";
    d.MonatText = "JAN";
    d.JahrText = "2012";
    d.Arbeitgeber = {"", "Baeckerei Korn", "Gasthof Linde", "Kiosk Eck", "Reinigung Blank"};
    d.Kasse = "AOK Musterland";
    d.TeilmonatText = "für vollen Monat";
    d.Resultat = Berechnen(e);
    d.Eingabe = e;
    d.RVVerzichtImSatz = e.RVVerzicht;
    d.KinderlosImSatz = e.Kinderlos;
    d.RVBefreiungAngehakt = e.RVVerzicht == 1;
    d.U1Prozent = W(2.1);
    d.U2Prozent = W(0.37);
    d.U3Prozent = W(0.04);
    d.Abschnitte = {Abschnitt0, Abschnitt10, Abschnitt16};
    return d;
}

inline Berichtsdaten Daten() {
    return Daten(Grundeingaben());
}

}  // namespace lohnwippe
