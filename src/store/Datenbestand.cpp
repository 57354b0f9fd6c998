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

// 1234567 as "1.234.567".
std::string Tausender(std::uint64_t zahl) {
    std::string ziffern = std::to_string(zahl);
    for (auto stelle = static_cast<std::ptrdiff_t>(ziffern.size()) - 3; stelle > 0; stelle -= 3) {
        ziffern.insert(static_cast<std::size_t>(stelle), 1, '.');
    }
    return ziffern;
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
    if (Laenge > Soll) {
        // The figures in parentheses as in the message of a shorter file.
        const std::uint64_t mehr = Laenge - Soll;
        return "Die Datei " + Datei + " ist um " + Tausender(mehr) +
               (mehr == 1 ? " Byte" : " Bytes") + " länger als erwartet (" +
               std::to_string(Laenge) + " statt " + std::to_string(Soll) +
               " Bytes). Das Programm verwendet die zusätzlichen Bytes nicht und lässt sie "
               "unverändert.";
    }
    const bool faelle = Datei == FalldateiName;
    std::string text = Laenge == 0 ? "Die Datei " + Datei + " fehlt oder ist leer."
                                   : "Die Datei " + Datei + " ist unvollständig oder beschädigt (" +
                                         std::to_string(Laenge) + " statt " + std::to_string(Soll) +
                                         " Bytes).";
    text += faelle ? " Fehlende Fälle werden als leer angezeigt und beim nächsten Speichern "
                     "ergänzt."
                   : " Fehlende Beitrags- und Umlagesätze werden als 0 angezeigt und beim "
                     "nächsten Start ergänzt.";
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
        if (laenge.Wert() != soll) {
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

Erwartet<std::vector<int>> Datenbestand::DatenAnlegen() {
    // The levy file goes first: a complete case file always has its rates.
    auto umlagen = UmlagenErgaenzen();
    if (!umlagen.HatWert()) {
        return umlagen;
    }
    std::vector<std::byte> faelle(FallsatzLaenge * AnzahlSaetzeFalldatei);
    const Fallsatz fall = StandardFallsatz(1);
    for (int i = 0; i < AnzahlSaetzeFalldatei; ++i) {
        const int satzNr = i + 1;
        FallsatzKodieren(satzNr <= AnzahlFallsaetze ? fall : StandardFallsatz(satzNr),
                         Satzbereich<FallsatzLaenge>(faelle, i));
    }
    auto ergebnis = FaelleSchreiben(1, AnzahlSaetzeFalldatei, faelle);
    if (ergebnis.HatWert()) {
        ergebnis = falldatei_->Sichern();
    }
    if (!ergebnis.HatWert()) {
        // Only an empty case file marks a new installation, so a half-written
        // one would otherwise be taken for good data at every later start.
        // The write's own failure is what the user needs to hear about.
        (void)falldatei_->Kuerzen(0);
        jahr_.reset();
        return ergebnis.Fehler();
    }
    return umlagen;
}

Erwartet<std::vector<int>> Datenbestand::UmlagenErgaenzen() {
    auto laenge = umlagedatei_->Laenge();
    if (!laenge.HatWert()) {
        return laenge.Fehler();
    }
    const std::uint64_t ganze = laenge.Wert() / UmlagesatzLaenge;
    std::vector<int> ergaenzt;
    for (auto nr = static_cast<int>(std::min<std::uint64_t>(ganze, AnzahlUmlagesaetze)) + 1;
         nr <= AnzahlUmlagesaetze; ++nr) {
        ergaenzt.push_back(nr);
    }
    if (ergaenzt.empty()) {
        return ergaenzt;
    }
    const auto anzahl = static_cast<int>(ergaenzt.size());
    std::vector<std::byte> puffer(UmlagesatzLaenge * ergaenzt.size());
    for (int i = 0; i < anzahl; ++i) {
        UmlagesatzKodieren(StandardUmlagesatz(ergaenzt[static_cast<std::size_t>(i)]),
                           Satzbereich<UmlagesatzLaenge>(puffer, i));
    }
    // A record the file ends within is written over from its start.
    if (auto ergebnis = SaetzeSchreiben(Umlagedatei(), ergaenzt.front(), anzahl, puffer);
        !ergebnis.HatWert()) {
        return ergebnis.Fehler();
    }
    if (auto ergebnis = umlagedatei_->Sichern(); !ergebnis.HatWert()) {
        return ergebnis.Fehler();
    }
    return ergaenzt;
}

Erwartet<Umlagenbefund> Datenbestand::UnplausibleUmlagen() {
    std::vector<std::byte> puffer(UmlagesatzLaenge * AnzahlUmlagesaetze);
    if (auto gelesen = SaetzeLesen(Umlagedatei(), 1, AnzahlUmlagesaetze, puffer);
        !gelesen.HatWert()) {
        return gelesen.Fehler();
    }
    std::vector<Umlagesatz> saetze;
    saetze.reserve(AnzahlUmlagesaetze);
    for (int i = 0; i < AnzahlUmlagesaetze; ++i) {
        saetze.push_back(UmlagesatzDekodieren(Satzbereich<UmlagesatzLaenge>(puffer, i)));
    }
    return UmlagenPruefen(saetze);
}

std::vector<Datenbestand::ErsetzteDatei> Datenbestand::ErsetzteDateien() {
    std::vector<ErsetzteDatei> ersetzte;
    for (Datei* datei : {falldatei_.get(), umlagedatei_.get()}) {
        Datei::Ersetzung ersetzung = datei->ErsetzungAbholen();
        if (datei == falldatei_.get()) {
            if (ersetzung != Datei::Ersetzung::Keine) {
                jahr_.reset();
            }
            const Datei::Ersetzung frueher =
                std::exchange(falldateiErsetzt_, Datei::Ersetzung::Keine);
            ersetzung = ersetzung == Datei::Ersetzung::Keine ? frueher : ersetzung;
        }
        if (ersetzung != Datei::Ersetzung::Keine) {
            ersetzte.push_back({datei->Name(), ersetzung == Datei::Ersetzung::Wiederhergestellt});
        }
    }
    return ersetzte;
}

std::string Datenbestand::ErsetzteDatei::Meldung() const {
    if (Wiederhergestellt) {
        return "Die Datei " + Datei +
               " wurde während der Arbeit gelöscht. Lohnwippe hat sie mit ihrem bisherigen "
               "Inhalt neu angelegt und speichert weiter darin.";
    }
    return "Die Datei " + Datei +
           " wurde während der Arbeit durch eine andere Datei gleichen Namens ersetzt, etwa von "
           "einem Sicherungs- oder Synchronisierungsprogramm. Lohnwippe speichert ab jetzt in "
           "der neuen Datei. Bitte prüfen Sie die angezeigten Werte: Die neue Datei kann einen "
           "anderen Stand enthalten.";
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
    return FaelleSchreiben(satzNr, 1, FallsatzKodieren(satz));
}

Erwartet<void> Datenbestand::FaelleSchreiben(int ersterSatz, int anzahl,
                                             std::span<const std::byte> quelle) {
    auto ergebnis = SaetzeSchreiben(Falldatei(), ersterSatz, anzahl, quelle);
    // The months in memory may no longer be the file's: another file under
    // the name, or a write that stopped halfway.
    if (const auto ersetzung = falldatei_->ErsetzungAbholen();
        ersetzung != Datei::Ersetzung::Keine) {
        falldateiErsetzt_ = ersetzung;
        jahr_.reset();
    }
    if (!ergebnis.HatWert()) {
        jahr_.reset();
        return ergebnis;
    }
    if (jahr_) {
        for (int i = 0; i < anzahl; ++i) {
            const int monat = ersterSatz + i - jahr_->Januar;
            if (monat >= 0 && monat < MonateJeJahr) {
                const auto satz =
                    quelle.subspan(static_cast<std::size_t>(i) * FallsatzLaenge, FallsatzLaenge);
                std::ranges::copy(satz, Satzbereich<FallsatzLaenge>(jahr_->Bytes, monat).begin());
            }
        }
    }
    return ergebnis;
}

Datenbestand::Schreibgruppe::Schreibgruppe(Datenbestand& daten) : daten_(daten) {
    daten_.falldatei_->GruppeBeginnen();
    daten_.umlagedatei_->GruppeBeginnen();
}

Datenbestand::Schreibgruppe::~Schreibgruppe() {
    daten_.falldatei_->GruppeBeenden();
    daten_.umlagedatei_->GruppeBeenden();
}

Erwartet<Namensfelder> Datenbestand::Namen() {
    std::array<Fallsatz, 3> saetze;
    for (std::size_t i = 0; i < saetze.size(); ++i) {
        auto satz = FallLesen(NamenSatz1 + static_cast<int>(i));
        if (!satz.HatWert()) {
            return satz.Fehler();
        }
        saetze[i] = std::move(satz).Wert();
    }
    return NamenLesen(saetze[0], saetze[1], saetze[2]);
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
    const int januar = JanuarsatzNr(fallNr);
    if (!jahr_ || jahr_->Januar != januar) {
        Jahr gelesen{.Januar = januar};
        auto ergebnis = SaetzeLesen(Falldatei(), januar, MonateJeJahr, gelesen.Bytes);
        if (!ergebnis.HatWert()) {
            return ergebnis.Fehler();
        }
        jahr_ = gelesen;
    }
    std::span<std::byte> puffer = jahr_->Bytes;
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
    if (auto ergebnis = FaelleSchreiben(fallNr, anzahl, puffer); !ergebnis.HatWert()) {
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
