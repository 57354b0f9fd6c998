#include "fall/Bildschirmfall.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <utility>

#include "calc/Formate.h"
#include "calc/Teilmonat.h"
#include "calc/Zeichen.h"
#include "fall/Fallrechnung.h"
#include "fall/Verlauf.h"
#include "store/Cp1252.h"
#include "store/Satznummern.h"
#include "store/Spaetsatz.h"

namespace lohnwippe {

Aenderung Bildschirmfall::FallNichtGelesen(const DateiFehler& fehler, const Namensfelder& namen,
                                           Personenplatz person, const std::string& welcher,
                                           std::string_view folge) {
    std::string name = namen.Personen[static_cast<std::size_t>(person.Wert())];
    name.erase(name.find_last_not_of(' ') + 1);
    Aenderung a;
    a.Auswahl = true;
    a.Meldungen.push_back(Dateimeldung(fehler, "Der Fall „" + name + ", " + welcher +
                                                   "“ konnte nicht gelesen werden. " +
                                                   std::string(folge)));
    return a;
}

Aenderung Bildschirmfall::Laden(Berichtsmonat monat, Personenplatz person,
                                const Namensfelder& namen, std::string_view folge) {
    if (monat.Jahr >= ErstesJahrAb2013()) {
        return LadenAb2013(monat, person, namen, folge);
    }
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
        return FallNichtGelesen(satz.Fehler(), namen, person, welcher, folge);
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

bool Bildschirmfall::Berechnen(Aenderung& a) {
    if (Ab2013()) {
        return BerechnenAb2013(a);
    }
    eingaben_ = EingabenAusFall(angaben_, umlagesatz_, monat_);
    try {
        ergebnis_ = lohnwippe::Berechnen(eingaben_);
    } catch (const std::overflow_error&) {
        a.Meldungen.push_back(
            {Programmtitel, std::string(BetraegeZuGross) + " Bitte korrigieren Sie die Entgelte.",
             Symbol::Ausrufezeichen});
        return false;
    }
    a.Ergebnis = true;
    Festhalten();
    return true;
}

const Fallsatz& Bildschirmfall::Einstellungen(const Namensfelder& namen, Fensterposition fenster) {
    EinstellungenNachRechnung(einstellungen_, gespeichert_, namen, person_.Wert(), monat_.JahrPos(),
                              monat_.MonatPos(), fenster);
    if (Ab2013()) {
        // The later file's settings name the case at once: a start after
        // a crash finds it there, while SV.dat's stay as they were.
        einstellungen_ = EinstellungenBeimBeenden(std::move(einstellungen_), fallNr_, fenster);
    }
    return einstellungen_;
}

std::optional<Waehrung> Bildschirmfall::EntgeltAnnehmen(Job job, std::string_view text,
                                                        Aenderung& a) {
    getippt_[job].reset();
    const Entgeltuebernahme uebernahme = EntgeltUebernehmen(text);
    a.Entgelttext[job] = uebernahme.Text;
    if (auto zuGross = EntgeltZuGross(uebernahme, text)) {
        // Refused like an unreadable amount, so that it can neither stay in
        // the case nor be copied into the later months.
        a.Entgelttext[job] = FormatBetrag(angaben_[job].Entgelt);
        a.Meldungen.push_back(std::move(*zuGross));
        return std::nullopt;
    }
    return uebernahme.Betrag;
}

Aenderung Bildschirmfall::ArbeitgeberTippen(Job job, std::string text) {
    angaben_[job].Arbeitgeber = std::move(text);
    return {};
}

Aenderung Bildschirmfall::EntgeltTippen(Job job, std::optional<std::string> text) {
    getippt_[job] = std::move(text);
    return {};
}

std::string Bildschirmfall::EntgeltSetzen(Job job, Waehrung betrag, bool ungesichert) {
    std::string schritt = Entgeltschritt(job, EntgeltGespeichert(job, ungesichert), betrag);
    angaben_[job].Entgelt = betrag;
    return schritt;
}

std::string Bildschirmfall::Umschalten(Job job, Jobschalter schalter) {
    Schalter& zustand = angaben_.SchalterVon(job, schalter);
    zustand = Umgeschaltet(zustand);
    return Schaltername(schalter) + " " + Jobname(job) + (zustand == Schalter::An ? " an" : " aus");
}

std::optional<std::string> Bildschirmfall::Umschalten(Allgemeinschalter schalter, Aenderung& a) {
    Schalter& zustand = angaben_.SchalterVon(schalter);
    if (schalter == Allgemeinschalter::Kinderlos && Ab2013() &&
        !KinderPassen(Ein(Umgeschaltet(zustand)), kinder_, a)) {
        a.Fall = true;
        return std::nullopt;
    }
    zustand = Umgeschaltet(zustand);
    return Schaltername(schalter) + (zustand == Schalter::An ? " an" : " aus");
}

std::string Bildschirmfall::TeilmonatSetzen(Teilmonatsplatz teilmonat) {
    angaben_.Teilmonat = teilmonat;
    return "Teilmonat „" + TeilmonatText(teilmonat.Wert()) + "“";
}

std::string Bildschirmfall::ArbeitgeberInDenSatz(Job job, bool ungesichert) {
    const std::string& name = angaben_[job].Arbeitgeber;
    SatzImSpeicher(ungesichert).Namen[job] = name;
    return "Arbeitgeber " + Jobname(job) + " „" + std::string(Getrimmt(name)) + "“";
}

std::string Bildschirmfall::KasseInDenSatz(Kassenplatz kasse, bool ungesichert) {
    SatzImSpeicher(ungesichert).KassePos = static_cast<std::int16_t>(kasse.Wert());
    return std::string("Kasse ") + Kassennamen[static_cast<std::size_t>(kasse.Wert())];
}

Aenderung Bildschirmfall::ArbeitgeberVerlassen(Job job) {
    std::string& name = angaben_[job].Arbeitgeber;
    name = std::string(Getrimmt(name));
    Aenderung a;
    a.Arbeitgebertext[job] = name;
    return a;
}

std::optional<DateiFehler> Bildschirmfall::JahressummeLesen(Aenderung& a) {
    auto summe = Ab2013() ? daten_.JahressummeAb2013(fallNr_) : daten_.Jahressumme(fallNr_);
    jahressumme_.reset();
    if (summe.HatWert()) {
        jahressumme_ = summe.Wert();
        return std::nullopt;
    }
    if (summe.Fehler().Art != DateiFehler::Fehlerart::Ueberlauf) {
        return summe.Fehler();
    }
    // Nothing failed to save; a damaged record holds amounts that no entry
    // can make.
    a.Meldungen.push_back(
        {Programmtitel,
         summe.Fehler().Datei + ", Satz " + std::to_string(summe.Fehler().Satz) +
             ": Die Entgelte dieses Jahres sind zu groß, um sie zusammenzuzählen; die Datei ist "
             "vermutlich beschädigt. Das Jahresentgelt wird nicht angezeigt.",
         Symbol::Ausrufezeichen});
    return std::nullopt;
}

void Bildschirmfall::UmlagenNeuLesen(Aenderung& a) {
    if (Ab2013()) {
        auto kassen = daten_.KassenLesen(monat_.Jahr);
        if (!kassen.HatWert()) {
            a.Meldungen.push_back(Dateimeldung(
                kassen.Fehler(), "Die Kassen des Jahres " + std::to_string(monat_.Jahr) +
                                     " konnten nicht gelesen werden. Bis der Fall neu geladen "
                                     "wird, rechnet er mit den bisherigen Sätzen."));
            return;
        }
        kassen_ = std::move(kassen.Wert());
        if (static_cast<std::size_t>(kassePos_) >= kassen_.size()) {
            kassePos_ = 0;
        }
        a.Fall = true;
        return;
    }
    auto umlagen = daten_.UmlageLesen(UmlageNr(monat_));
    if (!umlagen.HatWert()) {
        a.Meldungen.push_back(Dateimeldung(
            umlagen.Fehler(), "Die Beitrags- und Umlagesätze für " +
                                  MonatUndJahr(monat_.Monat, monat_.Jahr) +
                                  " konnten nicht gelesen werden. Bis der Fall neu geladen wird, "
                                  "rechnet er mit den bisherigen Sätzen."));
        return;
    }
    umlagesatz_ = umlagen.Wert();
    a.Fall = true;
}

std::optional<Entgeltuebernahme> Bildschirmfall::GetipptUebernehmen(Job job, Aenderung& a) {
    auto& getippt = getippt_[job];
    // A box only emptied by entering it, or emptied again, changes nothing.
    if (!getippt || Getrimmt(*getippt).empty()) {
        getippt.reset();
        return std::nullopt;
    }
    Entgeltuebernahme uebernahme = EntgeltUebernehmen(*getippt);
    const auto zuGross = EntgeltZuGross(
        uebernahme, *getippt,
        "Gespeichert bleibt das bisherige Entgelt " + FormatEuro(angaben_[job].Entgelt) + ".");
    getippt.reset();
    if (zuGross) {
        a.Meldungen.push_back(*zuGross);
    } else if (uebernahme.Betrag && *uebernahme.Betrag != angaben_[job].Entgelt) {
        return uebernahme;
    }
    return std::nullopt;
}

bool Bildschirmfall::ArbeitgeberGeaendert(Job job) const {
    const auto wieGespeichert = [](const std::string& name) {
        std::array<std::byte, TextfeldLaenge> feld{};
        TextfeldKodieren(name, feld);
        return TextfeldDekodieren(feld);
    };
    return wieGespeichert(angaben_[job].Arbeitgeber) != wieGespeichert(gespeichert_.Namen[job]);
}

Waehrung Bildschirmfall::EntgeltGespeichert(Job job, bool ungesichert) const {
    if (ungesichert) {
        if (auto gespeichert = FallLesen(); gespeichert.HatWert()) {
            return gespeichert.Wert().Entgelte[job];
        }
    }
    return angaben_[job].Entgelt;
}

int Bildschirmfall::Reglerstellung(Job job, int position) const {
    constexpr int Hoechste = 32767;
    if (position != 1) {
        return position;
    }
    const std::int64_t euro = detail::DurchSkalaHalbGerade(angaben_[job].Entgelt.Roh());
    return static_cast<int>(std::clamp<std::int64_t>(euro, 0, Hoechste));
}

void Bildschirmfall::MinijobWarnung(Job job, const char* zweig, Aenderung& a) const {
    const Waehrung null;
    // From 2013 the calculation's own notices say it.
    if (Ab2013() || job.Nr() < 2 || !Ein(eingaben_.Zweige[job][AV]) ||
        eingaben_.Entgelt[job] <= null || eingaben_.Entgelt[1] <= null) {
        return;
    }
    // Said at every Enter of such an amount: one allocation.
    std::string text;
    text.reserve(256);
    text +=
        "Ein Minijob neben einer versicherungspflichtigen Hauptbeschäftigung\nist in der "
        "Arbeitslosenversicherung ";
    text += zweig;
    text +=
        " versicherungsfrei\nund wird somit nicht auf die Gleitzone angerechnet.\nBitte "
        "korrigieren Sie erforderlichenfalls Ihre Eingabe!";
    a.Meldungen.push_back({"Achtung!", std::move(text), Symbol::Keines});
}

void Bildschirmfall::KopfFuellen(Berichtskopf& kopf, const Namensfelder& namen, int jahr, int monat,
                                 int tag) const {
    kopf.Abrechnungsstelle1 = namen.Abrechnungsstelle[0];
    kopf.Abrechnungsstelle2 = namen.Abrechnungsstelle[1];
    kopf.Jahr = jahr;
    kopf.Monat = monat;
    kopf.Tag = tag;
    kopf.Person = namen.Personen[static_cast<std::size_t>(person_.Wert())];
    kopf.MonatText = Monatskuerzel(monat_.Monat);
    for (const Job job : AlleJobs) {
        kopf.Arbeitgeber[job] = angaben_[job].Arbeitgeber;
    }
    kopf.TeilmonatText = TeilmonatText(angaben_.Teilmonat.Wert());
}

Berichtsdaten Bildschirmfall::Bericht(const Namensfelder& namen, bool zeilendrucker, int jahr,
                                      int monat, int tag) const {
    Berichtsdaten d;
    KopfFuellen(d, namen, jahr, monat, tag);
    d.JahrText = Jahrestext(monat_.Jahr);
    d.Kasse = Kassennamen[static_cast<std::size_t>(angaben_.Kasse.Wert())];
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

Fallsatz& Bildschirmfall::Festhalten() {
    // Moved through, not copied: every calculation comes here.
    gespeichert_ = SatzMitAngaben(std::move(gespeichert_), angaben_);
    // Nothing reads it in a case record; the person keeps it meaningful.
    gespeichert_.LetzterFall = static_cast<std::int16_t>(person_.Wert());
    if (Ab2013()) {
        gespeichert_.KassePos = static_cast<std::int16_t>(kassePos_);
        lohnwippe::KinderSetzen(gespeichert_, kinder_);
    }
    return gespeichert_;
}

Fallsatz& Bildschirmfall::SatzImSpeicher(bool ungesichert) {
    return ungesichert ? Festhalten() : gespeichert_;
}

}  // namespace lohnwippe
