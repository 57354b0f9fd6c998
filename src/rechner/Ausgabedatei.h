#pragma once

#include <optional>
#include <string>
#include <vector>

#include "store/Deskriptor.h"
#include "store/Einsetzen.h"

namespace lohnwippe::rechner {

// Where a command's rows go, and what keeps a run from destroying what it
// reads or what it wrote before.

// What a run reads, which its output must never be.
struct Gelesenes {
    // The files read, by identity: a name that leads to one of them through
    // any link is refused, and so is standard output opened on one.
    std::vector<Dateikennung> Dateien;
    // The data files' names in the data folder (device and inode of the
    // folder), whether the files exist or not: a result under such a name
    // would be taken for data by a window working in the folder.
    struct Ort {
        Dateikennung Ordner;
        std::string Name;
        bool operator==(const Ort&) const = default;
    };
    std::vector<Ort> Orte;
};

// The output of a command: standard output for "-", else the file `pfad`.
// A regular file, or a new one, is written under a temporary name beside
// it and takes its place at Ersetzen only, so that a run that fails leaves
// the previous contents untouched and nothing beside them; the file a
// symbolic link leads to is replaced, not the link. Anything else (a
// device, a pipe) is written directly, as a stream.
class Ausgabedatei {
  public:
    // Abbruch when the output is one of the files `gelesen`, or cannot be
    // created. A new file gets the permissions its creation gives it (0666
    // less the umask); a replaced one keeps its owner and mode where it can.
    Ausgabedatei(const std::string& pfad, const Gelesenes& gelesen, Systemaufrufe& aufrufe);
    // Removes the temporary files unless the new one took the target's
    // place.
    ~Ausgabedatei();
    Ausgabedatei(const Ausgabedatei&) = delete;
    Ausgabedatei& operator=(const Ausgabedatei&) = delete;

    Deskriptor& Datei() { return neu_ ? neu_->Datei() : *datei_; }

    // For a writer that opens its file by name and writes it whole (the
    // spreadsheet library): a regular file whose contents become the output
    // at Ersetzen, to be written instead of Datei(). The temporary file
    // beside the target; for a stream, a temporary file under $TMPDIR (or
    // /tmp), made at the first call and copied into the stream at Ersetzen.
    const std::string& Dateiname();

    // The run succeeded: hands the data to the disk, closes the file and
    // puts it in the target's place. Abbruch when any of that fails; the
    // target is then as it was.
    void Ersetzen();

  private:
    std::optional<Deskriptor> datei_;  // written directly: a stream or a device
    std::string ziel_;                 // the file to replace, links followed
    std::optional<Neufassung> neu_;    // its successor beside it until Ersetzen
    // A stream's detour for Dateiname, kept open to be read back.
    std::optional<Deskriptor> umweg_;
    std::string umwegName_;
};

// Standard output as it is when the command starts, before any file is
// opened: closed, it is refused here, since a file opened later would take
// its number and receive the rows.
void StandardausgabePruefen();

}  // namespace lohnwippe::rechner
