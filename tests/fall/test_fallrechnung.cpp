// The road from a stored record to the calculation inputs.
#include <gtest/gtest.h>

#include "fall/Fallrechnung.h"
#include "store/Standardinhalt.h"

namespace lohnwippe {
namespace {

Waehrung W(double wert) {
    return Waehrung::AusDoubleHalbGerade(wert);
}

TEST(Fallrechnung, StartfallUndListenposition) {
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
    for (const auto& [position, anzahl, gezeigt] :
         {std::tuple{0, 22, 0}, {21, 22, 21}, {22, 22, 0}, {-1, 35, 0}, {34, 35, 34}}) {
        EXPECT_EQ(Listenposition(position, anzahl), gezeigt) << position << "/" << anzahl;
    }
}

TEST(Fallrechnung, WieAngezeigtZeigtJedenSchalterAlsAusAnOderGrau) {
    for (const auto& [gespeichert, gezeigt] : {std::pair<std::int16_t, std::int16_t>{0, 0},
                                               {1, 1},
                                               {2, 2},
                                               {3, 0},
                                               {-1, 0},
                                               {32767, 0}}) {
        Fallsatz satz = StandardFallsatz(1);
        satz.Zweige[2][AV] = satz.Umlagen[3][KGStelle] = satz.Umlagen[4][U2] = gespeichert;
        satz.RVVerzicht = satz.SachsenWahl = satz.KinderlosWahl = gespeichert;
        Fallsatz erwartet = satz;
        erwartet.Zweige[2][AV] = erwartet.Umlagen[3][KGStelle] = erwartet.Umlagen[4][U2] = gezeigt;
        erwartet.RVVerzicht = erwartet.SachsenWahl = erwartet.KinderlosWahl = gezeigt;
        EXPECT_EQ(WieAngezeigt(satz), erwartet) << gespeichert;
    }
    Fallsatz satz = StandardFallsatz(1);
    satz.TeilmonatPos = 34;
    satz.KassePos = 21;
    EXPECT_EQ(WieAngezeigt(satz), satz);
    satz.TeilmonatPos = 35;
    satz.KassePos = -3;
    EXPECT_EQ(WieAngezeigt(satz).TeilmonatPos + WieAngezeigt(satz).KassePos, 0);
}

TEST(Fallrechnung, EingabenAusFallUndKasse) {
    Umlagesatz umlagen{};
    umlagen.KVSaetze = {1460};
    umlagen.KVSaetze[5] = 1550;
    umlagen.U1Saetze[5] = 2100;
    umlagen.U2Saetze[5] = 39;
    umlagen.U3Saetze[5] = 40;
    Fallsatz satz = StandardFallsatz(1);
    satz.Entgelte[1] = W(450);
    satz.Entgelte[4] = W(120);
    satz.Zweige[2][AV] = 2;
    satz.Zweige[3][KV] = 0;
    satz.Umlagen[1][U3] = 2;
    satz.Umlagen[2][KGStelle] = 0;
    satz.Umlagen[4][KGStelle] = 2;  // grey is no sick pay
    satz.RVVerzicht = 2;            // grey counts as on for the waiver and Saxony
    satz.SachsenWahl = 2;
    satz.KinderlosWahl = 2;
    satz.TeilmonatPos = 2;
    satz.KassePos = 5;
    const Eingaben e = EingabenAusFall(satz, umlagen, {2011, 7});
    EXPECT_EQ(e.Entgelt, satz.Entgelte);
    EXPECT_EQ(e.Zweige[2][AV], Schalter::Grau);
    EXPECT_EQ(e.Zweige[3][KV], Schalter::Aus);
    EXPECT_EQ(e.Zweige[3][PV], Schalter::An);
    EXPECT_EQ(e.Umlagen[1][U3], Schalter::Grau);
    EXPECT_EQ(e.KG, (JeJob<Schalter>{Schalter::Aus, Schalter::An, Schalter::Aus, Schalter::An,
                                     Schalter::Grau}));
    EXPECT_EQ(e.KVSatz, (JeSpalte<Waehrung>{W(0), W(15.5), W(14.9), W(15.5), W(14.9), W(15.5)}));
    EXPECT_TRUE(e.RVVerzicht && e.Sachsen);
    EXPECT_EQ(e.Kinderlos, Schalter::Grau);
    EXPECT_EQ(e.Teilmonatsfaktor, W(2.174));
    EXPECT_EQ(e.Jahressatz, (JeZweig<Waehrung>{W(0), W(1.95), W(19.9), W(3)}));
    EXPECT_EQ(e.FaktorF, W(0.7435));
    EXPECT_EQ(e.Umlagesatz, (JeUmlage<std::int16_t>{2100, 39, 40}));
    EXPECT_EQ(e.Monat, (Berichtsmonat{2011, 7}));
    const Kassenprozente prozente = KassenprozenteVon(umlagen, 5);
    EXPECT_EQ(std::tuple(prozente.U1, prozente.U2, prozente.U3),
              std::tuple(W(2.1), W(0.039), W(0.04)));

    // Outside the lists: the first fund and the full month.
    satz.KassePos = 22;
    satz.TeilmonatPos = -1;
    const Eingaben aussen = EingabenAusFall(satz, umlagen, {2011, 7});
    EXPECT_EQ(aussen.KVSatz[1], W(14.6));
    EXPECT_EQ(aussen.Teilmonatsfaktor, W(1));
    EXPECT_EQ(aussen.Umlagesatz, (JeUmlage<std::int16_t>{}));
}

}  // namespace
}  // namespace lohnwippe
