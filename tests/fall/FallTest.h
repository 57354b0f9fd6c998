#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "../store/Arbeitsordner.h"
#include "calc/Entgelteingabe.h"
#include "fall/OffenerFall.h"
#include "store/Umlagesatz.h"

namespace lohnwippe::test {

// How the system lets down a write call.
enum class Stoerart {
    Voll,            // disk full
    EinAusgabe,      // I/O error
    Schreibschutz,   // read-only file system
    KurzDannVoll,    // part of the bytes, then the disk is full
    KurzDannWeiter,  // part of the bytes, the rest in the next call
    Unterbrochen,    // a signal came in between
};

// How the system lets down a read call.
enum class Leseart { EinAusgabe, Unterbrochen, Kurz };

// The system calls of the data files, failing where a test says: the write
// calls from the `Bei`-th to the `Bis`-th (counted from 1) as `Art` says,
// the `LeseBei`-th read call as `LeseArt` says, reads at the byte positions
// in `Lesefehler`, syncs with `SyncFehler`. Syncs never reach the disk: the
// disk itself is not under test; they are counted.
struct Stoerstelle final : Systemaufrufe {
    Stoerart Art = Stoerart::Voll;
    int Bei = INT_MAX;
    int Bis = 0;
    int Aufrufe = 0;
    Leseart LeseArt = Leseart::EinAusgabe;
    int LeseBei = INT_MAX;
    int Lesevorgaenge = 0;
    std::vector<std::uint64_t> Lesefehler;
    int SyncFehler = 0;
    int Syncs = 0;

    void AbJetztVoll() {
        Bei = Aufrufe + 1;
        Bis = INT_MAX;
    }
    void WiederPlatz() { Bis = Aufrufe; }

    // Right after the `EingriffBei`-th read or write call, so before the
    // program's next look at the files: what another program does to them.
    // (Between a look and the call itself, no program could notice.)
    int Zugriffe = 0;
    int EingriffBei = INT_MAX;
    std::function<void()> Eingriff;
    long Zugegriffen(long ergebnis) {
        if (++Zugriffe == EingriffBei) {
            const int fehlerNr = errno;
            Eingriff();
            errno = fehlerNr;
        }
        return ergebnis;
    }

    long PWrite(int fd, const void* daten, std::size_t anzahl, std::uint64_t position) override {
        return Zugegriffen(Schreiben(fd, daten, anzahl, position));
    }
    long PRead(int fd, void* daten, std::size_t anzahl, std::uint64_t position) override {
        return Zugegriffen(Lesen(fd, daten, anzahl, position));
    }
    int FDatasync(int) override {
        ++Syncs;
        return SyncFehler == 0 ? 0 : static_cast<int>(Scheitern(SyncFehler));
    }

  private:
    long Schreiben(int fd, const void* daten, std::size_t anzahl, std::uint64_t position) {
        const int aufruf = ++Aufrufe;
        // A short write is followed by at least one full disk.
        const bool kurz = Art == Stoerart::KurzDannVoll && Bei < INT_MAX;
        const int letzter = std::max(Bis, kurz ? Bei + 1 : Bei);
        if (aufruf >= Bei && aufruf <= letzter) {
            switch (Art) {
                case Stoerart::Voll:
                    return Scheitern(ENOSPC);
                case Stoerart::EinAusgabe:
                    return Scheitern(EIO);
                case Stoerart::Schreibschutz:
                    return Scheitern(EROFS);
                case Stoerart::Unterbrochen:
                    return Scheitern(EINTR);
                case Stoerart::KurzDannVoll:
                    if (aufruf > Bei) {
                        return Scheitern(ENOSPC);
                    }
                    [[fallthrough]];
                case Stoerart::KurzDannWeiter:
                    return Systemaufrufe::PWrite(fd, daten, anzahl / 2, position);
            }
        }
        return Systemaufrufe::PWrite(fd, daten, anzahl, position);
    }
    long Lesen(int fd, void* daten, std::size_t anzahl, std::uint64_t position) {
        if (++Lesevorgaenge == LeseBei && LeseArt != Leseart::EinAusgabe) {
            return LeseArt == Leseart::Kurz ? Systemaufrufe::PRead(fd, daten, anzahl / 2, position)
                                            : Scheitern(EINTR);
        }
        if (Lesevorgaenge == LeseBei ||
            std::find(Lesefehler.begin(), Lesefehler.end(), position) != Lesefehler.end()) {
            return Scheitern(EIO);
        }
        return Systemaufrufe::PRead(fd, daten, anzahl, position);
    }
    static long Scheitern(int fehlerNr) {
        errno = fehlerNr;
        return -1;
    }
};

// Where record `satzNr` of the case file begins.
constexpr std::uint64_t Stelle(int satzNr) {
    return std::uint64_t{FallsatzLaenge} * static_cast<std::uint64_t>(satzNr - 1);
}

inline std::vector<char> DateiInhalt(const std::filesystem::path& datei) {
    std::ifstream strom(datei, std::ios::binary);
    return {std::istreambuf_iterator<char>(strom), {}};
}

// Record `satzNr` of `datei` as the working directory holds it now, read
// beside the program as any other reader would.
template <std::size_t Laenge>
std::array<std::byte, Laenge> GespeicherteBytes(const char* datei, int satzNr) {
    const std::vector<char> inhalt = DateiInhalt(datei);
    std::array<std::byte, Laenge> satz{};
    for (std::size_t i = 0, ab = Laenge * static_cast<std::size_t>(satzNr - 1);
         i < Laenge && ab + i < inhalt.size(); ++i) {
        satz[i] = static_cast<std::byte>(inhalt[ab + i]);
    }
    return satz;
}
inline Fallsatz GespeicherterFall(int satzNr) {
    return FallsatzDekodieren(GespeicherteBytes<FallsatzLaenge>(FalldateiName, satzNr));
}

// What a sync tool does: a copy of SV.dat with the first remuneration of
// case `satzNr` set to `euro`, renamed over the open file.
inline void FremdesSvDat(int satzNr, std::int64_t euro) {
    std::filesystem::copy_file("SV.dat", "fremd");
    Fallsatz satz = GespeicherterFall(satzNr);
    satz.Entgelte[1] = Waehrung::AusGanzzahl(euro);
    {
        std::fstream kopie("fremd", std::ios::in | std::ios::out | std::ios::binary);
        kopie.seekp(static_cast<std::streamoff>(Stelle(satzNr)));
        const auto bytes = FallsatzKodieren(satz);
        kopie.write(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<std::streamsize>(bytes.size()));
    }
    std::filesystem::rename("fremd", "SV.dat");
}
inline Umlagesatz GespeicherteUmlage(int satzNr) {
    return UmlagesatzDekodieren(GespeicherteBytes<UmlagesatzLaenge>(UmlagedateiName, satzNr));
}

inline Job J(int nr) {
    return *Job::Aus(nr);
}

// How many of `meldungen` report a failure.
inline int Fehler(const std::vector<Meldung>& meldungen) {
    return static_cast<int>(std::count_if(meldungen.begin(), meldungen.end(), [](const Meldung& m) {
        return m.Art == Symbol::Fehler;
    }));
}

// A window that stays where it is put.
class Fensterattrappe final : public Fensterlage {
  public:
    Fensterposition Ort{};
    Fensterposition Position() const override { return Ort; }
    void Verschieben(Fensterposition position) override { Ort = position; }
};

// Every test runs in a fresh folder of its own: the files are opened by
// bare name in the working directory.
class FallTest : public ArbeitsordnerTest {
  protected:
    ~FallTest() override { fall.reset(); }

