// What the start finds in the files, and files replaced while the program
// runs: said once, and nothing the user keeps is overwritten.
#include <cstring>
#include <functional>

#include "FallTest.h"
#include "store/Satznummern.h"

namespace lohnwippe::test {
namespace {

namespace fs = std::filesystem;

TEST_F(FallTest, DerStartSagtEinmalWasDenDateienFehlt) {
    struct Fall {
        const char* was;
        std::function<void()> vorher;
        const char* gesagt;  // nullptr: nothing to say
    };
    const std::vector<Fall> faelle = {
        {"alles da", [] {}, nullptr},
        {"U12.dat fehlt", [] { fs::remove("U12.dat"); }, "Januar 2009 bis Dezember 2012 fehlten"},
        {"SV.dat ein Byte zu lang",
         [] { fs::resize_file("SV.dat", FallsatzLaenge * AnzahlSaetzeFalldatei + 1); },
         "um 1 Byte länger als erwartet"},
        {"Sätze, die keine Kasse hat",
         [] {
             auto daten = Datenbestand::Oeffnen().Wert();
             Umlagesatz satz = daten.UmlageLesen(3).Wert();
             satz.KVSaetze[1] = 2500;
             ASSERT_TRUE(daten.UmlageSchreiben(3, satz).HatWert());
         },
         "AOK Bayern: März 2009"},
    };
    for (const Fall& f : faelle) {
        fs::remove("SV.dat");
        fs::remove("U12.dat");
        Vorbereiten([](Datenbestand&) {});
        f.vorher();
        Starten();
        if (f.gesagt == nullptr) {
            EXPECT_TRUE(gemeldet.empty()) << f.was;
        } else {
            ASSERT_EQ(gemeldet.size(), 1u) << f.was;
            EXPECT_NE(gemeldet[0].Text.find(f.gesagt), std::string::npos)
                << f.was << ": " << gemeldet[0].Text;
        }
        Beenden();
        Starten();
        EXPECT_EQ(gemeldet.empty(),
                  f.gesagt == nullptr || std::string(f.was).find("U12") != std::string::npos)
            << f.was << ": once, not at every start";
        fall.reset();
    }
}

// A sync tool renames another SV.dat over the open one: nothing is read
// from or written into either before the user has chosen; the case on
// screen then comes from the new file, and the program's version, with
// what was typed meanwhile, lies beside it.
TEST_F(FallTest, EineErsetzteDateiGiltErstNachDerWahl) {
    Starten();
    Tippen(1, "500");
    FremdesSvDat(362, 100);  // the other program's copy has February of the same year
    const Aenderung gefragt = Tippen(1, "650");
    ASSERT_TRUE(gefragt.Wahl);
    EXPECT_EQ(GespeicherterFall(361).Entgelte[1], Waehrung::AusGanzzahl(500));

    const Aenderung a = fall->ErsetzungEntscheiden(true);
    ASSERT_EQ(a.Meldungen.size(), 1u);
    const std::size_t anfang = a.Meldungen[0].Text.find("SV.dat.ersetzt-");
    ASSERT_NE(anfang, std::string::npos);
    const std::string beiseite = a.Meldungen[0].Text.substr(anfang, 30);
    EXPECT_EQ(std::tuple(fall->Angaben()[J(1)].Entgelt, fall->Jahressumme()),
              std::tuple(Waehrung::AusGanzzahl(500), std::optional(Waehrung::AusGanzzahl(600))));
    const auto meine = DateiInhalt(beiseite);
    ASSERT_EQ(meine.size(), 123012u);
    std::array<std::byte, FallsatzLaenge> satz{};
    std::memcpy(satz.data(), meine.data() + Stelle(361), satz.size());
    EXPECT_EQ(FallsatzDekodieren(satz).Entgelte[1], Waehrung::AusGanzzahl(650));
    EXPECT_FALSE(Datenbestand::Oeffnen().HatWert());  // locked as the old one was
}

// The user's version cannot be written (a full disk): it stays in memory,
// the question comes again at the next step, and ending asks first.
TEST_F(FallTest, EineGescheiterteWahlWirdNachgeholt) {
    Stoerstelle stoerung;
    StartenMit(stoerung);
    fs::copy_file("SV.dat", "fremd");
    fs::rename("fremd", "SV.dat");
    stoerung.AbJetztVoll();
    ASSERT_TRUE(Tippen(1, "650").Wahl);
    const Aenderung gescheitert = fall->ErsetzungEntscheiden(false);
    EXPECT_EQ(std::pair(Fehler(gescheitert.Meldungen), gescheitert.Wahl.has_value()),
              std::pair(1, false));
    EXPECT_TRUE(fall->UngeklaertVorDemEnde());
    stoerung.WiederPlatz();
    ASSERT_TRUE(Tippen(1, "660").Wahl);
    fall->ErsetzungEntscheiden(false);
    EXPECT_FALSE(fall->UngeklaertVorDemEnde());
    EXPECT_EQ(GespeicherterFall(361).Entgelte[1], Waehrung::AusGanzzahl(660));
}

}  // namespace
}  // namespace lohnwippe::test
