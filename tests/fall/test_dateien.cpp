// What the start finds in the files, and files replaced while the program
// runs: said once, and nothing the user keeps is overwritten.
#include <chrono>
#include <cstring>
#include <functional>

#include "FallTest.h"
#include "store/Satznummern.h"
#include "store/Spaetsatznummern.h"

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
        // Last: the copy stays for the cases after it.
        {"SV.dat fehlt, eine Kopie daneben",
         [] { fs::rename("SV.dat", "SV.dat.ersetzt-2026-12-07-1200"); },
         "Es gibt keine Datei SV.dat, aber daneben Kopien davon:\nSV.dat.ersetzt-2026-12-07-1200"},
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
                  f.gesagt == nullptr || std::string(f.was).find("fehlt") != std::string::npos)
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
    EXPECT_EQ(
        std::tuple(fall->Bildschirm().Angaben()[J(1)].Entgelt, fall->Bildschirm().Jahressumme()),
        std::tuple(Waehrung::AusGanzzahl(500), std::optional(Waehrung::AusGanzzahl(600))));
    const auto meine = DateiInhalt(beiseite);
    ASSERT_EQ(meine.size(), 123012u);
    std::array<std::byte, FallsatzLaenge> satz{};
    std::memcpy(satz.data(), meine.data() + Stelle(361), satz.size());
    EXPECT_EQ(FallsatzDekodieren(satz).Entgelte[1], Waehrung::AusGanzzahl(650));
    EXPECT_FALSE(Datenbestand::Oeffnen().HatWert());  // locked as the old one was
}

// The same bytes under the name, renamed over or only touched, are no
// other version. A real one: the user's version lies beside before the
// question; it cannot take the name (a full disk), so the other file stays
// under it, the question comes again at the next step, and ending asks first.
TEST_F(FallTest, EineGescheiterteWahlWirdNachgeholt) {
    Stoerstelle stoerung;
    StartenMit(stoerung);
    fs::copy_file("SV.dat", "fremd");
    fs::rename("fremd", "SV.dat");
    ASSERT_FALSE(Tippen(1, "640").Wahl);
    fs::last_write_time("SV.dat", fs::last_write_time("SV.dat") - std::chrono::hours(1));
    ASSERT_FALSE(Tippen(1, "645").Wahl);
    FremdesSvDat(362, 100);
    stoerung.AbJetztVoll();
    ASSERT_TRUE(Tippen(1, "650").Wahl);
    const auto kopien = Datenbestand::KopienDaneben();
    ASSERT_EQ(kopien.size(), 1u);
    EXPECT_EQ(
        FallsatzDekodieren(GespeicherteBytes<FallsatzLaenge>(kopien[0].c_str(), 361)).Entgelte[1],
        Waehrung::AusGanzzahl(650));
    const Aenderung gescheitert = fall->ErsetzungEntscheiden(false);
    EXPECT_EQ(std::pair(Fehler(gescheitert.Meldungen), gescheitert.Wahl.has_value()),
              std::pair(1, false));
    EXPECT_EQ(GespeicherterFall(362).Entgelte[1], Waehrung::AusGanzzahl(100));
    EXPECT_TRUE(fall->UngeklaertVorDemEnde());
    stoerung.WiederPlatz();
    ASSERT_TRUE(Tippen(1, "660").Wahl);
    fall->ErsetzungEntscheiden(false);
    EXPECT_FALSE(fall->UngeklaertVorDemEnde());
    EXPECT_EQ(GespeicherterFall(361).Entgelte[1], Waehrung::AusGanzzahl(660));
    EXPECT_EQ(Datenbestand::KopienDaneben().size(), 1u);  // the other one; ours is under the name
}

