#include "store/Datenbestand.h"

// The file of the months from 2013 on: its records, its funds and the
// completion of an older or new file.

#include "calc/Perioden.h"
#include "store/Spaetsatz.h"

namespace lohnwippe {

namespace {

using Fehlerart = DateiFehler::Fehlerart;

}  // namespace

Erwartet<std::vector<int>> Datenbestand::Ab2013Ergaenzen() {
    auto laenge = spaet_.Selbst().Laenge();
    if (!laenge.HatWert()) {
        return laenge.Fehler();
    }
    const std::uint64_t jahrbytes = std::uint64_t{SaetzeJeSpaetjahr} * FallsatzLaenge;
    const std::uint64_t bloecke =
        laenge.Wert() < FallsatzLaenge ? 0 : laenge.Wert() - FallsatzLaenge;
    // Cut within a block, or longer than the table: a Luecke, not ours to mend.
    if (laenge.Wert() != 0 && (laenge.Wert() < FallsatzLaenge || bloecke % jahrbytes != 0)) {
        return std::vector<int>{};
    }
    const int vonJahr = ErstesSpaetjahr + static_cast<int>(bloecke / jahrbytes);
    std::vector<int> jahre;
    for (int jahr = vonJahr; jahr <= LetztesBekanntesJahr(); ++jahr) {
        jahre.push_back(jahr);
    }
    if (jahre.empty()) {
        return jahre;
    }
    std::vector<std::byte> puffer;
    if (laenge.Wert() == 0) {
        const auto einstellung = FallsatzKodieren(StandardSpaeteinstellung());
        puffer.assign(einstellung.begin(), einstellung.end());
    }
    const std::vector<std::byte> bloeckeNeu = StandardSpaetjahre(vonJahr, LetztesBekanntesJahr());
    puffer.insert(puffer.end(), bloeckeNeu.begin(), bloeckeNeu.end());
    const int ab = laenge.Wert() == 0 ? SpaetEinstellungsSatz : SpaetjahrAnfang(vonJahr);
    // The defaults are no step of the user's: nothing to undo.
    std::vector<Satzaenderung>* mitschrift = mitschrift_;
    spaet_.Mitschreiben(nullptr, Datendatei::Ab2013, SpaetEinstellungsSatz);
    auto ergebnis = spaet_.Schreiben(ab, static_cast<int>(puffer.size() / FallsatzLaenge), puffer);
    spaet_.Mitschreiben(mitschrift, Datendatei::Ab2013, SpaetEinstellungsSatz);
    if (ergebnis.HatWert()) {
        ergebnis = spaet_.Selbst().Sichern();
    }
    if (!ergebnis.HatWert()) {
        return ergebnis.Fehler();
    }
    return jahre;
}

Erwartet<Fallsatz> Datenbestand::FallAb2013Lesen(int satzNr) {
    std::array<std::byte, FallsatzLaenge> puffer;
    if (auto gelesen = spaet_.Lesen(satzNr, 1, puffer); !gelesen.HatWert()) {
        return gelesen.Fehler();
    }
    return FallsatzDekodieren(puffer);
}

Erwartet<void> Datenbestand::FallAb2013Schreiben(int satzNr, const Fallsatz& satz) {
    return spaet_.Schreiben(satzNr, 1, FallsatzKodieren(satz));
}

Erwartet<Waehrung> Datenbestand::JahressummeAb2013(int satzNr) {
    const auto position = FallAb2013Zerlegen(satzNr);
    if (!position) {
        return DateiFehler{.Art = Fehlerart::Satznummer, .Datei = spaet_.Name(), .Wert = satzNr};
    }
    return JahressummeIn(spaet_, FallNrAb2013(position->Jahr, position->PersonPos, 0));
}

Erwartet<void> Datenbestand::BisDezemberKopierenAb2013(int satzNr, const Fallsatz& satz) {
    const auto position = FallAb2013Zerlegen(satzNr);
    if (!position) {
        return DateiFehler{.Art = Fehlerart::Satznummer, .Datei = spaet_.Name(), .Wert = satzNr};
    }
    return BisDezemberIn(spaet_, satzNr, position->MonatPos, satz);
}

Erwartet<int> Datenbestand::Kassenanfang(int jahr) {
    if (jahr < ErstesSpaetjahr || jahr > LetztesBekanntesJahr()) {
        return DateiFehler{.Art = Fehlerart::Satznummer,
                           .Datei = spaet_.Name(),
                           .Wert = KassensatzNr(std::max(jahr, ErstesSpaetjahr - 1), 0)};
    }
    return KassensatzNr(jahr, 0);
}

Erwartet<std::vector<Kasseneintrag>> Datenbestand::KassenLesen(int jahr) {
    auto anfang = Kassenanfang(jahr);
    if (!anfang.HatWert()) {
        return anfang.Fehler();
    }
    std::array<std::byte, KassenblockLaenge> puffer;
    if (auto gelesen = spaet_.Lesen(anfang.Wert(), KassensaetzeJeJahr, puffer);
        !gelesen.HatWert()) {
        return gelesen.Fehler();
    }
    return KassenDekodieren(puffer);
}

Erwartet<void> Datenbestand::KassenSchreiben(int jahr, const std::vector<Kasseneintrag>& kassen) {
    auto anfang = Kassenanfang(jahr);
    if (!anfang.HatWert()) {
        return anfang.Fehler();
    }
    if (const auto falsch = KassenUnpassend(kassen)) {
        return DateiFehler{.Art = Fehlerart::Kassenposition,
                           .Datei = spaet_.Name(),
                           .Wert = static_cast<long>(*falsch)};
    }
    std::array<std::byte, KassenblockLaenge> puffer;
    KassenKodieren(kassen, puffer);
    Verbund verbund(*this);
    if (auto ergebnis = spaet_.Schreiben(anfang.Wert(), KassensaetzeJeJahr, puffer);
        !ergebnis.HatWert()) {
        return ergebnis;
    }
    return verbund.Abschliessen();
}

}  // namespace lohnwippe
