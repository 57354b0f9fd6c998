// What lies around the case: the master data, the report and the end of
// the program.
#include "calc/Entgelteingabe.h"
#include "calc/Formate.h"
#include "calc/Teilmonat.h"
#include "calc/Zeichen.h"
#include "fall/Fallrechnung.h"
#include "fall/OffenerFall.h"
#include "store/Cp1252.h"
#include "store/Satznummern.h"

namespace lohnwippe {

namespace {

// A name as the file would hold it, to tell whether storing it changes
// anything.
std::string WieGespeichert(const std::string& name) {
    std::array<std::byte, TextfeldLaenge> feld{};
    TextfeldKodieren(name, feld);
    return TextfeldDekodieren(feld);
}

}  // namespace

Aenderung OffenerFall::StammdatenKasseWaehlen(Kassenplatz kasse) {
    return formular_.KasseWaehlen(kasse);
}

Aenderung OffenerFall::U1Enter(std::array<std::string, MonateJeJahr> u1, Monatsplatz monat) {
    return Stammdatenformular::U1Enter(std::move(u1), monat);
}

Aenderung OffenerFall::ZeilendruckerSetzen(bool an) {
    formular_.ZeilendruckerSetzen(an);
    return {};
}

Aenderung OffenerFall::StammdatenSpeichern(const Stammdateneingabe& eingabe) {
    // The line printer as the box shows it now may not be stored yet.
    const Schritt::Stammwerte vorher{formular_.Namen(), formular_.ZeilendruckerGespeichert()};
    SchrittBenennen(std::string("Stammdaten, Umlagesätze 2012 ") +
                    Kassennamen[static_cast<std::size_t>(eingabe.Kasse.Wert())]);
    Aenderung a = formular_.Speichern(eingabe);
    if (a.StammdatenSchliessen) {
        verlauf_.Laufend()->StammVorher = vorher;
        verlauf_.Laufend()->StammNachher =
            Schritt::Stammwerte{formular_.Namen(), formular_.Zeilendrucker()};
    }
    if (!a.StammdatenSchliessen) {
        return Fertig(std::move(a));
    }
    sicherung_.Ersetzungen(a);
    const Erwartet<void> gesichert = OffenenFallSichern();
    if (gesichert.HatWert()) {
        a += NeuLaden();
        return Fertig(std::move(a));
    }
    // Reloading would replace values on screen that are not stored yet;
    // they stay, calculated with the rates of their month as now stored.
    a.Meldungen.push_back(
        Dateimeldung(gesichert.Fehler(),
                     "Die Stammdaten sind gespeichert, der angezeigte Fall noch nicht. Er bleibt "
                     "mit Ihren Eingaben geöffnet und wird mit den neuen Sätzen berechnet. Bitte "
                     "beheben Sie die Ursache (zum Beispiel Speicherplatz freigeben)."));
    auto umlagen = daten_.UmlageLesen(UmlageNr(bildschirm_.Monat()));
    if (!umlagen.HatWert()) {
        a.Meldungen.push_back(
            Dateimeldung(umlagen.Fehler(),
                         "Die Beitrags- und Umlagesätze für " +
                             MonatUndJahr(bildschirm_.Monat().Monat, bildschirm_.Monat().Jahr) +
                             " konnten nicht gelesen werden. Bis der Fall neu geladen wird, "
                             "rechnet er mit den bisherigen Sätzen."));
        return Fertig(std::move(a));
    }
    bildschirm_.UmlagenSetzen(umlagen.Wert());
    a.Fall = true;
    a += Rechnen();
    return Fertig(std::move(a));
}

Aenderung OffenerFall::Schliessen() {
    Aenderung a;
    // What was typed without Enter is taken over as Enter takes it; the
    // warnings meant for a correction do not hold up the end, but an amount
    // too large to store is lost, and that is said.
    for (const Job job : AlleJobs) {
        auto& getippt = bildschirm_.Getippt()[job];
        // A box only emptied by entering it, or emptied again, changes nothing.
        if (!getippt || Getrimmt(*getippt).empty()) {
            getippt.reset();
            continue;
        }
        const Entgeltuebernahme uebernahme = EntgeltUebernehmen(*getippt);
        const auto zuGross =
            EntgeltZuGross(uebernahme, *getippt,
                           "Gespeichert bleibt das bisherige Entgelt " +
                               FormatEuro(bildschirm_.Angaben()[job].Entgelt) + ".");
        getippt.reset();
        if (zuGross) {
            a.Meldungen.push_back(*zuGross);
        } else if (uebernahme.Betrag && *uebernahme.Betrag != bildschirm_.Angaben()[job].Entgelt) {
            a += EntgeltSetzen(job, *uebernahme.Betrag);
            a.Entgelttext[job] = uebernahme.Text;
        }
    }
    for (const Job job : AlleJobs) {
        if (WieGespeichert(bildschirm_.Angaben()[job].Arbeitgeber) !=
            WieGespeichert(bildschirm_.Satz().Namen[job])) {
            a += ArbeitgeberEnter(job);
        }
    }

    ersetzung_.SchliessenBeginnen();
    // The user decides whether to end with something unsaved.
    const Erwartet<void> gesichert =
        sicherung_.Beenden(bildschirm_.FallNr(), SatzImSpeicher(), fenster_.Position());
    sicherung_.Ersetzungen(a);
    if (!gesichert.HatWert()) {
        a.Frage = gesichert.Fehler().Meldung() +
                  "\n\nNicht alle Eingaben und Einstellungen sind gespeichert; was fehlt, geht "
                  "beim Beenden verloren. Trotzdem beenden?";
    }
    return Fertig(std::move(a));
}

}  // namespace lohnwippe