// A file another program renamed over: the one the case on screen comes
// from is asked about at the end of the step, the other years' file at the
// sync that follows it, and each version keeps what was typed into it.
TEST_F(FallTest, EineErsetzteDateiWirdSpaetestensBeimSichernGefragt) {
    const auto ersetzen = [](const char* datei) {
        fs::copy_file(datei, "fremd");
        std::fstream("fremd", std::ios::in | std::ios::out | std::ios::binary).write("X", 1);
        fs::rename("fremd", datei);
    };
    Starten();
    ersetzen("U12.dat");
    const Aenderung u12 = Tippen(1, "500");
    ASSERT_TRUE(u12.Wahl);
    EXPECT_NE(u12.Wahl->Text.find("U12.dat"), std::string::npos);
    fall->ErsetzungEntscheiden(false);
    ersetzen(SpaetdateiName);
    Tippen(1, "600");
    const Aenderung spaet = fall->Sichern();
    ASSERT_TRUE(spaet.Wahl);
    EXPECT_NE(spaet.Wahl->Text.find(SpaetdateiName), std::string::npos);
    EXPECT_EQ(GespeicherterFall(361).Entgelte[1], Waehrung::AusGanzzahl(600));

    // Two at once on a case from 2013: the question names the file that
    // its answer goes to, the first one.
    fall->ErsetzungEntscheiden(false);
    fall->JahrWaehlen(2026);
    ersetzen("U12.dat");
    ersetzen(SpaetdateiName);
    const Aenderung beide = Tippen(1, "700");
    ASSERT_TRUE(beide.Wahl);
    EXPECT_NE(beide.Wahl->Text.find("U12.dat"), std::string::npos);
    const Aenderung antwort = fall->ErsetzungEntscheiden(false);
    ASSERT_FALSE(antwort.Meldungen.empty());
    EXPECT_NE(antwort.Meldungen[0].Text.find("U12.dat"), std::string::npos);

    // SV.dat replaced while the question about the later years' file is
    // open: the answer still goes to the file it names, SV.dat is next.
    ASSERT_TRUE(antwort.Wahl);
    EXPECT_NE(antwort.Wahl->Text.find(SpaetdateiName), std::string::npos);
    ersetzen(FalldateiName);
    const Aenderung zweite = fall->ErsetzungEntscheiden(false);
    ASSERT_FALSE(zweite.Meldungen.empty());
    EXPECT_NE(zweite.Meldungen[0].Text.find(SpaetdateiName), std::string::npos);
    ASSERT_TRUE(zweite.Wahl);
    EXPECT_NE(zweite.Wahl->Text.find(FalldateiName), std::string::npos);
}

// A file changed in place (cut, or an older copy written over it) and then
// deleted comes back from the program's version, not from the open file.
TEST_F(FallTest, EineGeloeschteDateiKommtAusDemBildZurueck) {
    Starten();
    Tippen(1, "500");
    const auto sv = DateiInhalt("SV.dat");
    const auto u12 = DateiInhalt("U12.dat");
    fs::resize_file("SV.dat", 0);
    fs::remove("SV.dat");
    std::fstream("U12.dat", std::ios::in | std::ios::out | std::ios::binary).write("alt", 3);
    fs::remove("U12.dat");
    const Aenderung a = fall->Sichern();
    ASSERT_EQ(a.Meldungen.size(), 2u);
    EXPECT_TRUE(a.Meldungen[1].Text.find("U12.dat wurde während der Arbeit gelöscht") !=
                std::string::npos);
    EXPECT_TRUE(DateiInhalt("SV.dat") == sv && DateiInhalt("U12.dat") == u12);
}

// Another program grows SV.dat in place beyond a complete file: taking it
// over goes on with the open file itself, once; no question comes back at
// the next sync or action, and only the user's version lies beside.
TEST_F(FallTest, EineInPlatzVerlaengerteDateiWirdEinmalUebernommen) {
    Starten();
    Tippen(1, "450");
    std::ofstream("SV.dat", std::ios::app | std::ios::binary) << "angehaengt";
    ASSERT_TRUE(Tippen(1, "650").Wahl);
    const Aenderung a = fall->ErsetzungEntscheiden(true);
    ASSERT_EQ(a.Meldungen.size(), 1u);
    EXPECT_TRUE(a.Meldungen[0].Text.starts_with("Lohnwippe arbeitet jetzt mit der neuen Datei"));
    EXPECT_EQ(fall->Bildschirm().Angaben()[J(1)].Entgelt, Waehrung::AusGanzzahl(450));
    EXPECT_FALSE(fall->Sichern().Wahl);
    EXPECT_FALSE(Tippen(1, "700").Wahl);
    EXPECT_FALSE(fall->Sichern().Wahl);
    EXPECT_EQ(GespeicherterFall(361).Entgelte[1], Waehrung::AusGanzzahl(700));
    EXPECT_EQ(fs::file_size("SV.dat"), 123012u + 10u);
    EXPECT_EQ(Datenbestand::KopienDaneben().size(), 1u);
}

}  // namespace
}  // namespace lohnwippe::test
