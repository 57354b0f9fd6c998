#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "store/Datei.h"
#include "store/DateiFehler.h"
#include "store/Satzaenderung.h"

namespace lohnwippe {

// One data file as the program keeps it: the file, the length and number of
// its records, and a complete image of its records in memory.
//
// Every write first asks the file whether it is still as the program left
// it (Datei::Pruefen, once per step of the program). Reads are served from
// the image and never touch the file; writes go to the file and, when they
// went through, into the image. Once another program is found to have replaced or changed the
// file, neither version is read or written on disk any more: reads and
// writes go to the image alone, the program's version, which so holds
// everything the user enters, until the user decides (Entscheiden) which
// version goes on under the name; the other one is kept beside it.
class Ablage {
  public:
    Ablage(std::unique_ptr<Datei> datei, std::size_t satzlaenge, int anzahlSaetze, int hoechsteNr);

    Datei& Selbst() { return *datei_; }
    const std::string& Name() const { return datei_->Name(); }
    std::size_t Satzlaenge() const { return satzlaenge_; }
    // Bytes of all its records: what a complete file holds.
    std::uint64_t Soll() const { return satzlaenge_ * static_cast<std::uint64_t>(anzahl_); }

    // `anzahl` consecutive records from `ersterSatz` (counted from 1).
    // Records beyond the file's end read as zeros.
    Erwartet<void> Lesen(int ersterSatz, int anzahl, std::span<std::byte> ziel);
    Erwartet<void> Schreiben(int ersterSatz, int anzahl, std::span<const std::byte> quelle);
    // A write that fails puts back from the image what it changed in the
    // file, so that no record is left half old and half new; where even
    // that fails, the next Angleichen does it.
    //
    // The bytes a write replaced, to put them back (see Vormerken).
    struct Altstand {
        Ablage* Von = nullptr;
        std::uint64_t Ab = 0;
        std::vector<std::byte> Bytes;
        std::uint64_t Laenge = 0;  // of the file before the write
    };
    // From now on, every write that goes through adds what it replaced to
    // `ziel` (none: nothing is kept).
    void Vormerken(std::vector<Altstand>* ziel) { vorgemerkt_ = ziel; }
    // Puts `alt` back in the file and the image; a failure is owed to
    // Angleichen and said.
    Erwartet<void> Zuruecklegen(const Altstand& alt);
    // Writes what the file still holds other than the image, after a
    // put-back that failed.
    Erwartet<void> Angleichen();
    // Cuts the file; the image follows.
    Erwartet<void> Kuerzen(std::uint64_t laenge);
    // Looks at the file without reading or writing it (see Lesen).
    Erwartet<void> Pruefen();

    // From now on, every record a write changes but record `ausser` is
    // added to `ziel` (none: nothing is recorded), as this file `art`.
    void Mitschreiben(std::vector<Satzaenderung>* ziel, Datendatei art, int ausser = 0) {
        mitschrift_ = ziel;
        art_ = art;
        ausser_ = ausser;
    }

    // Another program replaced or changed the file, and the user has not yet
    // decided what goes on.
    bool Fremd() const { return fremd_; }
    // Written since the last look: only the next look tells the time of
    // change of that write from one of another program just after it.
    bool Beschrieben() const { return beschrieben_; }

    // Before the user is asked: the program's version written beside the
    // file, under the name it keeps if the other one is taken over, so that
    // a crash while asking loses nothing; written again at every call.
    Erwartet<std::string> Beiseitelegen(const std::string& stempel);

    // What became of the user's decision: where the other version lies now,
    // and whether the file under the name is the other program's.
    struct Entscheidung {
        std::string Beiseite;
        bool Uebernommen = false;
        // The other program's file was no complete data file and could not
        // be taken over; its length.
        std::optional<std::uint64_t> Unvollstaendig;
    };
    // `uebernehmen`: the file now under the name goes on, when it is a
    // complete data file, and the program's version is kept beside it;
    // otherwise the program's version goes on under the name and the other
    // one is moved beside it. Beside means under the name
    // "<name>.ersetzt-<stempel>" (with "-2", "-3" … when that is taken).
    Erwartet<Entscheidung> Entscheiden(bool uebernehmen, const std::string& stempel);

  private:
    bool Enthaelt(int ersterSatz, int anzahl) const;
    // Whether the file under the name holds the image's bytes, as long.
    bool GleicherInhalt() const;
    // The failure with the record in which its byte position lies.
    DateiFehler MitSatz(DateiFehler fehler) const;
    Erwartet<void> Laden();
    std::string FreierName(const std::string& stempel) const;
    // The image's bytes from `ab` to `bis` into the file, as far as the
    // file reached (`laenge_`), and the file cut back to it.
    Erwartet<void> Bildschreiben(std::uint64_t ab, std::uint64_t bis);

    std::unique_ptr<Datei> datei_;
    std::size_t satzlaenge_;
    int anzahl_;
    int hoechsteNr_;
    std::vector<std::byte> bild_;
    std::uint64_t laenge_ = 0;  // of the file as the program last left it
    bool geladen_ = false;
    bool fremd_ = false;
    bool beschrieben_ = false;
    std::vector<Satzaenderung>* mitschrift_ = nullptr;
    std::string beiseite_;  // the copy made while asking, until decided
    Datendatei art_ = Datendatei::Faelle;
    int ausser_ = 0;
    std::vector<Altstand>* vorgemerkt_ = nullptr;
    // Stretches in which the file is not yet what the image holds.
    std::vector<std::pair<std::uint64_t, std::uint64_t>> ungleich_;
};

}  // namespace lohnwippe
