#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "store/DateiFehler.h"
#include "store/Deskriptor.h"

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

    // What a write found at the file's name since the last call: the file
    // replaced by another one, which it then wrote to instead, or the name
    // gone, which it then filled again with the file's contents. Cleared by
    // the call; the later of two events is the one reported.
    enum class Ersetzung { Keine, Ersetzt, Wiederhergestellt };
    virtual Ersetzung ErsetzungAbholen() { return Ersetzung::Keine; }

    // Between these two calls (they nest), a file that checks its name
    // before every write does so before the first write only: the writes
    // of one step of the program follow each other within microseconds,
    // and one look at the name costs about as much as a write.
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
// Each write (and each cut) first checks that the name still leads to the
// open file; within a group of writes (GruppeBeginnen), the first one does. Programs that save by
// renaming a new file over the old one (backup tools, sync clients) would otherwise leave every
// later write in a deleted file and the folder without a lock. So:
// - another file under the name: that file is opened, locked like this one
//   if this one was (held by another program: Fehlerart::Gesperrt, nothing
//   written), and written to from then on;
// - no file under the name: one is created with the open file's contents,
//   whole before it appears under the name, and taken over likewise.
// The failure of such a step is the failure of the write; ErsetzungAbholen
// tells afterwards that the file was changed.
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
    Ersetzung ErsetzungAbholen() override;
    void GruppeBeginnen() override { ++gruppen_; }
    void GruppeBeenden() override;

  private:
    explicit SystemDatei(Deskriptor datei)
        : datei_(std::move(datei)), kennung_(datei_.Kennung().value_or(Dateikennung{})) {}
    DateiFehler Fehler(DateiFehler::Fehlerart art, int fehlerNr, std::uint64_t position) const;

    // Makes sure the name leads to the open file before a write at `position`.
    Erwartet<void> NamenFolgen(std::uint64_t position);
    Erwartet<void> Uebernehmen(std::uint64_t position);
    Erwartet<void> Wiederherstellen(std::uint64_t position);
    // Locks `fd` if this file was locked; a failure names `position`.
    Erwartet<void> WieBisherSperren(int fd, std::uint64_t position);
    void Wechseln(Deskriptor datei, Ersetzung art);

    Deskriptor datei_;
    // Identity of the open file, compared with what the name leads to.
    Dateikennung kennung_;
    bool gesperrt_ = false;
    Ersetzung ersetzung_ = Ersetzung::Keine;
    int gruppen_ = 0;
    bool gefolgt_ = false;  // the name was checked within the open group
};

}  // namespace lohnwippe
