#include "fall/OffenerFall.h"

#include <utility>

#include "calc/Formate.h"
#include "calc/Perioden.h"
#include "fall/Schrittgang.h"
#include "fall/Startbefund.h"

namespace lohnwippe {

namespace {

const std::string Bleiben = "Es bleibt der bisher angezeigte Fall geöffnet.";

}  // namespace

OffenerFall::OffenerFall(Datenbestand daten, Fensterlage& fenster)
    : daten_(std::move(daten)),
      fenster_(fenster),
      sicherung_(daten_),
      formular_(daten_),
      kassen_(daten_),
      bildschirm_(daten_),
      ersetzung_(daten_) {}

OffenerFall::Start OffenerFall::Starten(Datenbestand daten, Fensterlage& fenster) {
    Start start;
    std::unique_ptr<OffenerFall> fall(new OffenerFall(std::move(daten), fenster));
    const std::optional<Startort> ort =
        StartortFinden(fall->daten_, fall->formular_, start.Anzeige);
    if (!ort) {
        return start;
    }
    fenster.Verschieben(ort->Fenster);
    // Without its case there is nothing to show; nothing has been written.
    start.Anzeige += fall->Laden(ort->Monat, ort->Person, "Das Programm wird beendet.");
    if (fall->bildschirm_.FallNr() == 0) {
        return start;
    }
    start.Anzeige.Personen = true;
    start.Anzeige = fall->Fertig(std::move(start.Anzeige));
    // What the start wrote is no step the user could take back.
    fall->daten_.Mitschreiben(&fall->verlauf_.Mitschrift());
    start.Fall = std::move(fall);
    return start;
}

Aenderung OffenerFall::Laden(Berichtsmonat monat, Personenplatz person, std::string_view folge) {
    Aenderung a = bildschirm_.Laden(monat, person, formular_.Namen(), folge);
    if (a.Fall) {
        sicherung_.DateiWaehlen(bildschirm_.Datei(), a);
        a += Rechnen();
    }
    return a;
}

Aenderung OffenerFall::NeuLaden() {
    return Laden(bildschirm_.Monat(), bildschirm_.Person(), Bleiben);
}

Aenderung OffenerFall::Rechnen() {
    Aenderung a;
    if (!bildschirm_.Berechnen(a)) {
        return a;
    }
    sicherung_.NachRechnung(bildschirm_.FallNr(), bildschirm_.Satz(),
                            bildschirm_.Einstellungen(formular_.Namen(), fenster_.Position()), a);
    if (auto fehler = bildschirm_.JahressummeLesen(a)) {
        sicherung_.Melden(*fehler, "Das Jahresentgelt kann nicht angezeigt werden.", a);
    }
    sicherung_.Nachschreiben(a);
    return a;
}

Aenderung OffenerFall::Fertig(Aenderung&& aenderung) {
    verlauf_.Beenden(sicherung_.Ungesichert());
    aenderung.SicherungFaellig = sicherung_.Faellig();
    const auto fremde = daten_.FremdeDateien(bildschirm_.Datei());
    // That last look may have created a deleted file again.
    sicherung_.Ersetzungen(aenderung);
    // Closing ends with the question, or it is over.
    ersetzung_.Fragen(fremde, aenderung);
    return std::move(aenderung);
}

Aenderung OffenerFall::Aendern(std::optional<std::string> schritt, Aenderung&& a) {
    if (schritt) {
        SchrittBenennen(std::move(*schritt));
        a += Rechnen();
    }
    return Fertig(std::move(a));
}

Aenderung OffenerFall::ErsetzungEntscheiden(bool neueUebernehmen) {
    Aenderung a;
    if (ersetzung_.Entscheiden(neueUebernehmen, a) == Ersetzung::Ausgang::Uebernommen) {
        // The case on screen, its rates and the names as the new file has them.
        a.Personen = formular_.NamenNeuLesen();
        a += NeuLaden();
        verlauf_.Uebernommen();
        // Asked while closing: the settings record of the file taken over
        // gets the case and the window's place like any other at the end.
        if (ersetzung_.Schliessend()) {
            sicherung_.BeendenNachWahl(bildschirm_.FallNr(), SatzImSpeicher(), fenster_.Position(),
                                       a);
        }
    }
    return Fertig(std::move(a));
}

Aenderung OffenerFall::Verlassen(Berichtsmonat monat, Personenplatz person) {
    Aenderung a;
    if (sicherung_.Faellig()) {
        sicherung_.Sichern(a);
    }
    if (sicherung_.VorDemLaden(bildschirm_.FallNr(), SatzImSpeicher(), a)) {
        a += Laden(monat, person, Bleiben);
    }
    return Fertig(std::move(a));
}

Aenderung OffenerFall::JahrWaehlen(int jahr) {
    if (jahr < ErstesJahr || jahr > LetztesBekanntesJahr()) {
        return {};
    }
    return Verlassen({jahr, bildschirm_.Monat().Monat}, bildschirm_.Person());
}

Aenderung OffenerFall::MonatWaehlen(Monatsplatz monat) {
    return Verlassen({bildschirm_.Monat().Jahr, monat.Wert() + 1}, bildschirm_.Person());
}

Aenderung OffenerFall::Gehen(bool rueckwaerts) {
    Aenderung a;
    if (verlauf_.Naechster(rueckwaerts) == nullptr ||
        !sicherung_.VorDemSchritt(bildschirm_.FallNr(), SatzImSpeicher(), a)) {
        return Fertig(std::move(a));
    }
    verlauf_.Nachgeholt(formular_.Namen(), bildschirm_.Monat(), bildschirm_.Person());
    if (const auto schritt = SchrittGehen(rueckwaerts, daten_, verlauf_, formular_, a)) {
        a.Personen = true;
        a.Auswahl = true;
        a += Laden(schritt->Monat, schritt->Person, Bleiben);
        a.Hinweis = (rueckwaerts ? "Rückgängig gemacht: " : "Wiederholt: ") + schritt->Text;
        verlauf_.Verwerfen();
    }
    return Fertig(std::move(a));
}

Aenderung OffenerFall::Schliessen() {
    Aenderung a;
    for (const Job job : AlleJobs) {
        if (auto getippt = bildschirm_.GetipptUebernehmen(job, a)) {
            a += EntgeltSetzen(job, *getippt->Betrag);
            a.Entgelttext[job] = getippt->Text;
        }
    }
    for (const Job job : AlleJobs) {
        if (bildschirm_.ArbeitgeberGeaendert(job)) {
            a += ArbeitgeberEnter(job);
        }
    }
    ersetzung_.SchliessenBeginnen();
    // The user decides whether to end with something unsaved.
    sicherung_.Schliessen(bildschirm_.FallNr(), SatzImSpeicher(), fenster_.Position(), a);
    return Fertig(std::move(a));
}

// The user's actions on the case: amounts, switches, employer names, the
// fund and partial month, the copy to December, and the master data.
Aenderung OffenerFall::KasseWaehlen(Kassenplatz kasse) {
    if (bildschirm_.Ab2013()) {
        return KasseAb2013Waehlen(kasse.Wert());
    }
    SchrittBenennen(bildschirm_.KasseInDenSatz(kasse, sicherung_.Ungesichert()));
    Aenderung a;
    sicherung_.FallSchreiben(bildschirm_.FallNr(), bildschirm_.Satz(), a);
    if (!sicherung_.Ungesichert()) {
        a += NeuLaden();
        if (bildschirm_.Angaben().Kasse == kasse) {
            return Fertig(std::move(a));
        }
        // The fund is stored, but the case could not be read back: it stays
        // on screen with the new fund.
    }
    // Loading would bring back the stored fund and drop what is on screen.
    bildschirm_.Angaben().Kasse = kasse;
    a.Fall = true;
    a += Rechnen();
    return Fertig(std::move(a));
}

Aenderung OffenerFall::KasseAb2013Waehlen(int platz) {
    auto schritt = bildschirm_.KasseAb2013Setzen(platz);
    return schritt ? Aendern(std::move(schritt)) : Aenderung{};
}

Aenderung OffenerFall::KinderEingeben(int kinder) {
    Aenderung a;
    auto schritt = bildschirm_.KinderSetzen(kinder, a);
    return Aendern(std::move(schritt), std::move(a));
}

Aenderung OffenerFall::TeilmonatWaehlen(Teilmonatsplatz teilmonat) {
    return Aendern(bildschirm_.TeilmonatSetzen(teilmonat));
}

Aenderung OffenerFall::EntgeltSetzen(Job job, Waehrung betrag) {
    SchrittBenennen(bildschirm_.EntgeltSetzen(job, betrag, sicherung_.Ungesichert()));
    return Rechnen();
}

Aenderung OffenerFall::EntgeltEingeben(Job job, std::string_view text) {
    Aenderung a;
    if (const auto betrag = bildschirm_.EntgeltAnnehmen(job, text, a)) {
        a += EntgeltSetzen(job, *betrag);
        bildschirm_.MinijobWarnung(job, "(ALV)", a);
    }
    return Fertig(std::move(a));
}

Aenderung OffenerFall::SchiebereglerGestellt(Job job, int position) {
    position = bildschirm_.Reglerstellung(job, position);
    // The box shows the new amount; what was typed into it is gone.
    bildschirm_.EntgeltTippen(job, std::nullopt);
    Aenderung a = EntgeltSetzen(job, Waehrung::AusGanzzahl(position));
    a.Regler[job] = position;
    a.Entgelttext[job] = FormatBetrag(bildschirm_.Angaben()[job].Entgelt);
    return Fertig(std::move(a));
}

Aenderung OffenerFall::SchalterKlicken(Job job, Jobschalter schalter) {
    SchrittBenennen(bildschirm_.Umschalten(job, schalter));
    Aenderung a = Rechnen();
    if (schalter == Jobschalter::AV) {
        bildschirm_.MinijobWarnung(job, "(AV)", a);
    }
    return Fertig(std::move(a));
}

Aenderung OffenerFall::SchalterKlicken(Allgemeinschalter schalter) {
    Aenderung a;
    auto schritt = bildschirm_.Umschalten(schalter, a);
    return Aendern(std::move(schritt), std::move(a));
}

Aenderung OffenerFall::ArbeitgeberEnter(Job job) {
    SchrittBenennen(bildschirm_.ArbeitgeberInDenSatz(job, sicherung_.Ungesichert()));
    Aenderung a;
    sicherung_.FallSchreiben(bildschirm_.FallNr(), bildschirm_.Satz(), a);
    return Fertig(std::move(a));
}

Aenderung OffenerFall::BisDezemberKopieren() {
    verlauf_.Benennen(BisDezemberText(bildschirm_.Monat()), bildschirm_.Monat(),
                      bildschirm_.Person());
    Aenderung a;
    bildschirm_.Festhalten();
    sicherung_.BisDezember(bildschirm_.FallNr(), bildschirm_.Satz(), a);
    a += Rechnen();
    return Fertig(std::move(a));
}

Aenderung OffenerFall::StammdatenSpeichern(const Stammdateneingabe& eingabe) {
    // The line printer as the box shows it now may not be stored yet.
    const Schritt::Stammwerte vorher = formular_.Gespeichert();
    verlauf_.Benennen(std::string("Stammdaten, Umlagesätze 2012 ") +
                          Kassennamen[static_cast<std::size_t>(eingabe.Kasse.Wert())],
                      bildschirm_.Monat(), bildschirm_.Person());
    Aenderung a = formular_.Speichern(eingabe);
    if (a.StammdatenSchliessen) {
        verlauf_.Stammdaten(vorher, formular_.Gespeichert());
        if (sicherung_.NachStammdaten(bildschirm_.FallNr(), SatzImSpeicher(), a)) {
            a += NeuLaden();
        } else {
            // Reloading would replace values on screen that are not stored
            // yet; they stay, calculated with the rates of their month as
            // now stored.
            bildschirm_.UmlagenNeuLesen(a);
            if (a.Fall) {
                a += Rechnen();
            }
        }
    }
    return Fertig(std::move(a));
}

Kassenantwort OffenerFall::KassenSpeichern(int jahr, const std::vector<Kassenzeile>& zeilen) {
    Kassenantwort antwort;
    // A case not yet stored would later write its old fund place back.
    if (sicherung_.VorDemLaden(bildschirm_.FallNr(), SatzImSpeicher(), antwort.Anzeige)) {
        verlauf_.Benennen("Kassen " + std::to_string(jahr), bildschirm_.Monat(),
                          bildschirm_.Person());
        antwort = kassen_.Speichern(jahr, zeilen);
        if (antwort.Gespeichert) {
            antwort.Anzeige += NeuLaden();
        }
    }
    antwort.Anzeige = Fertig(std::move(antwort.Anzeige));
    return antwort;
}

}  // namespace lohnwippe
