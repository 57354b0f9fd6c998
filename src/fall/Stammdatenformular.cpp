#include "fall/Stammdatenformular.h"

#include "calc/Formate.h"
#include "calc/Satz.h"
#include "calc/Umlagebox.h"
#include "calc/Zeichen.h"
#include "fall/Startbefund.h"
#include "store/Cp1252.h"
#include "store/Satznummern.h"

namespace lohnwippe {

namespace {

const char* const StammdatenTitel = "Stammdaten";
const std::string NichtGespeichert =
    "Die Stammdaten sind nicht gespeichert; die Dateien sind unverändert. Das Fenster bleibt "
    "offen, Ihre Eingaben bleiben erhalten.";
const std::string TeilweiseGespeichert =
    "Die Stammdaten sind nur zum Teil gespeichert; Lohnwippe stellt den bisherigen Stand beim "
    "nächsten erfolgreichen Speichern wieder her. Das Fenster bleibt offen, Ihre Eingaben "
    "bleiben erhalten.";

Meldung Stammdatenmeldung(const DateiFehler& fehler, std::string_view folge) {
    return Dateimeldung(fehler, folge, StammdatenTitel);
}

// A failed save puts back what went through: names and rates are stored
// together or not at all.
Aenderung Gescheitert(const DateiFehler& fehler, Datenbestand::Verbund& verbund) {
    Aenderung a;
    const bool zurueck = verbund.Zuruecknehmen().HatWert();
    a.Meldungen.push_back(
        Stammdatenmeldung(fehler, zurueck ? NichtGespeichert : TeilweiseGespeichert));
    return a;
}

// A name exactly as the file now holds it: cut or padded to 20
// characters, characters outside the file's character set as "?".
std::string WieGespeichert(const std::string& name) {
    std::array<std::byte, TextfeldLaenge> feld{};
    TextfeldKodieren(name, feld);
    return TextfeldDekodieren(feld);
}

const char* Grund(Satzfehler fehler) {
    switch (fehler) {
        case Satzfehler::KeineZahl:
            return "ist keine gültige Zahl.";
        case Satzfehler::ZuGross:
            return "ist zu groß zum Speichern (höchstens 32,767).";
        case Satzfehler::ZuKlein:
            break;
    }
    return "ist zu klein zum Speichern (mindestens -32,768).";
}

}  // namespace

std::string Stammdatenformular::Satztext(std::int64_t tausendstel) {
    return SatzText(Satz::AusTausendsteln(tausendstel), 3);
}

Aenderung Stammdatenformular::KasseWaehlen(Kassenplatz kasse) const {
    Aenderung a;
    std::array<std::string, MonateJeJahr> u1, u2;
    const auto k = static_cast<std::size_t>(kasse.Wert());
    for (int m = 0; m < MonateJeJahr; ++m) {
        auto satz = daten_.UmlageLesen(ErsterUmlagesatz2012 + m);
        if (!satz.HatWert()) {
            a.U1Texte.emplace();
            a.U2Texte.emplace();
            a.Meldungen.push_back(Stammdatenmeldung(
                satz.Fehler(), "Die Umlagesätze dieser Kasse konnten nicht gelesen werden."));
            return a;
        }
        u1[static_cast<std::size_t>(m)] = Satztext(satz.Wert().U1Saetze[k]);
        u2[static_cast<std::size_t>(m)] = Satztext(satz.Wert().U2Saetze[k]);
    }
    a.U1Texte = std::move(u1);
    a.U2Texte = std::move(u2);
    return a;
}

Aenderung Stammdatenformular::U1Enter(std::array<std::string, MonateJeJahr> u1, Monatsplatz monat) {
    Aenderung a;
    const auto m = static_cast<std::size_t>(monat.Wert());
    if (Getrimmt(u1[m]).empty()) {
        u1[m] = "0";
        a.U1Texte = std::move(u1);
        return a;
    }
    const U1Uebernahme uebernahme = U1Uebernehmen(u1[m]);
    // A rate usually holds for the rest of the year.
    for (std::size_t spaeter = m; spaeter < u1.size(); ++spaeter) {
        u1[spaeter] = Satztext(uebernahme.Tausendstel);
    }
    a.U1Texte = std::move(u1);
    if (uebernahme.Korrigiert) {
        a.Meldungen.push_back(
            {"Korrektor", "Ihre Eingabe lag außerhalb des Bereichs und mußte korrigiert werden.",
             Symbol::Ausrufezeichen});
    }
    return a;
}

Aenderung Stammdatenformular::Speichern(const Stammdateneingabe& eingabe) {
    std::array<Datenbestand::Monatswerte, 2> saetze{};
    for (int u = 1; u <= 2; ++u) {
        for (int m = 0; m < MonateJeJahr; ++m) {
            const auto i = static_cast<std::size_t>(m);
            const Satzlesung lesung = UmlageboxLesen((u == 1 ? eingabe.U1 : eingabe.U2)[i]);
            if (lesung.Fehler) {
                Aenderung a;
                a.Meldungen.push_back({StammdatenTitel,
                                       "Der Umlagesatz U " + std::to_string(u) + " für " +
                                           VollerMonatsname(m + 1) + " " + Grund(*lesung.Fehler),
                                       Symbol::Ausrufezeichen});
                a.Korrigieren = Satzbox{u == 1 ? U1 : U2, *Monatsplatz::Aus(m)};
                return a;
            }
            saetze[static_cast<std::size_t>(u - 1)][i] = lesung.Tausendstel;
        }
    }

    Namensfelder neu{eingabe.Personen, eingabe.Abrechnungsstelle};
    Datenbestand::Verbund verbund(daten_);
    for (const int satzNr : {NamenSatz1, NamenSatz2, EinstellungsSatz}) {
        auto gelesen = daten_.FallLesen(satzNr);
        if (!gelesen.HatWert()) {
            return Gescheitert(gelesen.Fehler(), verbund);
        }
        if (auto geschrieben = daten_.FallSchreiben(
                satzNr, NamenEintragen(gelesen.Wert(), satzNr, neu, zeilendrucker_));
            !geschrieben.HatWert()) {
            return Gescheitert(geschrieben.Fehler(), verbund);
        }
    }
    if (auto geschrieben =
            daten_.Umlagesaetze2012Schreiben(eingabe.Kasse.Wert(), saetze[0], saetze[1]);
        !geschrieben.HatWert()) {
        return Gescheitert(geschrieben.Fehler(), verbund);
    }
    if (auto gesichert = verbund.Abschliessen(); !gesichert.HatWert()) {
        return Gescheitert(gesichert.Fehler(), verbund);
    }
    // The main window shows what the next start will read.
    for (std::string& name : neu.Personen) {
        name = WieGespeichert(name);
    }
    for (std::string& zeile : neu.Abrechnungsstelle) {
        zeile = WieGespeichert(zeile);
    }
    namen_ = neu;
    zeilendruckerGespeichert_ = zeilendrucker_;
    Aenderung a;
    a.Personen = true;
    a.StammdatenSchliessen = true;
    return a;
}

std::optional<Fallsatz> Stammdatenformular::Einlesen(Aenderung& a) {
    std::array<Fallsatz, 3> saetze;
    for (std::size_t i = 0; i < saetze.size(); ++i) {
        auto satz = daten_.FallLesen(NamenSatz1 + static_cast<int>(i));
        if (!satz.HatWert()) {
            a.Meldungen.push_back(
                Programmende(satz.Fehler(),
                             "Die Namen der Personalfälle und der Abrechnungsstelle konnten nicht "
                             "gelesen werden. "));
            return std::nullopt;
        }
        saetze[i] = std::move(satz).Wert();
    }
    namen_ = NamenLesen(saetze[0], saetze[1], saetze[2]);
    return saetze[2];
}

bool Stammdatenformular::NamenNeuLesen() {
    auto namen = daten_.Namen();
    if (!namen.HatWert()) {
        return false;
    }
    namen_ = std::move(namen).Wert();
    return true;
}

void Stammdatenformular::Zurueckgeschrieben(Namensfelder namen, bool drucker) {
    namen_ = std::move(namen);
    if (drucker != zeilendruckerGespeichert_) {
        zeilendrucker_ = zeilendruckerGespeichert_ = drucker;
    }
}

}  // namespace lohnwippe
