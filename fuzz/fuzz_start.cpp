// A whole start-up of the main window's data path, from any contents of
// "SV.dat" and "U12.dat", without the window: the new installation's
// contents for an empty case file, the names of the master records, the
// last case from the settings record, its levy record, the calculation
// inputs as loading the case sets them, the calculation, the annual sum
// and the save of the case and the settings record. Everything on this road
// is the code the window runs (Fallaufbereitung, Jahreswerte, Teilmonat,
// Berechnen, Datenbestand); only the order of the calls is the window's,
// written out here.
//
// The levy records U12.dat lacks are written first, and the damaged rates
// checked, as the start-up does.
//
// Input, both files in one:
//   byte 0      bit 0: "SV.dat" starts with a new installation's contents,
//               bit 1: "U12.dat" likewise; otherwise a file starts empty
//   bytes 1, 2  length of the part for "SV.dat" (little-endian); what
//               follows it is the part for "U12.dat"
// Each part is a series of patches: record index (2 bytes, little-endian,
// taken modulo 700 resp. 60; 0 is record 1), length (1 byte) and that many
// bytes, written from the start of the record on. A patch of length 0 cuts
// the file at the start of its record.
#include <algorithm>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include "Fuzzhilfen.h"
#include "calc/Ergebnis.h"
#include "calc/Teilmonat.h"
#include "rates/Jahreswerte.h"
#include "store/Datenbestand.h"
#include "store/Fallaufbereitung.h"
#include "store/SpeicherDatei.h"
#include "store/Standardinhalt.h"

using namespace lohnwippe;
using lohnwippe::fuzz::Leser;
using lohnwippe::fuzz::Pruefen;

namespace {

constexpr int AnzahlPersonen = 10;

// A new installation's contents of the case file (`fall`) or the levy-rate
// file.
std::vector<std::byte> Standardinhalt(bool fall) {
    // Built once through the real writer and kept, as each run needs it.
    static const auto inhalte = [] {
        auto* sv = new SpeicherDatei(FalldateiName);
        auto* u12 = new SpeicherDatei(UmlagedateiName);
        Datenbestand bestand{std::unique_ptr<Datei>(sv), std::unique_ptr<Datei>(u12)};
        Pruefen(bestand.DatenAnlegen().HatWert(), "Standardinhalt anlegen");
        return std::pair{sv->Inhalt, u12->Inhalt};
    }();
    return fall ? inhalte.first : inhalte.second;
}

void Flicken(Leser teil, std::vector<std::byte>& inhalt, std::size_t satzlaenge, int saetze) {
    while (!teil.Leer()) {
        const auto satz = static_cast<std::size_t>(teil.Wort() % saetze);
        const std::size_t ab = satz * satzlaenge;
        const auto bytes = teil.Bytes(teil.Byte());
        if (bytes.empty()) {
            inhalt.resize(std::min(inhalt.size(), ab));
            continue;
        }
        if (inhalt.size() < ab + bytes.size()) {
            inhalt.resize(ab + bytes.size());
        }
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            inhalt[ab + i] = static_cast<std::byte>(bytes[i]);
        }
    }
}

template <typename T>
T Gelesen(Erwartet<T> ergebnis, const char* was) {
    // Files in memory cannot fail to read.
    Pruefen(ergebnis.HatWert(), was);
    return std::move(ergebnis).Wert();
}

