#include <gtest/gtest.h>

#include <cerrno>
#include <memory>

#include "calc/Teilmonat.h"
#include "store/Datenbestand.h"
#include "store/Fallaufbereitung.h"
#include "store/SpeicherDatei.h"
#include "store/Standardinhalt.h"

namespace lohnwippe {
namespace {

Waehrung Prozent(double wert) {
    return Waehrung::AusDoubleHalbGerade(wert);
}

TEST(Fallaufbereitung, StartfallAusDemEinstellungssatz) {
    Fallsatz einstellungen = StandardFallsatz(EinstellungsSatz);
    EXPECT_EQ(StartfallNr(einstellungen), 361);
    for (int letzter : {1, 480}) {
        einstellungen.LetzterFall = static_cast<std::int16_t>(letzter);
        EXPECT_EQ(StartfallNr(einstellungen), letzter);
    }
    // 0 after an old end, the rest only from a damaged file.
    for (int letzter : {0, -1, 481, 600, 32767, -32768}) {
        einstellungen.LetzterFall = static_cast<std::int16_t>(letzter);
        EXPECT_EQ(StartfallNr(einstellungen), 360) << letzter;
    }
}

TEST(Fallaufbereitung, ListenpositionAusserhalbNimmtDenErstenEintrag) {
    EXPECT_EQ(Listenposition(0, 22), 0);
    EXPECT_EQ(Listenposition(21, 22), 21);
    EXPECT_EQ(Listenposition(22, 22), 0);
    EXPECT_EQ(Listenposition(-1, 35), 0);
    EXPECT_EQ(Listenposition(34, 35), 34);
}

TEST(Fallaufbereitung, SchalterzustaendeWieDieKaestchen) {
    EXPECT_EQ(Schalterzustand(0), 0);
    EXPECT_EQ(Schalterzustand(1), 1);
    EXPECT_EQ(Schalterzustand(2), 2);
    for (int unbekannt : {3, -1, 32767, -32768}) {
        EXPECT_EQ(Schalterzustand(unbekannt), 0) << unbekannt;
    }
}

TEST(Fallaufbereitung, FallUebernehmenSetztEntgelteSchalterUndTeilmonat) {
    Fallsatz satz = StandardFallsatz(1);
    satz.Entgelte[1] = Waehrung::AusGanzzahl(450);
    satz.Entgelte[4] = Waehrung::AusGanzzahl(120);
    satz.Zweige[2][AV] = 2;
    satz.Zweige[3][KV] = 0;
    satz.Umlagen[1][U3] = 7;
    satz.Umlagen[4][KGStelle] = 0;
    satz.RVVerzicht = 2;   // grey counts as on
    satz.SachsenWahl = 5;  // an unknown state shows as off
    satz.KinderlosWahl = 2;
    satz.TeilmonatPos = 2;
    Eingaben e{};
    FallUebernehmen(satz, e);
    EXPECT_EQ(e.Entgelt[1], Waehrung::AusGanzzahl(450));
    EXPECT_EQ(e.Entgelt[4], Waehrung::AusGanzzahl(120));
    EXPECT_EQ(e.AV[2], 2);
    EXPECT_EQ(e.KV[3], 0);
    EXPECT_EQ(e.PV[3], 1);
    EXPECT_EQ(e.U3[1], 0);
    EXPECT_EQ(e.KG[4], 0);
    EXPECT_EQ(e.KG[1], 1);
    EXPECT_EQ(e.RVVerzicht, 1);
    EXPECT_EQ(e.Sachsen, 0);
    EXPECT_EQ(e.Kinderlos, 2);
    EXPECT_EQ(e.Teilmonatsfaktor, Prozent(2.174));

    satz.TeilmonatPos = 35;  // outside the list: the full month
    FallUebernehmen(satz, e);
    EXPECT_EQ(e.Teilmonatsfaktor, Waehrung::AusGanzzahl(1));
}

TEST(Fallaufbereitung, KassenwerteAusDerSpalteDerKasse) {
    Umlagesatz umlagen{};
    umlagen.KVSaetze[5] = 1550;
    umlagen.U1Saetze[5] = 2100;
    umlagen.U2Saetze[5] = 39;
    umlagen.U3Saetze[5] = 40;
    Eingaben e{};
    e.KG = {0, 1, 0, 1, 2};
    const Kassenprozente prozente = KassenwerteUebernehmen(umlagen, 5, e);
    EXPECT_EQ(e.KVSatz[1], Prozent(15.5));
    EXPECT_EQ(e.KVSatz[2], Prozent(14.9));
    EXPECT_EQ(e.KVSatz[4], Prozent(14.9));  // grey is no sick pay
    EXPECT_EQ(e.KVSatz[SummenSpalte], Prozent(15.5));
    EXPECT_EQ(prozente.U1, Prozent(2.1));
    EXPECT_EQ(prozente.U2, Prozent(0.039));
    EXPECT_EQ(prozente.U3, Prozent(0.04));

    Berechnungsrahmen(umlagen, 5, 3, 2, 375, e);
    EXPECT_EQ(e.U1Satz, 2100);
    EXPECT_EQ(e.U2Satz, 39);
    EXPECT_EQ(e.U3Satz, 40);
    EXPECT_EQ(e.JahrPos, 3);
    EXPECT_EQ(e.MonatPos, 2);
    EXPECT_EQ(e.FallNr, 375);
}

TEST(SpeicherDatei, VerhaeltSichWieEineDatei) {
    SpeicherDatei datei("SV.dat");
    std::array<std::byte, 4> puffer{};
    EXPECT_EQ(datei.Lesen(0, puffer).Wert(), 0u);
    const std::array<std::byte, 3> drei{std::byte{1}, std::byte{2}, std::byte{3}};
    ASSERT_TRUE(datei.Schreiben(5, drei).HatWert());
    EXPECT_EQ(datei.Laenge().Wert(), 8u);  // the gap is zeros
    EXPECT_EQ(datei.Lesen(4, puffer).Wert(), 4u);
    EXPECT_EQ(puffer,
              (std::array<std::byte, 4>{std::byte{0}, std::byte{1}, std::byte{2}, std::byte{3}}));
    EXPECT_EQ(datei.Lesen(7, puffer).Wert(), 1u);
    EXPECT_EQ(datei.Lesen(100, puffer).Wert(), 0u);
    ASSERT_TRUE(datei.Kuerzen(6).HatWert());
    EXPECT_EQ(datei.Laenge().Wert(), 6u);
    EXPECT_EQ(datei.Schreibstellen, (std::vector<std::uint64_t>{5}));
}

TEST(SpeicherDatei, VollOderZuWeitDraussenScheitertOhneAenderung) {
    SpeicherDatei datei("SV.dat");
    const std::array<std::byte, 2> zwei{};
    datei.Voll = true;
    auto ergebnis = datei.Schreiben(0, zwei);
    ASSERT_FALSE(ergebnis.HatWert());
    EXPECT_EQ(ergebnis.Fehler().FehlerNr, ENOSPC);
    EXPECT_EQ(ergebnis.Fehler().Datei, "SV.dat");
    datei.Voll = false;
    EXPECT_FALSE(datei.Schreiben(std::uint64_t{1} << 40, zwei).HatWert());
    EXPECT_TRUE(datei.Inhalt.empty());
}

TEST(SpeicherDatei, TraegtEinenDatenbestand) {
    auto* sv = new SpeicherDatei(FalldateiName);
    Datenbestand daten(std::unique_ptr<Datei>(sv),
                       std::make_unique<SpeicherDatei>(UmlagedateiName));
    EXPECT_TRUE(daten.FalldateiLeer().Wert());
    ASSERT_TRUE(daten.DatenAnlegen().HatWert());
    EXPECT_EQ(sv->Inhalt.size(), 603u * 204u);
    // Names come back padded to their 20 characters.
    EXPECT_EQ(daten.FallLesen(EinstellungsSatz).Wert(),
              FallsatzDekodieren(FallsatzKodieren(StandardFallsatz(EinstellungsSatz))));
    EXPECT_EQ(daten.UmlageLesen(48).Wert(), StandardUmlagesatz(48));
}

}  // namespace
}  // namespace lohnwippe
