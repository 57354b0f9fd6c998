#include "rechner/Datenordner.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

#include "calc/Perioden.h"
#include "store/Deskriptor.h"
#include "store/Spaetsatz.h"
#include "store/SpeicherDatei.h"
#include "store/Standardinhalt.h"
#include "store/Umlagenpruefung.h"

namespace lohnwippe::rechner {

namespace {

constexpr int Leseversuche = 5;

// A data file as read, whole, once.
struct Dateiabbild {
    std::string Name;               // bare file name, "SV.dat"
    std::vector<std::byte> Inhalt;  // up to the records the program knows
    std::uint64_t Laenge = 0;       // the file's whole length
};

Dateiabbild EinmalLesen(Deskriptor& datei, const char* name, std::size_t hoechstens) {
    Dateiabbild abbild{name, std::vector<std::byte>(hoechstens), 0};
    abbild.Inhalt.resize(OderAbbruch(datei.Lesen(0, abbild.Inhalt)));
    abbild.Laenge = OderAbbruch(datei.Laenge());
    return abbild;
}

// Reads `ordner`/`name`, at most `hoechstens` bytes, and reads it again
// until two reads in a row agree (at most five times): the second read
// cannot meet the same write half done unless the write stood still for the
// whole of both reads. nullopt for a missing file when `fehlenDarf`.
std::optional<Dateiabbild> AbbildLesen(const std::string& ordner, const char* name,
                                       std::size_t hoechstens, bool fehlenDarf,
                                       Gelesenes& gelesen) {
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
    if (const auto kennung = datei.Kennung()) {
        gelesen.Dateien.push_back(*kennung);
    }
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

void LueckeMelden(const Dateiabbild& abbild, std::size_t satzlaenge, int anzahl,
                  const Melder& melden) {
    const std::uint64_t soll = satzlaenge * static_cast<std::uint64_t>(anzahl);
    if (abbild.Laenge != soll) {
        melden(Datenbestand::Luecke{abbild.Name, abbild.Laenge, soll}.Meldung());
    }
}

// The window writes the levy records it lacks into U12.dat at its start
// and says so; the calculator writes nothing, and says what it calculates
// with.
void ErgaenzteMelden(const std::vector<int>& saetze, bool vorhanden, const Melder& melden) {
    const std::string wie = " mit den Standardsätzen des Programms, wie im Fenster.";
    if (!vorhanden) {
        melden(std::string("Die Datei ") + UmlagedateiName +
               " fehlt: gerechnet wird in allen Monaten" + wie);
    } else if (!saetze.empty()) {
        melden(std::string("In der Datei ") + UmlagedateiName +
               " fehlen die Beitrags- und Umlagesätze für " + Monatsbereiche(saetze) +
               ": gerechnet wird in diesen Monaten" + wie);
    }
}

std::unique_ptr<Datei> Speicher(const char* name, std::vector<std::byte> inhalt = {}) {
    return std::make_unique<SpeicherDatei>(name, std::move(inhalt));
}

}  // namespace

Datenbestand DatenordnerLesen(const std::string& ordner, bool mitFaellen, Gelesenes& gelesen,
                              const Melder& melden) {
    struct stat angaben {};
    if (::stat(ordner.c_str(), &angaben) != 0) {
        throw Abbruch(
            DateiFehler{.Art = DateiFehler::Fehlerart::Oeffnen, .Datei = ordner, .FehlerNr = errno}
                .Meldung());
    }
    if (!S_ISDIR(angaben.st_mode)) {
        throw Abbruch(ordner + ": kein Ordner");
    }
    for (const char* name : {FalldateiName, UmlagedateiName, SpaetdateiName}) {
        gelesen.Orte.push_back({{static_cast<std::uint64_t>(angaben.st_dev),
                                 static_cast<std::uint64_t>(angaben.st_ino)},
                                name});
    }
    std::optional<Dateiabbild> faelle;
    if (mitFaellen) {
        faelle = AbbildLesen(ordner, FalldateiName, FallsatzLaenge * AnzahlSaetzeFalldatei, false,
                             gelesen);
    }
    auto umlagen =
        AbbildLesen(ordner, UmlagedateiName, UmlagesatzLaenge * AnzahlUmlagesaetze, true, gelesen);
    auto spaet =
        AbbildLesen(ordner, SpaetdateiName,
                    FallsatzLaenge * static_cast<std::size_t>(AnzahlSpaetsaetze()), true, gelesen);
    const bool neu = faelle && faelle->Laenge == 0;
    if (neu) {
        melden(std::string(FalldateiName) + " ist leer: es ist noch kein Fall gespeichert.");
    } else if (faelle) {
        LueckeMelden(*faelle, FallsatzLaenge, AnzahlSaetzeFalldatei, melden);
    }
    if (umlagen && umlagen->Laenge > UmlagesatzLaenge * AnzahlUmlagesaetze) {
        LueckeMelden(*umlagen, UmlagesatzLaenge, AnzahlUmlagesaetze, melden);
    }
    const bool umlagenDa = umlagen.has_value();
    auto spaetdatei = std::make_unique<SpeicherDatei>(
        SpaetdateiName, spaet ? std::move(spaet->Inhalt) : std::vector<std::byte>{});
    const SpeicherDatei& spaetImSpeicher = *spaetdatei;
    Datenbestand daten(
        Speicher(FalldateiName, faelle ? std::move(faelle->Inhalt) : std::vector<std::byte>{}),
        Speicher(UmlagedateiName, umlagen ? std::move(umlagen->Inhalt) : std::vector<std::byte>{}),
        std::move(spaetdatei));
    // In memory, where nothing can fail.
    ErgaenzteMelden(OderAbbruch(neu ? daten.DatenAnlegen() : daten.UmlagenErgaenzen()), umlagenDa,
                    melden);
    // What the window completes without a word is no gap; what it leaves,
    // it reports, and so does the calculator.
    const std::size_t soll = FallsatzLaenge * static_cast<std::size_t>(AnzahlSpaetsaetze());
    if (spaet && (spaet->Laenge > soll || spaetImSpeicher.Inhalt.size() != soll)) {
        LueckeMelden(*spaet, FallsatzLaenge, AnzahlSpaetsaetze(), melden);
    }
    return daten;
}

Kassenlisten KassenlistenLesen(Datenbestand& daten) {
    Kassenlisten listen;
    for (int jahr = ErstesSpaetjahr; jahr <= LetztesBekanntesJahr(); ++jahr) {
        // In memory a read fails only for a year outside the file.
        listen.push_back(OderAbbruch(daten.KassenLesen(jahr)));
    }
    return listen;
}

const std::vector<Kasseneintrag>& KassenDesJahres(const Kassenlisten& listen, int jahr) {
    static const std::vector<Kasseneintrag> keine;
    const auto pos = static_cast<std::size_t>(jahr - ErstesSpaetjahr);
    return jahr >= ErstesSpaetjahr && pos < listen.size() ? listen[pos] : keine;
}

std::string Kassenname(const Kasseneintrag& kasse) {
    std::string name = kasse.Name;
    name.erase(name.find_last_not_of(std::string_view(" \0", 2)) + 1);
    return name;
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