bool Zustand(std::int16_t wert) {
    return wert == 0 || wert == 1 || wert == 2;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    Leser leser(daten, groesse);
    const std::uint8_t grundlage = leser.Byte();
    const auto svTeil = leser.Bytes(leser.Wort());
    const auto u12Teil = leser.Bytes(leser.Rest());

    auto sv = std::make_unique<SpeicherDatei>(
        FalldateiName, (grundlage & 1) != 0 ? Standardinhalt(true) : std::vector<std::byte>{});
    auto u12 = std::make_unique<SpeicherDatei>(
        UmlagedateiName, (grundlage & 2) != 0 ? Standardinhalt(false) : std::vector<std::byte>{});
    Flicken(Leser(svTeil.data(), svTeil.size()), sv->Inhalt, FallsatzLaenge, 700);
    Flicken(Leser(u12Teil.data(), u12Teil.size()), u12->Inhalt, UmlagesatzLaenge, 60);
    SpeicherDatei& falldatei = *sv;
    SpeicherDatei& umlagedatei = *u12;
    const std::vector<std::byte> umlagenVorher = u12->Inhalt;
    Datenbestand bestand(std::move(sv), std::move(u12));

    // The load handler: a new installation gets its contents, an existing
    // one the levy records it lacks; whole levy records stay as they were.
    std::vector<int> ergaenzt;
    if (Gelesen(bestand.FalldateiLeer(), "Länge lesen")) {
        ergaenzt = Gelesen(bestand.DatenAnlegen(), "Standardinhalt anlegen");
        Pruefen(falldatei.Inhalt.size() == FallsatzLaenge * AnzahlSaetzeFalldatei,
                "603 Sätze angelegt");
    } else {
        ergaenzt = Gelesen(bestand.UmlagenErgaenzen(), "Umlagen ergänzen");
    }
    const std::size_t ganze =
        std::min(umlagenVorher.size() / UmlagesatzLaenge, std::size_t{AnzahlUmlagesaetze});
    Pruefen(ergaenzt.size() == AnzahlUmlagesaetze - ganze, "fehlende Umlagesätze ergänzt");
    Pruefen(
        std::equal(umlagenVorher.begin(),
                   umlagenVorher.begin() + static_cast<std::ptrdiff_t>(ganze * UmlagesatzLaenge),
                   umlagedatei.Inhalt.begin()),
        "ganze Umlagesätze unverändert");
    Pruefen(UmlagenErgaenztMeldung(ergaenzt).empty() == ergaenzt.empty(), "Meldung der Ergänzung");
    for (const auto& luecke : Gelesen(bestand.Luecken(), "Längen prüfen")) {
        Pruefen(luecke.Datei == FalldateiName || luecke.Laenge > luecke.Soll,
                "U12.dat nach dem Ergänzen vollständig");
        Pruefen(!luecke.Meldung().empty(), "Längen gemeldet");
    }
    const Umlagenbefund befund = Gelesen(bestand.UnplausibleUmlagen(), "Umlagen prüfen");
    Pruefen(befund.Meldung().empty() == befund.Leer(), "Meldung der unplausiblen Umlagen");

    // The ten persons and the payroll office from the master records.
    std::vector<std::string> personen;
    std::string stelle1, stelle2;
    for (int satzNr : {NamenSatz1, NamenSatz2, EinstellungsSatz}) {
        const Fallsatz satz = Gelesen(bestand.FallLesen(satzNr), "Namenssatz lesen");
        for (int k = 1; k <= (satzNr == EinstellungsSatz ? 2 : 4); ++k) {
            personen.push_back(satz.Namen[k]);
        }
        if (satzNr == EinstellungsSatz) {
            stelle1 = satz.Namen[3];
            stelle2 = satz.Namen[4];
        }
    }
    Pruefen(personen.size() == AnzahlPersonen, "zehn Personen");
    Eingaben eingaben{};
    JahreswerteUebernehmen(0, eingaben);

    // FallLaden, start-up branch: the last case and the list selections.
    const Fallsatz einstellungen = Gelesen(bestand.FallLesen(EinstellungsSatz), "603 lesen");
    const int fallNr = StartfallNr(einstellungen);
    Pruefen(fallNr >= 1 && fallNr <= AnzahlFaelle, "Fallnummer in den Listen");
    const FallPosition lage = FallZerlegen(fallNr);
    const int jahrPos = Listenposition(lage.JahrPos, AnzahlJahre);
    const int personPos = Listenposition(lage.PersonPos, AnzahlPersonen);
    const int monatPos = Listenposition(lage.MonatPos, MonateJeJahr);
    Pruefen(FallNr(jahrPos, personPos, monatPos) == fallNr, "Listen treffen den Fall");
    Pruefen(JahreswerteUebernehmen(jahrPos, eingaben), "Jahreswerte");
    const Umlagesatz umlagen =
        Gelesen(bestand.UmlageLesen(UmlageNr(jahrPos, monatPos)), "Umlagesatz lesen");
    if (const auto faktor =
            Teilmonatsfaktor(Listenposition(einstellungen.TeilmonatPos, AnzahlTeilmonate))) {
        eingaben.Teilmonatsfaktor = *faktor;
    }

    // Loading the case itself.
    const Fallsatz fall = Gelesen(bestand.FallLesen(fallNr), "Fall lesen");
    FallUebernehmen(fall, eingaben);
    const int teilmonatPos = Listenposition(fall.TeilmonatPos, AnzahlTeilmonate);
    const int kasse = Listenposition(fall.KassePos, AnzahlKassen);
    const Kassenprozente prozente = KassenwerteUebernehmen(umlagen, kasse, eingaben);
    Pruefen(prozente.U1 == Waehrung::AusRoh(std::int64_t{umlagen.U1Saetze[kasse]} * 10),
            "U1 in Prozent");
    for (int job = ErsteSpalte; job <= LetzterJob; ++job) {
        Pruefen(eingaben.Entgelt[job] == fall.Entgelte[job], "Entgelt übernommen");
        for (Zweig b : {KV, PV, RV, AV}) {
            Pruefen(Zustand(eingaben.Zweigschalter(job, b)), "Zweig 0, 1 oder 2");
        }
        for (Umlageart u : {U1, U2, U3}) {
            Pruefen(Zustand(eingaben.Umlageschalter(job, u)), "Umlage 0, 1 oder 2");
        }
        Pruefen(Zustand(eingaben.KG[job]), "KG 0, 1 oder 2");
    }
    Pruefen(eingaben.RVVerzicht == 0 || eingaben.RVVerzicht == 1, "RV-Verzicht 0 oder 1");
    Pruefen(eingaben.Sachsen == 0 || eingaben.Sachsen == 1, "Sachsen 0 oder 1");
    Pruefen(eingaben.Teilmonatsfaktor == *Teilmonatsfaktor(teilmonatPos), "Teilmonat");

    // Berechnen: amounts this large only come from a damaged file; the
    // window shows a message and neither shows nor saves anything.
    Berechnungsrahmen(umlagen, kasse, jahrPos, monatPos, fallNr, eingaben);
    try {
        const Ergebnis ergebnis = Berechnen(eingaben);
        (void)ergebnis;
    } catch (const std::overflow_error&) {
        return 0;
    }
    Pruefen(eingaben.Teilmonatsfaktor >= Waehrung::AusGanzzahl(1), "Faktor mindestens 1");

    // FallSichern: the case as the window shows it, then the settings record
    // as a copy of it, and the annual sum in between.
    Fallsatz gesichert = fall;
    for (int job = ErsteSpalte; job <= LetzterJob; ++job) {
        for (Zweig b : {KV, PV, RV, AV}) {
            gesichert.Zweige[job][b] = eingaben.Zweigschalter(job, b);
        }
        for (Umlageart u : {U1, U2, U3}) {
            gesichert.Umlagen[job][u] = eingaben.Umlageschalter(job, u);
        }
        gesichert.Umlagen[job][KGStelle] = eingaben.KG[job];
        gesichert.Entgelte[job] = eingaben.Entgelt[job];
    }
    gesichert.RVVerzicht = Schalterzustand(fall.RVVerzicht);
    gesichert.SachsenWahl = Schalterzustand(fall.SachsenWahl);
    gesichert.KinderlosWahl = Schalterzustand(fall.KinderlosWahl);
    gesichert.TeilmonatPos = static_cast<std::int16_t>(teilmonatPos);
    gesichert.KassePos = static_cast<std::int16_t>(kasse);
    gesichert.LetzterFall = static_cast<std::int16_t>(personPos);
    Pruefen(bestand.FallSchreiben(fallNr, gesichert).HatWert(), "Fall schreiben");
    Fallsatz neueEinstellungen = gesichert;
    neueEinstellungen.Namen[1] = personen[8];
    neueEinstellungen.Namen[2] = personen[9];
    neueEinstellungen.Namen[3] = stelle1;
    neueEinstellungen.Namen[4] = stelle2;
    neueEinstellungen.Oben = static_cast<std::int16_t>(jahrPos);
    neueEinstellungen.Links = static_cast<std::int16_t>(monatPos);
    Pruefen(bestand.FallSchreiben(EinstellungsSatz, neueEinstellungen).HatWert(), "603 schreiben");

    const auto summe = bestand.Jahressumme(fallNr);
    Pruefen(summe.HatWert() || summe.Fehler().Art == DateiFehler::Fehlerart::Ueberlauf,
            "Jahressumme oder Überlauf");

    // What was saved reads back unchanged, and loading it again gives the
    // same inputs.
    const Fallsatz zurueck = Gelesen(bestand.FallLesen(fallNr), "Fall wieder lesen");
    Pruefen(zurueck == gesichert, "Fall unverändert zurück");
    Pruefen(Gelesen(bestand.FallLesen(EinstellungsSatz), "603 wieder lesen") == neueEinstellungen,
            "603 unverändert zurück");
    Eingaben nochmal = eingaben;
    FallUebernehmen(zurueck, nochmal);
    for (int job = ErsteSpalte; job <= LetzterJob; ++job) {
        Pruefen(nochmal.KG[job] == eingaben.KG[job] && nochmal.AV[job] == eingaben.AV[job] &&
                    nochmal.U1[job] == eingaben.U1[job],
                "erneutes Laden gleich");
    }
    Pruefen(nochmal.RVVerzicht == eingaben.RVVerzicht && nochmal.Sachsen == eingaben.Sachsen,
            "erneutes Laden gleich");
    return 0;
}
