#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "Arbeitsordner.h"
#include "store/Datenbestand.h"
#include "store/Standardinhalt.h"

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

    // Every case record alike; 601 to 603 hold the names of the person cases,
    // of the payroll office and, in 603, the case shown last.
    using Namen = std::array<std::string, 4>;
    const Namen arbeitgeber{"Arbeitgeber 1", "Arbeitgeber 2", "Arbeitgeber 3", "Arbeitgeber 4"};
    const std::tuple<int, Namen, std::int16_t> faelle[] = {
        {1, arbeitgeber, 0},
        {361, arbeitgeber, 0},
        {600, arbeitgeber, 0},
        {601, {"Personalfall 1", "Personalfall 2", "Personalfall 3", "Personalfall 4"}, 0},
        {602, {"Personalfall 5", "Personalfall 6", "Personalfall 7", "Personalfall 8"}, 0},
        {603, {"Personalfall 9", "Personalfall 10", "Stadt Neckartal", "Abt. Personal"}, 361},
    };
    for (const auto& [nr, namen, letzterFall] : faelle) {
        Fallsatz erwartet;
        erwartet.LetzterFall = letzterFall;
        for (int job = 1; job <= 4; ++job) {
            erwartet.Namen[job] = namen[job - 1] + std::string(20 - namen[job - 1].size(), ' ');
            erwartet.Zweige[job] = erwartet.Umlagen[job] = {1, 1, 1, 1};
        }
        EXPECT_EQ(bestand.FallLesen(nr).Wert(), erwartet) << "Satz " << nr;
    }

    // {year, month, rates, fund or -1 for every fund, rate}; a year with a
    // change from month N is checked in months N - 1 and N.
    constexpr auto U1 = &Umlagesatz::U1Saetze, U2 = &Umlagesatz::U2Saetze,
                   U3 = &Umlagesatz::U3Saetze, KV = &Umlagesatz::KVSaetze;
    const std::tuple<int, int, JeKasse Umlagesatz::*, int, int> saetze[] = {
        {2011, 7, U2, 1, 28},    {2011, 8, U2, 1, 39},   {2011, 8, KV, 1, 1460},
        {2009, 8, U1, 7, 210},   {2009, 9, U1, 7, 220},  {2010, 9, U2, 9, 20},
        {2010, 10, U2, 9, 18},   {2010, 9, U1, 9, 330},  {2010, 10, U1, 9, 360},
        {2010, 6, U2, 13, 20},   {2010, 7, U2, 13, 28},  {2009, 1, U1, 0, 390},
        {2012, 12, U2, 12, 49},  {2012, 1, U1, 21, 350}, {2009, 6, KV, -1, 1460},
        {2009, 7, KV, -1, 1400}, {2010, 4, U3, -1, 410}, {2011, 4, U3, -1, 0},
        {2012, 4, U3, -1, 40},
    };
    for (const auto& [jahr, monat, feld, kasse, wert] : saetze) {
        const auto satz = bestand.UmlageLesen(UmlageNr(jahr - 2009, monat - 1)).Wert();
        for (int k = std::max(kasse, 0); k < (kasse < 0 ? AnzahlKassen : kasse + 1); ++k) {
            EXPECT_EQ((satz.*feld)[k], wert) << monat << "/" << jahr << ", Kasse " << k;
        }
    }

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

TEST_F(DatenbestandTest, JahressummeUndKopieBleibenInDenZwoelfMonatenDerPerson) {
    // Person 3 in 2011: records 265 (January) to 276 (December).
    auto bestand = Datenbestand::Oeffnen().Wert();
    ASSERT_TRUE(bestand.DatenAnlegen().HatWert());
    Fallsatz satz = bestand.FallLesen(1).Wert();
    satz.Entgelte[4] = Waehrung::AusRoh(5000);  // 0.50 Euro
    for (int nr = 264; nr <= 277; ++nr) {
        satz.Entgelte[1] = Waehrung::AusGanzzahl(nr);
        ASSERT_TRUE(bestand.FallSchreiben(nr, satz).HatWert());
    }
    // 265 + ... + 276 = 3246 Euro, plus twelve times 0.50.
    for (int nr : {265, 270, 276})
        EXPECT_EQ(bestand.Jahressumme(nr).Wert(), Waehrung::AusGanzzahl(3252)) << nr;

    satz.Entgelte[1] = Waehrung::AusGanzzahl(450);
    ASSERT_TRUE(bestand.BisDezemberKopieren(FallNr(2, 2, 0), satz).HatWert());
    for (int nr = 264; nr <= 277; ++nr)
        EXPECT_EQ(bestand.FallLesen(nr).Wert() == satz, nr >= 265 && nr <= 276) << nr;
    satz.Entgelte[2] = Waehrung::AusGanzzahl(100);
    ASSERT_TRUE(bestand.BisDezemberKopieren(276, satz).HatWert());
    EXPECT_EQ(bestand.FallLesen(276).Wert(), satz);
    EXPECT_NE(bestand.FallLesen(275).Wert(), satz);
    EXPECT_EQ(fs::file_size("SV.dat"), 123012u);

    satz.Entgelte[1] = Waehrung::AusRoh(LLONG_MAX);
    ASSERT_TRUE(bestand.FallSchreiben(270, satz).HatWert());
    const DateiFehler ueberlauf = bestand.Jahressumme(265).Fehler();
    EXPECT_EQ(ueberlauf.Art, Art::Ueberlauf);
    EXPECT_EQ(ueberlauf.Satz, 270);
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

    fs::remove("SV.dat");
    fs::create_directory("SV.dat");
    const DateiFehler ordner = Datenbestand::Oeffnen().Fehler();
    EXPECT_EQ(ordner.Art, Art::Oeffnen);
    EXPECT_EQ(ordner.Datei, "SV.dat");
    EXPECT_NE(ordner.FehlerNr, 0);
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
    EXPECT_EQ(Umlage->Schreibvorgaenge, 0);  // complete since the last attempt
    ASSERT_TRUE(Bestand.BisDezemberKopieren(FallNr(1, 4, 3), Fallsatz{}).HatWert());
    EXPECT_EQ(Fall->Schreibvorgaenge, 2);
    ASSERT_TRUE(Bestand.Jahressumme(FallNr(1, 4, 3)).HatWert());
    EXPECT_EQ(Fall->Lesevorgaenge, 1);
}

