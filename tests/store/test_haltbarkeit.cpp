// The data files against a failing system: short and interrupted writes,
// full disks, a second program on the same folder, a killed process.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "Arbeitsordner.h"
#include "calc/Ergebnis.h"
#include "rates/Jahreswerte.h"
#include "store/Datenbestand.h"

namespace lohnwippe {
namespace {

namespace fs = std::filesystem;

using test::Inhalt;
using Art = DateiFehler::Fehlerart;

using HaltbarkeitTest = test::ArbeitsordnerTest;

// Plays the system with a script: each write call takes at most `Happen`
// bytes, and from call `FehlerAb` on every write fails with `FehlerNr`.
struct Drehbuch final : Systemaufrufe {
    std::size_t Happen = SIZE_MAX;
    int FehlerAb = INT_MAX, FehlerNr = ENOSPC, SyncFehler = 0;
    int Schreibaufrufe = 0, Syncs = 0;

    long PWrite(int fd, const void* daten, std::size_t anzahl, std::uint64_t position) override {
        if (++Schreibaufrufe >= FehlerAb) {
            errno = FehlerNr;
            return -1;
        }
        return Systemaufrufe::PWrite(fd, daten, std::min(anzahl, Happen), position);
    }
    int FDatasync(int fd) override {
        ++Syncs;
        if (SyncFehler != 0) {
            errno = SyncFehler;
            return -1;
        }
        return Systemaufrufe::FDatasync(fd);
    }
};

Datenbestand MitDrehbuch(Drehbuch& drehbuch) {
    auto bestand = Datenbestand::Oeffnen(
        [&drehbuch](const std::string& name) { return SystemDatei::Oeffnen(name, drehbuch); });
    return std::move(bestand).Wert();
}

TEST_F(HaltbarkeitTest, FehlerMittenImSatzNenntDateiSatzUndGrund) {
    Drehbuch drehbuch;
    auto bestand = MitDrehbuch(drehbuch);
    ASSERT_TRUE(bestand.DatenAnlegen().HatWert());
    for (const auto& [fehlerNr, grund] :
         {std::pair{ENOSPC, "Kein Speicherplatz mehr auf dem Datenträger"},
          std::pair{EIO, "Ein-/Ausgabefehler"},
          std::pair{EROFS, "Datenträger ist schreibgeschützt"}}) {
        // 100 bytes of record 42 go through, then the disk gives up.
        drehbuch.Happen = 100;
        drehbuch.FehlerAb = drehbuch.Schreibaufrufe + 2;
        drehbuch.FehlerNr = fehlerNr;
        const auto fehler = bestand.FallSchreiben(42, Fallsatz{}).Fehler();
        EXPECT_EQ(fehler.Meldung(), std::string("SV.dat, Satz 42: ") + grund);
        EXPECT_EQ(fehler.Position, 41u * 204 + 100);
    }
}

TEST_F(HaltbarkeitTest, DatenWerdenNachAnlegenKopierenUndStammdatenAufDenDatentraegerGebracht) {
    Drehbuch drehbuch;
    auto bestand = MitDrehbuch(drehbuch);
    ASSERT_TRUE(bestand.DatenAnlegen().HatWert());
    EXPECT_EQ(drehbuch.Syncs, 3);
    ASSERT_TRUE(bestand.FallSchreiben(5, Fallsatz{}).HatWert());
    EXPECT_EQ(drehbuch.Syncs, 3);  // an ordinary save leaves it to the system
    ASSERT_TRUE(bestand.BisDezemberKopieren(5, Fallsatz{}).HatWert());
    EXPECT_EQ(drehbuch.Syncs, 4);
    ASSERT_TRUE(bestand.Umlagesaetze2012Schreiben(3, {}, {}).HatWert());
    EXPECT_EQ(drehbuch.Syncs, 5);
    ASSERT_TRUE(bestand.KassenSchreiben(2026, {}).HatWert());
    EXPECT_EQ(drehbuch.Syncs, 6);

    drehbuch.SyncFehler = EIO;
    EXPECT_EQ(bestand.Sichern().Fehler().Meldung(),
              "SV.dat: Sichern auf dem Datenträger nicht möglich – Ein-/Ausgabefehler");
    EXPECT_EQ(bestand.BisDezemberKopieren(5, Fallsatz{}).Fehler().Art, Art::Sichern);
}

TEST_F(HaltbarkeitTest, AnlegenDasNichtAufDenDatentraegerKommtGiltAlsGescheitert) {
    Drehbuch drehbuch;
    drehbuch.SyncFehler = EIO;
    auto bestand = MitDrehbuch(drehbuch);
    EXPECT_EQ(bestand.DatenAnlegen().Fehler().Art, Art::Sichern);
    EXPECT_TRUE(bestand.FalldateiLeer().Wert());  // the next start begins afresh
}

TEST_F(HaltbarkeitTest, ZweitesProgrammWirdAbgewiesenBisDasErsteEndet) {
    int rohr[2];
    ASSERT_EQ(pipe(rohr), 0);
    const pid_t kind = fork();
    ASSERT_GE(kind, 0);
    if (kind == 0) {
        auto bestand = Datenbestand::Oeffnen();
        const char zeichen = bestand.HatWert() ? '1' : '0';
        (void)!write(rohr[1], &zeichen, 1);
        pause();
        _exit(0);
    }
    char zeichen = 0;
    ASSERT_EQ(read(rohr[0], &zeichen, 1), 1);
    ASSERT_EQ(zeichen, '1');
    // A second program in the same folder is turned away before it writes.
    fs::remove("U12.dat");
    const DateiFehler zweites = Datenbestand::Oeffnen().Fehler();
    EXPECT_EQ(zweites.Meldung(),
              "Lohnwippe ist in diesem Ordner bereits geöffnet (SV.dat wird benutzt). Bitte "
              "arbeiten Sie im bereits geöffneten Fenster weiter.");
    EXPECT_FALSE(fs::exists("U12.dat"));
    kill(kind, SIGKILL);
    waitpid(kind, nullptr, 0);
    close(rohr[0]);
    close(rohr[1]);
    EXPECT_TRUE(Datenbestand::Oeffnen().HatWert());
}

TEST_F(HaltbarkeitTest, UnvollstaendigeDateienWerdenBenannt) {
    {
        auto bestand = Datenbestand::Oeffnen().Wert();
        ASSERT_TRUE(bestand.DatenAnlegen().HatWert());
        EXPECT_TRUE(bestand.Luecken().Wert().empty());
    }
    fs::resize_file("SV.dat", 204 * 500 + 17);
    fs::remove("U12.dat");
    auto bestand = Datenbestand::Oeffnen().Wert();
    const auto luecken = bestand.Luecken().Wert();
    ASSERT_EQ(luecken.size(), 2u);
    EXPECT_EQ(luecken[0].Meldung(),
              "Die Datei SV.dat ist unvollständig oder beschädigt (102017 statt 123012 Bytes). "
              "Fehlende Fälle werden als leer angezeigt und beim nächsten Speichern ergänzt.");
    EXPECT_EQ(luecken[1].Meldung(),
              "Die Datei U12.dat fehlt oder ist leer. Fehlende Beitrags- und Umlagesätze werden "
              "als 0 angezeigt und beim nächsten Start ergänzt.");
    // The cut record reads its 17 bytes and zeros; saving it makes it whole.
    EXPECT_EQ(bestand.FallLesen(501).Wert().Entgelte[1], Waehrung());
    ASSERT_TRUE(bestand.FallSchreiben(501, Fallsatz{}).HatWert());
    EXPECT_EQ(fs::file_size("SV.dat"), 204u * 501);

    // Longer, by a byte or a gigabyte: said so, and the rest is left alone.
    const std::pair<std::uintmax_t, const char*> laengere[] = {
        {123013, "um 1 Byte länger als erwartet (123013 statt 123012 Bytes)"},
        {1u << 30, "um 1.073.618.812 Bytes länger als erwartet (1073741824 statt 123012 Bytes)"},
    };
    for (const auto& [laenge, text] : laengere) {
        fs::resize_file("SV.dat", laenge);
        EXPECT_EQ(bestand.Luecken().Wert()[0].Meldung(),
                  std::string("Die Datei SV.dat ist ") + text +
                      ". Das Programm verwendet die zusätzlichen Bytes nicht und lässt sie "
                      "unverändert.");
    }
}

TEST(Fehlertext, DeutschWoEinNutzerIhnTrifftSonstMitDemTextDesSystems) {
    for (int nr : {ENOSPC, EDQUOT, EACCES, EPERM, EROFS, ENOENT, EISDIR, EIO, ENODEV, ENXIO, ELOOP,
                   EMLINK, EFBIG}) {
        EXPECT_EQ(Fehlertext(nr).find(std::strerror(nr)), std::string::npos) << Fehlertext(nr);
    }
    EXPECT_EQ(Fehlertext(EINVAL), std::string("Systemfehler 22 (") + std::strerror(EINVAL) + ")");
}

// Another file renamed over SV.dat, or SV.dat changed in place: neither
// version is touched on disk before the user decides, and the other one is
// kept beside whatever goes on; a file that is not a complete data file is
// never taken over.
TEST_F(HaltbarkeitTest, FremdeDateiBleibtBisZurEntscheidungUnberuehrt) {
    auto bestand = Datenbestand::Oeffnen().Wert();
    ASSERT_TRUE(bestand.DatenAnlegen().HatWert());
    const auto ersetzen = [](std::uintmax_t laenge) {
        fs::copy_file("SV.dat", "Kopie");
        std::fstream("Kopie", std::ios::in | std::ios::out | std::ios::binary).write("Neu", 3);
        fs::resize_file("Kopie", laenge);
        fs::rename("Kopie", "SV.dat");
    };
    const auto beiseite = [] {
        std::vector<std::string> namen;
        for (const auto& eintrag : fs::directory_iterator(".")) {
            if (eintrag.path().filename().string().starts_with("SV.dat.ersetzt-")) {
                namen.push_back(eintrag.path().filename().string());
            }
        }
        return namen;
    };
    Fallsatz satz = bestand.FallLesen(1).Wert();
    for (const auto& [laenge, uebernehmen, uebernommen] :
         {std::tuple{123012u, false, false}, {1000u, true, false}, {123012u, true, true}}) {
        ersetzen(laenge);
        satz.Entgelte[1] += Waehrung::AusGanzzahl(100);
        const auto fremd = Inhalt("SV.dat");
        ASSERT_TRUE(bestand.FallSchreiben(5, satz).HatWert());
        EXPECT_EQ(bestand.FremdeDateien(), std::vector<std::string>{"SV.dat"});
        EXPECT_EQ(Inhalt("SV.dat"), fremd);
        const auto vorher = beiseite().size();
        const auto entscheidung = bestand.Entscheiden("SV.dat", uebernehmen).Wert();
        EXPECT_EQ(entscheidung.Uebernommen, uebernommen);
        EXPECT_EQ(entscheidung.Unvollstaendig.has_value(), laenge == 1000u);
        ASSERT_EQ(beiseite().size(), vorher + 1);
        EXPECT_EQ(Inhalt(entscheidung.Beiseite.c_str())[0] == 'N', !uebernommen);
        EXPECT_EQ(bestand.FallLesen(5).Wert().Entgelte[1] == satz.Entgelte[1], !uebernommen);
        EXPECT_EQ(Inhalt("SV.dat")[0] == 'N', uebernommen);
        EXPECT_TRUE(bestand.FremdeDateien().empty());
        EXPECT_EQ(Datenbestand::Oeffnen().Fehler().Art, Art::Gesperrt);
    }
}

// SV.dat deleted while the program runs: the next write brings it back
// whole, locked, without leaving anything else in the folder; a second
// program is refused all the while.
TEST_F(HaltbarkeitTest, GeloeschteDateiKommtGanzZurueck) {
    auto bestand = Datenbestand::Oeffnen().Wert();
    ASSERT_TRUE(bestand.DatenAnlegen().HatWert());
    Fallsatz satz;
    satz.Entgelte[2] = Waehrung::AusGanzzahl(450);
    auto erwartet = Inhalt("SV.dat");
    const auto kodiert = FallsatzKodieren(satz);
    std::memcpy(erwartet.data() + std::ptrdiff_t{204} * 8, kodiert.data(), 204);
    fs::remove("SV.dat");
    EXPECT_EQ(Datenbestand::Oeffnen().Fehler().Art, Art::Gesperrt);

    ASSERT_TRUE(bestand.FallSchreiben(9, satz).HatWert());
    EXPECT_EQ(Inhalt("SV.dat"), erwartet);
    EXPECT_EQ(Datenbestand::Oeffnen().Fehler().Art, Art::Gesperrt);
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 3);
    ASSERT_EQ(bestand.ErsetzteDateien().size(), 1u);
}

// A process that calculates and saves as fast as it can is killed at random
// moments. Whatever the moment, the files keep their length, and the last
// save the process reported as done is on disk (or a later one).
TEST_F(HaltbarkeitTest, GetoetetMittenImSpeichernBleibtDerLetzteFertigeStand) {
    {
        auto bestand = Datenbestand::Oeffnen().Wert();
        ASSERT_TRUE(bestand.DatenAnlegen().HatWert());
    }
    std::mt19937 zufall(20121231);
    // The last save known to be on disk: what a child reported, or what the
    // round before found there (a child may die before it reports anything).
    std::int64_t gemeldet = 0;
    for (int runde = 0; runde < 25; ++runde) {
        int rohr[2];
        ASSERT_EQ(pipe(rohr), 0);
        const pid_t kind = fork();
        ASSERT_GE(kind, 0);
        if (kind == 0) {
            close(rohr[0]);
            auto bestand = Datenbestand::Oeffnen().Wert();
            auto letzter = bestand.FallLesen(1).Wert();
            for (std::int64_t n = letzter.Entgelte[1].Roh() / 10000 + 1;; ++n) {
                Eingaben eingaben;
                JahreswerteUebernehmen(3, eingaben);
                eingaben.Entgelt[1] = Waehrung::AusGanzzahl(n);
                (void)Berechnen(eingaben);
                Fallsatz satz = letzter;
                satz.Entgelte[1] = eingaben.Entgelt[1];
                satz.Namen[1] = "Lauf " + std::to_string(n);
                if (!bestand.FallSchreiben(1, satz).HatWert() ||
                    !bestand.FallSchreiben(EinstellungsSatz, satz).HatWert()) {
                    _exit(2);
                }
                if (write(rohr[1], &n, sizeof n) != sizeof n) {
                    _exit(3);
                }
            }
        }
        close(rohr[1]);
        std::this_thread::sleep_for(std::chrono::microseconds(zufall() % 20000));
        kill(kind, SIGKILL);
        std::int64_t n = 0;
        while (read(rohr[0], &n, sizeof n) == sizeof n) {
            gemeldet = n;
        }
        close(rohr[0]);
        int status = 0;
        waitpid(kind, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "Runde " << runde;

        EXPECT_EQ(fs::file_size("SV.dat"), 123012u);
        auto bestand = Datenbestand::Oeffnen().Wert();
        const auto satz = bestand.FallLesen(1).Wert();
        const std::int64_t aufDerPlatte = satz.Entgelte[1].Roh() / 10000;
        EXPECT_GE(aufDerPlatte, gemeldet) << "Runde " << runde;
        EXPECT_LE(aufDerPlatte, gemeldet + 1) << "Runde " << runde;
        if (aufDerPlatte == gemeldet && gemeldet > 0) {
            std::string name = "Lauf " + std::to_string(gemeldet);
            name.resize(20, ' ');  // names are stored padded
            EXPECT_EQ(satz.Namen[1], name);
        }
        for (int nr = 1; nr <= AnzahlSaetzeFalldatei; ++nr) {
            ASSERT_TRUE(bestand.FallLesen(nr).HatWert());
        }
        // The next child goes on from what is on disk, reported or not.
        gemeldet = aufDerPlatte;
    }
}

}  // namespace
}  // namespace lohnwippe
