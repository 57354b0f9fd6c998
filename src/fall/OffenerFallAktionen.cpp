// The user's actions on the case: amounts, switches, employer names, the
// fund and partial month, the copy to December.
#include <algorithm>

#include "calc/Entgelteingabe.h"
#include "calc/Formate.h"
#include "calc/Teilmonat.h"
#include "fall/OffenerFall.h"
#include "store/Cp1252.h"

namespace lohnwippe {

Aenderung OffenerFall::KasseWaehlen(int kasse) {
    // While a save is owed, the record in memory is older than the screen.
    if (ungesichert_) {
        gespeichert_ = SatzVomBildschirm();
    }
    gespeichert_.KassePos = static_cast<std::int16_t>(kasse);
    Aenderung a;
    if (auto geschrieben = daten_.FallSchreiben(fallNr_, gespeichert_); geschrieben.HatWert()) {
        ungesichert_ = false;
        sicherungFaellig_ = true;
        Gesichert();
        Ersetzungen(a);
        a += NeuLaden();
        if (bildschirm_.KassePos == kasse) {
            return a;
        }
        // The fund is stored, but the case could not be read back: it stays
        // on screen with the new fund.
    } else {
        Ersetzungen(a);
        Speicherfehler(geschrieben.Fehler(), a);
        // Loading would bring back the stored fund and drop what is on screen.
        ungesichert_ = true;
    }
    bildschirm_.KassePos = static_cast<std::int16_t>(kasse);
    a.Fall = true;
    a += Rechnen();
    return a;
}

Aenderung OffenerFall::TeilmonatWaehlen(int position) {
    if (Teilmonatsfaktor(position)) {
        bildschirm_.TeilmonatPos = static_cast<std::int16_t>(position);
    }
    return Rechnen();
}

Aenderung OffenerFall::BeitragWaehlen() {
    return Rechnen();
}

void OffenerFall::EntgeltfeldBetreten(int job) {
    getippt_[static_cast<std::size_t>(job)].reset();
}

void OffenerFall::EntgeltGetippt(int job, std::string text) {
    getippt_[static_cast<std::size_t>(job)] = std::move(text);
}

Aenderung OffenerFall::EntgeltSetzen(int job, Waehrung betrag) {
    bildschirm_.Entgelte[job] = betrag;
    return Rechnen();
}

Aenderung OffenerFall::EntgeltEingeben(int job, std::string_view text) {
    const auto j = static_cast<std::size_t>(job);
    getippt_[j].reset();
    const Entgeltuebernahme uebernahme = EntgeltUebernehmen(text);
    Aenderung a;
    a.Entgelttext[j] = uebernahme.Text;
    if (!uebernahme.Betrag) {
        return a;
    }
    if (*uebernahme.Betrag > HoechstesEntgelt) {
        // Refused like an unreadable amount, so that it can neither stay in
        // the case nor be copied into the later months.
        a.Entgelttext[j] = FormatBetrag(bildschirm_.Entgelte[j]);
        a.Meldungen.push_back({"Lohnwippe",
                               "Das Entgelt " + uebernahme.Text +
                                   " ist zu groß, um es zu berechnen. Das höchste Entgelt, das "
                                   "berechnet werden kann, ist " +
                                   FormatEuro(HoechstesEntgelt) + ".",
                               Symbol::Ausrufezeichen});
        return a;
    }
    a += EntgeltSetzen(job, *uebernahme.Betrag);
    MinijobWarnung(job, "(ALV)", a);
    return a;
}

Aenderung OffenerFall::SchiebereglerGestellt(int job, int position, int& endposition) {
    constexpr int Hoechste = 32767;
    if (position == 1) {
        // The first step to the right jumps to the amount entered.
        const std::int64_t euro = detail::DurchSkalaHalbGerade(bildschirm_.Entgelte[job].Roh());
        position = static_cast<int>(std::clamp<std::int64_t>(euro, 0, Hoechste));
    }
    endposition = position;
    // The box shows the new amount; what was typed into it is gone.
    getippt_[static_cast<std::size_t>(job)].reset();
    Aenderung a = EntgeltSetzen(job, Waehrung::AusGanzzahl(position));
    a.Entgelttext[static_cast<std::size_t>(job)] = FormatBetrag(bildschirm_.Entgelte[job]);
    return a;
}

void OffenerFall::MinijobWarnung(int job, const char* zweig, Aenderung& a) const {
    const Waehrung null;
    const auto j = static_cast<std::size_t>(job);
    if (job < 2 || !Ein(eingaben_.Zweige[j][AV]) || eingaben_.Entgelt[j] <= null ||
        eingaben_.Entgelt[1] <= null) {
        return;
    }
    a.Meldungen.push_back({"Achtung!",
                           std::string("Ein Minijob neben einer versicherungspflichtigen "
                                       "Hauptbeschäftigung\nist in der Arbeitslosenversicherung ") +
                               zweig +
                               " versicherungsfrei\nund wird somit nicht auf die Gleitzone "
                               "angerechnet.\nBitte korrigieren Sie erforderlichenfalls Ihre "
                               "Eingabe!",
                           Symbol::Keines});
}

Aenderung OffenerFall::Umschalten(std::int16_t& zustand) {
    zustand = Gespeichert(Umgeschaltet(SchalterAusGespeichert(zustand)));
    return Rechnen();
}

Aenderung OffenerFall::SchalterKlicken(int job, Jobschalter schalter) {
    auto& zweige = bildschirm_.Zweige[static_cast<std::size_t>(job)];
    auto& umlagen = bildschirm_.Umlagen[static_cast<std::size_t>(job)];
    switch (schalter) {
        case Jobschalter::AV: {
            Aenderung a = Umschalten(zweige[AV]);
            MinijobWarnung(job, "(AV)", a);
            return a;
        }
        case Jobschalter::KV:
        case Jobschalter::PV:
        case Jobschalter::RV:
            return Umschalten(zweige[static_cast<std::size_t>(schalter)]);
        case Jobschalter::KG:
            return Umschalten(umlagen[KGStelle]);
        case Jobschalter::U1:
        case Jobschalter::U2:
        case Jobschalter::U3:
            break;
    }
    return Umschalten(
        umlagen[static_cast<std::size_t>(schalter) - static_cast<std::size_t>(Jobschalter::U1)]);
}

Aenderung OffenerFall::SchalterKlicken(Allgemeinschalter schalter) {
    switch (schalter) {
        case Allgemeinschalter::RVBefreiung:
            return Umschalten(bildschirm_.RVVerzicht);
        case Allgemeinschalter::Sachsen:
            return Umschalten(bildschirm_.SachsenWahl);
        case Allgemeinschalter::Kinderlos:
            break;
    }
    return Umschalten(bildschirm_.KinderlosWahl);
}

void OffenerFall::ArbeitgeberGetippt(int job, std::string text) {
    bildschirm_.Namen[static_cast<std::size_t>(job)] = std::move(text);
}

Aenderung OffenerFall::ArbeitgeberEnter(int job) {
    // While a save is owed, the record in memory is older than the screen.
    if (ungesichert_) {
        gespeichert_ = SatzVomBildschirm();
    }
    gespeichert_.Namen[static_cast<std::size_t>(job)] =
        bildschirm_.Namen[static_cast<std::size_t>(job)];
    Aenderung a;
    auto geschrieben = daten_.FallSchreiben(fallNr_, gespeichert_);
    ungesichert_ = !geschrieben.HatWert();
    if (geschrieben.HatWert()) {
        sicherungFaellig_ = true;
        Gesichert();
    } else {
        Speicherfehler(geschrieben.Fehler(), a);
    }
    Ersetzungen(a);
    return a;
}

const std::string& OffenerFall::ArbeitgeberVerlassen(int job) {
    std::string& name = bildschirm_.Namen[static_cast<std::size_t>(job)];
    const auto anfang = name.find_first_not_of(" \t");
    name = anfang == std::string::npos
               ? std::string()
               : name.substr(anfang, name.find_last_not_of(" \t") - anfang + 1);
    return name;
}

Aenderung OffenerFall::BisDezemberKopieren() {
    Aenderung a;
    gespeichert_ = SatzVomBildschirm();
    if (auto kopiert = daten_.BisDezemberKopieren(fallNr_, gespeichert_); kopiert.HatWert()) {
        Gesichert();
    } else {
        Speicherfehler(kopiert.Fehler(), a);
    }
    Ersetzungen(a);
    a += Rechnen();
    return a;
}

}  // namespace lohnwippe
