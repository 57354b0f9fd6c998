// A whole start-up of the main window's data path, from any contents of
// "SV.dat" and "U12.dat", without the window: the new installation's
// contents for an empty case file, the names of the master records, the
// last case from the settings record, its levy record, the case as the
// window shows it, the calculation inputs, the calculation, the annual sum
// and the save of the case and the settings record. Everything on this road
// is the code the case model runs (Fallrechnung, Einstellungssatz,
// Berechnen, Datenbestand); only the order of the calls is written out here.
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
#include "fall/Fallrechnung.h"
#include "store/Datenbestand.h"
#include "store/Einstellungssatz.h"
#include "store/SpeicherDatei.h"
#include "store/Standardinhalt.h"

using namespace lohnwippe;
using lohnwippe::fuzz::Leser;
using lohnwippe::fuzz::Pruefen;

namespace {

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
    const Fallsatz einstellungen = Gelesen(bestand.FallLesen(EinstellungsSatz), "603 lesen");
    const Namensfelder namen =
        NamenLesen(Gelesen(bestand.FallLesen(NamenSatz1), "601 lesen"),
                   Gelesen(bestand.FallLesen(NamenSatz2), "602 lesen"), einstellungen);

    // The last case, its month and its levy record.
    const int fallNr = StartfallNr(einstellungen.LetzterFall);
    Pruefen(fallNr >= 1 && fallNr <= AnzahlFaelle, "Fallnummer in den Listen");
    const FallPosition lage = FallZerlegen(fallNr);
    const auto monat = Berichtsmonat::AusPositionen(lage.JahrPos, lage.MonatPos);
    Pruefen(monat.has_value() && lage.PersonPos >= 0 && lage.PersonPos < AnzahlPersonen,
            "Listen treffen den Fall");
    Pruefen(FallNr(*monat, lage.PersonPos) == fallNr, "Fall der Listen");
    const Umlagesatz umlagen = Gelesen(bestand.UmlageLesen(UmlageNr(*monat)), "Umlagesatz lesen");

    // The case as the window shows it, and what it calculates with.
    const Fallsatz fall = Gelesen(bestand.FallLesen(fallNr), "Fall lesen");
    const Fallangaben gezeigt = AngabenAusSatz(fall);
    const Eingaben eingaben = EingabenAusFall(gezeigt, umlagen, *monat);
    const auto kasse = static_cast<std::size_t>(gezeigt.Kasse.Wert());
    Pruefen(eingaben.Umlagesatz[U1] == umlagen.U1Saetze[kasse] &&
                KassenprozenteVon(umlagen, gezeigt.Kasse).U1 ==
                    Waehrung::AusRoh(std::int64_t{umlagen.U1Saetze[kasse]} * 10),
            "Umlagesätze der Kasse");
    Pruefen(eingaben.Entgelt == fall.Entgelte, "Entgelte übernommen");
    Pruefen(eingaben.Teilmonatsfaktor == *Teilmonatsfaktor(gezeigt.Teilmonat.Wert()), "Teilmonat");

    // Amounts this large only come from a damaged file; the window says so
    // and neither shows nor saves anything.
    try {
        const Ergebnis ergebnis = Berechnen(eingaben);
        Pruefen(ergebnis.Teilmonatsfaktor >= Waehrung::AusGanzzahl(1), "Faktor mindestens 1");
    } catch (const std::overflow_error&) {
        return 0;
    }

    // The save: the case as shown, then the settings record after it, and
    // the annual sum.
    Fallsatz gesichert = SatzMitAngaben(fall, gezeigt);
    gesichert.LetzterFall = static_cast<std::int16_t>(lage.PersonPos);
    Fallsatz neueEinstellungen;
    EinstellungenNachRechnung(neueEinstellungen, gesichert, namen, lage.PersonPos, lage.JahrPos,
                              lage.MonatPos, {});
    Pruefen(bestand.FallSchreiben(fallNr, gesichert).HatWert(), "Fall schreiben");
    Pruefen(bestand.FallSchreiben(EinstellungsSatz, neueEinstellungen).HatWert(), "603 schreiben");
    const auto summe = bestand.Jahressumme(fallNr);
    Pruefen(summe.HatWert() || summe.Fehler().Art == DateiFehler::Fehlerart::Ueberlauf,
            "Jahressumme oder Überlauf");

    // What was saved reads back unchanged, as it was shown.
    const Fallsatz zurueck = Gelesen(bestand.FallLesen(fallNr), "Fall wieder lesen");
    Pruefen(zurueck == gesichert && AngabenAusSatz(zurueck) == gezeigt, "Fall unverändert zurück");
    const Fallsatz einstellungenZurueck = Gelesen(bestand.FallLesen(EinstellungsSatz), "603");
    Pruefen(einstellungenZurueck == neueEinstellungen, "603 unverändert zurück");
    Pruefen(StartfallNr(EinstellungenBeimBeenden(einstellungenZurueck, fallNr, {}).LetzterFall) ==
                fallNr,
            "nächster Start beim selben Fall");
    return 0;
}
