#pragma once

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "store/DateiFehler.h"

namespace lohnwippe {

// The system calls that move bytes, so that tests can make the disk fill
// up, fail or transfer short at any call. Each has the signature and errno
// behaviour of the POSIX call of the same name.
class Systemaufrufe {
  public:
    virtual ~Systemaufrufe() = default;
    virtual long PWrite(int fd, const void* daten, std::size_t anzahl, std::uint64_t position);
    virtual long PRead(int fd, void* daten, std::size_t anzahl, std::uint64_t position);
    // Streams have no position: pipes, terminals, standard input and output.
    virtual long Write(int fd, const void* daten, std::size_t anzahl);
    virtual long Read(int fd, void* daten, std::size_t anzahl);
    virtual int FDatasync(int fd);

    // The real calls, used unless a test says otherwise.
    static Systemaufrufe& Echte();
};

// Repeats a system call a signal interrupted; its result otherwise, -1
// with errno for a failure.
template <typename Aufruf>
int Ununterbrochen(Aufruf aufruf) {
    int ergebnis = 0;
    do {
        ergebnis = aufruf();
    } while (ergebnis == -1 && errno == EINTR);
    return ergebnis;
}

// Which regular file a name or a descriptor leads to, whatever it is called.
struct Dateikennung {
    std::uint64_t Geraet = 0;
    std::uint64_t Knoten = 0;
    bool operator==(const Dateikennung&) const = default;
};

// None for a name that leads nowhere or to something other than a file.
std::optional<Dateikennung> KennungVon(const std::string& name);

// An open file, pipe or device and the loops every access to it needs, for
// the data files of the window and the calculator's input and output alike:
// a call a signal interrupts is made again, a transfer the system does
// short goes on behind what it did. Failures come back as DateiFehler with
// `Datei` (the name given at opening), `FehlerNr` and `Position`.
class Deskriptor {
  public:
    // `name` opened with the open(2) flags `schalter`, whatever it is. A
    // failure is Fehlerart::ZumSchreibenOeffnen for O_WRONLY, else Oeffnen.
    static Erwartet<Deskriptor> Oeffnen(const std::string& name, int schalter,
                                        Systemaufrufe& aufrufe = Systemaufrufe::Echte());

    // Only a regular file: a folder, a pipe or a device under the name is
    // refused (reason KeineGewoehnlicheDatei or EISDIR), before it is opened
    // at all where the name already leads there, since opening a device can
    // have effects of its own. The opening does not wait on a pipe.
    static Erwartet<Deskriptor> DateiOeffnen(const std::string& name, int schalter,
                                             Systemaufrufe& aufrufe = Systemaufrufe::Echte());

    // A descriptor opened elsewhere. `eigen`: closed when this goes; else
    // borrowed, as standard input and output are, and left open.
    Deskriptor(int fd, std::string name, bool eigen,
               Systemaufrufe& aufrufe = Systemaufrufe::Echte());
    ~Deskriptor();
    Deskriptor(Deskriptor&& andere) noexcept;
    Deskriptor& operator=(Deskriptor&& andere) noexcept;
    Deskriptor(const Deskriptor&) = delete;
    Deskriptor& operator=(const Deskriptor&) = delete;

    int Fd() const { return fd_; }
    const std::string& Name() const { return name_; }
    Systemaufrufe& Aufrufe() const { return *aufrufe_; }

    // Reads from `position` until `ziel` is full or the file ends; the bytes
    // read.
    Erwartet<std::size_t> Lesen(std::uint64_t position, std::span<std::byte> ziel) {
        return LesenAb(position, ziel, true);
    }
    // One read where the stream stands: what it has now, 0 at its end.
    Erwartet<std::size_t> Lesen(std::span<std::byte> ziel) {
        return LesenAb(std::nullopt, ziel, false);
    }

    // Writes all of `quelle` at `position`, or where the stream stands.
    // Anything less is a failure, with `Position` where writing stopped.
    Erwartet<void> Schreiben(std::uint64_t position, std::span<const std::byte> quelle) {
        return SchreibenAb(position, quelle);
    }
    Erwartet<void> Schreiben(std::span<const std::byte> quelle) {
        return SchreibenAb(std::nullopt, quelle);
    }

    Erwartet<std::uint64_t> Laenge() const;
    // None for anything but a regular file.
    std::optional<Dateikennung> Kennung() const;

    // Hands what was written to the disk itself; a file system that cannot
    // do so has nothing more to give and is no failure.
    Erwartet<void> Sichern();

    // Closes now and says what the system says: a failure here can mean
    // that written data never arrived (network file systems). A borrowed
    // descriptor stays open.
    Erwartet<void> Schliessen();

  private:
    DateiFehler Fehler(DateiFehler::Fehlerart art, int fehlerNr, std::uint64_t position) const;
    Erwartet<std::size_t> LesenAb(std::optional<std::uint64_t> position, std::span<std::byte> ziel,
                                  bool bisVoll);
    Erwartet<void> SchreibenAb(std::optional<std::uint64_t> position,
                               std::span<const std::byte> quelle);

    int fd_;
    std::string name_;
    bool eigen_;
    Systemaufrufe* aufrufe_;
};

}  // namespace lohnwippe
