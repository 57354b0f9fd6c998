#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <tuple>
#include <vector>

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
    EXPECT_EQ(fs::file_size("SV.dat"), 123012u);
    EXPECT_EQ(fs::file_size("U12.dat"), 8448u);

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

TEST_F(DatenbestandTest, OeffnenScheitertMitNamenDerDatei) {
    const auto ohneU12 = Datenbestand::Oeffnen([](const std::string& name) {
        if (name == "U12.dat") {
            return Erwartet<std::unique_ptr<Datei>>(
                DateiFehler{.Art = Art::Oeffnen, .Datei = name, .FehlerNr = EACCES});
        }
        return SystemDatei::Oeffnen(name);
    });
    EXPECT_EQ(ohneU12.Fehler().Meldung(), "U12.dat: Öffnen nicht möglich – Zugriff verweigert");
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

// A file in memory that fails on demand: writes stop once `SchreibBudget`
// bytes have been written in total, reads fail while `LeseFehler` is set.
struct FehlerDatei final : Datei {
    explicit FehlerDatei(std::string name) : Dateiname(std::move(name)) {}

    std::string Dateiname;
    std::vector<std::byte> Inhalt;
    std::size_t SchreibBudget = SIZE_MAX;
    int SchreibFehler = 0, LeseFehler = 0, Lesevorgaenge = 0, Schreibvorgaenge = 0;

    const std::string& Name() const override { return Dateiname; }
    Erwartet<std::uint64_t> Laenge() override { return Inhalt.size(); }
    Erwartet<void> Kuerzen(std::uint64_t laenge) override {
        Inhalt.resize(laenge);
        return {};
    }
    Erwartet<std::size_t> Lesen(std::uint64_t position, std::span<std::byte> ziel) override {
        ++Lesevorgaenge;
        if (LeseFehler != 0) {
            return Fehler(Art::Lesen, LeseFehler, position);
        }
        const std::size_t n =
            position >= Inhalt.size() ? 0 : std::min(ziel.size(), Inhalt.size() - position);
        std::copy_n(Inhalt.begin() + static_cast<std::ptrdiff_t>(position), n, ziel.begin());
        return n;
    }
    Erwartet<void> Schreiben(std::uint64_t position, std::span<const std::byte> quelle) override {
        ++Schreibvorgaenge;
        const std::size_t n = std::min(quelle.size(), SchreibBudget);
        SchreibBudget -= n;
        Inhalt.resize(std::max<std::size_t>(Inhalt.size(), position + n));
        std::copy_n(quelle.begin(), n, Inhalt.begin() + static_cast<std::ptrdiff_t>(position));
        if (n < quelle.size()) {
            return Fehler(Art::Schreiben, SchreibFehler, position + n);
        }
        return {};
    }
    DateiFehler Fehler(Art art, int fehlerNr, std::uint64_t position) const {
        return {.Art = art, .Datei = Dateiname, .FehlerNr = fehlerNr, .Position = position};
    }
};

// The store on two such files.
class Doppel : public ::testing::Test {
  protected:
    FehlerDatei* Fall = new FehlerDatei("SV.dat");
    FehlerDatei* Umlage = new FehlerDatei("U12.dat");
    Datenbestand Bestand{std::unique_ptr<Datei>(Fall), std::unique_ptr<Datei>(Umlage)};
};

TEST_F(Doppel, AnlegenSchreibtJedeDateiInEinemZugOderLeertDieFalldateiWieder) {
    // The levy file comes first; while it fails, the case file stays empty.
    Umlage->SchreibBudget = 0;
    Umlage->SchreibFehler = EROFS;
    EXPECT_EQ(Bestand.DatenAnlegen().Fehler().Meldung(),
              "U12.dat, Satz 1: Datenträger ist schreibgeschützt");
    EXPECT_TRUE(Fall->Inhalt.empty());

    Umlage->SchreibBudget = SIZE_MAX;
    Fall->SchreibBudget = 10 * FallsatzLaenge + 50;
    Fall->SchreibFehler = ENOSPC;
    EXPECT_EQ(Bestand.DatenAnlegen().Fehler().Satz, 11);
    // Emptied again, so that the next start sees a new installation.
    EXPECT_TRUE(Fall->Inhalt.empty());
    EXPECT_TRUE(Bestand.FalldateiLeer().Wert());

    Fall->SchreibBudget = SIZE_MAX;
    Fall->Schreibvorgaenge = Umlage->Schreibvorgaenge = 0;
    ASSERT_TRUE(Bestand.DatenAnlegen().HatWert());
    EXPECT_EQ(Fall->Inhalt.size(), 123012u);
    EXPECT_EQ(Umlage->Inhalt.size(), 8448u);
    // A single transfer keeps a new installation from being left half
    // written record by record, and keeps the annual sum cheap.
    EXPECT_EQ(Fall->Schreibvorgaenge, 1);
    EXPECT_EQ(Umlage->Schreibvorgaenge, 1);
    ASSERT_TRUE(Bestand.BisDezemberKopieren(FallNr(1, 4, 3), Fallsatz{}).HatWert());
    EXPECT_EQ(Fall->Schreibvorgaenge, 2);
    ASSERT_TRUE(Bestand.Jahressumme(FallNr(1, 4, 3)).HatWert());
    EXPECT_EQ(Fall->Lesevorgaenge, 1);
}

TEST_F(Doppel, SchreibUndLesefehlerNennenDateiSatzUndGrund) {
    ASSERT_TRUE(Bestand.DatenAnlegen().HatWert());
    Fallsatz satz = Bestand.FallLesen(17).Wert();
    satz.Entgelte[1] = Waehrung::AusGanzzahl(600);
    const Fallsatz kopie = satz;
    Fall->SchreibBudget = 100;
    Fall->SchreibFehler = ENOSPC;
    EXPECT_EQ(Bestand.FallSchreiben(17, satz).Fehler().Meldung(),
              "SV.dat, Satz 17: Kein Speicherplatz mehr auf dem Datenträger");
    EXPECT_EQ(satz, kopie);
    Fall->SchreibBudget = 0;
    Fall->SchreibFehler = 0;  // stopped short without a reason
    EXPECT_EQ(Bestand.BisDezemberKopieren(17, satz).Fehler().Meldung(),
              "SV.dat, Satz 17: Satz wurde nicht vollständig geschrieben");

    Fall->LeseFehler = Umlage->LeseFehler = EIO;
    EXPECT_EQ(Bestand.Jahressumme(270).Fehler().Meldung(),
              "SV.dat, Satz 265: Lesen nicht möglich – Ein-/Ausgabefehler");
    EXPECT_EQ(Bestand.FallLesen(3).Fehler().Art, Art::Lesen);
    const auto vorher = Umlage->Inhalt;
    EXPECT_FALSE(Bestand.Umlagesaetze2012Schreiben(0, {}, {}).HatWert());
    EXPECT_EQ(Umlage->Inhalt, vorher);
}

}  // namespace
}  // namespace lohnwippe
