#include "fall/Bildschirmfall.h"

// The case on screen in a month from 2013: read from and kept for the file
// of later years, with the funds of its year and the children.

#include "calc/Formate.h"
#include "calc/Teilmonat.h"
#include "calc/Zeichen.h"
#include "fall/Fallrechnung.h"
#include "fall/FallrechnungAb2013.h"
#include "store/Spaetsatz.h"
#include "store/Spaetsatznummern.h"

namespace lohnwippe {

namespace {

constexpr int HoechsteKinder = 9;

}  // namespace

std::optional<std::string> Bildschirmfall::KasseAb2013Setzen(int platz) {
    if (!Ab2013() || platz < 0 || static_cast<std::size_t>(platz) >= kassen_.size()) {
        return std::nullopt;
    }
    kassePos_ = platz;
    return "Kasse " + std::string(Getrimmt(kassen_[static_cast<std::size_t>(platz)].Name));
}

std::optional<std::string> Bildschirmfall::KinderSetzen(int kinder, Aenderung& a) {
    if (!Ab2013() || !KinderPassen(Ein(angaben_.Kinderlos), kinder, a)) {
        a.Fall = true;  // the box goes back to the case's number
        return std::nullopt;
    }
    kinder_ = kinder;
    return "Kinder unter 25: " + std::to_string(kinder);
}

bool Bildschirmfall::KinderPassen(bool kinderlos, int kinder, Aenderung& a) {
    if (kinder < 0 || kinder > HoechsteKinder) {
        a.Meldungen.push_back({Programmtitel,
                               "Bitte geben Sie die Zahl der Kinder unter 25 Jahren von 0 bis 9 "
                               "an.",
                               Symbol::Ausrufezeichen});
        return false;
    }
    if (kinderlos && kinder > 0) {
        a.Meldungen.push_back(
            {Programmtitel,
             "„Kinderlos“ und Kinder unter 25 Jahren schließen sich aus. Bitte nehmen Sie den "
             "Haken bei „Kinderlos“ weg oder setzen Sie die Zahl der Kinder auf 0.",
             Symbol::Ausrufezeichen});
        return false;
    }
    return true;
}

Aenderung Bildschirmfall::LadenAb2013(Berichtsmonat monat, Personenplatz person,
                                      const Namensfelder& namen, std::string_view folge) {
    Aenderung a;
    const std::string welcher = MonatUndJahr(monat.Monat, monat.Jahr);
    auto kassen = daten_.KassenLesen(monat.Jahr);
    if (!kassen.HatWert()) {
        a.Auswahl = true;
        a.Meldungen.push_back(Dateimeldung(
            kassen.Fehler(), "Die Kassen des Jahres " + std::to_string(monat.Jahr) +
                                 " konnten nicht gelesen werden. " + std::string(folge)));
        return a;
    }
    const int fallNr = FallNrAb2013(monat.Jahr, person.Wert(), monat.MonatPos());
    auto satz = daten_.FallAb2013Lesen(fallNr);
    if (!satz.HatWert()) {
        return FallNichtGelesen(satz.Fehler(), namen, person, welcher, folge);
    }
    monat_ = monat;
    person_ = person;
    fallNr_ = fallNr;
    kassen_ = std::move(kassen.Wert());
    gespeichert_ = satz.Wert();
    angaben_ = AngabenAusSatz(gespeichert_);
    // A damaged record may name a place beyond the year's list or hold any
    // number of children: it shows the first fund and none.
    const int platz = gespeichert_.KassePos;
    kassePos_ = platz >= 0 && static_cast<std::size_t>(platz) < kassen_.size() ? platz : 0;
    const int kinder = KinderLesen(gespeichert_);
    kinder_ = kinder >= 0 && kinder <= HoechsteKinder ? kinder : 0;
    getippt_ = {};
    ergebnisAb2013_.reset();
    a.Fall = true;
    for (const Job job : AlleJobs) {
        a.Entgelttext[job] = FormatBetrag(angaben_[job].Entgelt);
    }
    return a;
}

bool Bildschirmfall::BerechnenAb2013(Aenderung& a) {
    Kassensaetze saetze;
    if (static_cast<std::size_t>(kassePos_) < kassen_.size()) {
        const Kasseneintrag& kasse = kassen_[static_cast<std::size_t>(kassePos_)];
        saetze = {kasse.Zusatzbeitrag, kasse.U1, kasse.U2};
    }
    eingabenAb2013_ = EingabenAusFallAb2013(angaben_, monat_.Jahr, monat_.Monat, saetze, kinder_);
    RechnungAb2013 rechnung = lohnwippe::BerechnenAb2013(eingabenAb2013_);
    if (!rechnung.Ergebnis) {
        a.Meldungen.push_back({Programmtitel, rechnung.Meldung, Symbol::Ausrufezeichen});
        return false;
    }
    ergebnisAb2013_ = std::move(rechnung.Ergebnis);
    a.Ergebnis = true;
    Festhalten();
    return true;
}

std::optional<BerichtsdatenAb2013> Bildschirmfall::BerichtAb2013(const Namensfelder& namen,
                                                                 bool zeilendrucker, int jahr,
                                                                 int monat, int tag) const {
    if (!Ab2013() || !ergebnisAb2013_) {
        return std::nullopt;
    }
    BerichtsdatenAb2013 d;
    KopfFuellen(d, namen, jahr, monat, tag);
    if (static_cast<std::size_t>(kassePos_) < kassen_.size()) {
        const Kasseneintrag& kasse = kassen_[static_cast<std::size_t>(kassePos_)];
        d.Kasse = kasse.Name;
        d.Durchschnitt = IstDurchschnitt(kasse);
    }
    d.Eingabe = eingabenAb2013_;
    d.Resultat = *ergebnisAb2013_;
    d.Zeilendrucker = zeilendrucker;
    return d;
}

Erwartet<Fallsatz> Bildschirmfall::FallLesen() const {
    return Ab2013() ? daten_.FallAb2013Lesen(fallNr_) : daten_.FallLesen(fallNr_);
}

}  // namespace lohnwippe
