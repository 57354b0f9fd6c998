// What lies around the case: the master data, the report, handing the
// files to the disk, and the end of the program.
#include <cstring>

#include "calc/Entgelteingabe.h"
#include "calc/Formate.h"
#include "calc/Teilmonat.h"
#include "calc/Umlagebox.h"
#include "fall/OffenerFall.h"
#include "store/Cp1252.h"
#include "store/Satznummern.h"

namespace lohnwippe {

namespace {

const char* const StammdatenTitel = "Stammdaten";
const std::string NichtGespeichert =
    "Die Stammdaten sind nicht vollständig gespeichert. Das Fenster bleibt offen, Ihre "
    "Eingaben bleiben erhalten.";

Meldung Stammdatenmeldung(const DateiFehler& fehler, const std::string& folge) {
    return {StammdatenTitel, fehler.Meldung() + "\n\n" + folge, Symbol::Fehler};
}

// A name exactly as the file now holds it: cut or padded to 20
// characters, characters outside the file's character set as "?".
std::string WieGespeichert(const std::string& name) {
    std::array<std::byte, TextfeldLaenge> feld{};
    TextfeldKodieren(name, feld);
    return TextfeldDekodieren(feld);
}

}  // namespace

std::variant<std::array<Datenbestand::Monatswerte, 2>, Meldung> OffenerFall::Umlagesaetze2012(
    int kasse) {
    std::array<Datenbestand::Monatswerte, 2> saetze{};
    for (int m = 0; m < MonateJeJahr; ++m) {
        auto satz = daten_.UmlageLesen(ErsterUmlagesatz2012 + m);
        if (!satz.HatWert()) {
            return Stammdatenmeldung(satz.Fehler(),
                                     "Die Umlagesätze dieser Kasse konnten nicht gelesen werden.");
        }
        saetze[0][static_cast<std::size_t>(m)] =
            satz.Wert().U1Saetze[static_cast<std::size_t>(kasse)];
        saetze[1][static_cast<std::size_t>(m)] =
            satz.Wert().U2Saetze[static_cast<std::size_t>(kasse)];
    }
    return saetze;
}

std::variant<Aenderung, Stammdatenfehler> OffenerFall::StammdatenSpeichern(
    const Stammdateneingabe& eingabe) {
    // Every box is checked before anything is written, so that a wrong one
    // leaves the files as they were.
    std::array<Datenbestand::Monatswerte, 2> saetze{};
    for (std::size_t s = 0; s < 2; ++s) {
        for (int m = 0; m < MonateJeJahr; ++m) {
            const std::string& text =
                (s == 0 ? eingabe.U1 : eingabe.U2)[static_cast<std::size_t>(m)];
            const Satzlesung lesung = UmlageboxLesen(text);
            if (lesung.Fehler) {
                const char* grund = *lesung.Fehler == Satzfehler::KeineZahl
                                        ? "ist keine gültige Zahl."
                                    : *lesung.Fehler == Satzfehler::ZuGross
                                        ? "ist zu groß zum Speichern (höchstens 32,767)."
                                        : "ist zu klein zum Speichern (mindestens -32,768).";
                return Stammdatenfehler{{{StammdatenTitel,
                                          "Der Umlagesatz U " + std::to_string(s + 1) + " für " +
                                              VollerMonatsname(m + 1) + " " + grund,
                                          Symbol::Ausrufezeichen}},
                                        std::pair{static_cast<int>(s) + 1, m}};
            }
            saetze[s][static_cast<std::size_t>(m)] = lesung.Tausendstel;
        }
    }

    Namensfelder neu{eingabe.Personen, eingabe.Abrechnungsstelle};
    for (const int satzNr : {NamenSatz1, NamenSatz2, EinstellungsSatz}) {
        auto gelesen = daten_.FallLesen(satzNr);
        if (!gelesen.HatWert()) {
            return Stammdatenfehler{{Stammdatenmeldung(gelesen.Fehler(), NichtGespeichert)}, {}};
        }
        if (auto geschrieben = daten_.FallSchreiben(
                satzNr, NamenEintragen(gelesen.Wert(), satzNr, neu, zeilendrucker_));
            !geschrieben.HatWert()) {
            return Stammdatenfehler{{Stammdatenmeldung(geschrieben.Fehler(), NichtGespeichert)},
                                    {}};
        }
    }
    // The main window shows what the next start will read.
    for (std::string& name : neu.Personen) {
        name = WieGespeichert(name);
    }
    for (std::string& zeile : neu.Abrechnungsstelle) {
        zeile = WieGespeichert(zeile);
    }
    namen_ = neu;

    if (auto geschrieben = daten_.Umlagesaetze2012Schreiben(eingabe.Kasse, saetze[0], saetze[1]);
        !geschrieben.HatWert()) {
        return Stammdatenfehler{
            {Stammdatenmeldung(geschrieben.Fehler(), NichtGespeichert)}, {}, true};
    }
    // The names went to the case file; the rates are on disk already.
    if (auto gesichert = daten_.Sichern(); !gesichert.HatWert()) {
        return Stammdatenfehler{
            {Stammdatenmeldung(gesichert.Fehler(), NichtGespeichert)}, {}, true};
    }
    Aenderung a;
    a.Personen = true;
    Ersetzungen(a);
    // Reloading would replace values on screen that are not stored yet.
    if (OffenenFallSichern().HatWert()) {
        a += NeuLaden();
    }
    return a;
}

std::string OffenerFall::Satztext(std::int64_t tausendstel) {
    return FormatDezimal(Waehrung::AusRoh(tausendstel * 10), 3);
}

std::optional<Meldung> OffenerFall::U1Enter(std::array<std::string, MonateJeJahr>& u1, int monat) {
    std::string& box = u1[static_cast<std::size_t>(monat)];
    if (box.find_first_not_of(" \t") == std::string::npos) {
        box = "0";
        return std::nullopt;
    }
    const U1Uebernahme uebernahme = U1Uebernehmen(box);
    // A rate usually holds for the rest of the year.
    for (int m = monat; m < MonateJeJahr; ++m) {
        u1[static_cast<std::size_t>(m)] = Satztext(uebernahme.Tausendstel);
    }
    if (!uebernahme.Korrigiert) {
        return std::nullopt;
    }
    return Meldung{"Korrektor",
                   "Ihre Eingabe lag außerhalb des Bereichs und mußte korrigiert werden.",
                   Symbol::Ausrufezeichen};
}

Berichtsdaten OffenerFall::Bericht(int jahr, int monat, int tag) const {
    Berichtsdaten d;
    d.Abrechnungsstelle1 = namen_.Abrechnungsstelle[0];
    d.Abrechnungsstelle2 = namen_.Abrechnungsstelle[1];
    d.Jahr = jahr;
    d.Monat = monat;
    d.Tag = tag;
    d.Person = namen_.Personen[static_cast<std::size_t>(personPos_)];
    d.MonatText = Monatskuerzel(monat_.Monat);
    d.JahrText = Jahrestext(monat_.Jahr);
    d.Arbeitgeber = bildschirm_.Namen;
    d.Kasse = Kassennamen[static_cast<std::size_t>(bildschirm_.KassePos)];
    d.TeilmonatText = TeilmonatText(bildschirm_.TeilmonatPos);
    d.RVVerzichtImSatz = gespeichert_.RVVerzicht;
    d.KinderlosImSatz = gespeichert_.KinderlosWahl;
    d.RVBefreiungAngehakt = NichtAus(SchalterAusGespeichert(bildschirm_.RVVerzicht));
    d.Eingabe = eingaben_;
    d.Resultat = ergebnis_;
    const Kassenprozente prozente = KassenprozenteVon(umlagesatz_, bildschirm_.KassePos);
    d.U1Prozent = prozente.U1;
    d.U2Prozent = prozente.U2;
    d.U3Prozent = prozente.U3;
    d.Zeilendrucker = zeilendrucker_ ? 1 : 0;
    return d;
}

OffenerFall::Schluss OffenerFall::Schliessen() {
    Schluss schluss;
    Aenderung a;
    // What was typed without Enter is taken over as Enter takes it; the
    // warnings meant for a correction do not hold up the end.
    for (int j = ErsteSpalte; j <= LetzterJob; ++j) {
        auto& getippt = getippt_[static_cast<std::size_t>(j)];
        // A box only emptied by entering it, or emptied again, changes nothing.
        if (!getippt || getippt->find_first_not_of(' ') == std::string::npos) {
            getippt.reset();
            continue;
        }
        const Entgeltuebernahme uebernahme = EntgeltUebernehmen(*getippt);
        getippt.reset();
        if (uebernahme.Betrag && *uebernahme.Betrag <= HoechstesEntgelt &&
            *uebernahme.Betrag != bildschirm_.Entgelte[j]) {
            a += EntgeltSetzen(j, *uebernahme.Betrag);
        }
    }
    for (int j = ErsteSpalte; j <= LetzterJob; ++j) {
        if (WieGespeichert(bildschirm_.Namen[j]) != WieGespeichert(gespeichert_.Namen[j])) {
            a += ArbeitgeberEnter(j);
        }
    }
    schluss.Meldungen = std::move(a.Meldungen);

    // The user decides whether to end with something unsaved.
    Erwartet<void> gesichert = OffenenFallSichern();
    if (gesichert.HatWert()) {
        auto einstellungen = daten_.FallLesen(EinstellungsSatz);
        if (!einstellungen.HatWert()) {
            gesichert = einstellungen.Fehler();
        } else {
            gesichert = daten_.FallSchreiben(
                EinstellungsSatz,
                EinstellungenBeimBeenden(einstellungen.Wert(), fallNr_, fenster_.Position()));
        }
    }
    if (gesichert.HatWert()) {
        gesichert = daten_.Sichern();
    }
    Aenderung ersetzt;
    Ersetzungen(ersetzt);
    schluss.Meldungen.insert(schluss.Meldungen.end(), ersetzt.Meldungen.begin(),
                             ersetzt.Meldungen.end());
    if (gesichert.HatWert()) {
        sicherungFaellig_ = false;
    } else {
        schluss.Frage = gesichert.Fehler().Meldung() +
                        "\n\nNicht alle Eingaben und Einstellungen sind gespeichert; was fehlt, "
                        "geht beim Beenden verloren. Trotzdem beenden?";
    }
    return schluss;
}

}  // namespace lohnwippe
