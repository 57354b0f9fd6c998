// The road from a stored record to the case on screen and to the
// calculation inputs.
#include <gtest/gtest.h>

#include "fall/Fallrechnung.h"
#include "store/Standardinhalt.h"

namespace lohnwippe {
namespace {

Waehrung W(double wert) {
    return Waehrung::AusDoubleHalbGerade(wert);
}

TEST(Fallrechnung, StartfallUndListenplatz) {
    // 0 after an old end, the rest only from a damaged file.
    for (const auto& [letzter, start] : {std::pair{1, 1},
                                         {480, 480},
                                         {0, 360},
                                         {-1, 360},
                                         {481, 360},
                                         {32767, 360},
                                         {-32768, 360}}) {
        EXPECT_EQ(StartfallNr(letzter), start) << letzter;
    }
    for (const auto& [position, gezeigt] : {std::pair{0, 0}, {21, 21}, {22, 0}, {-1, 0}}) {
        EXPECT_EQ(Kassenplatz::Gelesen(position).Wert(), gezeigt) << position;
    }
}

// A record with stored states 0, 1, 2, 3, -1 and 32767 (shown as off, on,
// grey, off, off, off), grey where the waiver and Saxony count as on, a
// partial month and a fund of its own.
TEST(Fallrechnung, AngabenAusSatzUndEingabenAusFall) {
    Fallsatz satz = StandardFallsatz(1);
    satz.Zweige[1] = {0, 1, 2, 3};
    satz.Umlagen[2] = {-1, 32767, 2, 0};  // U1, U2, U3, KG
    satz.RVVerzicht = satz.SachsenWahl = satz.KinderlosWahl = 2;
    satz.Entgelte[4] = W(120);
    satz.TeilmonatPos = 2;
    satz.KassePos = 5;
    const Fallangaben angaben = AngabenAusSatz(satz);
    Fallsatz gezeigt = satz;
    gezeigt.Zweige[1] = {0, 1, 2, 0};
    gezeigt.Umlagen[2] = {0, 0, 2, 0};
    // Stored again, only what the screen could not show is gone.
    EXPECT_EQ(SatzMitAngaben(satz, angaben), gezeigt);
    satz.TeilmonatPos = 35;
    satz.KassePos = -3;
    const Fallangaben aussen = AngabenAusSatz(satz);
    EXPECT_EQ(aussen.Teilmonat.Wert() + aussen.Kasse.Wert(), 0);

    Umlagesatz umlagen{};
    umlagen.KVSaetze = {1460};
    umlagen.KVSaetze[5] = 1550;
    umlagen.U1Saetze[5] = 2100;
    umlagen.U2Saetze[5] = 39;
    umlagen.U3Saetze[5] = 40;
    const Eingaben e = EingabenAusFall(angaben, umlagen, {2011, 7});
    EXPECT_EQ(e.Zweige[1],
              (JeZweig<Schalter>{Schalter::Aus, Schalter::An, Schalter::Grau, Schalter::Aus}));
    EXPECT_EQ(e.Umlagen[2], (JeUmlage<Schalter>{Schalter::Aus, Schalter::Aus, Schalter::Grau}));
    EXPECT_EQ(e.KVSatz, (JeSpalte<Waehrung>{W(0), W(15.5), W(14.9), W(15.5), W(15.5), W(15.5)}));
    EXPECT_TRUE(e.RVVerzicht && e.Sachsen);
    EXPECT_EQ(e.Kinderlos, Schalter::Grau);
    EXPECT_EQ(e.Teilmonatsfaktor, W(2.174));
    EXPECT_EQ(e.Umlagesatz, (JeUmlage<std::int16_t>{2100, 39, 40}));
    // Outside the lists: the first fund and the full month.
    const Eingaben erste = EingabenAusFall(aussen, umlagen, {2011, 7});
    EXPECT_EQ(std::tuple(erste.KVSatz[1], erste.Teilmonatsfaktor), std::tuple(W(14.6), W(1)));
}

}  // namespace
}  // namespace lohnwippe
