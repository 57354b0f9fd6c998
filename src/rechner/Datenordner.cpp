#include "rechner/Datenordner.h"

#include <fcntl.h>

#include <cerrno>
#include <cstdlib>

#include "store/Deskriptor.h"
#include "store/SpeicherDatei.h"
#include "store/Standardinhalt.h"

namespace lohnwippe::rechner {

namespace {

constexpr int Leseversuche = 5;

Dateiabbild EinmalLesen(Deskriptor& datei, const char* name, std::size_t hoechstens) {
    Dateiabbild abbild{name, std::vector<std::byte>(hoechstens), 0};
    abbild.Inhalt.resize(OderAbbruch(datei.Lesen(0, abbild.Inhalt)));
    abbild.Laenge = OderAbbruch(datei.Laenge());
    return abbild;
}

void LueckeMelden(const Dateiabbild& abbild, std::size_t satzlaenge, int anzahl,
                  const Melder& melden) {
    const std::uint64_t soll = satzlaenge * static_cast<std::uint64_t>(anzahl);
    if (abbild.Laenge < soll || abbild.Laenge % satzlaenge != 0) {
        melden(Datenbestand::Luecke{abbild.Name, abbild.Laenge, soll}.Meldung());
    }
}

std::unique_ptr<Datei> Speicher(const char* name, std::vector<std::byte> inhalt = {}) {
    return std::make_unique<SpeicherDatei>(name, std::move(inhalt));
}

}  // namespace

std::optional<Dateiabbild> AbbildLesen(const std::string& ordner, const char* name,
                                       std::size_t hoechstens, bool fehlenDarf) {
    const std::string pfad = ordner + (ordner.ends_with('/') ? "" : "/") + name;
    auto geoeffnet = Deskriptor::DateiOeffnen(pfad, O_RDONLY);
    if (!geoeffnet.HatWert()) {
        const int fehlerNr = geoeffnet.Fehler().FehlerNr;
        if (fehlerNr == ENOENT && fehlenDarf) {
            return std::nullopt;
        }
        // Said shorter than the window says it: here a path names it.
        if (fehlerNr == KeineGewoehnlicheDatei || fehlerNr == EISDIR) {
            throw Abbruch(pfad + ": keine gewöhnliche Datei");
        }
        throw Abbruch(geoeffnet.Fehler().Meldung());
    }
    Deskriptor& datei = geoeffnet.Wert();
    Dateiabbild vorher = EinmalLesen(datei, name, hoechstens);
    for (int versuch = 1; versuch < Leseversuche; ++versuch) {
        Dateiabbild jetzt = EinmalLesen(datei, name, hoechstens);
        if (jetzt.Inhalt == vorher.Inhalt && jetzt.Laenge == vorher.Laenge) {
            return jetzt;
        }
        vorher = std::move(jetzt);
    }
    throw Abbruch(pfad +
                  ": die Datei ändert sich während des Lesens ständig; bitte noch einmal "
                  "versuchen");
}

Datenbestand DatenbestandAusAbbildern(std::optional<Dateiabbild> faelle,
                                      std::optional<Dateiabbild> umlagen, const Melder& melden) {
    if (!faelle || faelle->Laenge == 0) {
        melden(std::string(FalldateiName) + " ist leer: es ist noch kein Fall gespeichert.");
        Datenbestand neu(Speicher(FalldateiName), Speicher(UmlagedateiName));
        // Into memory; nothing here can fail.
        (void)neu.DatenAnlegen();
        return neu;
    }
    LueckeMelden(*faelle, FallsatzLaenge, AnzahlSaetzeFalldatei, melden);
    if (!umlagen) {
        umlagen = Dateiabbild{UmlagedateiName, {}, 0};
    }
    LueckeMelden(*umlagen, UmlagesatzLaenge, AnzahlUmlagesaetze, melden);
    return Datenbestand(Speicher(FalldateiName, std::move(faelle->Inhalt)),
                        Speicher(UmlagedateiName, std::move(umlagen->Inhalt)));
}

Umlagetabelle StandardUmlagen() {
    Umlagetabelle tabelle;
    for (int nr = 1; nr <= AnzahlUmlagesaetze; ++nr) {
        tabelle[static_cast<std::size_t>(nr - 1)] = StandardUmlagesatz(nr);
    }
    return tabelle;
}

Umlagetabelle UmlagenLesen(Datenbestand& daten) {
    Umlagetabelle tabelle;
    for (int nr = 1; nr <= AnzahlUmlagesaetze; ++nr) {
        auto satz = daten.UmlageLesen(nr);
        // In memory a read fails only for a number outside 1..48.
        tabelle[static_cast<std::size_t>(nr - 1)] = satz.HatWert() ? satz.Wert() : Umlagesatz{};
    }
    return tabelle;
}

Umlagetabelle UmlagenAusAbbild(Dateiabbild umlagen, const Melder& melden) {
    LueckeMelden(umlagen, UmlagesatzLaenge, AnzahlUmlagesaetze, melden);
    Datenbestand daten(Speicher(FalldateiName),
                       Speicher(UmlagedateiName, std::move(umlagen.Inhalt)));
    return UmlagenLesen(daten);
}

std::string Benutzerdatenordner() {
    const char* basis = std::getenv("XDG_DATA_HOME");
    if (basis != nullptr && basis[0] == '/') {
        return std::string(basis) + (std::string_view(basis).ends_with('/') ? "" : "/") +
               "lohnwippe";
    }
    const char* heim = std::getenv("HOME");
    if (heim == nullptr || heim[0] == '\0') {
        throw Abbruch(
            "Kein Datenordner: weder XDG_DATA_HOME noch HOME ist gesetzt. Bitte den "
            "Ordner angeben.");
    }
    return std::string(heim) + "/.local/share/lohnwippe";
}

}  // namespace lohnwippe::rechner
