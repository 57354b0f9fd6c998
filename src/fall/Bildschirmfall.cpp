#include "fall/Bildschirmfall.h"

#include <cstdint>
#include <stdexcept>

#include "calc/Formate.h"
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
