#include "store/Datenbestand.h"

#include <fcntl.h>
#include <sys/file.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "calc/Formate.h"
#include "store/Bytefolge.h"
#include "store/Spaetsatz.h"
#include "store/SpeicherDatei.h"
#include "store/Standardinhalt.h"

namespace lohnwippe {

namespace {

using bytefolge::Satzbereich;
using Fehlerart = DateiFehler::Fehlerart;

// When, to the minute, in the name of a version kept beside.
std::string Zeitstempel() {
    const std::time_t jetzt = std::time(nullptr);
    std::tm zeit{};
    std::array<char, 32> stempel{};
    if (::localtime_r(&jetzt, &zeit) == nullptr ||
        std::strftime(stempel.data(), stempel.size(), "%Y-%m-%d-%H%M", &zeit) == 0) {
        // No calendar time: the seconds still tell the versions apart.
        return std::to_string(jetzt);
    }
    return stempel.data();
}

}  // namespace

Erwartet<Datenbestand> Datenbestand::Oeffnen() {
    return Oeffnen([](const std::string& name) { return SystemDatei::Oeffnen(name); });
}

Erwartet<Datenbestand> Datenbestand::Oeffnen(const Oeffner& oeffner) {
    // The folder's lock outlives a deleted SV.dat, whose lock would go with
    // it and let a second copy start on a new one.
    auto ordner = Deskriptor::Oeffnen(".", O_RDONLY | O_DIRECTORY);
    if (!ordner.HatWert()) {
        return ordner.Fehler();
    }
    if (Ununterbrochen([&] { return ::flock(ordner.Wert().Fd(), LOCK_EX | LOCK_NB); }) != 0 &&
        errno == EWOULDBLOCK) {
        return DateiFehler{.Art = Fehlerart::Gesperrt, .Datei = FalldateiName};
    }
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
    auto spaetdatei = oeffner(SpaetdateiName);
    if (!spaetdatei.HatWert()) {
        return spaetdatei.Fehler();
    }
    Datenbestand daten(std::move(falldatei).Wert(), std::move(umlagedatei).Wert(),
                       std::move(spaetdatei).Wert());
    daten.ordner_ = std::move(ordner).Wert();
    return daten;
}

Datenbestand::Datenbestand(std::unique_ptr<Datei> falldatei, std::unique_ptr<Datei> umlagedatei,
                           std::unique_ptr<Datei> spaetdatei)
    : faelle_(std::move(falldatei), FallsatzLaenge, AnzahlSaetzeFalldatei, HoechsteSatzNr),
      umlagen_(std::move(umlagedatei), UmlagesatzLaenge, AnzahlUmlagesaetze, AnzahlUmlagesaetze),
      spaet_(std::move(spaetdatei), FallsatzLaenge, AnzahlSpaetsaetze(), AnzahlSpaetsaetze()) {}

Datenbestand::Datenbestand(std::unique_ptr<Datei> falldatei, std::unique_ptr<Datei> umlagedatei)
    : Datenbestand(std::move(falldatei), std::move(umlagedatei),
                   std::make_unique<SpeicherDatei>(SpaetdateiName)) {}

Ablage& Datenbestand::AblageVon(const std::string& datei) {
    for (Ablage* ablage : Ablagen()) {
        if (datei == ablage->Name()) {
            return *ablage;
        }
    }
    return faelle_;
}

Ablage& Datenbestand::AblageVon(Datendatei datei) {
    switch (datei) {
        case Datendatei::Umlagen:
            return umlagen_;
        case Datendatei::Ab2013:
            return spaet_;
        case Datendatei::Faelle:
            break;
    }
    return faelle_;
}

Erwartet<bool> Datenbestand::FalldateiLeer() {
    auto laenge = faelle_.Selbst().Laenge();
    if (!laenge.HatWert()) {
        return laenge.Fehler();
    }
    return laenge.Wert() == 0;
}

std::string Datenbestand::Luecke::Meldung() const {
    if (Laenge > Soll) {
        // The figures in parentheses as in the message of a shorter file.
        const std::uint64_t mehr = Laenge - Soll;
        return "Die Datei " + Datei + " ist um " + FormatGanzzahl(static_cast<long>(mehr)) +
               (mehr == 1 ? " Byte" : " Bytes") + " länger als erwartet (" +
               std::to_string(Laenge) + " statt " + std::to_string(Soll) +
               " Bytes). Das Programm verwendet die zusätzlichen Bytes nicht und lässt sie "
               "unverändert.";
    }
    const bool faelle = Datei == FalldateiName;
    const bool spaet = Datei == SpaetdateiName;
    std::string text = Laenge == 0 ? "Die Datei " + Datei + " fehlt oder ist leer."
                                   : "Die Datei " + Datei + " ist unvollständig oder beschädigt (" +
                                         std::to_string(Laenge) + " statt " + std::to_string(Soll) +
                                         " Bytes).";
    text += faelle  ? " Fehlende Fälle werden als leer angezeigt und beim nächsten Speichern "
                      "ergänzt."
            : spaet ? " Fehlende Fälle und Kassen ab 2013 werden als leer angezeigt und beim "
                      "nächsten Speichern ergänzt."
                    : " Fehlende Beitrags- und Umlagesätze werden als 0 angezeigt und beim "
                      "nächsten Start ergänzt.";
    return text;
}

Erwartet<std::vector<Datenbestand::Luecke>> Datenbestand::Luecken() {
    std::vector<Luecke> luecken;
    for (Ablage* ablage : Ablagen()) {
        auto laenge = ablage->Selbst().Laenge();
        if (!laenge.HatWert()) {
            return laenge.Fehler();
        }
        if (laenge.Wert() != ablage->Soll()) {
            luecken.push_back({ablage->Name(), laenge.Wert(), ablage->Soll()});
        }
    }
    return luecken;
}

Erwartet<void> Datenbestand::Sichern() {
    const Schreibgruppe gruppe(*this);
    for (Ablage* ablage : Ablagen()) {
        if (auto geprueft = ablage->Pruefen(); !geprueft.HatWert()) {
            return geprueft;
        }
        // A put-back that failed is owed before anything counts as saved.
        if (auto angeglichen = ablage->Angleichen(); !angeglichen.HatWert()) {
            return angeglichen;
        }
        if (auto gesichert = ablage->Selbst().Sichern(); !gesichert.HatWert()) {
            return gesichert;
        }
    }
    return {};
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
    auto ergebnis = faelle_.Schreiben(1, AnzahlSaetzeFalldatei, faelle);
    if (ergebnis.HatWert()) {
        ergebnis = faelle_.Selbst().Sichern();
    }
    if (!ergebnis.HatWert()) {
        // Only an empty case file marks a new installation, so a half-written
        // one would otherwise be taken for good data at every later start.
        // The write's own failure is what the user needs to hear about.
        (void)faelle_.Kuerzen(0);
        return ergebnis.Fehler();
    }
    return umlagen;
}

Erwartet<std::vector<int>> Datenbestand::UmlagenErgaenzen() {
    if (auto spaet = Ab2013Ergaenzen(); !spaet.HatWert()) {
        return spaet.Fehler();
    }
    auto laenge = umlagen_.Selbst().Laenge();
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
    if (auto ergebnis = umlagen_.Schreiben(ergaenzt.front(), anzahl, puffer); !ergebnis.HatWert()) {
        return ergebnis.Fehler();
    }
    if (auto ergebnis = umlagen_.Selbst().Sichern(); !ergebnis.HatWert()) {
        return ergebnis.Fehler();
    }
    return ergaenzt;
}

Erwartet<Umlagenbefund> Datenbestand::UnplausibleUmlagen() {
    std::vector<std::byte> puffer(UmlagesatzLaenge * AnzahlUmlagesaetze);
    if (auto gelesen = umlagen_.Lesen(1, AnzahlUmlagesaetze, puffer); !gelesen.HatWert()) {
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
    for (Ablage* ablage : Ablagen()) {
        if (ablage->Selbst().ErsetzungAbholen() != Datei::Ersetzung::Keine) {
            ersetzte.push_back({ablage->Name()});
        }
    }
    return ersetzte;
}

std::string Datenbestand::ErsetzteDatei::Meldung() const {
    return "Die Datei " + Datei +
           " wurde während der Arbeit gelöscht. Lohnwippe hat sie mit ihrem bisherigen Inhalt "
           "neu angelegt und speichert weiter darin.";
}

std::vector<std::string> Datenbestand::Fremde(Ablage* ausser) {
    const auto ablagen = Ablagen();
    // A look that fails says nothing here; the next access reports it.
    for (Ablage* ablage : ablagen) {
        if (ablage != ausser || ablage->Beschrieben()) {
            (void)ablage->Pruefen();
        }
    }
    // A question comes about the first file found, and the answer
    // (Entscheiden after FremdeDateien) must find that one first again.
    if (ausser != nullptr &&
        std::any_of(ablagen.begin(), ablagen.end(), [](const Ablage* a) { return a->Fremd(); })) {
        (void)ausser->Pruefen();
    }
    std::vector<std::string> fremde;
    for (const Ablage* ablage : ablagen) {
        if (ablage->Fremd()) {
            fremde.push_back(ablage->Name());
        }
    }
    return fremde;
}

Erwartet<Ablage::Entscheidung> Datenbestand::Entscheiden(const std::string& datei,
                                                         bool uebernehmen) {
    return AblageVon(datei).Entscheiden(uebernehmen, Zeitstempel());
}

Erwartet<std::string> Datenbestand::Beiseitelegen(const std::string& datei) {
    return AblageVon(datei).Beiseitelegen(Zeitstempel());
}

std::vector<std::string> Datenbestand::KopienDaneben() {
    std::vector<std::string> kopien;
    std::error_code fehler;
    for (const auto& eintrag : std::filesystem::directory_iterator(".", fehler)) {
        std::string name = eintrag.path().filename().string();
        if ((name.starts_with(std::string(FalldateiName) + ".") ||
             name.starts_with(std::string(SpaetdateiName) + ".")) &&
            eintrag.is_regular_file(fehler)) {
            kopien.push_back(std::move(name));
        }
    }
    std::sort(kopien.begin(), kopien.end());
    return kopien;
}

void Datenbestand::Mitschreiben(std::vector<Satzaenderung>* ziel) {
    mitschrift_ = ziel;
    // The settings records follow the case on screen, not the steps.
    faelle_.Mitschreiben(ziel, Datendatei::Faelle, EinstellungsSatz);
    umlagen_.Mitschreiben(ziel, Datendatei::Umlagen);
    spaet_.Mitschreiben(ziel, Datendatei::Ab2013, SpaetEinstellungsSatz);
}

Datenbestand::Schreibgruppe::Schreibgruppe(Datenbestand& daten) : daten_(daten) {
    for (Ablage* ablage : daten_.Ablagen()) {
        ablage->Selbst().GruppeBeginnen();
    }
}

Datenbestand::Schreibgruppe::~Schreibgruppe() {
    for (Ablage* ablage : daten_.Ablagen()) {
        ablage->Selbst().GruppeBeenden();
    }
}

Datenbestand::Verbund::Verbund(Datenbestand& daten)
    : daten_(daten),
      gruppe_(daten),
      mitschrift_(daten.mitschrift_ == nullptr ? 0 : daten.mitschrift_->size()) {
    for (Ablage* ablage : daten_.Ablagen()) {
        ablage->Vormerken(&alt_);
    }
}

Datenbestand::Verbund::~Verbund() {
    if (offen_) {
        (void)Zuruecknehmen();
    }
    for (Ablage* ablage : daten_.Ablagen()) {
        ablage->Vormerken(nullptr);
    }
}

Erwartet<void> Datenbestand::Verbund::Abschliessen(bool sichern) {
    // Only the files it wrote to: a sync costs as much as many writes.
    Erwartet<void> gesichert;
    for (Ablage* ablage : daten_.Ablagen()) {
        if (gesichert.HatWert() &&
            std::any_of(alt_.begin(), alt_.end(),
                        [ablage](const Ablage::Altstand& alt) { return alt.Von == ablage; })) {
            gesichert = ablage->Pruefen();
            if (gesichert.HatWert()) {
                gesichert = ablage->Angleichen();
            }
            if (gesichert.HatWert() && sichern) {
                gesichert = ablage->Selbst().Sichern();
            }
        }
    }
    // Not on the disk for sure: it stays open, to be put back.
    offen_ = !gesichert.HatWert();
    return gesichert;
}

Erwartet<void> Datenbestand::Verbund::Zuruecknehmen() {
    offen_ = false;
    Erwartet<void> ergebnis;
    // Newest first, so that each write finds the bytes its successor left.
    for (std::size_t i = alt_.size(); i-- > 0;) {
        const Ablage::Altstand& alt = alt_[i];
        if (auto gelegt = alt.Von->Zuruecklegen(alt); !gelegt.HatWert() && ergebnis.HatWert()) {
            ergebnis = gelegt;
        }
    }
    alt_.clear();
    if (daten_.mitschrift_ != nullptr && daten_.mitschrift_->size() > mitschrift_) {
        daten_.mitschrift_->resize(mitschrift_);
    }
    // What was put back goes to the disk like any write; a sync that fails
    // changes nothing in what the files now hold.
    if (ergebnis.HatWert()) {
        (void)daten_.Sichern();
    }
    return ergebnis;
}

}  // namespace lohnwippe
