// What the user typed reaches the disk, and what cannot be calculated never
// reaches it; failures are told once and truly.
#include "FallTest.h"
#include "store/Datei.h"
#include "store/SpeicherDatei.h"

namespace lohnwippe::test {
namespace {

Waehrung Euro(double wert) {
    return Waehrung::AusDoubleHalbGerade(wert);
}

Fallsatz Gespeichert(int satzNr) {
    return Datenbestand::Oeffnen().Wert().FallLesen(satzNr).Wert();
}

TEST(Berechnen, DasHoechsteEntgeltRechnetSichMitJedemSatz) {
    Eingaben e;
    e.Teilmonatsfaktor = Euro(30);
    e.FaktorF = Euro(0.7491);
    e.RVVerzicht = true;
    e.Sachsen = true;
    for (int j = ErsteSpalte; j <= LetzterJob; ++j) {
        e.Entgelt[j] = HoechstesEntgelt;
        e.Zweige[j].fill(Schalter::An);
        e.Umlagen[j].fill(Schalter::An);
    }
    for (const std::int16_t satz : {std::int16_t{32767}, std::int16_t{-32768}}) {
        e.Umlagesatz.fill(satz);
        e.KVSatz.fill(Euro(satz / 100.0));
        e.Jahressatz.fill(Euro(satz / 100.0));
        EXPECT_NO_THROW(Berechnen(e)) << satz;
    }
}

TEST_F(FallTest, EinZuGrossesEntgeltWirdAbgewiesen) {
    Starten();
    Tippen(1, "500");
    const Aenderung a = Tippen(1, "100000000");
    EXPECT_EQ(a.Entgelttext[1], "500,00");  // the amount there before
    ASSERT_EQ(a.Meldungen.size(), 1u);
    EXPECT_NE(a.Meldungen[0].Text.find("99.999.999,99 Euro"), std::string::npos);
    fall->BisDezemberKopieren();
    EXPECT_EQ(fall->Daten().FallLesen(372).Wert().Entgelte[1], Euro(500));
    EXPECT_TRUE(Tippen(1, "99999999,99").Meldungen.empty());
    EXPECT_EQ(fall->Daten().FallLesen(361).Wert().Entgelte[1], HoechstesEntgelt);
}

// Closing takes over what is typed as Enter would; a box only entered, or
// holding what Enter drops, changes nothing.
TEST_F(FallTest, GetipptesWirdBeimSchliessenGespeichert) {
    struct Fall {
        std::string getippt;
        bool tippen;
        double erwartet;
    };
    for (const Fall& f : {Fall{"450", true, 450}, Fall{"77,5", true, 77.5}, Fall{"", false, 300},
                          Fall{"1,2,3", true, 300}, Fall{"", true, 300}}) {
        std::filesystem::remove("SV.dat");
        std::filesystem::remove("U12.dat");
        Starten();
        Tippen(2, "300");
        if (f.tippen) {
            Tippen(2, f.getippt, false);
        } else {
            fall->EntgeltfeldBetreten(2);
        }
        fall->ArbeitgeberGetippt(1, "Neue Firma GmbH");
        Beenden();
        const Fallsatz satz = Gespeichert(361);
        EXPECT_EQ(satz.Entgelte[2], Euro(f.erwartet)) << f.getippt;
        EXPECT_EQ(satz.Namen[1], "Neue Firma GmbH     ");
        EXPECT_EQ(Gespeichert(603).LetzterFall, 361);
    }
}

struct Sicherungszaehler final : Systemaufrufe {
    int Syncs = 0;
    int FDatasync(int fd) override {
        ++Syncs;
        return Systemaufrufe::FDatasync(fd);
    }
};

// Typing never waits for the disk; the saves reach it within the timer's
// second, at once when another case loads, and at closing.
TEST_F(FallTest, GesichertWirdSpaeterBeimFallwechselUndAmEnde) {
    Sicherungszaehler zaehler;
    auto daten = Datenbestand::Oeffnen(
        [&](const std::string& name) { return SystemDatei::Oeffnen(name, zaehler); });
    fall = OffenerFall::Starten(std::move(daten).Wert(), fenster).Fall;
    fall->Sichern();
    const int nachStart = zaehler.Syncs;
    Tippen(1, "600");
    fall->SchalterKlicken(1, Jobschalter::KV);
    EXPECT_EQ(zaehler.Syncs, nachStart);
    EXPECT_TRUE(fall->SicherungFaellig());
    fall->Sichern();  // the timer
    EXPECT_GT(zaehler.Syncs, nachStart);
    EXPECT_FALSE(fall->SicherungFaellig());

    Tippen(1, "700");
    const int vorWechsel = zaehler.Syncs;
    fall->PersonWaehlen(3);
    EXPECT_GT(zaehler.Syncs, vorWechsel);
    const int vorEnde = zaehler.Syncs;
    EXPECT_FALSE(fall->Schliessen().Frage);
    EXPECT_GT(zaehler.Syncs, vorEnde);
}

// A full disk is told once for a run of failures, however many actions
// fail, and again only after a save went through.
TEST_F(FallTest, VollerDatentraegerWirdEinmalGemeldet) {
    auto* sv = new SpeicherDatei("SV.dat");
    auto* u12 = new SpeicherDatei("U12.dat");
    auto start = OffenerFall::Starten(
        Datenbestand(std::unique_ptr<Datei>(sv), std::unique_ptr<Datei>(u12)), fenster);
    fall = std::move(start.Fall);
    sv->Voll = true;
    std::vector<Meldung> gesagt;
    for (const char* betrag : {"600", "610", "620"}) {
        for (Meldung& m : Tippen(1, betrag).Meldungen) {
            gesagt.push_back(m);
        }
    }
    ASSERT_EQ(gesagt.size(), 1u);
    EXPECT_EQ(gesagt[0].Text.rfind("SV.dat, Satz 361: ", 0), 0u);
    EXPECT_TRUE(fall->Ungesichert());
    sv->Voll = false;
    EXPECT_TRUE(Tippen(1, "630").Meldungen.empty());
    EXPECT_FALSE(fall->Ungesichert());
    sv->Voll = true;
    EXPECT_EQ(Tippen(1, "640").Meldungen.size(), 1u);
}

// Only a damaged file holds remunerations whose sum overflows: that is
// said, and not that a save failed.
TEST_F(FallTest, UeberlaufDerJahressummeSagtWasIst) {
    {
        auto daten = Datenbestand::Oeffnen().Wert();
        ASSERT_TRUE(daten.DatenAnlegen().HatWert());
        Fallsatz satz = daten.FallLesen(362).Wert();
        satz.Entgelte[1] = Waehrung::AusRoh(INT64_MAX);
        satz.Entgelte[2] = Waehrung::AusRoh(INT64_MAX);
        ASSERT_TRUE(daten.FallSchreiben(362, satz).HatWert());
    }
    Starten();
    ASSERT_EQ(gemeldet.size(), 1u);
    EXPECT_EQ(gemeldet[0].Art, Symbol::Ausrufezeichen);
    EXPECT_NE(gemeldet[0].Text.find("Satz 362"), std::string::npos);
    EXPECT_EQ(gemeldet[0].Text.find("Speichern"), std::string::npos);
    EXPECT_FALSE(fall->Jahressumme());
}

}  // namespace
}  // namespace lohnwippe::test
