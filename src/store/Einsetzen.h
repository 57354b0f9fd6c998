#pragma once

#include <functional>
#include <optional>
#include <string>

#include "store/DateiFehler.h"
#include "store/Deskriptor.h"

namespace lohnwippe {

// How a file goes under a name whole or not at all: written beside it
// under a name of its own, handed to the disk, and only then moved under
// the name in one step. Nobody ever finds half of it there, and a failure
// at any point leaves the name as it was. The data files and the
// calculator's output both go this way.

// How the new file goes under the name.
struct Einsetzung {
    // Fills the new file, open for reading and writing (Einsetzen only).
    std::function<Erwartet<void>(Deskriptor&)> Fuellen;
    // Once the new file is on the disk and before it goes under the name:
    // what must not happen earlier (locking it, moving the file now under
    // the name aside, closing it to hear what closing says). None: nothing.
    std::function<Erwartet<void>(Deskriptor&)> Vorher;
    // A file under the name is replaced; otherwise finding one is a failure
    // (EEXIST), since it came from someone else in the meantime.
    bool Ersetzen = false;
    // The folder is handed to the disk after the move as well, so that the
    // new name outlasts a power cut.
    bool OrdnerSichern = false;
};

// The new file beside `ziel` while it is being filled, for a writer that
// takes its time (a whole run of the calculator). Removed when this goes,
// unless it went under the name.
class Neufassung {
  public:
    struct Anlage {
        // The name that failures and the file's descriptor carry; empty:
        // the target's.
        std::string Name;
        // Permissions of the new file, less the umask.
        unsigned Modus = 0600;
        // Also removed should a signal end the program (see
        // BeiEndsignalEntfernen).
        bool BeiEndsignalEntfernen = false;
    };

    // The file beside `ziel`: hidden, in the same folder so that the move
    // is one step, ".<name>.<process>-<n>" with the name cut so that it
    // stays within the system's limit. A failure is Fehlerart::Oeffnen.
    static Erwartet<Neufassung> Anlegen(const std::string& ziel, const Anlage& wie,
                                        Systemaufrufe& aufrufe = Systemaufrufe::Echte());

    ~Neufassung();
    Neufassung(Neufassung&& andere) noexcept;
    Neufassung& operator=(Neufassung&&) = delete;
    Neufassung(const Neufassung&) = delete;
    Neufassung& operator=(const Neufassung&) = delete;

    Deskriptor& Datei() { return *datei_; }
    // Where the new file is, for a writer that opens it by name.
    const std::string& Pfad() const { return pfad_; }

    // Hands the file to the disk, does `wie.Vorher` and moves it under the
    // name (`wie.Fuellen` is not used). Returns the file, still open unless
    // Vorher closed it. A failure removes it; it is named by the Anlage's
    // name, and the target is as it was.
    Erwartet<Deskriptor> Einsetzen(const Einsetzung& wie);

  private:
    Neufassung(std::string ziel, std::string pfad, Deskriptor datei, bool vorgemerkt);
    DateiFehler Aufgeben(DateiFehler fehler);

    std::string ziel_;
    std::string pfad_;  // empty once under the name or removed
    std::optional<Deskriptor> datei_;
    bool vorgemerkt_ = false;
};

// Writes a file under `name` by a Neufassung filled by `wie.Fuellen`.
// Returns the new file, still open unless Vorher closed it.
Erwartet<Deskriptor> Einsetzen(const std::string& name, const Einsetzung& wie,
                               Systemaufrufe& aufrufe = Systemaufrufe::Echte());

// For the calculator, which may be ended by Ctrl+C, a file size limit or
// any other signal whose default is to end the program: `name` is removed
// then, so that nothing half-written stays behind. One name at a time; a
// signal a caller turned off (nohup) stays off. EndsignaleFreigeben gives
// the signals back their defaults.
void BeiEndsignalEntfernen(const std::string& name);
void EndsignaleFreigeben();

}  // namespace lohnwippe
