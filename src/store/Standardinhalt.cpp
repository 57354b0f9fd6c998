#include "store/Standardinhalt.h"

#include <string>

namespace lohnwippe {

namespace {

// A rate for a whole year, or one that changed during it: from month
// `abMonat` (1..12) onward it is `neu`.
struct Jahressatz {
    std::int16_t Wert = 0;
    int AbMonat = 0;
    std::int16_t Neu = 0;

    constexpr std::int16_t ImMonat(int monatPos) const {
        return AbMonat != 0 && monatPos + 1 >= AbMonat ? Neu : Wert;
    }
};

constexpr Jahressatz S(std::int16_t wert) {
    return {wert, 0, 0};
}
constexpr Jahressatz S(std::int16_t wert, int abMonat, std::int16_t neu) {
    return {wert, abMonat, neu};
}

struct Kassenzeile {
    std::array<Jahressatz, 4> U1;  // 2009 .. 2012
    std::array<Jahressatz, 4> U2;
};

// U1 and U2 in thousandths of a percent, by fund position.
// clang-format off
constexpr std::array<Kassenzeile, AnzahlKassen> Kassensaetze = {{
    {{S(390), S(370), S(370), S(370)}, {S(15), S(20), S(20, 7, 23), S(27)}},          // Bad-Württ.
    {{S(270), S(270), S(270), S(270)}, {S(10), S(20), S(28, 8, 39), S(39)}},          // Bayern
    {{S(360), S(400), S(200), S(250)}, {S(15), S(17), S(30), S(35)}},                 // Berlin
    {{S(310), S(400), S(200), S(250)}, {S(15), S(17), S(30), S(35)}},                 // Brandbg
    {{S(290), S(390), S(390), S(340)}, {S(15), S(20), S(25), S(30)}},                 // Bremen
    {{S(260), S(260), S(260), S(260)}, {S(12), S(20), S(20), S(30)}},                 // Hamburg
    {{S(390), S(390), S(340), S(340)}, {S(5), S(14), S(19), S(25)}},                  // Hessen
    {{S(210, 9, 220), S(280), S(200), S(250)}, {S(20), S(20, 9, 25), S(30), S(35)}},  // Mecklenb.
    {{S(330), S(350), S(340), S(380)}, {S(16), S(22), S(30), S(30)}},                 // Nieders.
    {{S(310), S(330, 10, 360), S(360), S(380)}, {S(9), S(20, 10, 18), S(18), S(30)}}, // Westf.L
    {{S(410), S(410), S(100), S(260)}, {S(15), S(19), S(19), S(30)}},                 // Rheinl.Pf
    {{S(230), S(390), S(390), S(390)}, {S(5), S(15), S(15), S(15)}},                  // Saarland
    {{S(190), S(310), S(310), S(310)}, {S(35), S(45), S(45), S(49)}},                 // Sachsen
    {{S(340), S(340), S(300), S(300)}, {S(12), S(20, 7, 28), S(28), S(28)}},          // S-Anhalt
    {{S(280), S(330), S(360), S(380)}, {S(10), S(20, 10, 18), S(18), S(30)}},         // Schlesw.
    {{S(190), S(310), S(310), S(310)}, {S(35), S(45), S(45), S(49)}},                 // Thüring.
    {{S(260), S(260), S(260), S(260)}, {S(12), S(20), S(20), S(30)}},                 // Rheinl.
    {{S(340), S(340), S(330), S(330)}, {S(15), S(20), S(33), S(33)}},                 // Barmer
    {{S(320), S(320), S(390), S(390)}, {S(15), S(20), S(33), S(33)}},                 // DAK
    {{S(320), S(320), S(390), S(390)}, {S(15), S(20), S(33), S(33)}},                 // KKH
    {{S(280), S(280), S(330), S(330)}, {S(10), S(20), S(30), S(39)}},                 // Techn.
    {{S(250), S(250), S(350), S(350)}, {S(15), S(20), S(30), S(30)}},                 // BBK
}};
// clang-format on

// Alike for all funds.
constexpr std::array<Jahressatz, 4> U3Saetze = {S(0), S(410), S(0), S(40)};
constexpr std::array<Jahressatz, 4> KVSaetze = {S(1460, 7, 1400), S(1400), S(1460), S(1460)};

}  // namespace

Fallsatz StandardFallsatz(int satzNr) {
    Fallsatz satz;
    for (int job = ErsteSpalte; job <= LetzterJob; ++job) {
        satz.Namen[job] = "Arbeitgeber " + std::to_string(job);
        satz.Zweige[job].fill(1);
        satz.Umlagen[job].fill(1);
    }
    if (satzNr == NamenSatz1 || satzNr == NamenSatz2) {
        const int erster = satzNr == NamenSatz1 ? 1 : 5;
        for (int k = 0; k < 4; ++k) {
            satz.Namen[ErsteSpalte + k] = "Personalfall " + std::to_string(erster + k);
        }
    } else if (satzNr == EinstellungsSatz) {
        satz.Namen = {"", "Personalfall 9", "Personalfall 10", "Stadt Neckartal", "Abt. Personal"};
        satz.LetzterFall = FallNr(3, 0, 0);  // 2012, first person, January
    }
    return satz;
}

Umlagesatz StandardUmlagesatz(int umlageNr) {
    const int jahrPos = (umlageNr - 1) / MonateJeJahr;
    const int monatPos = (umlageNr - 1) % MonateJeJahr;
    Umlagesatz satz;
    if (umlageNr < 1 || jahrPos >= static_cast<int>(U3Saetze.size())) {
        return satz;  // no such month: nothing to fill in
    }
    for (int kasse = 0; kasse < AnzahlKassen; ++kasse) {
        satz.U1Saetze[kasse] = Kassensaetze[kasse].U1[jahrPos].ImMonat(monatPos);
        satz.U2Saetze[kasse] = Kassensaetze[kasse].U2[jahrPos].ImMonat(monatPos);
        satz.U3Saetze[kasse] = U3Saetze[jahrPos].ImMonat(monatPos);
        satz.KVSaetze[kasse] = KVSaetze[jahrPos].ImMonat(monatPos);
    }
    return satz;
}

}  // namespace lohnwippe
