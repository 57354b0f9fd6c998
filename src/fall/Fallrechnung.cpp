#include "fall/Fallrechnung.h"

#include "rates/Jahreswerte.h"

namespace lohnwippe {

int StartfallNr(int letzterFall) {
    return letzterFall >= 1 && letzterFall <= AnzahlFaelle ? letzterFall : FallNachAltemEnde;
}

Kassenprozente KassenprozenteVon(const Umlagesatz& umlagen, Kassenplatz kasse) {
    const auto prozent = [&](Umlageart u) {
        return UmlageVon(umlagen, static_cast<std::size_t>(kasse.Wert()), u).Prozent();
    };
    return {prozent(U1), prozent(U2), prozent(U3)};
}

Eingaben EingabenAusFall(const Fallangaben& fall, const Umlagesatz& umlagen, Berichtsmonat monat) {
    Eingaben e;
    const auto kasse = static_cast<std::size_t>(fall.Kasse.Wert());
    const std::int16_t kv = umlagen.KVSaetze[kasse];
    for (const Job job : AlleJobs) {
        const Jobangaben& j = fall[job];
        e.Entgelt[job] = j.Entgelt;
        e.Zweige[job] = j.Zweige;
        e.Umlagen[job] = j.Umlagen;
        e.KG[job] = j.KG;
        e.KVSatz[job] = KVSatzAbleiten(kv, j.KG);
    }
    e.KVSatz[SummenSpalte] = KVSatzAbleiten(kv, Schalter::An);
    e.RVVerzicht = NichtAus(fall.RVVerzicht);
    e.Sachsen = NichtAus(fall.Sachsen);
    e.Kinderlos = fall.Kinderlos;
    // Every position of the list has a factor.
    e.Teilmonatsfaktor = Teilmonatsfaktor(fall.Teilmonat.Wert()).value_or(Waehrung());
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