    // Starts on the files of the folder, through `aufrufe`; the messages of
    // the start are kept. Null when the start ends the program.
    OffenerFall* StartenMit(Systemaufrufe& aufrufe) {
        fall.reset();
        auto daten = Datenbestand::Oeffnen(
            [&aufrufe](const std::string& name) { return SystemDatei::Oeffnen(name, aufrufe); });
        EXPECT_TRUE(daten.HatWert());
        if (!daten.HatWert()) {
            return nullptr;
        }
        OffenerFall::Start start = OffenerFall::Starten(std::move(daten).Wert(), lage);
        gemeldet = start.Anzeige.Meldungen;
        gestartet = start.Anzeige;
        fall = std::move(start.Fall);
        return fall.get();
    }
    OffenerFall& Starten() {
        EXPECT_NE(StartenMit(Systemaufrufe::Echte()), nullptr);
        return *fall;
    }
    // A new installation's files, with records changed before the start.
    static void Vorbereiten(const std::function<void(Datenbestand&)>& aendern) {
        auto daten = Datenbestand::Oeffnen().Wert();
        ASSERT_TRUE(daten.DatenAnlegen().HatWert());
        aendern(daten);
    }
    static void Aendern(Datenbestand& daten, int satzNr,
                        const std::function<void(Fallsatz&)>& was) {
        Fallsatz satz = daten.FallLesen(satzNr).Wert();
        was(satz);
        ASSERT_TRUE(daten.FallSchreiben(satzNr, satz).HatWert());
    }

    void Beenden() {
        const Aenderung schluss = fall->Schliessen();
        EXPECT_FALSE(schluss.Frage) << *schluss.Frage;
        gemeldet = schluss.Meldungen;
        fall.reset();
    }

    // Enters the amount box, types `tasten` through its key filter and, if
    // asked, presses Enter: what the window does for each key.
    Aenderung Tippen(int nr, const std::string& tasten, bool enter = true) {
        const Job job = J(nr);
        fall->EntgeltfeldBetreten(job);
        std::string text;
        for (const char zeichen : tasten) {
            const Tastenwirkung wirkung =
                EntgeltTaste(text, static_cast<char32_t>(static_cast<unsigned char>(zeichen)));
            if (wirkung == Tastenwirkung::Einfuegen) {
                text += zeichen;
            }
            if (wirkung != Tastenwirkung::Verwerfen) {
                fall->EntgeltGetippt(job, text);
            }
        }
        return enter ? fall->EntgeltEingeben(job, text) : Aenderung{};
    }

    Fensterattrappe lage;
    std::unique_ptr<OffenerFall> fall;
    std::vector<Meldung> gemeldet;
    Aenderung gestartet;  // what the last start showed
};

}  // namespace lohnwippe::test
