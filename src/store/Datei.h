#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "store/DateiFehler.h"
#include "store/Deskriptor.h"

struct stat;

namespace lohnwippe {

// A file of bytes with random access, the seam between the record layer and
// the system. Failures come back as DateiFehler with `Datei`, `FehlerNr` and
// `Position` filled in; `Satz` is left to the record layer.
class Datei {
  public:
    virtual ~Datei() = default;

    virtual const std::string& Name() const = 0;

    // Reads up to ziel.size() bytes from `position` and returns how many it
    // read: fewer only where the file ends, none beyond its end.
    virtual Erwartet<std::size_t> Lesen(std::uint64_t position, std::span<std::byte> ziel) = 0;

    // Writes all of `quelle` at `position`, extending the file if needed.
    // Anything less is a failure, with `Position` where writing stopped.
    virtual Erwartet<void> Schreiben(std::uint64_t position, std::span<const std::byte> quelle) = 0;

    virtual Erwartet<std::uint64_t> Laenge() = 0;

    // Cuts the file to `laenge` bytes.
    virtual Erwartet<void> Kuerzen(std::uint64_t laenge) = 0;

    // Hands what was written to the disk itself, so that a power cut after
    // a confirmed save cannot take it back. Files in memory have nothing to do.
    virtual Erwartet<void> Sichern() { return {}; }

    // Takes an exclusive advisory lock for this process without waiting.
    // False when another process (or another opening) holds it. The system
    // drops the lock when the file is closed, however the program ends.
    virtual Erwartet<bool> Sperren() { return true; }

    // Whether the name still leads to this file as the program left it.
    // Asked before the first read or write of every step of the program:
    // Gleich, it does; Fremd, another program replaced the file under its
    // name or changed it (its length or time of change differs), and the
    // program must not go on with either version before the user decides
    // (Uebernehmen or Behalten). A file deleted under its name is created
    // again from the open one, whole before it appears under the name, and
    // is Gleich; ErsetzungAbholen tells afterwards. Geloescht: the file
    // was deleted after another program changed it in place, so the open
    // one no longer holds the program's version; the caller creates it
    // again from that (Neuanlegen).
    enum class Pruefung { Gleich, Fremd, Geloescht };
    virtual Erwartet<Pruefung> Pruefen() { return Pruefung::Gleich; }
    // The user's two answers to Fremd. Uebernehmen: go on with the file now
    // under the name, locked like this one. Behalten: the file now under the
    // name is moved to `beiseite` (empty: there is none), and `inhalt` (the
    // program's version) takes its place under the name; the move aside
    // comes only once `inhalt` is safely on the disk beside it.
    virtual Erwartet<void> Uebernehmen() { return {}; }
    virtual Erwartet<void> Behalten(std::span<const std::byte> inhalt,
                                    const std::string& beiseite) {
        (void)inhalt;
        (void)beiseite;
        return {};
    }

    // Puts `inhalt` under the name where none is, as Pruefen does with the
    // open file; ErsetzungAbholen tells.
    virtual Erwartet<void> Neuanlegen(std::span<const std::byte> inhalt) {
        (void)inhalt;
        return {};
    }
    // The file under the name, found Fremd, holds the program's version
    // byte for byte: go on with it as if it had not changed.
    virtual Erwartet<void> Annehmen() { return {}; }

    // Whether Pruefen created the file again since the last call.
    enum class Ersetzung { Keine, Wiederhergestellt };
    virtual Ersetzung ErsetzungAbholen() { return Ersetzung::Keine; }

    // Between these two calls (they nest), Pruefen looks at the name once:
    // the accesses of one step of the program follow each other within
    // microseconds, and one look at the name costs about as much as a write.
    virtual void GruppeBeginnen() {}
    virtual void GruppeBeenden() {}
};

// A file of the working directory, opened for reading and writing and
// created when missing. It stays open for the object's life. Nothing is
// buffered, so a write that fails (disk full, say) fails at once, in the
// call that caused it, and not at some later flush or at closing.
//
// Only a regular file is taken: a folder, a pipe or a device under the name
// is refused when opening (reason KeineGewoehnlicheDatei or EISDIR), and the
// opening does not wait on a pipe.
//
// Programs that save by renaming a new file over the old one (backup tools,
// sync clients) would otherwise leave every later write in a deleted file
// and the folder without a lock: see Pruefen.
class SystemDatei final : public Datei {
  public:
    static Erwartet<std::unique_ptr<Datei>> Oeffnen(const std::string& name);
    static Erwartet<std::unique_ptr<Datei>> Oeffnen(const std::string& name,
                                                    Systemaufrufe& aufrufe);

    const std::string& Name() const override { return datei_.Name(); }
    Erwartet<std::size_t> Lesen(std::uint64_t position, std::span<std::byte> ziel) override;
    Erwartet<void> Schreiben(std::uint64_t position, std::span<const std::byte> quelle) override;
    Erwartet<std::uint64_t> Laenge() override;
    Erwartet<void> Kuerzen(std::uint64_t laenge) override;
    Erwartet<void> Sichern() override;
    Erwartet<bool> Sperren() override;
    Erwartet<Pruefung> Pruefen() override;
    Erwartet<void> Uebernehmen() override;
    Erwartet<void> Behalten(std::span<const std::byte> inhalt,
                            const std::string& beiseite) override;
    Erwartet<void> Neuanlegen(std::span<const std::byte> inhalt) override;
    Erwartet<void> Annehmen() override;
    Ersetzung ErsetzungAbholen() override;
    void GruppeBeginnen() override { ++gruppen_; }
    void GruppeBeenden() override;

  private:
    explicit SystemDatei(Deskriptor datei) : datei_(std::move(datei)) { StandMerken(); }
    DateiFehler Fehler(DateiFehler::Fehlerart art, int fehlerNr, std::uint64_t position) const;

    // What the file is like after the program's own last access.
    void StandMerken();
    // Whether `angaben` show the file as the program left it; after a
    // write of its own, the time of change they show becomes its own.
    bool Passt(const struct stat& angaben);
    Erwartet<void> Wiederherstellen();
    // `inhalt` under the file's name, where it takes this one's place (see
    // lohnwippe::Einsetzen); `vorher` runs once it is on the disk.
    Erwartet<void> Einsetzen(const std::function<Erwartet<void>(Deskriptor&)>& vorher,
                             std::span<const std::byte> inhalt, Ersetzung art);
    // Locks `fd` if this file was locked.
    Erwartet<void> WieBisherSperren(int fd);
    void Wechseln(Deskriptor datei, Ersetzung art);

    Deskriptor datei_;
    // The open file as the program left it, compared with what the name
    // leads to.
    struct Stand {
        Dateikennung Kennung;
        std::uint64_t Laenge = 0;
        std::int64_t Sekunden = 0, Nanosekunden = 0;
        bool operator==(const Stand&) const = default;
    } stand_;
    bool gesperrt_ = false;
    Ersetzung ersetzung_ = Ersetzung::Keine;
    int gruppen_ = 0;
    bool gefolgt_ = false;  // the name was checked within the open group
    // A look found the open file cut or grown by another program.
    bool verschieden_ = false;
    // Written since the last look: only the length is known.
    bool ungeprueft_ = false;
};

}  // namespace lohnwippe
