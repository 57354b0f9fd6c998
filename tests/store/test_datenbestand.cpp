#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <numeric>
#include <tuple>
#include <vector>

#include "Arbeitsordner.h"
#include "store/Datenbestand.h"
#include "store/SpeicherDatei.h"
#include "store/Standardinhalt.h"

namespace lohnwippe {
namespace {

namespace fs = std::filesystem;

using DatenbestandTest = test::ArbeitsordnerTest;

TEST_F(DatenbestandTest, NeueDateienErhaltenDenStandardinhalt) {
    auto bestand = Datenbestand::Oeffnen().Wert();
    EXPECT_TRUE(bestand.FalldateiLeer().Wert());
    ASSERT_TRUE(bestand.DatenAnlegen().HatWert());
    EXPECT_FALSE(bestand.FalldateiLeer().Wert());

    // What a new installation holds, byte for byte, the recorded traces know.
    // Emptied through another handle, the case file marks a new installation again.
    auto datei = SystemDatei::Oeffnen("SV.dat").Wert();
    ASSERT_TRUE(datei->Kuerzen(0).HatWert());
    EXPECT_EQ(datei->Laenge().Wert(), 0u);
    EXPECT_EQ(fs::file_size("SV.dat"), 0u);
    EXPECT_TRUE(bestand.FalldateiLeer().Wert());
}

TEST_F(DatenbestandTest, NurGewoehnlicheDateienWerdenGeoeffnet) {
    ASSERT_EQ(mkfifo("Rohr", 0600), 0);
    for (const char* ziel : {"Rohr", "/dev/null"}) {
        fs::remove("SV.dat");
        fs::create_symlink(ziel, "SV.dat");
        EXPECT_EQ(Datenbestand::Oeffnen().Fehler().Meldung(),
                  "SV.dat: Öffnen nicht möglich – Keine gewöhnliche Datei, sondern ein Gerät, "
                  "eine Pipe oder Ähnliches")
            << ziel;
    }
}

// The store on two files in memory.
class ImSpeicher : public ::testing::Test {
  protected:
    SpeicherDatei* Fall = new SpeicherDatei("SV.dat");
    SpeicherDatei* Umlage = new SpeicherDatei("U12.dat");
    Datenbestand Bestand{std::unique_ptr<Datei>(Fall), std::unique_ptr<Datei>(Umlage)};
};

// Missing levy records get their default contents, in one write; whole
// records, and bytes beyond the last record, are never touched.
TEST_F(ImSpeicher, FehlendeUmlagesaetzeWerdenErgaenztVorhandeneBleiben) {
    std::vector<std::byte> standard;
    for (int nr = 1; nr <= 48; ++nr) {
        const auto satz = UmlagesatzKodieren(StandardUmlagesatz(nr));
        standard.insert(standard.end(), satz.begin(), satz.end());
    }
    // {bytes in U12.dat, new installation, records to write}
    const std::tuple<std::size_t, bool, int> faelle[] = {
        {0, false, 48},      {0, true, 48},       {176 * 30 + 17, false, 18},
        {176 * 42, true, 6}, {176 * 48, true, 0}, {176 * 50 + 3, false, 0}};
    for (const auto& [laenge, neu, anzahl] : faelle) {
        Umlage->Inhalt.assign(laenge, std::byte{0x7F});
        Fall->Inhalt.assign(neu ? 0 : 123012, std::byte{0});
        Umlage->Schreibstellen.clear();
        auto erwartet = Umlage->Inhalt;
        erwartet.resize(std::max<std::size_t>(laenge, 8448));
        const auto ab = std::ptrdiff_t{176} * (48 - anzahl);
        std::copy(standard.begin() + ab, standard.end(), erwartet.begin() + ab);
        std::vector<int> nummern(static_cast<std::size_t>(anzahl));
        std::iota(nummern.begin(), nummern.end(), 49 - anzahl);

        EXPECT_EQ((neu ? Bestand.DatenAnlegen() : Bestand.UmlagenErgaenzen()).Wert(), nummern);
        EXPECT_EQ(Umlage->Inhalt, erwartet) << laenge;
        EXPECT_EQ(Umlage->Schreibstellen.size(), anzahl > 0 ? 1u : 0u);
        EXPECT_EQ(Bestand.Luecken().Wert().size(), laenge > 8448 ? 1u : 0u);
    }
    EXPECT_EQ(UmlagenErgaenztMeldung({43, 44, 45, 46, 47, 48}),
              "Die Beitrags- und Umlagesätze für Juli bis Dezember 2012 fehlten in der Datei "
              "U12.dat. Sie wurden ergänzt und enthalten jetzt die Standardsätze des Programms. "
              "Eigene Umlagesätze für 2012 tragen Sie bitte unter \u201EVorgaben\u201C erneut "
              "ein.");
    const std::pair<std::vector<int>, const char*> bereiche[] = {
        {{}, ""},
        {{31}, "Juli 2011"},
        {{48, 1, 47, 2, 3, 0, 49}, "Januar bis März 2009 und November bis Dezember 2012"},
        {{12, 13, 30}, "Dezember 2009 bis Januar 2010 und Juni 2011"},
    };
    for (const auto& [nummern, text] : bereiche) {
        EXPECT_EQ(Monatsbereiche(nummern), text);
    }
}

// Rates no fund had, named by fund and month; the limits themselves pass.
TEST_F(ImSpeicher, UnplausibleUmlagesaetzeWerdenNachKasseUndMonatGenannt) {
    ASSERT_TRUE(Bestand.DatenAnlegen().HatWert());
    const auto setzen = [this](int nr, JeKasse Umlagesatz::*feld, int kasse, int wert) {
        Umlagesatz satz = Bestand.UmlageLesen(nr).Wert();
        (satz.*feld)[static_cast<std::size_t>(kasse)] = static_cast<std::int16_t>(wert);
        ASSERT_TRUE(Bestand.UmlageSchreiben(nr, satz).HatWert());
    };
    setzen(1, &Umlagesatz::KVSaetze, 0, 2000);
    setzen(1, &Umlagesatz::U2Saetze, 0, 10000);
    setzen(2, &Umlagesatz::U1Saetze, 0, 0);
    for (int nr = 37; nr <= 48; ++nr) {
        setzen(nr, &Umlagesatz::KVSaetze, 1, 2001);
    }
    setzen(31, &Umlagesatz::U1Saetze, 2, -1);
    setzen(31, &Umlagesatz::U3Saetze, 3, -5);
    for (int nr : {5, 7, 20, 40}) {
        setzen(nr, &Umlagesatz::U2Saetze, 21, 10001);
    }
    const std::string kopf =
        "In der Datei U12.dat stehen Beitrags- oder Umlagesätze, die es bei keiner Kasse gibt "
        "(unter 0, KV über 20 % oder U1 bis U3 über 10 %):\n\u2013 ";
    const std::string fuss = "\nDas Programm rechnet mit diesen Werten so, wie sie sind.";
    EXPECT_EQ(Bestand.UnplausibleUmlagen().Wert().Meldung(),
              kopf +
                  "AOK Bayern: Januar bis Dezember 2012\n\u2013 AOK Berlin und AOK Brandbg: Juli "
                  "2011\n\u2013 AOK BBK: 4 Monate zwischen Mai 2009 und April 2012" +
                  fuss);
    // Many different findings are summed up in one line.
    for (int kasse = 4; kasse < 10; ++kasse) {
        setzen(kasse, &Umlagesatz::KVSaetze, kasse, -1);
    }
    EXPECT_EQ(Bestand.UnplausibleUmlagen().Wert().Meldung(),
              kopf + "10 Kassen: 20 Monate zwischen April 2009 und Dezember 2012" + fuss);
    // -1 everywhere; zeros, as beyond the end, are no damage.
    for (const std::size_t laenge : {8448u, 0u}) {
        Datenbestand andere(std::make_unique<SpeicherDatei>("SV.dat"),
                            std::make_unique<SpeicherDatei>(
                                "U12.dat", std::vector<std::byte>(laenge, std::byte{0xFF})));
        std::string erwartet;
        if (laenge > 0) {
            erwartet = kopf;
            erwartet += "alle Kassen: Januar 2009 bis Dezember 2012";
            erwartet += fuss;
        }
        EXPECT_EQ(andere.UnplausibleUmlagen().Wert().Meldung(), erwartet);
    }
}

}  // namespace
}  // namespace lohnwippe
