#include <gtest/gtest.h>

#include <filesystem>

#include "Arbeitsordner.h"
#include "store/Datenbestand.h"

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

}  // namespace
}  // namespace lohnwippe
