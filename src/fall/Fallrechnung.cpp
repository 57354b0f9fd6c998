#include "fall/Fallrechnung.h"

#include "calc/Teilmonat.h"
#include "rates/Jahreswerte.h"

namespace lohnwippe {

int StartfallNr(int letzterFall) {
    return letzterFall >= 1 && letzterFall <= AnzahlFaelle ? letzterFall : FallNachAltemEnde;
}

int Listenposition(int position, int anzahl) {
    return position >= 0 && position < anzahl ? position : 0;
}

Fallsatz WieAngezeigt(Fallsatz satz) {
    const auto zeigen = [](std::int16_t& wert) {
        wert = Gespeichert(SchalterAusGespeichert(wert));
    };
    for (int job = ErsteSpalte; job <= LetzterJob; ++job) {
        for (std::int16_t& wert : satz.Zweige[job]) {
            zeigen(wert);
        }
        for (std::int16_t& wert : satz.Umlagen[job]) {
            zeigen(wert);
        }
    }
    zeigen(satz.RVVerzicht);
    zeigen(satz.SachsenWahl);
    zeigen(satz.KinderlosWahl);
    satz.TeilmonatPos =
        static_cast<std::int16_t>(Listenposition(satz.TeilmonatPos, AnzahlTeilmonate));
    satz.KassePos = static_cast<std::int16_t>(Listenposition(satz.KassePos, AnzahlKassen));
    return satz;
}

Kassenprozente KassenprozenteVon(const Umlagesatz& umlagen, int kasse) {
    // Thousandths of a percent: one unit is ten counts of 1/10000.
    const auto prozent = [&](const JeKasse& saetze) {
        return Waehrung::AusRoh(std::int64_t{saetze[static_cast<std::size_t>(kasse)]} * 10);
    };
    return {prozent(umlagen.U1Saetze), prozent(umlagen.U2Saetze), prozent(umlagen.U3Saetze)};
}

Eingaben EingabenAusFall(const Fallsatz& fall, const Umlagesatz& umlagen, Berichtsmonat monat) {
    Eingaben e;
    const auto kasse = static_cast<std::size_t>(Listenposition(fall.KassePos, AnzahlKassen));
    const std::int16_t kv = umlagen.KVSaetze[kasse];
    for (int job = ErsteSpalte; job <= LetzterJob; ++job) {
        e.Entgelt[job] = fall.Entgelte[job];
        for (Zweig b : Zweige) {
            e.Zweige[job][b] = SchalterAusGespeichert(fall.Zweige[job][b]);
        }
        for (Umlageart u : Umlagearten) {
            e.Umlagen[job][u] = SchalterAusGespeichert(fall.Umlagen[job][u]);
        }
        e.KG[job] = SchalterAusGespeichert(fall.Umlagen[job][KGStelle]);
        e.KVSatz[job] = KVSatzAbleiten(kv, e.KG[job]);
    }
    e.KVSatz[SummenSpalte] = KVSatzAbleiten(kv, Schalter::An);
    e.RVVerzicht = NichtAus(SchalterAusGespeichert(fall.RVVerzicht));
    e.Sachsen = NichtAus(SchalterAusGespeichert(fall.SachsenWahl));
    e.Kinderlos = SchalterAusGespeichert(fall.KinderlosWahl);
    // The position is always in the list here, so there always is a factor.
    e.Teilmonatsfaktor =
        Teilmonatsfaktor(Listenposition(fall.TeilmonatPos, AnzahlTeilmonate)).value_or(Waehrung());
    JahreswerteUebernehmen(monat.JahrPos(), e);
    e.Umlagesatz = {umlagen.U1Saetze[kasse], umlagen.U2Saetze[kasse], umlagen.U3Saetze[kasse]};
    e.Monat = monat;
    return e;
}

std::string Monatskuerzel(int monat) {
    static const char* const kuerzel[] = {"JAN", "FEB", "MRZ", "APR", "MAI", "JUN",
                                          "JUL", "AUG", "SEP", "OKT", "NOV", "DEZ"};
    return monat >= 1 && monat <= MonateJeJahr ? kuerzel[monat - 1] : "";
}

std::string Jahrestext(int jahr) {
    return std::to_string(jahr);
}

}  // namespace lohnwippe
