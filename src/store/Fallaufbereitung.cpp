#include "store/Fallaufbereitung.h"

#include "calc/Teilmonat.h"

namespace lohnwippe {

int StartfallNr(const Fallsatz& einstellungen) {
    const int fallNr = einstellungen.LetzterFall;
    return fallNr >= 1 && fallNr <= AnzahlFaelle ? fallNr : FallNachAltemEnde;
}

int Listenposition(int position, int anzahl) {
    return position >= 0 && position < anzahl ? position : 0;
}

std::int16_t Schalterzustand(int gespeichert) {
    if (gespeichert == 1 || gespeichert == 2) {
        return static_cast<std::int16_t>(gespeichert);
    }
    return 0;
}

void FallUebernehmen(const Fallsatz& satz, Eingaben& eingaben) {
    for (int job = ErsteSpalte; job <= LetzterJob; ++job) {
        eingaben.Entgelt[job] = satz.Entgelte[job];
        for (Zweig b : {KV, PV, RV, AV}) {
            eingaben.Zweigschalter(job, b) = Schalterzustand(satz.Zweige[job][b]);
        }
        for (Umlageart u : {U1, U2, U3}) {
            eingaben.Umlageschalter(job, u) = Schalterzustand(satz.Umlagen[job][u]);
        }
        eingaben.KG[job] = Schalterzustand(satz.Umlagen[job][KGStelle]);
    }
    eingaben.RVVerzicht = Schalterzustand(satz.RVVerzicht) != 0 ? 1 : 0;
    eingaben.Sachsen = Schalterzustand(satz.SachsenWahl) != 0 ? 1 : 0;
    eingaben.Kinderlos = Schalterzustand(satz.KinderlosWahl);
    // The position is always in the list here, so there always is a factor.
    if (const auto faktor = Teilmonatsfaktor(Listenposition(satz.TeilmonatPos, AnzahlTeilmonate))) {
        eingaben.Teilmonatsfaktor = *faktor;
    }
}

Kassenprozente KassenwerteUebernehmen(const Umlagesatz& umlagen, int kasse, Eingaben& eingaben) {
    const std::int16_t kv = umlagen.KVSaetze[static_cast<std::size_t>(kasse)];
    for (int job = ErsteSpalte; job <= LetzterJob; ++job) {
        eingaben.KVSatz[job] = KVSatzAbleiten(kv, eingaben.KG[job]);
    }
    eingaben.KVSatz[SummenSpalte] = KVSatzAbleiten(kv, 1);
    // Thousandths of a percent: one unit is ten counts of 1/10000.
    const auto prozent = [&](const JeKasse& saetze) {
        return Waehrung::AusRoh(std::int64_t{saetze[static_cast<std::size_t>(kasse)]} * 10);
    };
    return {prozent(umlagen.U1Saetze), prozent(umlagen.U2Saetze), prozent(umlagen.U3Saetze)};
}

void Berechnungsrahmen(const Umlagesatz& umlagen, int kasse, int jahrPos, int monatPos, int fallNr,
                       Eingaben& eingaben) {
    const auto k = static_cast<std::size_t>(kasse);
    eingaben.U1Satz = umlagen.U1Saetze[k];
    eingaben.U2Satz = umlagen.U2Saetze[k];
    eingaben.U3Satz = umlagen.U3Saetze[k];
    eingaben.JahrPos = jahrPos;
    eingaben.MonatPos = monatPos;
    eingaben.FallNr = static_cast<std::int16_t>(fallNr);
}

}  // namespace lohnwippe
