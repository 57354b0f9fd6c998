// What the start finds in the files, and files replaced while the program
// runs: said once, and nothing the user keeps is overwritten.
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

TEST_F(FallTest, EinErsetztesSvDatWirdGesperrtUndWeiterBeschrieben) {
    Starten();
    Tippen(1, "500");
    fs::copy_file("SV.dat", "Sicherung.dat");
    {
        // The other program's copy has February of the same year.
        Fallsatz februar = GespeicherterFall(362);
        februar.Entgelte[1] = Waehrung::AusGanzzahl(100);
        std::fstream kopie("Sicherung.dat", std::ios::in | std::ios::out | std::ios::binary);
        kopie.seekp(static_cast<std::streamoff>(Stelle(362)));
        const auto bytes = FallsatzKodieren(februar);
        kopie.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    fs::rename("Sicherung.dat", "SV.dat");  // as a backup or sync tool does
    const Aenderung a = Tippen(1, "650");
    ASSERT_EQ(a.Meldungen.size(), 1u);
    EXPECT_NE(a.Meldungen[0].Text.find("SV.dat"), std::string::npos);
    // The annual sum is the new file's, not what the old one held.
    EXPECT_EQ(fall->Jahressumme(), Waehrung::AusGanzzahl(750));
    EXPECT_FALSE(Datenbestand::Oeffnen().HatWert());  // locked again
    fall->Sichern();
    fall.reset();
    EXPECT_EQ(Datenbestand::Oeffnen().Wert().FallLesen(361).Wert().Entgelte[1],
              Waehrung::AusGanzzahl(650));
}

}  // namespace
}  // namespace lohnwippe::test
