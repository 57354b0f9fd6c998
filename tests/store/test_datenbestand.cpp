#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>

#include "Arbeitsordner.h"
#include "store/Datenbestand.h"

namespace lohnwippe {
namespace {

namespace fs = std::filesystem;
using Art = DateiFehler::Fehlerart;

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

TEST_F(DatenbestandTest, SaetzeHinterDemDateiendeLesenSichAlsNullen) {
    std::ofstream("SV.dat", std::ios::binary) << std::string(FallsatzLaenge + 100, '\x11');
    auto bestand = Datenbestand::Oeffnen().Wert();
    std::array<std::byte, FallsatzLaenge> zweiter{};  // only begun
    std::fill_n(zweiter.begin(), 100, std::byte{0x11});
    EXPECT_EQ(FallsatzKodieren(bestand.FallLesen(2).Wert()), zweiter);
    EXPECT_EQ(FallsatzKodieren(bestand.FallLesen(603).Wert()), (std::array<std::byte, 204>{}));
    EXPECT_EQ(bestand.UmlageLesen(48).Wert(), Umlagesatz{});
}

TEST_F(DatenbestandTest, VollerDatentraegerWirdErkannt) {
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    fs::create_symlink("/dev/full", "SV.dat");
    auto bestand = Datenbestand::Oeffnen().Wert();
    EXPECT_EQ(bestand.DatenAnlegen().Fehler().Meldung(),
              "SV.dat, Satz 1: Kein Speicherplatz mehr auf dem Datenträger");
    EXPECT_EQ(bestand.FallSchreiben(42, Fallsatz{}).Fehler().Satz, 42);
}

}  // namespace
}  // namespace lohnwippe
