#include "store/Datenbestand.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "store/Standardinhalt.h"

namespace lohnwippe {

namespace {

using Fehlerart = DateiFehler::Fehlerart;

// Record `index` (from 0) of a buffer of consecutive records.
template <std::size_t Laenge>
std::span<std::byte, Laenge> Satzbereich(std::span<std::byte> puffer, int index) {
    return puffer.subspan(static_cast<std::size_t>(index) * Laenge).first<Laenge>();
}

}  // namespace

Erwartet<Datenbestand> Datenbestand::Oeffnen() {
    return Oeffnen([](const std::string& name) { return SystemDatei::Oeffnen(name); });
}

Erwartet<Datenbestand> Datenbestand::Oeffnen(const Oeffner& oeffner) {
    auto falldatei = oeffner(FalldateiName);
    if (!falldatei.HatWert()) {
        return falldatei.Fehler();
    }
    auto gesperrt = falldatei.Wert()->Sperren();
    if (!gesperrt.HatWert()) {
        return gesperrt.Fehler();
    }
    if (!gesperrt.Wert()) {
        return DateiFehler{.Art = Fehlerart::Gesperrt, .Datei = FalldateiName};
    }
    auto umlagedatei = oeffner(UmlagedateiName);
    if (!umlagedatei.HatWert()) {
        return umlagedatei.Fehler();
    }
    return Datenbestand(std::move(falldatei).Wert(), std::move(umlagedatei).Wert());
}

Datenbestand::Datenbestand(std::unique_ptr<Datei> falldatei, std::unique_ptr<Datei> umlagedatei)
    : falldatei_(std::move(falldatei)), umlagedatei_(std::move(umlagedatei)) {}

Datenbestand::Ablage Datenbestand::Falldatei() const {
    return {falldatei_.get(), FallsatzLaenge, HoechsteSatzNr};
}

Datenbestand::Ablage Datenbestand::Umlagedatei() const {
    return {umlagedatei_.get(), UmlagesatzLaenge, AnzahlUmlagesaetze};
}

bool Datenbestand::Ablage::Enthaelt(int ersterSatz, int anzahl) const {
    // Written so that no sum can overflow, whatever number comes in.
    return ersterSatz >= 1 && anzahl >= 1 && ersterSatz <= HoechsteNr - anzahl + 1;
}

DateiFehler Datenbestand::Ablage::MitSatz(DateiFehler fehler) const {
    fehler.Satz = static_cast<long>(fehler.Position / Satzlaenge + 1);
    return fehler;
}

Erwartet<void> Datenbestand::SaetzeLesen(const Ablage& ablage, int ersterSatz, int anzahl,
                                         std::span<std::byte> ziel) {
    if (!ablage.Enthaelt(ersterSatz, anzahl)) {
        return DateiFehler{
            .Art = Fehlerart::Satznummer, .Datei = ablage.Ziel->Name(), .Wert = ersterSatz};
    }
    const std::uint64_t position = ablage.Satzlaenge * static_cast<std::uint64_t>(ersterSatz - 1);
    auto gelesen = ablage.Ziel->Lesen(position, ziel);
    if (!gelesen.HatWert()) {
        return ablage.MitSatz(gelesen.Fehler());
    }
    std::fill(ziel.begin() + static_cast<std::ptrdiff_t>(gelesen.Wert()), ziel.end(), std::byte{0});
    return {};
}

Erwartet<void> Datenbestand::SaetzeSchreiben(const Ablage& ablage, int ersterSatz, int anzahl,
                                             std::span<const std::byte> quelle) {
    if (!ablage.Enthaelt(ersterSatz, anzahl)) {
        return DateiFehler{
            .Art = Fehlerart::Satznummer, .Datei = ablage.Ziel->Name(), .Wert = ersterSatz};
    }
    const std::uint64_t position = ablage.Satzlaenge * static_cast<std::uint64_t>(ersterSatz - 1);
    auto geschrieben = ablage.Ziel->Schreiben(position, quelle);
    if (!geschrieben.HatWert()) {
        return ablage.MitSatz(geschrieben.Fehler());
    }
    return {};
}

Erwartet<bool> Datenbestand::FalldateiLeer() {
    auto laenge = falldatei_->Laenge();
    if (!laenge.HatWert()) {
        return laenge.Fehler();
    }
    return laenge.Wert() == 0;
}

std::string Datenbestand::Luecke::Meldung() const {
    const bool faelle = Datei == FalldateiName;
    std::string text = Laenge == 0 ? "Die Datei " + Datei + " fehlt oder ist leer."
                                   : "Die Datei " + Datei + " ist unvollständig oder beschädigt (" +
                                         std::to_string(Laenge) + " statt " + std::to_string(Soll) +
                                         " Bytes).";
    text += faelle ? " Fehlende Fälle werden als leer angezeigt und beim nächsten Speichern "
                     "ergänzt."
                   : " Fehlende Beitrags- und Umlagesätze werden als 0 angezeigt, bis die "
                     "Stammdaten gespeichert werden.";
    return text;
}

Erwartet<std::vector<Datenbestand::Luecke>> Datenbestand::Luecken() {
    std::vector<Luecke> luecken;
    for (const Ablage& ablage : {Falldatei(), Umlagedatei()}) {
        auto laenge = ablage.Ziel->Laenge();
        if (!laenge.HatWert()) {
            return laenge.Fehler();
        }
        const int anzahl =
            ablage.Ziel == falldatei_.get() ? AnzahlSaetzeFalldatei : AnzahlUmlagesaetze;
        const std::uint64_t soll = ablage.Satzlaenge * static_cast<std::uint64_t>(anzahl);
        if (laenge.Wert() < soll || laenge.Wert() % ablage.Satzlaenge != 0) {
            luecken.push_back({ablage.Ziel->Name(), laenge.Wert(), soll});
        }
    }
    return luecken;
}

Erwartet<void> Datenbestand::Sichern() {
    if (auto ergebnis = falldatei_->Sichern(); !ergebnis.HatWert()) {
        return ergebnis;
    }
    return umlagedatei_->Sichern();
}

Erwartet<void> Datenbestand::DatenAnlegen() {
    // The levy file goes first and a case file that could not be written
    // whole is emptied again: only an empty case file marks a new
    // installation, so a half-written one would otherwise be taken for good
    // data at every later start, and a complete one always has its rates.
    std::vector<std::byte> umlagen(UmlagesatzLaenge * AnzahlUmlagesaetze);
    for (int i = 0; i < AnzahlUmlagesaetze; ++i) {
        UmlagesatzKodieren(StandardUmlagesatz(i + 1), Satzbereich<UmlagesatzLaenge>(umlagen, i));
    }
    auto ergebnis = SaetzeSchreiben(Umlagedatei(), 1, AnzahlUmlagesaetze, umlagen);
    if (!ergebnis.HatWert()) {
        return ergebnis;
    }

    std::vector<std::byte> faelle(FallsatzLaenge * AnzahlSaetzeFalldatei);
    const Fallsatz fall = StandardFallsatz(1);
    for (int i = 0; i < AnzahlSaetzeFalldatei; ++i) {
        const int satzNr = i + 1;
        FallsatzKodieren(satzNr <= AnzahlFallsaetze ? fall : StandardFallsatz(satzNr),
                         Satzbereich<FallsatzLaenge>(faelle, i));
    }
    ergebnis = SaetzeSchreiben(Falldatei(), 1, AnzahlSaetzeFalldatei, faelle);
    if (ergebnis.HatWert()) {
        ergebnis = Sichern();
    }
    if (!ergebnis.HatWert()) {
        // The write's own failure is what the user needs to hear about.
        (void)falldatei_->Kuerzen(0);
    }
    return ergebnis;
}

Erwartet<Fallsatz> Datenbestand::FallLesen(int satzNr) {
    std::array<std::byte, FallsatzLaenge> puffer;
    auto ergebnis = SaetzeLesen(Falldatei(), satzNr, 1, puffer);
    if (!ergebnis.HatWert()) {
        return ergebnis.Fehler();
    }
    return FallsatzDekodieren(puffer);
}

Erwartet<void> Datenbestand::FallSchreiben(int satzNr, const Fallsatz& satz) {
    return SaetzeSchreiben(Falldatei(), satzNr, 1, FallsatzKodieren(satz));
}

Erwartet<Umlagesatz> Datenbestand::UmlageLesen(int umlageNr) {
    std::array<std::byte, UmlagesatzLaenge> puffer;
    auto ergebnis = SaetzeLesen(Umlagedatei(), umlageNr, 1, puffer);
    if (!ergebnis.HatWert()) {
        return ergebnis.Fehler();
    }
    return UmlagesatzDekodieren(puffer);
}

Erwartet<void> Datenbestand::UmlageSchreiben(int umlageNr, const Umlagesatz& satz) {
    return SaetzeSchreiben(Umlagedatei(), umlageNr, 1, UmlagesatzKodieren(satz));
}

Erwartet<Waehrung> Datenbestand::Jahressumme(int fallNr) {
    if (fallNr < 1) {
        return DateiFehler{
            .Art = Fehlerart::Satznummer, .Datei = falldatei_->Name(), .Wert = fallNr};
    }
    const int januar = (fallNr - 1) / MonateJeJahr * MonateJeJahr + 1;
    std::array<std::byte, FallsatzLaenge * MonateJeJahr> puffer;
    auto ergebnis = SaetzeLesen(Falldatei(), januar, MonateJeJahr, puffer);
    if (!ergebnis.HatWert()) {
        return ergebnis.Fehler();
    }
    Waehrung summe;
    for (int monat = 0; monat < MonateJeJahr; ++monat) {
        const auto entgelte = EntgelteDekodieren(Satzbereich<FallsatzLaenge>(puffer, monat));
        try {
            for (int job = ErsteSpalte; job <= LetzterJob; ++job) {
                summe += entgelte[job];
            }
        } catch (const std::overflow_error&) {
            // Only a damaged file holds amounts this large.
            return DateiFehler{
                .Art = Fehlerart::Ueberlauf, .Datei = falldatei_->Name(), .Satz = januar + monat};
        }
    }
    return summe;
}

Erwartet<void> Datenbestand::BisDezemberKopieren(int fallNr, const Fallsatz& satz) {
    if (fallNr < 1) {
        return DateiFehler{
            .Art = Fehlerart::Satznummer, .Datei = falldatei_->Name(), .Wert = fallNr};
    }
    const int anzahl = MonateJeJahr - (fallNr - 1) % MonateJeJahr;
    std::array<std::byte, FallsatzLaenge> einzeln;
    FallsatzKodieren(satz, einzeln);
    std::vector<std::byte> puffer(FallsatzLaenge * static_cast<std::size_t>(anzahl));
    for (int i = 0; i < anzahl; ++i) {
        std::ranges::copy(einzeln, Satzbereich<FallsatzLaenge>(puffer, i).begin());
    }
    if (auto ergebnis = SaetzeSchreiben(Falldatei(), fallNr, anzahl, puffer); !ergebnis.HatWert()) {
        return ergebnis;
    }
    return falldatei_->Sichern();
}

Erwartet<void> Datenbestand::Umlagesaetze2012Schreiben(int kassePos, const Monatswerte& u1,
                                                       const Monatswerte& u2) {
    if (kassePos < 0 || kassePos >= AnzahlKassen) {
        return DateiFehler{
            .Art = Fehlerart::Kassenposition, .Datei = UmlagedateiName, .Wert = kassePos};
    }
    std::array<std::byte, UmlagesatzLaenge * MonateJeJahr> puffer;
    auto gelesen = SaetzeLesen(Umlagedatei(), ErsterUmlagesatz2012, MonateJeJahr, puffer);
    if (!gelesen.HatWert()) {
        return gelesen;
    }
    for (int monat = 0; monat < MonateJeJahr; ++monat) {
        const auto bereich = Satzbereich<UmlagesatzLaenge>(puffer, monat);
        Umlagesatz satz = UmlagesatzDekodieren(bereich);
        satz.U1Saetze[kassePos] = u1[monat];
        satz.U2Saetze[kassePos] = u2[monat];
        UmlagesatzKodieren(satz, bereich);
    }
    auto ergebnis = SaetzeSchreiben(Umlagedatei(), ErsterUmlagesatz2012, MonateJeJahr, puffer);
    if (!ergebnis.HatWert()) {
        return ergebnis;
    }
    return umlagedatei_->Sichern();
}

}  // namespace lohnwippe
