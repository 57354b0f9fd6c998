#include "fall/OffenerFall.h"

#include <utility>

#include "calc/Formate.h"
#include "fall/Fallrechnung.h"
#include "fall/Startbefund.h"
#include "store/Satznummern.h"

namespace lohnwippe {

namespace {

const std::string Bleiben = "Es bleibt der bisher angezeigte Fall geöffnet.";

}  // namespace

OffenerFall::OffenerFall(Datenbestand daten, Fensterlage& fenster)
    : daten_(std::move(daten)),
      fenster_(fenster),
      sicherung_(daten_),
      formular_(daten_),
      bildschirm_(daten_),
      ersetzung_(daten_) {}

OffenerFall::Start OffenerFall::Starten(Datenbestand daten, Fensterlage& fenster) {
    Start start;
    std::unique_ptr<OffenerFall> fall(new OffenerFall(std::move(daten), fenster));
    Startbefund befund = DateienPruefen(fall->daten_);
    start.Anzeige.Meldungen = std::move(befund.Meldungen);
    if (!befund.Weiter) {
        return start;
    }
    // Every calculation writes the names back into record 603: names not
    // read would replace the stored ones, so the start ends instead.
    std::array<Fallsatz, 3> master;
    for (int i = 0; i < 3; ++i) {
        auto satz = fall->daten_.FallLesen(NamenSatz1 + i);
        if (!satz.HatWert()) {
            start.Anzeige.Meldungen.push_back(
                Programmende(satz.Fehler(),
                             "Die Namen der Personalfälle und der Abrechnungsstelle konnten nicht "
                             "gelesen werden. "));
            return start;
        }
        master[static_cast<std::size_t>(i)] = satz.Wert();
    }
    fall->formular_.NamenSetzen(NamenLesen(master[0], master[1], master[2]));
    const Fallsatz& einstellungen = master[2];
    fenster.Verschieben({einstellungen.Oben, einstellungen.Links});

    const FallPosition ort = FallZerlegen(StartfallNr(einstellungen.LetzterFall));
    // Without its case there is nothing to show; nothing has been written.
    start.Anzeige += fall->Laden(*Berichtsmonat::AusPositionen(ort.JahrPos, ort.MonatPos),
                                 *Personenplatz::Aus(ort.PersonPos), "Das Programm wird beendet.");
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
        a += Rechnen();
    }
    return a;
}

Aenderung OffenerFall::NeuLaden() {
    return Laden(bildschirm_.Monat(), bildschirm_.Person(), Bleiben);
}

Aenderung OffenerFall::Rechnen() {
    Aenderung a;
    if (!bildschirm_.Berechnen()) {
        a.Meldungen.push_back(
            {Programmtitel, std::string(BetraegeZuGross) + " Bitte korrigieren Sie die Entgelte.",
             Symbol::Ausrufezeichen});
        return a;
    }
    a.Ergebnis = true;
    bildschirm_.Festhalten();
    sicherung_.NachRechnung(bildschirm_.FallNr(), bildschirm_.Satz(), Einstellungen(), a);
    auto summe = daten_.Jahressumme(bildschirm_.FallNr());
    bildschirm_.JahressummeSetzen(std::nullopt);
    if (summe.HatWert()) {
        bildschirm_.JahressummeSetzen(summe.Wert());
    } else if (summe.Fehler().Art == DateiFehler::Fehlerart::Ueberlauf) {
        // Nothing failed to save; a damaged record holds amounts that no
        // entry can make.
        a.Meldungen.push_back(
            {Programmtitel,
             summe.Fehler().Datei + ", Satz " + std::to_string(summe.Fehler().Satz) +
                 ": Die Entgelte dieses Jahres sind zu groß, um sie zusammenzuzählen; die Datei "
                 "ist vermutlich beschädigt. Das Jahresentgelt wird nicht angezeigt.",
             Symbol::Ausrufezeichen});
    } else {
        sicherung_.Melden(summe.Fehler(), "Das Jahresentgelt kann nicht angezeigt werden.", a);
    }
    sicherung_.Nachschreiben(a);
    return a;
}

