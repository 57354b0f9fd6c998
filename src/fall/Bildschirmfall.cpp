#include "fall/Bildschirmfall.h"

#include <cstdint>
#include <stdexcept>

#include "calc/Formate.h"
#include "calc/Teilmonat.h"
#include "calc/Zeichen.h"
#include "fall/Fallrechnung.h"
#include "store/Satznummern.h"

namespace lohnwippe {

Aenderung Bildschirmfall::Laden(Berichtsmonat monat, Personenplatz person,
                                const Namensfelder& namen, std::string_view folge) {
    Aenderung a;
    const int fallNr = lohnwippe::FallNr(monat, person.Wert());
    const std::string welcher = MonatUndJahr(monat.Monat, monat.Jahr);
    auto umlagen = daten_.UmlageLesen(UmlageNr(monat));
    if (!umlagen.HatWert()) {
        a.Auswahl = true;
        a.Meldungen.push_back(Dateimeldung(
            umlagen.Fehler(), "Die Beitrags- und Umlagesätze für " + welcher +
                                  " konnten nicht gelesen werden. " + std::string(folge)));
        return a;
    }
    auto satz = daten_.FallLesen(fallNr);
    if (!satz.HatWert()) {
        std::string name = namen.Personen[static_cast<std::size_t>(person.Wert())];
        name.erase(name.find_last_not_of(' ') + 1);
        a.Auswahl = true;
        a.Meldungen.push_back(Dateimeldung(satz.Fehler(), "Der Fall „" + name + ", " + welcher +
                                                              "“ konnte nicht gelesen werden. " +
                                                              std::string(folge)));
        return a;
    }
    monat_ = monat;
    person_ = person;
    fallNr_ = fallNr;
    umlagesatz_ = umlagen.Wert();
    gespeichert_ = satz.Wert();
    angaben_ = AngabenAusSatz(gespeichert_);
    getippt_ = {};
    a.Fall = true;
    for (const Job job : AlleJobs) {
        a.Entgelttext[job] = FormatBetrag(angaben_[job].Entgelt);
    }
    return a;
}

bool Bildschirmfall::Berechnen() {
    eingaben_ = EingabenAusFall(angaben_, umlagesatz_, monat_);
    try {
        ergebnis_ = lohnwippe::Berechnen(eingaben_);
    } catch (const std::overflow_error&) {
        return false;
    }
    return true;
}

Berichtsdaten Bildschirmfall::Bericht(const Namensfelder& namen, bool zeilendrucker, int jahr,
                                      int monat, int tag) const {
    Berichtsdaten d;
    d.Abrechnungsstelle1 = namen.Abrechnungsstelle[0];
    d.Abrechnungsstelle2 = namen.Abrechnungsstelle[1];
    d.Jahr = jahr;
    d.Monat = monat;
    d.Tag = tag;
    d.Person = namen.Personen[static_cast<std::size_t>(person_.Wert())];
    d.MonatText = Monatskuerzel(monat_.Monat);
    d.JahrText = Jahrestext(monat_.Jahr);
    for (const Job job : AlleJobs) {
        d.Arbeitgeber[job] = angaben_[job].Arbeitgeber;
    }
    d.Kasse = Kassennamen[static_cast<std::size_t>(angaben_.Kasse.Wert())];
    d.TeilmonatText = TeilmonatText(angaben_.Teilmonat.Wert());
    // The report prints two answers from the record as stored, one from the
    // box as it is checked now.
    d.RVVerzichtImSatz = gespeichert_.RVVerzicht;
    d.KinderlosImSatz = gespeichert_.KinderlosWahl;
    d.RVBefreiungAngehakt = NichtAus(angaben_.RVVerzicht);
    d.Eingabe = eingaben_;
    d.Resultat = ergebnis_;
    const Kassenprozente prozente = KassenprozenteVon(umlagesatz_, angaben_.Kasse);
    d.U1Prozent = prozente.U1;
    d.U2Prozent = prozente.U2;
    d.U3Prozent = prozente.U3;
    d.Zeilendrucker = zeilendrucker ? 1 : 0;
    return d;
}

Fallsatz Bildschirmfall::SatzVomBildschirm() const {
    Fallsatz satz = SatzMitAngaben(gespeichert_, angaben_);
    // Nothing reads it in a case record; the person keeps it meaningful.
    satz.LetzterFall = static_cast<std::int16_t>(person_.Wert());
    return satz;
}

Fallsatz& Bildschirmfall::Festhalten() {
    gespeichert_ = SatzVomBildschirm();
    return gespeichert_;
}

Fallsatz& Bildschirmfall::SatzImSpeicher(bool ungesichert) {
    return ungesichert ? Festhalten() : gespeichert_;
}

}  // namespace lohnwippe
