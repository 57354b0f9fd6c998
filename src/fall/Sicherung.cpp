#include "fall/Sicherung.h"

#include "store/Satznummern.h"
#include "store/Spaetsatznummern.h"

namespace lohnwippe {

void Sicherung::NachRechnung(int fallNr, const Fallsatz& fall, const Fallsatz& einstellungen,
                             Aenderung& a) {
    offenerFall_.reset();
    offeneEinstellungen_.reset();
    const Datenbestand::Schreibgruppe gruppe(daten_);
    const auto geschrieben = Schreiben(fallNr, fall);
    ungesichert_ = !geschrieben.HatWert();
    if (!geschrieben.HatWert()) {
        Fehlschlag(geschrieben.Fehler(), a);
        offenerFall_ = Offen{fallNr, fall};
    }
    const auto eingestellt = Schreiben(Einstellungsnummer(), einstellungen);
    if (!eingestellt.HatWert()) {
        Fehlschlag(eingestellt.Fehler(), a);
        offeneEinstellungen_ = Offen{Einstellungsnummer(), einstellungen};
    }
    faellig_ = true;
    if (geschrieben.HatWert() && eingestellt.HatWert()) {
        Gelungen();
    }
    Ersetzungen(a);
}

void Sicherung::Nachschreiben(Aenderung& a) {
    if (!offenerFall_ && !offeneEinstellungen_) {
        return;
    }
    bool alles = true;
    for (std::optional<Offen>* offen : {&offenerFall_, &offeneEinstellungen_}) {
        if (!*offen) {
            continue;
        }
        const auto geschrieben = Schreiben((*offen)->SatzNr, (*offen)->Satz);
        if (offen == &offenerFall_) {
            ungesichert_ = !geschrieben.HatWert();
        }
        if (!geschrieben.HatWert()) {
            Fehlschlag(geschrieben.Fehler(), a);
            alles = false;
        }
        offen->reset();
    }
    if (alles) {
        Gelungen();
    }
    Ersetzungen(a);
}

void Sicherung::FallSchreiben(int fallNr, const Fallsatz& fall, Aenderung& a) {
    const auto geschrieben = Schreiben(fallNr, fall);
    ungesichert_ = !geschrieben.HatWert();
    if (geschrieben.HatWert()) {
        faellig_ = true;
        Gelungen();
    } else {
        Fehlschlag(geschrieben.Fehler(), a);
    }
    Ersetzungen(a);
}

void Sicherung::BisDezember(int fallNr, const Fallsatz& fall, Aenderung& a) {
    // Handed to the disk at once: it changes up to eleven stored months.
    if (const auto kopiert = datei_ == Datendatei::Ab2013
                                 ? daten_.BisDezemberKopierenAb2013(fallNr, fall)
                                 : daten_.BisDezemberKopieren(fallNr, fall);
        kopiert.HatWert()) {
        Gelungen();
    } else {
        // Said even within a run of failures: no later save does the copy,
        // so the user must know to do it again.
        fehlerGemeldet_ = true;
        a.Meldungen.push_back(
            Dateimeldung(kopiert.Fehler(),
                         "„--> Dez.“ wurde nicht ausgeführt; die Monate bis Dezember sind "
                         "unverändert. Bitte beheben Sie die Ursache (zum Beispiel Speicherplatz "
                         "freigeben) und versuchen Sie es erneut."));
    }
    Ersetzungen(a);
}

Erwartet<void> Sicherung::Nachholen(int fallNr, const Fallsatz& fall) {
    if (!ungesichert_) {
        return {};
    }
    auto geschrieben = Schreiben(fallNr, fall);
    if (geschrieben.HatWert()) {
        ungesichert_ = false;
        faellig_ = true;
        Gelungen();
    }
    return geschrieben;
}

bool Sicherung::VorDemLaden(int fallNr, const Fallsatz& fall, Aenderung& a) {
    const auto gesichert = Nachholen(fallNr, fall);
    Ersetzungen(a);
    if (!gesichert.HatWert()) {
        a.Auswahl = true;
        a.Meldungen.push_back(Dateimeldung(gesichert.Fehler(), NichtGesichertText));
    }
    return gesichert.HatWert();
}

bool Sicherung::VorDemSchritt(int fallNr, const Fallsatz& fall, Aenderung& a) {
    const auto gesichert = Nachholen(fallNr, fall);
    if (!gesichert.HatWert()) {
        a.Meldungen.push_back(Dateimeldung(gesichert.Fehler(), NichtGesichertText));
    }
    return gesichert.HatWert();
}

bool Sicherung::NachStammdaten(int fallNr, const Fallsatz& fall, Aenderung& a) {
    Ersetzungen(a);
    const auto gesichert = Nachholen(fallNr, fall);
    if (!gesichert.HatWert()) {
        a.Meldungen.push_back(Dateimeldung(
            gesichert.Fehler(),
            "Die Stammdaten sind gespeichert, der angezeigte Fall noch nicht. Er bleibt mit Ihren "
            "Eingaben geöffnet und wird mit den neuen Sätzen berechnet. Bitte beheben Sie die "
            "Ursache (zum Beispiel Speicherplatz freigeben)."));
    }
    return gesichert.HatWert();
}

void Sicherung::Sichern(Aenderung& a) {
    if (const auto gesichert = daten_.Sichern(); !gesichert.HatWert()) {
        // What the disk did not take must be written again.
        ungesichert_ = true;
        Fehlschlag(gesichert.Fehler(), a);
    } else {
        faellig_ = false;
    }
}

Erwartet<void> Sicherung::Beenden(int fallNr, const Fallsatz& fall, Fensterposition fenster) {
    if (auto gesichert = Nachholen(fallNr, fall); !gesichert.HatWert()) {
        return gesichert;
    }
    auto einstellungen = datei_ == Datendatei::Ab2013
                             ? daten_.FallAb2013Lesen(SpaetEinstellungsSatz)
                             : daten_.FallLesen(EinstellungsSatz);
    if (!einstellungen.HatWert()) {
        return einstellungen.Fehler();
    }
    if (auto geschrieben = Schreiben(
            Einstellungsnummer(), EinstellungenBeimBeenden(einstellungen.Wert(), fallNr, fenster));
        !geschrieben.HatWert()) {
        return geschrieben;
    }
    auto gesichert = daten_.Sichern();
    if (gesichert.HatWert()) {
        faellig_ = false;
    }
    return gesichert;
}

void Sicherung::Schliessen(int fallNr, const Fallsatz& fall, Fensterposition fenster,
                           Aenderung& a) {
    const Erwartet<void> gesichert = Beenden(fallNr, fall, fenster);
    Ersetzungen(a);
    if (!gesichert.HatWert()) {
        a.Frage = gesichert.Fehler().Meldung() +
                  "\n\nNicht alle Eingaben und Einstellungen sind gespeichert; was fehlt, geht "
                  "beim Beenden verloren. Trotzdem beenden?";
    }
}

void Sicherung::BeendenNachWahl(int fallNr, const Fallsatz& fall, Fensterposition fenster,
                                Aenderung& a) {
    if (auto beendet = Beenden(fallNr, fall, fenster); !beendet.HatWert()) {
        a.Meldungen.push_back(Dateimeldung(beendet.Fehler(), NichtGesichertText));
    }
}

Erwartet<void> Sicherung::Schreiben(int satzNr, const Fallsatz& satz) {
    return datei_ == Datendatei::Ab2013 ? daten_.FallAb2013Schreiben(satzNr, satz)
                                        : daten_.FallSchreiben(satzNr, satz);
}

int Sicherung::Einstellungsnummer() const {
    return datei_ == Datendatei::Ab2013 ? SpaetEinstellungsSatz : EinstellungsSatz;
}

void Sicherung::DateiWaehlen(Datendatei datei, Aenderung& a) {
    const bool zurueck = datei_ == Datendatei::Ab2013 && datei != Datendatei::Ab2013;
    datei_ = datei;
    if (!zurueck) {
        return;
    }
    auto einstellung = daten_.FallAb2013Lesen(SpaetEinstellungsSatz);
    Erwartet<void> geschrieben;
    if (einstellung.HatWert()) {
        Fallsatz satz = einstellung.Wert();
        satz.LetzterFall = 0;
        geschrieben = daten_.FallAb2013Schreiben(SpaetEinstellungsSatz, satz);
    } else {
        geschrieben = einstellung.Fehler();
    }
    if (geschrieben.HatWert()) {
        faellig_ = true;
    } else {
        Melden(geschrieben.Fehler(),
               "Beim nächsten Start wird möglicherweise der zuletzt gezeigte Fall ab 2013 "
               "angezeigt.",
               a);
    }
}

void Sicherung::Ersetzungen(Aenderung& a) {
    for (const auto& datei : daten_.ErsetzteDateien()) {
        a.Meldungen.push_back({Programmtitel, datei.Meldung(), Symbol::Ausrufezeichen});
    }
}

void Sicherung::Melden(const DateiFehler& fehler, std::string_view folge, Aenderung& a) {
    if (fehlerGemeldet_) {
        return;
    }
    fehlerGemeldet_ = true;
    a.Meldungen.push_back(Dateimeldung(fehler, folge));
}

void Sicherung::Fehlschlag(const DateiFehler& fehler, Aenderung& a) {
    Melden(fehler,
           "Ihre Eingaben bleiben erhalten und werden beim nächsten erfolgreichen Speichern "
           "gesichert.",
           a);
}

void Sicherung::Gelungen() {
    fehlerGemeldet_ = false;
}

}  // namespace lohnwippe
