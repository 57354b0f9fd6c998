#include "store/Datei.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <utility>
#include <vector>

#include "store/Einsetzen.h"

namespace lohnwippe {

namespace {

// 1 when the lock on `fd` is taken, 0 when another opening holds it, -1
// with errno otherwise.
int SperreNehmen(int fd) {
    // flock, not fcntl: its lock belongs to this opening of the file and is
    // not dropped when some other part of the process closes the same file.
    if (Ununterbrochen([fd] { return ::flock(fd, LOCK_EX | LOCK_NB); }) == 0) {
        return 1;
    }
    if (errno == EWOULDBLOCK) {
        return 0;
    }
    // A file system without locks (some network shares): working on is
    // better than refusing to start.
    if (errno == ENOLCK || errno == EOPNOTSUPP) {
        return 1;
    }
    return -1;
}

}  // namespace

Erwartet<std::unique_ptr<Datei>> SystemDatei::Oeffnen(const std::string& name) {
    return Oeffnen(name, Systemaufrufe::Echte());
}

Erwartet<std::unique_ptr<Datei>> SystemDatei::Oeffnen(const std::string& name,
                                                      Systemaufrufe& aufrufe) {
    // Created without truncation: a file another process created in the
    // meantime keeps its contents.
    auto datei = Deskriptor::DateiOeffnen(name, O_RDWR | O_CREAT, aufrufe);
    if (!datei.HatWert()) {
        return datei.Fehler();
    }
    return std::unique_ptr<Datei>(new SystemDatei(std::move(datei).Wert()));
}

DateiFehler SystemDatei::Fehler(DateiFehler::Fehlerart art, int fehlerNr,
                                std::uint64_t position) const {
    return DateiFehler{.Art = art, .Datei = Name(), .FehlerNr = fehlerNr, .Position = position};
}

Erwartet<std::size_t> SystemDatei::Lesen(std::uint64_t position, std::span<std::byte> ziel) {
    return datei_.Lesen(position, ziel);
}

Erwartet<void> SystemDatei::Schreiben(std::uint64_t position, std::span<const std::byte> quelle) {
    if (position > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()) - quelle.size()) {
        return Fehler(DateiFehler::Fehlerart::Schreiben, EFBIG, position);
    }
    const std::uint64_t laenge = std::max(stand_.Laenge, position + quelle.size());
    auto geschrieben = datei_.Schreiben(position, quelle);
    if (!geschrieben.HatWert()) {
        // What the disk took of it is the program's own.
        StandMerken();
        return geschrieben;
    }
    // Whether another program cut or grew the file just before or after
    // this write, the next look tells (Pruefen): the length the file must
    // have is known, its time of change not yet. A later write of ours
    // beyond a cut would hide the cut from any look after it.
    stand_.Laenge = laenge;
    ungeprueft_ = true;
    return geschrieben;
}

void SystemDatei::GruppeBeenden() {
    if (gruppen_ > 0 && --gruppen_ == 0) {
        gefolgt_ = false;
    }
}

Erwartet<std::uint64_t> SystemDatei::Laenge() {
    return datei_.Laenge();
}

Erwartet<void> SystemDatei::Kuerzen(std::uint64_t laenge) {
    const int ergebnis = Ununterbrochen(
        [this, laenge] { return ::ftruncate(datei_.Fd(), static_cast<off_t>(laenge)); });
    StandMerken();
    if (ergebnis != 0) {
        return Fehler(DateiFehler::Fehlerart::Schreiben, errno, laenge);
    }
    return {};
}

Erwartet<void> SystemDatei::Sichern() {
    return datei_.Sichern();
}

Erwartet<bool> SystemDatei::Sperren() {
    const int ergebnis = SperreNehmen(datei_.Fd());
    if (ergebnis < 0) {
        return Fehler(DateiFehler::Fehlerart::Sperren, errno, 0);
    }
    gesperrt_ = gesperrt_ || ergebnis == 1;
    return ergebnis == 1;
}

Datei::Ersetzung SystemDatei::ErsetzungAbholen() {
    return std::exchange(ersetzung_, Ersetzung::Keine);
}

namespace {

// Length and time of change tell a file changed in place; the identity one
// renamed over it.
template <typename Stand>
Stand StandAus(const struct stat& angaben) {
    return {
        {static_cast<std::uint64_t>(angaben.st_dev), static_cast<std::uint64_t>(angaben.st_ino)},
        static_cast<std::uint64_t>(angaben.st_size),
        angaben.st_mtim.tv_sec,
        angaben.st_mtim.tv_nsec};
}

}  // namespace

void SystemDatei::StandMerken() {
    struct stat angaben {};
    if (::fstat(datei_.Fd(), &angaben) == 0) {
        stand_ = StandAus<Stand>(angaben);
        ungeprueft_ = false;
    }
}

bool SystemDatei::Passt(const struct stat& angaben) {
    const auto jetzt = StandAus<Stand>(angaben);
    if (!(jetzt.Kennung == stand_.Kennung) || jetzt.Laenge != stand_.Laenge) {
        return false;
    }
    if (ungeprueft_) {
        // The time of change is our own last write's.
        stand_ = jetzt;
        ungeprueft_ = false;
        return true;
    }
    return jetzt == stand_;
}

