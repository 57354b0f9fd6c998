// The file of the months from 2013 on: its records, its defaults and the
// same promises as SV.dat.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "Arbeitsordner.h"
#include "store/Datenbestand.h"
#include "store/Spaetsatz.h"
#include "store/SpeicherDatei.h"
#include "store/Standardinhalt.h"

namespace lohnwippe {
namespace {

namespace fs = std::filesystem;

using test::Inhalt;

constexpr std::ptrdiff_t L = 204;
constexpr std::uintmax_t Jahresblock = std::uintmax_t{204} * 124;
constexpr std::uintmax_t Ganz = std::uintmax_t{204} + Jahresblock * 14;

TEST(Spaetsatz, KinderUndKassenKommenUnveraendertZurueck) {
    Fallsatz fall = StandardFallsatz(1);
    KinderSetzen(fall, 7);
    fall.KassePos = 23;
    const auto bytes = FallsatzKodieren(fall);
    EXPECT_EQ(bytes[100], std::byte{7});
    EXPECT_EQ(FallsatzKodieren(FallsatzDekodieren(bytes)), bytes);
    EXPECT_EQ(KinderLesen(FallsatzDekodieren(bytes)), 7);

    std::vector<Kasseneintrag> kassen;
    kassen.reserve(25);
    for (int i = 0; i < 24; ++i) {
        // Twenty characters, as every name reads back.
        kassen.push_back(
            {"Ölmühle-Süd Kasse " + std::to_string(10 + i), Satz{2900 + i}, Satz{100000}, Satz{i}});
    }
    std::array<std::byte, KassenblockLaenge> block{};
    KassenKodieren(kassen, block);
    // Entry 7 is the second of record 2: its Zusatzbeitrag 2907 = 0x0B5B.
    EXPECT_EQ(block[204 + 34 + 20], std::byte{0x5B});
    EXPECT_EQ(block[204 + 34 + 21], std::byte{0x0B});
    EXPECT_EQ(block[204 + 34 + 32], std::byte{1});
    EXPECT_EQ(KassenDekodieren(block), kassen);

    // A free place between two in use: the list closes up, in order.
    block[2 * 34 + 32] = std::byte{0};
    kassen.erase(kassen.begin() + 2);
    EXPECT_EQ(KassenDekodieren(block), kassen);
    kassen.resize(25);
    EXPECT_EQ(KassenUnpassend(kassen), 24u);
    kassen.resize(3);
    kassen[1].U2 = Satz{-1};
    EXPECT_EQ(KassenUnpassend(kassen), 1u);
}

using SpaetdateiTest = test::ArbeitsordnerTest;

// A new installation, and an older one that has no file of later years yet.
TEST_F(SpaetdateiTest, NeueDateiErhaeltDenStandardinhaltInEinemStueck) {
    {
        auto bestand = Datenbestand::Oeffnen().Wert();
        ASSERT_TRUE(bestand.DatenAnlegen().HatWert());
    }
    fs::remove("SVab2013.dat");
    const auto faelle = Inhalt("SV.dat");
    const auto umlagen = Inhalt("U12.dat");
    auto bestand = Datenbestand::Oeffnen().Wert();
    std::vector<Satzaenderung> mitschrift;
    bestand.Mitschreiben(&mitschrift);
    ASSERT_TRUE(bestand.UmlagenErgaenzen().HatWert());
    EXPECT_TRUE(mitschrift.empty());
    EXPECT_TRUE(bestand.Luecken().Wert().empty());
    ASSERT_EQ(fs::file_size("SVab2013.dat"), Ganz);

    const auto datei = Inhalt("SVab2013.dat");
    const auto satz = [&](int nr) {
        return std::vector<char>(datei.begin() + L * (nr - 1), datei.begin() + L * nr);
    };
    const auto fall = FallsatzKodieren(StandardFallsatz(1));
    const std::vector<char> neuerFall(reinterpret_cast<const char*>(fall.data()),
                                      reinterpret_cast<const char*>(fall.data()) + 204);
    EXPECT_EQ(satz(1), neuerFall);
    EXPECT_EQ(satz(FallNrAb2013(2013, 0, 0)), neuerFall);
    EXPECT_EQ(satz(FallNrAb2013(2026, 9, 11)), neuerFall);
    // 2015: "Durchschnitt", 0,900 % = 900 = 0x0384, no levies, in use; the
    // rest of the year's fund records free.
    std::vector<char> kasse(std::size_t{204} * 4, '\0');
    const std::string name = "Durchschnitt        ";
    std::copy(name.begin(), name.end(), kasse.begin());
    kasse[20] = '\x84';
    kasse[21] = '\x03';
    kasse[32] = '\x01';
    const auto kassen2015 = datei.begin() + L * (KassensatzNr(2015, 0) - 1);
    EXPECT_EQ(std::vector<char>(kassen2015, kassen2015 + L * 4), kasse);
    for (const auto& [jahr, schnitt] : {std::pair{2013, 0}, {2014, 0}, {2019, 900}, {2026, 2900}}) {
        EXPECT_EQ(bestand.KassenLesen(jahr).Wert(),
                  (std::vector<Kasseneintrag>{{name, Satz{schnitt}, {}, {}}}))
            << jahr;
    }
    EXPECT_EQ(bestand.KassenLesen(2027).Fehler().Art, DateiFehler::Fehlerart::Satznummer);
    EXPECT_EQ(Inhalt("SV.dat"), faelle);
    EXPECT_EQ(Inhalt("U12.dat"), umlagen);
}

// A file written before the table knew its last year gets that year's
// defaults without a word; one cut within its records is a Luecke and
// stays as it is.
TEST_F(SpaetdateiTest, NeuesJahrWirdErgaenztAbgeschnitteneDateiGemeldet) {
    {
        auto bestand = Datenbestand::Oeffnen().Wert();
        ASSERT_TRUE(bestand.DatenAnlegen().HatWert());
        ASSERT_TRUE(
            bestand.KassenSchreiben(2025, {{"TK", Satz{2450}, Satz{1}, Satz{2}}}).HatWert());
    }
    const auto ganz = Inhalt("SVab2013.dat");
    fs::resize_file("SVab2013.dat", Ganz - Jahresblock);
    {
        auto bestand = Datenbestand::Oeffnen().Wert();
        EXPECT_TRUE(bestand.UmlagenErgaenzen().Wert().empty());
        EXPECT_TRUE(bestand.Luecken().Wert().empty());
        EXPECT_EQ(Inhalt("SVab2013.dat"), ganz);
    }
    for (const std::uintmax_t laenge : {Ganz - Jahresblock + 1, std::uintmax_t{100}}) {
        fs::resize_file("SVab2013.dat", laenge);
        auto bestand = Datenbestand::Oeffnen().Wert();
        ASSERT_TRUE(bestand.UmlagenErgaenzen().HatWert());
        EXPECT_EQ(fs::file_size("SVab2013.dat"), laenge);
        const auto luecken = bestand.Luecken().Wert();
        ASSERT_EQ(luecken.size(), 1u);
        EXPECT_EQ(luecken[0].Meldung(),
                  "Die Datei SVab2013.dat ist unvollständig oder beschädigt (" +
                      std::to_string(laenge) +
                      " statt 354348 Bytes). Fehlende Fälle und Kassen "
                      "ab 2013 werden als leer angezeigt und beim nächsten Speichern ergänzt.");
    }
}

// Deleted while the program runs, it comes back whole at the next write;
// replaced, it is left alone until the user decides, as SV.dat is. Writes
// to it never touch SV.dat or U12.dat.
TEST_F(SpaetdateiTest, GeloeschtOderErsetztWieSVdat) {
    auto bestand = Datenbestand::Oeffnen().Wert();
    ASSERT_TRUE(bestand.DatenAnlegen().HatWert());
    const auto faelle = Inhalt("SV.dat");
    const auto umlagen = Inhalt("U12.dat");
    Fallsatz satz = StandardFallsatz(1);
    satz.Entgelte[1] = Waehrung::AusGanzzahl(603);
    KinderSetzen(satz, 3);
    const int maerz = FallNrAb2013(2026, 4, 2);
    fs::remove("SVab2013.dat");
    ASSERT_TRUE(bestand.BisDezemberKopierenAb2013(maerz, satz).HatWert());
    EXPECT_EQ(fs::file_size("SVab2013.dat"), Ganz);
    EXPECT_EQ(bestand.ErsetzteDateien().size(), 1u);
    EXPECT_EQ(FallsatzKodieren(bestand.FallAb2013Lesen(maerz + 9).Wert()), FallsatzKodieren(satz));
    EXPECT_EQ(bestand.FallAb2013Lesen(maerz + 10).Wert().Entgelte[1], Waehrung());
    EXPECT_EQ(bestand.FallAb2013Lesen(maerz - 1).Wert().Entgelte[1], Waehrung());
    EXPECT_EQ(bestand.JahressummeAb2013(maerz - 2).Wert(), Waehrung::AusGanzzahl(6030));
    EXPECT_FALSE(bestand.JahressummeAb2013(KassensatzNr(2026, 0)).HatWert());

    fs::copy_file("SVab2013.dat", "Kopie");
    fs::rename("Kopie", "SVab2013.dat");
    std::fstream("SVab2013.dat", std::ios::in | std::ios::out | std::ios::binary).write("Neu", 3);
    const auto fremd = Inhalt("SVab2013.dat");
    ASSERT_TRUE(bestand.KassenSchreiben(2026, {{"AOK", Satz{2500}, {}, {}}}).HatWert());
    EXPECT_EQ(bestand.FremdeDateien(), std::vector<std::string>{"SVab2013.dat"});
    EXPECT_EQ(Inhalt("SVab2013.dat"), fremd);
    const auto entscheidung = bestand.Entscheiden("SVab2013.dat", false).Wert();
    EXPECT_EQ(Inhalt(entscheidung.Beiseite.c_str()), fremd);
    EXPECT_EQ(bestand.KassenLesen(2026).Wert()[0].Zusatzbeitrag, Satz{2500});
    EXPECT_EQ(Datenbestand::KopienDaneben(), std::vector<std::string>{entscheidung.Beiseite});
    EXPECT_EQ(Inhalt("SV.dat"), faelle);
    EXPECT_EQ(Inhalt("U12.dat"), umlagen);
}

// A change over SV.dat and the later file is put back whole when a write
// fails, in both files and in the undo list, which names the later file's
// records as such and leaves out its settings record.
TEST(Spaetverbund, FehlschlagNimmtAuchDieSpaetdateiZurueck) {
    auto* fall = new SpeicherDatei("SV.dat");
    auto* spaet = new SpeicherDatei("SVab2013.dat");
    Datenbestand bestand(std::unique_ptr<Datei>(fall), std::make_unique<SpeicherDatei>("U12.dat"),
                         std::unique_ptr<Datei>(spaet));
    ASSERT_TRUE(bestand.DatenAnlegen().HatWert());
    const auto vorher = spaet->Inhalt;
    std::vector<Satzaenderung> mitschrift;
    bestand.Mitschreiben(&mitschrift);
    Fallsatz satz;
    satz.Entgelte[2] = Waehrung::AusGanzzahl(538);
    {
        Datenbestand::Verbund verbund(bestand);
        ASSERT_TRUE(bestand.FallAb2013Schreiben(1, satz).HatWert());
        ASSERT_TRUE(bestand.FallAb2013Schreiben(FallNrAb2013(2024, 0, 0), satz).HatWert());
        ASSERT_EQ(mitschrift.size(), 1u);
        EXPECT_EQ(mitschrift[0].Datei, Datendatei::Ab2013);
        EXPECT_EQ(bestand.SatzLesen(Datendatei::Ab2013, FallNrAb2013(2024, 0, 0)).Wert(),
                  mitschrift[0].Nachher);
        fall->Voll = true;
        EXPECT_FALSE(bestand.FallSchreiben(5, satz).HatWert());
    }
    EXPECT_EQ(spaet->Inhalt, vorher);
    EXPECT_TRUE(mitschrift.empty());
    fall->Voll = false;
    spaet->Voll = true;
    EXPECT_FALSE(bestand.KassenSchreiben(2024, {}).HatWert());
    EXPECT_EQ(bestand.KassenLesen(2024).Wert().size(), 1u);
}

}  // namespace
}  // namespace lohnwippe