Fallsatz OffenerFall::Einstellungen() const {
    return EinstellungenNachRechnung(bildschirm_.Satz(), formular_.Namen(),
                                     bildschirm_.Person().Wert(), bildschirm_.Monat().JahrPos(),
                                     bildschirm_.Monat().MonatPos(), fenster_.Position());
}

Fallsatz& OffenerFall::SatzImSpeicher() {
    return bildschirm_.SatzImSpeicher(sicherung_.Ungesichert());
}

Erwartet<void> OffenerFall::OffenenFallSichern() {
    return sicherung_.Nachholen(bildschirm_.FallNr(), SatzImSpeicher());
}

Aenderung OffenerFall::Fertig(Aenderung aenderung) {
    verlauf_.Beenden(sicherung_.Ungesichert());
    aenderung.SicherungFaellig = sicherung_.Faellig();
    const auto fremde = daten_.FremdeDateien();
    // That last look may have created a deleted file again.
    sicherung_.Ersetzungen(aenderung);
    // Closing ends with the question, or it is over.
    ersetzung_.Fragen(fremde, aenderung);
    return aenderung;
}

Aenderung OffenerFall::ErsetzungEntscheiden(bool neueUebernehmen) {
    Aenderung a;
    const Ersetzung::Ausgang ausgang = ersetzung_.Entscheiden(neueUebernehmen, a);
    if (ausgang == Ersetzung::Ausgang::Gescheitert) {
        Aenderung fertig = Fertig(std::move(a));
        fertig.Wahl.reset();
        return fertig;
    }
    if (ausgang == Ersetzung::Ausgang::Uebernommen) {
        // The case on screen, its rates and the names as the new file has them.
        if (formular_.NamenNeuLesen()) {
            a.Personen = true;
        }
        a += NeuLaden();
        // Asked while closing: the settings record of the file taken over
        // gets the case and the window's place like any other at the end.
        if (ersetzung_.Schliessend()) {
            if (auto beendet =
                    sicherung_.Beenden(bildschirm_.FallNr(), SatzImSpeicher(), fenster_.Position());
                !beendet.HatWert()) {
                a.Meldungen.push_back(Dateimeldung(beendet.Fehler(), NichtGesichertText));
            }
        }
    }
    return Fertig(std::move(a));
}

std::optional<std::string> OffenerFall::UngeklaertVorDemEnde() {
    return ersetzung_.VorDemEnde();
}

Aenderung OffenerFall::Verlassen(Berichtsmonat monat, Personenplatz person) {
    Aenderung a;
    if (sicherung_.Faellig()) {
        sicherung_.Sichern(a);
    }
    // The case on screen holds values no save has stored yet; loading
    // another one would throw them away. The selection stays instead.
    auto gesichert = OffenenFallSichern();
    sicherung_.Ersetzungen(a);
    if (!gesichert.HatWert()) {
        a.Auswahl = true;
        a.Meldungen.push_back(Dateimeldung(gesichert.Fehler(), NichtGesichertText));
        return Fertig(std::move(a));
    }
    a += Laden(monat, person, Bleiben);
    return Fertig(std::move(a));
}

Aenderung OffenerFall::JahrWaehlen(Jahresplatz jahr) {
    return Verlassen({ErstesJahr + jahr.Wert(), bildschirm_.Monat().Monat}, bildschirm_.Person());
}

Aenderung OffenerFall::MonatWaehlen(Monatsplatz monat) {
    return Verlassen({bildschirm_.Monat().Jahr, monat.Wert() + 1}, bildschirm_.Person());
}

Aenderung OffenerFall::PersonWaehlen(Personenplatz person) {
    return Verlassen(bildschirm_.Monat(), person);
}

Aenderung OffenerFall::Sichern() {
    Aenderung a;
    sicherung_.Sichern(a);
    return Fertig(std::move(a));
}

}  // namespace lohnwippe
