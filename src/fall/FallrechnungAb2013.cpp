#include "fall/FallrechnungAb2013.h"

#include "calc/Zeichen.h"

namespace lohnwippe {

bool IstDurchschnitt(const Kasseneintrag& kasse) {
    return Getrimmt(kasse.Name) == "Durchschnitt";
}

int SVTage(int teilmonat) {
    constexpr int Wochen = 4;  // positions 1 .. 4 of the list are weeks, then days
    if (teilmonat == 0) {
        return 30;
    }
    return teilmonat <= Wochen ? 7 * teilmonat : teilmonat - Wochen;
}

EingabenAb2013 EingabenAusFallAb2013(const Fallangaben& fall, int jahr, int monat,
                                     const Kassensaetze& kasse, int kinder) {
    EingabenAb2013 e;
    e.Jahr = jahr;
    e.Monat = monat;
    e.Tage = SVTage(fall.Teilmonat.Wert());
    e.Anzahl = 1;
    for (const Job job : AlleJobs) {
        const Jobangaben& j = fall[job];
        if (j.Entgelt != Waehrung()) {
            e.Anzahl = job.Nr();
        }
        Beschaeftigung& b = e.Job[job];
        b.Entgelt = j.Entgelt;
        for (const Zweig z : Zweige) {
            b.Zweig[z] = Ein(j.Zweige[z]);
        }
        b.OhneKrankengeld = !Ein(j.KG);
        for (const Umlageart u : Umlagearten) {
            b.Umlage[u] = Ein(j.Umlagen[u]);
        }
    }
    e.Zusatzbeitrag = kasse.Zusatzbeitrag;
    e.U1Satz = kasse.U1;
    e.U2Satz = kasse.U2;
    e.Kinderlos = Ein(fall.Kinderlos);
    e.Kinder = kinder;
    e.Sachsen = NichtAus(fall.Sachsen);
    e.Verzicht = NichtAus(fall.RVVerzicht);
    return e;
}

}  // namespace lohnwippe
