// The funds of the years from 2013 as the master-data window edits them:
// every box checked before a byte is written, entries that cases use kept,
// the cases of later entries moved along, one undo step, all or nothing.
#include "FallTest.h"
#include "store/Spaetsatznummern.h"

namespace lohnwippe::test {
namespace {

using Zeilen = std::vector<Kassenzeile>;

class KassenTest : public FallTest {
  protected:
    Zeilen Gelesen(int jahr = 2026) { return fall->Kassen().Lesen(jahr).Zeilen.value(); }
    static Kasseneintrag Kasse(const char* name, std::int64_t zb) {
        return {name, Satz{zb}, Satz{1600}, Satz{375}};
    }
};

TEST_F(KassenTest, JedesFeldWirdGeprueftBevorEtwasGeschriebenWird) {
    OffenerFall& f = Starten();
    EXPECT_EQ(Gelesen(), (Zeilen{{"Durchschnitt", "2,90", "0,00", "0,00", 0}}));
    Zeilen z = Kassenformular::Neu(Gelesen()).Zeilen.value();
    z[1] = {"AOK Nord", "2,9", "1,6", "0,375", std::nullopt};
    const auto vorher = DateiInhalt(SpaetdateiName);
    const std::tuple<Kassenspalte, std::string, std::string> falsch[] = {
        {Kassenspalte::Name, "  ", "Bitte geben Sie den Namen der Kasse ein."},
        {Kassenspalte::Name, "Allgemeine Ortskranke", "Der Name ist länger als 20 Zeichen."},
        {Kassenspalte::Name, "Kasse ✓", "Der Name enthält Zeichen, die die Datei nicht aufnehmen"},
        {Kassenspalte::Name, "DURCHSCHNITT", "Diesen Namen trägt schon Kasse 1."},
        {Kassenspalte::Zusatzbeitrag, "2,9001", "Zusatzbeitrag: „2,9001“ hat mehr als drei"},
        {Kassenspalte::U1, "100,001", "Umlagesatz U1: „100,001“ liegt nicht zwischen 0 und 100 %."},
        {Kassenspalte::U2, "-0,1", "Umlagesatz U2: „-0,1“ liegt nicht zwischen 0 und 100 %."},
        {Kassenspalte::U2, "0,3x", "Umlagesatz U2: „0,3x“ ist keine gültige Zahl."},
    };
    for (const auto& [spalte, text, meldung] : falsch) {
        Zeilen probe = z;
        std::string* box[] = {&probe[1].Name, &probe[1].Zusatzbeitrag, &probe[1].U1, &probe[1].U2};
        *box[static_cast<int>(spalte)] = text;
        const Kassenantwort a = f.KassenSpeichern(2026, probe);
        ASSERT_EQ(a.Anzeige.Meldungen.size(), 1u) << text;
        EXPECT_NE(a.Anzeige.Meldungen[0].Text.find(meldung), std::string::npos)
            << a.Anzeige.Meldungen[0].Text;
        EXPECT_EQ(a.Korrigieren, (Kassenantwort::Feld{1, spalte}));
        EXPECT_FALSE(a.Gespeichert);
    }
    EXPECT_TRUE(DateiInhalt(SpaetdateiName) == vorher);
    EXPECT_FALSE(f.Schritte().Menuetext(true));

    // The average cannot be edited into a fund: it is written as the law has it.
    z[0] = {"Meine Kasse", "9", "9", "9", 0};
    const auto sv = DateiInhalt("SV.dat");
    const Kassenantwort gespeichert = f.KassenSpeichern(2026, z);
    EXPECT_TRUE(gespeichert.Gespeichert && gespeichert.Anzeige.Meldungen.empty());
    EXPECT_TRUE(gespeichert.Anzeige.Fall);  // the case on screen is read again
    const Zeilen erwartet{{"Durchschnitt", "2,90", "0,00", "0,00", 0},
                          {"AOK Nord", "2,90", "1,60", "0,375", 1}};
    EXPECT_EQ(gespeichert.Zeilen, erwartet);
    EXPECT_TRUE(DateiInhalt("SV.dat") == sv);
    EXPECT_EQ(f.Schritte().Menuetext(true), "Rückgängig: Kassen 2026");
    f.Rueckgaengig();
    EXPECT_EQ(Gelesen().size(), 1u);
    f.Wiederholen();
    EXPECT_EQ(Gelesen(), erwartet);
    Beenden();
    Starten();
    EXPECT_EQ(Gelesen(), erwartet);
    EXPECT_EQ(Gelesen(2025).size(), 1u);
}

TEST_F(KassenTest, GenutzteKasseBleibtUndDieFaelleDahinterRueckenNach) {
    const int jan = FallNrAb2013(2026, 0, 0), mrz = FallNrAb2013(2026, 1, 2);
    Vorbereiten([&](Datenbestand& d) {
        ASSERT_TRUE(d.KassenSchreiben(2026, {StandardKassen(2026)[0], Kasse("A", 2500),
                                             Kasse("B", 2600), Kasse("C", 2700)})
                        .HatWert());
        for (const auto& [nr, pos] : {std::pair{jan, 3}, std::pair{mrz, 1}}) {
            Fallsatz satz = d.FallAb2013Lesen(nr).Wert();
            satz.KassePos = static_cast<std::int16_t>(pos);
            ASSERT_TRUE(d.FallAb2013Schreiben(nr, satz).HatWert());
        }
    });
    OffenerFall& f = Starten();
    Zeilen z = Gelesen();
    ASSERT_EQ(z.size(), 4u);
    const auto text = [](const Kassenantwort& a) { return a.Anzeige.Meldungen.at(0).Text; };
    EXPECT_EQ(text(f.Kassen().Entfernen(2026, z, 0)),
              "„Durchschnitt“ steht für keine echte Kasse und bleibt in jedem Jahr.");
    EXPECT_EQ(text(f.Kassen().Entfernen(2026, z, 1)),
              "Kasse 2 („A“) ist in 1 Fall des Jahres 2026 gewählt und kann nicht entfernt "
              "werden. Wählen Sie dort zuerst eine andere Kasse.");
    z = f.Kassen().Entfernen(2026, z, 2).Zeilen.value();
    // A stale list that still lacks a used entry is refused when saved.
    Zeilen ohneA = z;
    ohneA.erase(ohneA.begin() + 1);
    EXPECT_FALSE(f.KassenSpeichern(2026, ohneA).Gespeichert);

    ASSERT_TRUE(f.KassenSpeichern(2026, z).Gespeichert);
    EXPECT_EQ(Gelesen()[2].Name, "C");
    const auto pos = [](int nr) {
        return FallsatzDekodieren(GespeicherteBytes<FallsatzLaenge>(SpaetdateiName, nr)).KassePos;
    };
    EXPECT_EQ(pos(jan), 2);
    EXPECT_EQ(pos(mrz), 1);
    f.Rueckgaengig();
    EXPECT_EQ(pos(jan), 3);
    EXPECT_EQ(Gelesen().size(), 4u);

    while (z.size() < static_cast<std::size_t>(KassenJeJahr)) {
        z = Kassenformular::Neu(z).Zeilen.value();
    }
    EXPECT_EQ(text(Kassenformular::Neu(z)), "Ein Jahr hat höchstens 24 Kassen.");
}

TEST_F(KassenTest, VolleFestplatteLaesstListeUndFaelleWieSieWaren) {
    Vorbereiten([&](Datenbestand& d) {
        ASSERT_TRUE(
            d.KassenSchreiben(2026, {StandardKassen(2026)[0], Kasse("A", 2500), Kasse("B", 2600)})
                .HatWert());
        Fallsatz satz = d.FallAb2013Lesen(FallNrAb2013(2026, 9, 11)).Wert();
        satz.KassePos = 2;
        ASSERT_TRUE(d.FallAb2013Schreiben(FallNrAb2013(2026, 9, 11), satz).HatWert());
    });
    Stoerstelle stoerung;
    OffenerFall& f = *StartenMit(stoerung);
    Zeilen z = Gelesen();
    z.erase(z.begin() + 1);
    const auto vorher = DateiInhalt(SpaetdateiName);
    // The list goes through, the moved case does not.
    stoerung.Art = Stoerart::KurzDannVoll;
    stoerung.Bei = stoerung.Bis = stoerung.Aufrufe + 5;
    const Kassenantwort a = f.KassenSpeichern(2026, z);
    EXPECT_FALSE(a.Gespeichert);
    EXPECT_NE(a.Anzeige.Meldungen.at(0).Text.find("Die Kassen dieses Jahres bleiben unverändert."),
              std::string::npos);
    stoerung.WiederPlatz();
    EXPECT_TRUE(DateiInhalt(SpaetdateiName) == vorher);
    EXPECT_FALSE(f.Schritte().Menuetext(true));
    EXPECT_TRUE(f.KassenSpeichern(2026, z).Gespeichert);
}

}  // namespace
}  // namespace lohnwippe::test