// Missing levy records get their default contents, in one write; whole
// records, and bytes beyond the last record, are never touched.
TEST_F(Doppel, FehlendeUmlagesaetzeWerdenErgaenztVorhandeneBleiben) {
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
        Umlage->Schreibvorgaenge = 0;
        auto erwartet = Umlage->Inhalt;
        erwartet.resize(std::max<std::size_t>(laenge, 8448));
        const auto ab = std::ptrdiff_t{176} * (48 - anzahl);
        std::copy(standard.begin() + ab, standard.end(), erwartet.begin() + ab);
        std::vector<int> nummern(static_cast<std::size_t>(anzahl));
        std::iota(nummern.begin(), nummern.end(), 49 - anzahl);

        EXPECT_EQ((neu ? Bestand.DatenAnlegen() : Bestand.UmlagenErgaenzen()).Wert(), nummern);
        EXPECT_EQ(Umlage->Inhalt, erwartet) << laenge;
        EXPECT_EQ(Umlage->Schreibvorgaenge, anzahl > 0 ? 1 : 0);
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
TEST_F(Doppel, UnplausibleUmlagesaetzeWerdenNachKasseUndMonatGenannt) {
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
    Umlage->Inhalt.assign(8448, std::byte{0xFF});  // -1 everywhere
    EXPECT_EQ(Bestand.UnplausibleUmlagen().Wert().Meldung(),
              kopf + "alle Kassen: Januar 2009 bis Dezember 2012" + fuss);
    Umlage->Inhalt.clear();  // zeros are no damage
    EXPECT_TRUE(Bestand.UnplausibleUmlagen().Wert().Leer());
}

TEST_F(Doppel, Umlagen2012AendernNurDieGewaehlteKasse) {
    ASSERT_TRUE(Bestand.DatenAnlegen().HatWert());
    auto erwartet = Umlage->Inhalt;
    Datenbestand::Monatswerte u1, u2;
    for (int m = 0; m < 12; ++m) {
        u1[m] = static_cast<std::int16_t>(-1 - m);
        u2[m] = static_cast<std::int16_t>(0x7F00 + m);
        const std::span<std::byte, 176> bereich(
            erwartet.data() + static_cast<std::size_t>(36 + m) * 176, 176);
        Umlagesatz satz = UmlagesatzDekodieren(bereich);
        satz.U1Saetze[5] = u1[m];
        satz.U2Saetze[5] = u2[m];
        UmlagesatzKodieren(satz, bereich);
    }
    ASSERT_TRUE(Bestand.Umlagesaetze2012Schreiben(5, u1, u2).HatWert());
    EXPECT_EQ(Umlage->Inhalt, erwartet);

    EXPECT_EQ(Bestand.Umlagesaetze2012Schreiben(22, u1, u2).Fehler().Meldung(),
              "U12.dat: Ungültige Kassenposition 22");
    EXPECT_EQ(Bestand.Umlagesaetze2012Schreiben(-1, u1, u2).Fehler().Art, Art::Kassenposition);
    EXPECT_EQ(Umlage->Inhalt, erwartet);
}

TEST_F(Doppel, UngueltigeSatznummernWerdenAbgewiesen) {
    ASSERT_TRUE(Bestand.DatenAnlegen().HatWert());
    EXPECT_EQ(Bestand.FallLesen(0).Fehler().Meldung(), "SV.dat: Ungültige Satznummer 0");
    // Fehler() throws, and so fails the test, where a call succeeds.
    const std::pair<DateiFehler, const char*> faelle[] = {
        {Bestand.FallSchreiben(-3, {}).Fehler(), "SV.dat"},
        {Bestand.FallSchreiben(HoechsteSatzNr + 1, {}).Fehler(), "SV.dat"},
        {Bestand.FallLesen(INT_MAX).Fehler(), "SV.dat"},
        {Bestand.Jahressumme(INT_MAX).Fehler(), "SV.dat"},
        {Bestand.Jahressumme(0).Fehler(), "SV.dat"},
        {Bestand.BisDezemberKopieren(INT_MAX, {}).Fehler(), "SV.dat"},
        {Bestand.BisDezemberKopieren(0, {}).Fehler(), "SV.dat"},
        {Bestand.UmlageLesen(49).Fehler(), "U12.dat"},
        {Bestand.UmlageSchreiben(0, {}).Fehler(), "U12.dat"},
    };
    for (const auto& [fehler, datei] : faelle) {
        EXPECT_EQ(fehler.Art, Art::Satznummer) << fehler.Meldung();
        EXPECT_EQ(fehler.Datei, datei) << fehler.Meldung();
    }
    EXPECT_EQ(Fall->Inhalt.size(), 123012u);
    EXPECT_EQ(Umlage->Inhalt.size(), 8448u);
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
