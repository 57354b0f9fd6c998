#include "fall/Fallangaben.h"

namespace lohnwippe {

Schalter& Fallangaben::SchalterVon(Job job, Jobschalter schalter) {
    Jobangaben& j = Jobs[job];
    switch (schalter) {
        case Jobschalter::KV:
            return j.Zweige[KV];
        case Jobschalter::PV:
            return j.Zweige[PV];
        case Jobschalter::RV:
            return j.Zweige[RV];
        case Jobschalter::AV:
            return j.Zweige[AV];
        case Jobschalter::KG:
            return j.KG;
        case Jobschalter::U1:
            return j.Umlagen[U1];
        case Jobschalter::U2:
            return j.Umlagen[U2];
        case Jobschalter::U3:
            break;
    }
    return j.Umlagen[U3];
}

Schalter& Fallangaben::SchalterVon(Allgemeinschalter schalter) {
    switch (schalter) {
        case Allgemeinschalter::RVBefreiung:
            return RVVerzicht;
        case Allgemeinschalter::Sachsen:
            return Sachsen;
        case Allgemeinschalter::Kinderlos:
            break;
    }
    return Kinderlos;
}

Fallangaben AngabenAusSatz(const Fallsatz& satz) {
    Fallangaben a;
    for (const Job job : AlleJobs) {
        Jobangaben& j = a[job];
        j.Arbeitgeber = satz.Namen[job];
        j.Entgelt = satz.Entgelte[job];
        for (Zweig b : Zweige) {
            j.Zweige[b] = SchalterAusGespeichert(satz.Zweige[job][b]);
        }
        for (Umlageart u : Umlagearten) {
            j.Umlagen[u] = SchalterAusGespeichert(satz.Umlagen[job][u]);
        }
        j.KG = SchalterAusGespeichert(satz.Umlagen[job][KGStelle]);
    }
    a.RVVerzicht = SchalterAusGespeichert(satz.RVVerzicht);
    a.Sachsen = SchalterAusGespeichert(satz.SachsenWahl);
    a.Kinderlos = SchalterAusGespeichert(satz.KinderlosWahl);
    a.Teilmonat = Teilmonatsplatz::Gelesen(satz.TeilmonatPos);
    a.Kasse = Kassenplatz::Gelesen(satz.KassePos);
    return a;
}

Fallsatz SatzMitAngaben(Fallsatz satz, const Fallangaben& angaben) {
    for (const Job job : AlleJobs) {
        const Jobangaben& j = angaben[job];
        satz.Namen[job] = j.Arbeitgeber;
        satz.Entgelte[job] = j.Entgelt;
        for (Zweig b : Zweige) {
            satz.Zweige[job][b] = Gespeichert(j.Zweige[b]);
        }
        for (Umlageart u : Umlagearten) {
            satz.Umlagen[job][u] = Gespeichert(j.Umlagen[u]);
        }
        satz.Umlagen[job][KGStelle] = Gespeichert(j.KG);
    }
    satz.RVVerzicht = Gespeichert(angaben.RVVerzicht);
    satz.SachsenWahl = Gespeichert(angaben.Sachsen);
    satz.KinderlosWahl = Gespeichert(angaben.Kinderlos);
    satz.TeilmonatPos = static_cast<std::int16_t>(angaben.Teilmonat.Wert());
    satz.KassePos = static_cast<std::int16_t>(angaben.Kasse.Wert());
    return satz;
}

bool Unberuehrt(const Fallangaben& angaben) {
    for (const Job job : AlleJobs) {
        const Jobangaben& j = angaben[job];
        if (j.Entgelt != Waehrung() || j.KG != Schalter::An) {
            return false;
        }
        for (const Schalter s : j.Zweige) {
            if (s != Schalter::An) {
                return false;
            }
        }
        for (const Schalter s : j.Umlagen) {
            if (s != Schalter::An) {
                return false;
            }
        }
    }
    return angaben.RVVerzicht == Schalter::Aus && angaben.Sachsen == Schalter::Aus &&
           angaben.Kinderlos == Schalter::Aus;
}

}  // namespace lohnwippe
