// Undo and redo: the steps the user took, named where they are taken, and
// the way back and forth through the files.
#include <algorithm>

#include "calc/Formate.h"
#include "fall/OffenerFall.h"
#include "store/Satznummern.h"

namespace lohnwippe {

void OffenerFall::SchrittBenennen(std::string text) {
    verlauf_.Benennen(std::move(text), bildschirm_.Monat(), bildschirm_.Person());
}

std::string OffenerFall::Fallname() const {
    return lohnwippe::Fallname(formular_.Namen(), bildschirm_.Person(), bildschirm_.Monat());
}

std::optional<std::string> OffenerFall::RueckgaengigText() const {
    const Schritt* s = verlauf_.Zurueck();
    return s == nullptr ? std::nullopt : std::optional("Rückgängig: " + s->Text);
}

std::optional<std::string> OffenerFall::WiederholenText() const {
    const Schritt* s = verlauf_.Vor();
    return s == nullptr ? std::nullopt : std::optional("Wiederholen: " + s->Text);
}

Aenderung OffenerFall::Rueckgaengig() {
    return Gehen(true);
}

Aenderung OffenerFall::Wiederholen() {
    return Gehen(false);
}

Aenderung OffenerFall::Gehen(bool rueckwaerts) {
    Aenderung a;
    if ((rueckwaerts ? verlauf_.Zurueck() : verlauf_.Vor()) == nullptr) {
        return Fertig(std::move(a));
    }
    // A save still owed would later write over what comes back.
    if (auto gesichert = OffenenFallSichern(); !gesichert.HatWert()) {
        a.Meldungen.push_back(Dateimeldung(gesichert.Fehler(), NichtGesichertText));
        return Fertig(std::move(a));
    }
    // What that save wrote, the case as typed after a failed save, is a
    // step of its own, the first to be taken back.
    verlauf_.Abschliessen(Schritt{"Nachgeholtes Speichern, " + Fallname(),
                                  bildschirm_.Monat(),
                                  bildschirm_.Person(),
                                  {},
                                  {},
                                  {}});
    const Schritt* naechster = rueckwaerts ? verlauf_.Zurueck() : verlauf_.Vor();
    if (naechster == nullptr) {
        return Fertig(std::move(a));
    }
    const Schritt schritt = *naechster;
    const std::string was = "„" + schritt.Text + "“";
    const auto nicht = [&](std::string grund) {
        a.Meldungen.push_back(
            {Programmtitel,
             was + (rueckwaerts ? " wurde nicht rückgängig gemacht" : " wurde nicht wiederholt") +
                 ": " + std::move(grund),
             Symbol::Ausrufezeichen});
        return Fertig(std::move(a));
    };
    if (!daten_.FremdeDateien().empty()) {
        return nicht("Zuerst ist zu entscheiden, welche Fassung der Datei gelten soll.");
    }
    const auto ist = [&](const Satzaenderung& s) -> const std::vector<std::byte>& {
        return rueckwaerts ? s.Nachher : s.Vorher;
    };
    const auto soll = [&](const Satzaenderung& s) -> const std::vector<std::byte>& {
        return rueckwaerts ? s.Vorher : s.Nachher;
    };
    for (const Satzaenderung& satz : schritt.Saetze) {
        auto jetzt = daten_.SatzLesen(satz.Datei, satz.SatzNr);
        if (!jetzt.HatWert() || jetzt.Wert() != ist(satz)) {
            return nicht(Satzname(formular_.Namen(), satz) +
                         " wurde seitdem von einem anderen Programm geändert. Es wurde nichts "
                         "zurückgeschrieben.");
        }
    }
    const auto& stammIst = rueckwaerts ? schritt.StammNachher : schritt.StammVorher;
    const auto& stammSoll = rueckwaerts ? schritt.StammVorher : schritt.StammNachher;
    if (stammIst && stammIst->Namen != formular_.Namen()) {
        return nicht("Die Stammdaten wurden seitdem geändert. Es wurde nichts zurückgeschrieben.");
    }
    {
        // Whole or not at all, the settings record with the names included.
        Datenbestand::Verbund verbund(daten_);
        Erwartet<void> geschrieben;
        for (const Satzaenderung& satz : schritt.Saetze) {
            geschrieben = daten_.SatzSchreiben(satz.Datei, satz.SatzNr, soll(satz));
            if (!geschrieben.HatWert()) {
                break;
            }
        }
        // The line printer goes with the step only where the step changed
        // it; otherwise it stays as the user last stored it.
        const bool drucker =
            stammSoll && stammIst && stammIst->Zeilendrucker != stammSoll->Zeilendrucker
                ? stammSoll->Zeilendrucker
                : formular_.ZeilendruckerGespeichert();
        if (geschrieben.HatWert() && stammSoll) {
            auto einstellungen = daten_.FallLesen(EinstellungsSatz);
            geschrieben =
                einstellungen.HatWert()
                    ? daten_.FallSchreiben(EinstellungsSatz,
                                           NamenEintragen(einstellungen.Wert(), EinstellungsSatz,
                                                          stammSoll->Namen, drucker))
                    : Erwartet<void>(einstellungen.Fehler());
        }
        if (geschrieben.HatWert()) {
            // To the disk with the case's own save, which the loading below
            // makes due.
            geschrieben = verbund.Abschliessen(false);
        }
        if (!geschrieben.HatWert()) {
            const bool zurueck = verbund.Zuruecknehmen().HatWert();
            a.Meldungen.push_back(Dateimeldung(
                geschrieben.Fehler(),
                was +
                    (rueckwaerts ? " wurde nicht rückgängig gemacht. "
                                 : " wurde nicht wiederholt. ") +
                    (zurueck ? std::string("Die Daten sind unverändert.")
                             : std::string("Die Daten enthalten den Schritt nur zum Teil; "
                                           "Lohnwippe stellt den bisherigen Stand beim nächsten "
                                           "erfolgreichen Speichern wieder her."))));
            verlauf_.Verwerfen();
            return Fertig(std::move(a));
        }
        verlauf_.Gegangen(rueckwaerts);
        if (stammSoll) {
            formular_.Zurueckgeschrieben(stammSoll->Namen, drucker);
        }
    }
    if (std::any_of(schritt.Saetze.begin(), schritt.Saetze.end(), [](const Satzaenderung& s) {
            return s.Datei == Datendatei::Faelle && s.SatzNr >= NamenSatz1;
        })) {
        formular_.NamenNeuLesen();
    }
    a.Personen = true;
    a.Auswahl = true;
    a += Laden(schritt.Monat, schritt.Person, "Es bleibt der bisher angezeigte Fall geöffnet.");
    a.Hinweis = (rueckwaerts ? "Rückgängig gemacht: " : "Wiederholt: ") + schritt.Text;
    verlauf_.Verwerfen();
    return Fertig(std::move(a));
}

}  // namespace lohnwippe
