#include "store/Datenbestand.h"

#include <algorithm>
#include <stdexcept>

#include "store/Bytefolge.h"

// The reads and writes of single records and of the groups of records the
// program changes together.

namespace lohnwippe {

using bytefolge::Satzbereich;
using Fehlerart = DateiFehler::Fehlerart;

Erwartet<Fallsatz> Datenbestand::FallLesen(int satzNr) {
    std::array<std::byte, FallsatzLaenge> puffer;
    auto ergebnis = faelle_.Lesen(satzNr, 1, puffer);
    if (!ergebnis.HatWert()) {
        return ergebnis.Fehler();
    }
    return FallsatzDekodieren(puffer);
}

Erwartet<std::vector<std::byte>> Datenbestand::SatzLesen(Datendatei datei, int satzNr) {
    Ablage& ablage = AblageVon(datei);
    std::vector<std::byte> bytes(ablage.Satzlaenge());
    if (auto gelesen = ablage.Lesen(satzNr, 1, bytes); !gelesen.HatWert()) {
        return gelesen.Fehler();
    }
    return bytes;
}

Erwartet<void> Datenbestand::SatzSchreiben(Datendatei datei, int satzNr,
                                           std::span<const std::byte> bytes) {
    return AblageVon(datei).Schreiben(satzNr, 1, bytes);
}

Erwartet<void> Datenbestand::FallSchreiben(int satzNr, const Fallsatz& satz) {
    return faelle_.Schreiben(satzNr, 1, FallsatzKodieren(satz));
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
    auto ergebnis = umlagen_.Lesen(umlageNr, 1, puffer);
    if (!ergebnis.HatWert()) {
        return ergebnis.Fehler();
    }
    return UmlagesatzDekodieren(puffer);
}

Erwartet<void> Datenbestand::UmlageSchreiben(int umlageNr, const Umlagesatz& satz) {
    return umlagen_.Schreiben(umlageNr, 1, UmlagesatzKodieren(satz));
}

Erwartet<Waehrung> Datenbestand::Jahressumme(int fallNr) {
    if (fallNr < 1) {
        return DateiFehler{.Art = Fehlerart::Satznummer, .Datei = faelle_.Name(), .Wert = fallNr};
    }
    return JahressummeIn(faelle_, JanuarsatzNr(fallNr));
}

Erwartet<Waehrung> Datenbestand::JahressummeIn(Ablage& ablage, int januar) {
    std::array<std::byte, FallsatzLaenge * MonateJeJahr> puffer;
    if (auto gelesen = ablage.Lesen(januar, MonateJeJahr, puffer); !gelesen.HatWert()) {
        return gelesen.Fehler();
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
                .Art = Fehlerart::Ueberlauf, .Datei = ablage.Name(), .Satz = januar + monat};
        }
    }
    return summe;
}

Erwartet<void> Datenbestand::BisDezemberKopieren(int fallNr, const Fallsatz& satz) {
    if (fallNr < 1) {
        return DateiFehler{.Art = Fehlerart::Satznummer, .Datei = faelle_.Name(), .Wert = fallNr};
    }
    return BisDezemberIn(faelle_, fallNr, (fallNr - 1) % MonateJeJahr, satz);
}

Erwartet<void> Datenbestand::BisDezemberIn(Ablage& ablage, int satzNr, int monatPos,
                                           const Fallsatz& satz) {
    const int anzahl = MonateJeJahr - monatPos;
    std::array<std::byte, FallsatzLaenge> einzeln;
    FallsatzKodieren(satz, einzeln);
    std::vector<std::byte> puffer(FallsatzLaenge * static_cast<std::size_t>(anzahl));
    for (int i = 0; i < anzahl; ++i) {
        std::ranges::copy(einzeln, Satzbereich<FallsatzLaenge>(puffer, i).begin());
    }
    Verbund verbund(*this);
    if (auto ergebnis = ablage.Schreiben(satzNr, anzahl, puffer); !ergebnis.HatWert()) {
        return ergebnis;
    }
    return verbund.Abschliessen();
}

Erwartet<void> Datenbestand::Umlagesaetze2012Schreiben(int kassePos, const Monatswerte& u1,
                                                       const Monatswerte& u2) {
    if (kassePos < 0 || kassePos >= AnzahlKassen) {
        return DateiFehler{
            .Art = Fehlerart::Kassenposition, .Datei = UmlagedateiName, .Wert = kassePos};
    }
    std::array<std::byte, UmlagesatzLaenge * MonateJeJahr> puffer;
    auto gelesen = umlagen_.Lesen(ErsterUmlagesatz2012, MonateJeJahr, puffer);
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
    auto ergebnis = umlagen_.Schreiben(ErsterUmlagesatz2012, MonateJeJahr, puffer);
    if (!ergebnis.HatWert()) {
        return ergebnis;
    }
    return umlagen_.Selbst().Sichern();
}

}  // namespace lohnwippe