Erwartet<Datei::Pruefung> SystemDatei::Pruefen() {
    if (verschieden_) {
        return Pruefung::Fremd;
    }
    struct stat angaben {};
    if (gefolgt_) {
        // Within a step the name was looked at; since the last write, the
        // open file itself.
        if (ungeprueft_ && ::fstat(datei_.Fd(), &angaben) == 0 && !Passt(angaben)) {
            verschieden_ = true;
            return Pruefung::Fremd;
        }
        return Pruefung::Gleich;
    }
    if (::stat(Name().c_str(), &angaben) != 0) {
        if (errno != ENOENT) {
            // The folder itself is out of reach (a share gone, say): nothing
            // says what the name leads to.
            return Fehler(DateiFehler::Fehlerart::Zugriff, errno, 0);
        }
        // Only a copy of the open file as the program left it holds the
        // program's version; another program changed it before it went.
        struct stat offen {};
        if (::fstat(datei_.Fd(), &offen) != 0 || !Passt(offen)) {
            return Pruefung::Geloescht;
        }
        if (auto wieder = Wiederherstellen(); !wieder.HatWert()) {
            return wieder.Fehler();
        }
    } else if (!Passt(angaben)) {
        return Pruefung::Fremd;
    }
    gefolgt_ = gruppen_ > 0;
    return Pruefung::Gleich;
}

Erwartet<void> SystemDatei::Uebernehmen() {
    // Changed in place (grown, cut, overwritten), the file under the name is
    // the open one: its time of change is the program's now. A second
    // opening could never take the lock this one holds.
    if (const auto kennung = KennungVon(Name()); kennung && *kennung == stand_.Kennung) {
        StandMerken();
        verschieden_ = false;
        return {};
    }
    auto neu = Deskriptor::DateiOeffnen(Name(), O_RDWR, datei_.Aufrufe());
    if (!neu.HatWert()) {
        return neu.Fehler();
    }
    if (auto gesperrt = WieBisherSperren(neu.Wert().Fd()); !gesperrt.HatWert()) {
        return gesperrt;
    }
    Wechseln(std::move(neu).Wert(), Ersetzung::Keine);
    return {};
}

Erwartet<void> SystemDatei::Behalten(std::span<const std::byte> inhalt,
                                     const std::string& beiseite) {
    // The other file moves aside only once the program's version is on the
    // disk: a full disk must never leave the name without a file.
    return Einsetzen(
        [this, &beiseite](Deskriptor& kopie) -> Erwartet<void> {
            if (auto gesperrt = WieBisherSperren(kopie.Fd()); !gesperrt.HatWert()) {
                return gesperrt;
            }
            if (!beiseite.empty() &&
                ::renameat2(AT_FDCWD, Name().c_str(), AT_FDCWD, beiseite.c_str(),
                            RENAME_NOREPLACE) != 0 &&
                errno != ENOENT) {
                return Fehler(DateiFehler::Fehlerart::Schreiben, errno, 0);
            }
            return {};
        },
        inhalt, Ersetzung::Keine);
}

Erwartet<void> SystemDatei::Wiederherstellen() {
    auto laenge = datei_.Laenge();
    if (!laenge.HatWert()) {
        return laenge.Fehler();
    }
    std::vector<std::byte> inhalt(static_cast<std::size_t>(laenge.Wert()));
    auto gelesen = datei_.Lesen(0, inhalt);
    if (!gelesen.HatWert()) {
        return gelesen.Fehler();
    }
    inhalt.resize(gelesen.Wert());
    return Neuanlegen(inhalt);
}

Erwartet<void> SystemDatei::Neuanlegen(std::span<const std::byte> inhalt) {
    return Einsetzen([this](Deskriptor& kopie) { return WieBisherSperren(kopie.Fd()); }, inhalt,
                     Ersetzung::Wiederhergestellt);
}

Erwartet<void> SystemDatei::Annehmen() {
    return Uebernehmen();
}

Erwartet<void> SystemDatei::Einsetzen(const std::function<Erwartet<void>(Deskriptor&)>& vorher,
                                      std::span<const std::byte> inhalt, Ersetzung art) {
    auto neu =
        lohnwippe::Einsetzen(Name(),
                             {.Fuellen = [this, inhalt](Deskriptor& kopie) -> Erwartet<void> {
                                  struct stat alt {};
                                  if (::fstat(datei_.Fd(), &alt) == 0) {
                                      // A copy only we can read is one.
                                      (void)::fchmod(kopie.Fd(), alt.st_mode & 07777);
                                  }
                                  return kopie.Schreiben(0, inhalt);
                              },
                              .Vorher = vorher,
                              .Ersetzen = false},
                             datei_.Aufrufe());
    if (!neu.HatWert()) {
        return neu.Fehler();
    }
    Wechseln(std::move(neu).Wert(), art);
    return {};
}

Erwartet<void> SystemDatei::WieBisherSperren(int fd) {
    if (!gesperrt_) {
        return {};
    }
    const int ergebnis = SperreNehmen(fd);
    if (ergebnis == 1) {
        return {};
    }
    const int fehlerNr = ergebnis < 0 ? errno : 0;
    return Fehler(ergebnis < 0 ? DateiFehler::Fehlerart::Sperren : DateiFehler::Fehlerart::Gesperrt,
                  fehlerNr, 0);
}

void SystemDatei::Wechseln(Deskriptor datei, Ersetzung art) {
    // Closing the old file drops its lock, which guards nothing any more.
    datei_ = std::move(datei);
    StandMerken();
    verschieden_ = false;
    ersetzung_ = art;
}

}  // namespace lohnwippe
