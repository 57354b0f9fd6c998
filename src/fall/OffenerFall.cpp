#include "fall/OffenerFall.h"

#include <stdexcept>

#include "calc/Formate.h"
#include "store/Satznummern.h"
#include "store/Umlagenpruefung.h"

namespace lohnwippe {

namespace {

const char* const Titel = "Lohnwippe";

const std::string NichtGesichertText =
    "Der angezeigte Fall ist noch nicht gespeichert. Bitte beheben Sie die Ursache (zum "
    "Beispiel Speicherplatz freigeben) und versuchen Sie es erneut.";

Meldung Fehlermeldung(const DateiFehler& fehler, const std::string& folge) {
    return {Titel, fehler.Meldung() + "\n\n" + folge, Symbol::Fehler};
}

const std::string Beenden = "Das Programm wird beendet.";
const std::string Bleiben = "Es bleibt der bisher angezeigte Fall geöffnet.";

Meldung Programmende(const DateiFehler& fehler) {
    return Fehlermeldung(fehler, Beenden);
}

}  // namespace

OffenerFall::OffenerFall(Datenbestand daten, Fensterlage& fenster)
    : daten_(std::move(daten)), fenster_(fenster) {}

OffenerFall::Start OffenerFall::Starten(Datenbestand daten, Fensterlage& fenster) {
    Start start;
    std::unique_ptr<OffenerFall> fall(new OffenerFall(std::move(daten), fenster));
    Datenbestand& d = fall->daten_;
    auto leer = d.FalldateiLeer();
    if (!leer.HatWert()) {
        start.Anzeige.Meldungen.push_back(Programmende(leer.Fehler()));
        return start;
    }
    // What the start finds wrong in the files is said once, in one box:
    // levy records it had to restore, lengths that are not those of the
    // records, and rates no fund ever had.
    std::string befund;
    const auto sagen = [&befund](const std::string& text) {
        if (!text.empty()) {
            befund += (befund.empty() ? "" : "\n\n") + text;
        }
    };
    if (leer.Wert()) {
        auto angelegt = d.DatenAnlegen();
        if (!angelegt.HatWert()) {
            start.Anzeige.Meldungen.push_back(Programmende(angelegt.Fehler()));
            return start;
        }
        // A new installation next to a new levy file is nothing to tell.
        if (angelegt.Wert().size() < static_cast<std::size_t>(AnzahlUmlagesaetze)) {
            sagen(UmlagenErgaenztMeldung(angelegt.Wert()));
        }
    } else {
        auto ergaenzt = d.UmlagenErgaenzen();
        if (!ergaenzt.HatWert()) {
            start.Anzeige.Meldungen.push_back(Programmende(ergaenzt.Fehler()));
            return start;
        }
        sagen(UmlagenErgaenztMeldung(ergaenzt.Wert()));
        auto luecken = d.Luecken();
        if (!luecken.HatWert()) {
            start.Anzeige.Meldungen.push_back(Programmende(luecken.Fehler()));
            return start;
        }
        for (const auto& luecke : luecken.Wert()) {
            sagen(luecke.Meldung());
        }
    }
    auto unplausibel = d.UnplausibleUmlagen();
    if (!unplausibel.HatWert()) {
        start.Anzeige.Meldungen.push_back(Programmende(unplausibel.Fehler()));
        return start;
    }
    if (!unplausibel.Wert().Leer()) {
        sagen(unplausibel.Wert().Meldung());
    }
    if (!befund.empty()) {
        start.Anzeige.Meldungen.push_back({Titel, befund, Symbol::Ausrufezeichen});
    }

    // Every calculation writes the names back into record 603: names not
    // read would replace the stored ones, so the start ends instead.
    std::array<Fallsatz, 3> master;
    for (int i = 0; i < 3; ++i) {
        auto satz = d.FallLesen(NamenSatz1 + i);
        if (!satz.HatWert()) {
            start.Anzeige.Meldungen.push_back(
                Fehlermeldung(satz.Fehler(),
                              "Die Namen der Personalfälle und der Abrechnungsstelle konnten "
                              "nicht gelesen werden. " +
                                  Beenden));
            return start;
        }
        master[static_cast<std::size_t>(i)] = satz.Wert();
    }
    fall->namen_ = NamenLesen(master[0], master[1], master[2]);
    const Fallsatz& einstellungen = master[2];
    fenster.Verschieben({einstellungen.Oben, einstellungen.Links});

    const FallPosition ort = FallZerlegen(StartfallNr(einstellungen.LetzterFall));
    // Without its case there is nothing to show; nothing has been written.
    start.Anzeige += fall->Laden(*Berichtsmonat::AusPositionen(ort.JahrPos, ort.MonatPos),
                                 ort.PersonPos, Beenden);
    if (fall->fallNr_ == 0) {
        return start;
    }
    start.Fall = std::move(fall);
    return start;
}

Aenderung OffenerFall::Laden(Berichtsmonat monat, int personPos, const std::string& folge) {
    Aenderung a;
    const int fallNr = lohnwippe::FallNr(monat, personPos);
    const std::string welcher = VollerMonatsname(monat.Monat) + " " + std::to_string(monat.Jahr);
    auto umlagen = daten_.UmlageLesen(UmlageNr(monat));
    if (!umlagen.HatWert()) {
        a.Auswahl = true;
        a.Meldungen.push_back(
            Fehlermeldung(umlagen.Fehler(), "Die Beitrags- und Umlagesätze für " + welcher +
                                                " konnten nicht gelesen werden. " + folge));
        return a;
    }
    auto satz = daten_.FallLesen(fallNr);
    if (!satz.HatWert()) {
        std::string person = namen_.Personen[static_cast<std::size_t>(personPos)];
        person.erase(person.find_last_not_of(' ') + 1);
        a.Auswahl = true;
        a.Meldungen.push_back(Fehlermeldung(
            satz.Fehler(),
            "Der Fall „" + person + ", " + welcher + "“ konnte nicht gelesen werden. " + folge));
        return a;
    }
    monat_ = monat;
    personPos_ = personPos;
    fallNr_ = fallNr;
    umlagesatz_ = umlagen.Wert();
    gespeichert_ = satz.Wert();
    bildschirm_ = WieAngezeigt(gespeichert_);
    getippt_ = {};
    a.Fall = true;
    for (int j = ErsteSpalte; j <= LetzterJob; ++j) {
        a.Entgelttext[j] = FormatBetrag(bildschirm_.Entgelte[j]);
    }
    a += Rechnen();
    return a;
}

Aenderung OffenerFall::NeuLaden() {
    return Laden(monat_, personPos_, Bleiben);
}

Aenderung OffenerFall::Rechnen() {
    Aenderung a;
    eingaben_ = EingabenAusFall(bildschirm_, umlagesatz_, monat_);
    try {
        ergebnis_ = Berechnen(eingaben_);
    } catch (const std::overflow_error&) {
        a.Meldungen.push_back({Titel,
                               "Die Beträge dieses Falls sind zu groß, um sie zu berechnen. Bitte "
                               "korrigieren Sie die Entgelte.",
                               Symbol::Ausrufezeichen});
        return a;
    }
    ++berechnungen_;
    a.Ergebnis = true;
    FallSichern(a);
    auto summe = daten_.Jahressumme(fallNr_);
    jahressumme_.reset();
    if (summe.HatWert()) {
        jahressumme_ = summe.Wert();
    } else if (summe.Fehler().Art == DateiFehler::Fehlerart::Ueberlauf) {
        // Nothing failed to save; a damaged record holds amounts that no
        // entry can make.
        a.Meldungen.push_back(
            {Titel,
             summe.Fehler().Datei + ", Satz " + std::to_string(summe.Fehler().Satz) +
                 ": Die Entgelte dieses Jahres sind zu groß, um sie zusammenzuzählen; die Datei "
                 "ist vermutlich beschädigt. Das Jahresentgelt wird nicht angezeigt.",
             Symbol::Ausrufezeichen});
    } else if (!fehlerGemeldet_) {
        fehlerGemeldet_ = true;
        a.Meldungen.push_back(
            Fehlermeldung(summe.Fehler(), "Das Jahresentgelt kann nicht angezeigt werden."));
    }
    FallSichern(a);
    return a;
}

Fallsatz OffenerFall::SatzVomBildschirm() const {
    Fallsatz satz = gespeichert_;
    satz.Namen = bildschirm_.Namen;
    satz.Zweige = bildschirm_.Zweige;
    satz.Umlagen = bildschirm_.Umlagen;
    satz.Entgelte = bildschirm_.Entgelte;
    satz.RVVerzicht = bildschirm_.RVVerzicht;
    satz.SachsenWahl = bildschirm_.SachsenWahl;
    satz.KinderlosWahl = bildschirm_.KinderlosWahl;
    satz.TeilmonatPos = bildschirm_.TeilmonatPos;
    satz.KassePos = bildschirm_.KassePos;
    // Nothing reads it in a case record; the person keeps it meaningful.
    satz.LetzterFall = static_cast<std::int16_t>(personPos_);
    return satz;
}

void OffenerFall::FallSichern(Aenderung& a) {
    gespeichert_ = SatzVomBildschirm();
    auto fall = daten_.FallSchreiben(fallNr_, gespeichert_);
    ungesichert_ = !fall.HatWert();
    if (!fall.HatWert()) {
        Speicherfehler(fall.Fehler(), a);
    }
    auto einstellungen = daten_.FallSchreiben(
        EinstellungsSatz,
        EinstellungenNachRechnung(gespeichert_, namen_, personPos_, monat_.JahrPos(),
                                  monat_.MonatPos(), fenster_.Position()));
    if (!einstellungen.HatWert()) {
        Speicherfehler(einstellungen.Fehler(), a);
    }
    sicherungFaellig_ = true;
    if (fall.HatWert() && einstellungen.HatWert()) {
        Gesichert();
    }
    Ersetzungen(a);
}

void OffenerFall::Ersetzungen(Aenderung& a) {
    for (const auto& datei : daten_.ErsetzteDateien()) {
        a.Meldungen.push_back({Titel, datei.Meldung(), Symbol::Ausrufezeichen});
    }
}

void OffenerFall::Speicherfehler(const DateiFehler& fehler, Aenderung& a) {
    // While saving keeps failing, the first message says all there is to say.
    if (fehlerGemeldet_) {
        return;
    }
    fehlerGemeldet_ = true;
    a.Meldungen.push_back(Fehlermeldung(fehler,
                                        "Ihre Eingaben bleiben erhalten und werden beim nächsten "
                                        "erfolgreichen Speichern gesichert."));
}

void OffenerFall::Gesichert() {
    fehlerGemeldet_ = false;
}

Erwartet<void> OffenerFall::OffenenFallSichern() {
    if (!ungesichert_) {
        return {};
    }
    gespeichert_ = SatzVomBildschirm();
    auto ergebnis = daten_.FallSchreiben(fallNr_, gespeichert_);
    if (ergebnis.HatWert()) {
        ungesichert_ = false;
        sicherungFaellig_ = true;
        Gesichert();
    }
    return ergebnis;
}

Aenderung OffenerFall::Verlassen(Berichtsmonat monat, int personPos) {
    Aenderung a;
    if (sicherungFaellig_) {
        for (Meldung& m : Sichern()) {
            a.Meldungen.push_back(std::move(m));
        }
    }
    // The case on screen holds values no save has stored yet; loading
    // another one would throw them away. The selection stays instead.
    auto gesichert = OffenenFallSichern();
    Ersetzungen(a);
    if (!gesichert.HatWert()) {
        a.Auswahl = true;
        a.Meldungen.push_back(Fehlermeldung(gesichert.Fehler(), NichtGesichertText));
        return a;
    }
    a += Laden(monat, personPos, Bleiben);
    return a;
}

Aenderung OffenerFall::JahrWaehlen(int jahr) {
    return Verlassen({jahr, monat_.Monat}, personPos_);
}

Aenderung OffenerFall::MonatWaehlen(int monat) {
    return Verlassen({monat_.Jahr, monat}, personPos_);
}

Aenderung OffenerFall::PersonWaehlen(int personPos) {
    return Verlassen(monat_, personPos);
}

std::vector<Meldung> OffenerFall::Sichern() {
    Aenderung a;
    if (auto gesichert = daten_.Sichern(); !gesichert.HatWert()) {
        // What the disk did not take must be written again.
        ungesichert_ = true;
        Speicherfehler(gesichert.Fehler(), a);
    } else {
        sicherungFaellig_ = false;
    }
    return std::move(a.Meldungen);
}

}  // namespace lohnwippe
