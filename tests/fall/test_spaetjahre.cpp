// The open case in a month from 2013: stored in the file of later years
// only, calculated by today's law, and found again at the next start.
#include "FallTest.h"
#include "calc/Perioden.h"
#include "fall/FallrechnungAb2013.h"
#include "store/Spaetsatz.h"

namespace lohnwippe::test {
namespace {

namespace fs = std::filesystem;

Waehrung Euro(std::int64_t euro) {
    return Waehrung::AusGanzzahl(euro);
}

const Kasseneintrag Fonds{"Fonds", Satz::AusHundertsteln(269), Satz::AusHundertsteln(160),
                          Satz::AusHundertsteln(44)};

Fallsatz Spaetfall(int satzNr) {
    return FallsatzDekodieren(GespeicherteBytes<FallsatzLaenge>(SpaetdateiName, satzNr));
}

class SpaetjahrTest : public FallTest {
  protected:
    // A new installation with a second fund in 2026.
    SpaetjahrTest() {
        Vorbereiten([](Datenbestand& d) {
            ASSERT_TRUE(d.KassenSchreiben(2026, {StandardKassen(2026)[0], Fonds}).HatWert());
        });
    }
    // The result the calculation gives for what record `satzNr` holds.
    static ErgebnisAb2013 Erwartet(int satzNr, int monat) {
        const Fallsatz satz = Spaetfall(satzNr);
        const Kasseneintrag k = satz.KassePos == 1 ? Fonds : StandardKassen(2026)[0];
        return *BerechnenAb2013(EingabenAusFallAb2013(AngabenAusSatz(satz), 2026, monat,
                                                      {k.Zusatzbeitrag, k.U1, k.U2},
                                                      KinderLesen(satz)))
                    .Ergebnis;
    }
    static void GleichErwartet(const OffenerFall& f, int satzNr) {
        ASSERT_TRUE(f.Bildschirm().ResultatAb2013());
        const ErgebnisAb2013& ist = *f.Bildschirm().ResultatAb2013();
        const ErgebnisAb2013 soll = Erwartet(satzNr, f.Bildschirm().Monat().Monat);
        ASSERT_EQ(ist.Anzahl, soll.Anzahl);
        for (std::size_t s = 0; s < ist.Spalte.size(); ++s) {
            const SpalteAb2013& a = ist.Spalte[s];
            const SpalteAb2013& b = soll.Spalte[s];
            EXPECT_EQ(std::tuple(a.AE, a.Summe.Gesamt, a.Summe.AG, a.Summe.AN, a.Umlagen,
                                 a.AGAufwand, a.Netto, a.PVAbschlag),
                      std::tuple(b.AE, b.Summe.Gesamt, b.Summe.AG, b.Summe.AN, b.Umlagen,
                                 b.AGAufwand, b.Netto, b.PVAbschlag))
                << "Spalte " << s;
        }
        EXPECT_EQ(ist.Hinweise, soll.Hinweise);
    }
};

// A day's work on March 2026: every action stores at once in SVab2013.dat,
// SV.dat and U12.dat stay byte for byte, and the next start shows the case.
TEST_F(SpaetjahrTest, ArbeitstagIn2026) {
    OffenerFall& f = Starten();
    const auto sv = DateiInhalt("SV.dat");
    const auto u12 = DateiInhalt("U12.dat");
    EXPECT_TRUE(f.JahrWaehlen(2026).Meldungen.empty());
    f.MonatWaehlen(*Monatsplatz::Aus(2));
    ASSERT_TRUE(f.Bildschirm().Ab2013());
    ASSERT_EQ(f.Bildschirm().Kassen().size(), 2u);
    const int maerz = FallNrAb2013(2026, 0, 2);
    Tippen(1, "1500");
    Tippen(2, "300");
    f.SchalterKlicken(J(2), Jobschalter::RV);
    f.ArbeitgeberGetippt(J(1), "Bäckerei Groß");
    f.ArbeitgeberEnter(J(1));
    EXPECT_FALSE(f.KinderEingeben(10).Meldungen.empty());
    EXPECT_TRUE(f.KinderEingeben(3).Meldungen.empty());
    EXPECT_TRUE(f.KasseAb2013Waehlen(1).Meldungen.empty());
    EXPECT_TRUE(f.KasseAb2013Waehlen(2).Meldungen.empty());  // no such fund: nothing
    // "Kinderlos" beside children is refused, and nothing is stored.
    const auto vorher = DateiInhalt(SpaetdateiName);
    const Aenderung kinderlos = f.SchalterKlicken(Allgemeinschalter::Kinderlos);
    ASSERT_EQ(kinderlos.Meldungen.size(), 1u);
    EXPECT_NE(kinderlos.Meldungen[0].Text.find("Kinderlos"), std::string::npos);
    EXPECT_EQ(f.Bildschirm().Angaben().Kinderlos, Schalter::Aus);
    EXPECT_TRUE(DateiInhalt(SpaetdateiName) == vorher);

    const Fallsatz gespeichert = Spaetfall(maerz);
    EXPECT_EQ(std::tuple(gespeichert.Entgelte[1], gespeichert.Entgelte[2], gespeichert.KassePos,
                         KinderLesen(gespeichert), gespeichert.Namen[1].substr(0, 15)),
              std::tuple(Euro(1500), Euro(300), std::int16_t{1}, 3, std::string("Bäckerei Groß")));
    GleichErwartet(f, maerz);
    EXPECT_NE(f.Bildschirm().ResultatAb2013()->Kinderabschlag, Satz{});

    f.BisDezemberKopieren();
    EXPECT_EQ(f.Bildschirm().Jahressumme(), Euro(18000));
    EXPECT_EQ(Spaetfall(maerz + 9).Entgelte[2], Euro(300));
    EXPECT_EQ(Spaetfall(maerz - 1).Entgelte[1], Euro(0));
    ASSERT_TRUE(f.Schritte().Menuetext(true));
    f.Rueckgaengig();
    EXPECT_EQ(Spaetfall(maerz + 9).Entgelte[2], Euro(0));
    EXPECT_EQ(f.Bildschirm().Jahressumme(), Euro(1800));
    f.Wiederholen();
    EXPECT_EQ(Spaetfall(maerz + 9).Entgelte[2], Euro(300));
    f.MonatWaehlen(*Monatsplatz::Aus(11));
    GleichErwartet(f, maerz + 9);
    f.MonatWaehlen(*Monatsplatz::Aus(2));
    lage.Ort = {1200, 3400};
    Beenden();
    EXPECT_TRUE(DateiInhalt("SV.dat") == sv);
    EXPECT_TRUE(DateiInhalt("U12.dat") == u12);

    OffenerFall& neu = Starten();
    EXPECT_TRUE(gemeldet.empty());
    EXPECT_EQ(std::tuple(neu.Bildschirm().Monat(), neu.Bildschirm().Kinder(),
                         neu.Bildschirm().KassePos(), lage.Ort),
              std::tuple(Berichtsmonat{2026, 3}, 3, 1, Fensterposition{1200, 3400}));
    GleichErwartet(neu, maerz);
    EXPECT_TRUE(DateiInhalt("SV.dat") == sv);
    // Back in 2012 the next start shows SV.dat's case again.
    neu.JahrWaehlen(2012);
    EXPECT_FALSE(neu.Bildschirm().Ab2013());
    Beenden();
    EXPECT_EQ(Starten().Bildschirm().Monat().Jahr, 2012);
}

// The file of later years deleted, replaced or cut while the program runs,
// and a full disk: as for SV.dat, nothing typed is lost and SV.dat is not
// written.
TEST_F(SpaetjahrTest, DateiGeloeschtErsetztGekuerztUndPlattVoll) {
    Stoerstelle stoerung;
    OffenerFall& f = *StartenMit(stoerung);
    f.JahrWaehlen(2026);
    const int satz = FallNrAb2013(2026, 0, f.Bildschirm().Monat().MonatPos());
    const auto sv = DateiInhalt("SV.dat");

    fs::remove(SpaetdateiName);
    const Aenderung geloescht = Tippen(1, "700");
    ASSERT_EQ(geloescht.Meldungen.size(), 1u);
    EXPECT_NE(geloescht.Meldungen[0].Text.find(SpaetdateiName), std::string::npos);
    EXPECT_EQ(Spaetfall(satz).Entgelte[1], Euro(700));

    stoerung.AbJetztVoll();
    EXPECT_EQ(Fehler(Tippen(1, "800").Meldungen), 1);
    EXPECT_EQ(f.Bildschirm().ResultatAb2013()->Spalte[1].AE, Euro(800));
    EXPECT_EQ(Fehler(f.JahrWaehlen(2025).Meldungen), 1);  // the case stays until it is stored
    EXPECT_EQ(f.Bildschirm().Monat().Jahr, 2026);
    stoerung.WiederPlatz();
    f.JahrWaehlen(2025);
    EXPECT_EQ(Spaetfall(satz).Entgelte[1], Euro(800));
    f.JahrWaehlen(2026);

    // Another program's version: asked, then taken over.
    fs::copy_file(SpaetdateiName, "fremd");
    fs::resize_file("fremd", FallsatzLaenge * 200);
    fs::rename("fremd", SpaetdateiName);
    ASSERT_TRUE(Tippen(1, "900").Wahl);
    const Aenderung uebernommen = f.ErsetzungEntscheiden(false);
    EXPECT_FALSE(uebernommen.Wahl);
    EXPECT_EQ(Spaetfall(satz).Entgelte[1], Euro(900));
    EXPECT_EQ(DateiInhalt(SpaetdateiName).size(),
              std::size_t{FallsatzLaenge} * static_cast<std::size_t>(AnzahlSpaetsaetze()));
    // Cut where it lies: the same question, and the program's version
    // goes on whole.
    fs::resize_file(SpaetdateiName, FallsatzLaenge * 3 + 17);
    ASSERT_TRUE(Tippen(1, "950").Wahl);
    EXPECT_FALSE(f.ErsetzungEntscheiden(false).Wahl);
    EXPECT_EQ(Spaetfall(satz).Entgelte[1], Euro(950));
    EXPECT_EQ(DateiInhalt(SpaetdateiName).size(),
              std::size_t{FallsatzLaenge} * static_cast<std::size_t>(AnzahlSpaetsaetze()));
    Beenden();
    EXPECT_TRUE(DateiInhalt("SV.dat") == sv);
}

}  // namespace
}  // namespace lohnwippe::test
