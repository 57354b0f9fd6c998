// The user's actions on the case: amounts, switches, employer names, the
// fund and partial month, the copy to December.
#include <algorithm>

#include "calc/Entgelteingabe.h"
#include "calc/Formate.h"
#include "calc/Teilmonat.h"
#include "calc/Zeichen.h"
#include "fall/OffenerFall.h"

namespace lohnwippe {

Aenderung OffenerFall::KasseWaehlen(Kassenplatz kasse) {
    SchrittBenennen(std::string("Kasse ") + Kassennamen[static_cast<std::size_t>(kasse.Wert())] +
                    ", " + Fallname());
    SatzImSpeicher().KassePos = static_cast<std::int16_t>(kasse.Wert());
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

Aenderung OffenerFall::TeilmonatWaehlen(Teilmonatsplatz teilmonat) {
    SchrittBenennen("Teilmonat „" + TeilmonatText(teilmonat.Wert()) + "“, " + Fallname());
    bildschirm_.Angaben().Teilmonat = teilmonat;
    return Fertig(Rechnen());
}

Aenderung OffenerFall::BeitragWaehlen() {
    return Fertig(Rechnen());
}

Aenderung OffenerFall::EntgeltfeldBetreten(Job job) {
    bildschirm_.Getippt()[job].reset();
    return {};
}

Aenderung OffenerFall::EntgeltGetippt(Job job, std::string text) {
    bildschirm_.Getippt()[job] = std::move(text);
    return {};
}

Aenderung OffenerFall::EntgeltSetzen(Job job, Waehrung betrag) {
    // Undo goes back to the amount stored, which after a failed save is
    // not the one on screen.
    Waehrung bisher = bildschirm_.Angaben()[job].Entgelt;
    if (sicherung_.Ungesichert()) {
        if (auto gespeichert = daten_.FallLesen(bildschirm_.FallNr()); gespeichert.HatWert()) {
            bisher = gespeichert.Wert().Entgelte[job];
        }
    }
    SchrittBenennen("Entgelt " + Jobname(job) + " " + FormatBetrag(bisher) + " → " +
                    FormatBetrag(betrag) + ", " + Fallname());
    bildschirm_.Angaben()[job].Entgelt = betrag;
    return Rechnen();
}

Aenderung OffenerFall::EntgeltEingeben(Job job, std::string_view text) {
    bildschirm_.Getippt()[job].reset();
    const Entgeltuebernahme uebernahme = EntgeltUebernehmen(text);
    Aenderung a;
    a.Entgelttext[job] = uebernahme.Text;
    if (auto zuGross = EntgeltZuGross(uebernahme, text)) {
        // Refused like an unreadable amount, so that it can neither stay in
        // the case nor be copied into the later months.
        a.Entgelttext[job] = FormatBetrag(bildschirm_.Angaben()[job].Entgelt);
        a.Meldungen.push_back(std::move(*zuGross));
        return Fertig(std::move(a));
    }
    if (!uebernahme.Betrag) {
        return Fertig(std::move(a));
    }
    a += EntgeltSetzen(job, *uebernahme.Betrag);
    MinijobWarnung(job, "(ALV)", a);
    return Fertig(std::move(a));
}

Aenderung OffenerFall::SchiebereglerGestellt(Job job, int position) {
    constexpr int Hoechste = 32767;
    if (position == 1) {
        // The first step to the right jumps to the amount entered.
        const std::int64_t euro =
            detail::DurchSkalaHalbGerade(bildschirm_.Angaben()[job].Entgelt.Roh());
        position = static_cast<int>(std::clamp<std::int64_t>(euro, 0, Hoechste));
    }
    // The box shows the new amount; what was typed into it is gone.
    bildschirm_.Getippt()[job].reset();
    Aenderung a = EntgeltSetzen(job, Waehrung::AusGanzzahl(position));
    a.Regler[job] = position;
    a.Entgelttext[job] = FormatBetrag(bildschirm_.Angaben()[job].Entgelt);
    return Fertig(std::move(a));
}

void OffenerFall::MinijobWarnung(Job job, const char* zweig, Aenderung& a) const {
    const Waehrung null;
    if (job.Nr() < 2 || !Ein(bildschirm_.Eingabewerte().Zweige[job][AV]) ||
        bildschirm_.Eingabewerte().Entgelt[job] <= null ||
        bildschirm_.Eingabewerte().Entgelt[1] <= null) {
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

Aenderung OffenerFall::SchalterKlicken(Job job, Jobschalter schalter) {
    Schalter& zustand = bildschirm_.Angaben().SchalterVon(job, schalter);
    zustand = Umgeschaltet(zustand);
    SchrittBenennen(Schaltername(schalter) + " " + Jobname(job) +
                    (zustand == Schalter::An ? " an, " : " aus, ") + Fallname());
    Aenderung a = Rechnen();
    if (schalter == Jobschalter::AV) {
        MinijobWarnung(job, "(AV)", a);
    }
    return Fertig(std::move(a));
}

Aenderung OffenerFall::SchalterKlicken(Allgemeinschalter schalter) {
    Schalter& zustand = bildschirm_.Angaben().SchalterVon(schalter);
    zustand = Umgeschaltet(zustand);
    SchrittBenennen(Schaltername(schalter) + (zustand == Schalter::An ? " an, " : " aus, ") +
                    Fallname());
    return Fertig(Rechnen());
}

Aenderung OffenerFall::ArbeitgeberGetippt(Job job, std::string text) {
    bildschirm_.Angaben()[job].Arbeitgeber = std::move(text);
    return {};
}

Aenderung OffenerFall::ArbeitgeberEnter(Job job) {
    SchrittBenennen("Arbeitgeber " + Jobname(job) + " „" +
                    std::string(Getrimmt(bildschirm_.Angaben()[job].Arbeitgeber)) + "“, " +
                    Fallname());
    SatzImSpeicher().Namen[job] = bildschirm_.Angaben()[job].Arbeitgeber;
    Aenderung a;
    sicherung_.FallSchreiben(bildschirm_.FallNr(), bildschirm_.Satz(), a);
    return Fertig(std::move(a));
}

Aenderung OffenerFall::ArbeitgeberVerlassen(Job job) {
    std::string& name = bildschirm_.Angaben()[job].Arbeitgeber;
    name = std::string(Getrimmt(name));
    Aenderung a;
    a.Arbeitgebertext[job] = name;
    return a;
}

Aenderung OffenerFall::BisDezemberKopieren() {
    SchrittBenennen("--> Dez., " +
                    (bildschirm_.Monat().Monat < MonateJeJahr
                         ? VollerMonatsname(bildschirm_.Monat().Monat + 1) + " bis "
                         : std::string()) +
                    MonatUndJahr(MonateJeJahr, bildschirm_.Monat().Jahr));
    Aenderung a;
    bildschirm_.Festhalten();
    sicherung_.BisDezember(bildschirm_.FallNr(), bildschirm_.Satz(), a);
    a += Rechnen();
    return Fertig(std::move(a));
}

}  // namespace lohnwippe
