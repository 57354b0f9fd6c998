#include "store/Datei.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <utility>
#include <vector>

namespace lohnwippe {

namespace {

// Repeats a system call a signal interrupted; -1 with errno otherwise.
template <typename Aufruf>
int Ununterbrochen(Aufruf aufruf) {
    int ergebnis = 0;
    do {
        ergebnis = aufruf();
    } while (ergebnis == -1 && errno == EINTR);
    return ergebnis;
}

// Opens `name` for reading and writing (with `zusatz`, O_CREAT say) if it is
// a regular file; otherwise -1 with the reason in `fehlerNr`. A name that
// already leads elsewhere is turned down before it is opened at all: opening
// a device can have effects of its own. O_NONBLOCK keeps a pipe that
// appears in the meantime from stopping the open.
int RegulaerOeffnen(const std::string& name, int zusatz, struct stat& angaben, int& fehlerNr) {
    const auto abweisen = [&fehlerNr](const struct stat& art) {
        fehlerNr = S_ISDIR(art.st_mode) ? EISDIR : KeineGewoehnlicheDatei;
        return -1;
    };
    if (::stat(name.c_str(), &angaben) == 0 && !S_ISREG(angaben.st_mode)) {
        return abweisen(angaben);
    }
    // Not inherited by programs started later (the browser, the PDF
    // viewer), which would otherwise hold the lock.
    const int fd = Ununterbrochen([&] {
        return ::open(name.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | zusatz, 0666);
    });
    if (fd < 0) {
        fehlerNr = errno;
        return -1;
    }
    if (::fstat(fd, &angaben) != 0) {
        fehlerNr = errno;
        ::close(fd);
        return -1;
    }
    if (!S_ISREG(angaben.st_mode)) {
        ::close(fd);
        return abweisen(angaben);
    }
    const int schalter = ::fcntl(fd, F_GETFL);
    if (schalter != -1) {
        (void)::fcntl(fd, F_SETFL, schalter & ~O_NONBLOCK);
    }
    return fd;
}

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

long Systemaufrufe::PWrite(int fd, const void* daten, std::size_t anzahl, std::uint64_t position) {
    return ::pwrite(fd, daten, anzahl, static_cast<off_t>(position));
}

long Systemaufrufe::PRead(int fd, void* daten, std::size_t anzahl, std::uint64_t position) {
    return ::pread(fd, daten, anzahl, static_cast<off_t>(position));
}

int Systemaufrufe::FDatasync(int fd) {
    return ::fdatasync(fd);
}

Systemaufrufe& Systemaufrufe::Echte() {
    static Systemaufrufe echte;
    return echte;
}

Erwartet<std::unique_ptr<Datei>> SystemDatei::Oeffnen(const std::string& name) {
    return Oeffnen(name, Systemaufrufe::Echte());
}

Erwartet<std::unique_ptr<Datei>> SystemDatei::Oeffnen(const std::string& name,
                                                      Systemaufrufe& aufrufe) {
    // Created without truncation: a file another process created in the
    // meantime keeps its contents.
    struct stat angaben {};
    int fehlerNr = 0;
    const int fd = RegulaerOeffnen(name, O_CREAT, angaben, fehlerNr);
    if (fd < 0) {
        return DateiFehler{
            .Art = DateiFehler::Fehlerart::Oeffnen, .Datei = name, .FehlerNr = fehlerNr};
    }
    return std::unique_ptr<Datei>(
        new SystemDatei(name, fd, angaben.st_dev, angaben.st_ino, aufrufe));
}

SystemDatei::~SystemDatei() {
    // Nothing is buffered: every write has reported its outcome already.
    ::close(fd_);
}

DateiFehler SystemDatei::Fehler(DateiFehler::Fehlerart art, int fehlerNr,
                                std::uint64_t position) const {
    return DateiFehler{.Art = art, .Datei = name_, .FehlerNr = fehlerNr, .Position = position};
}

Erwartet<std::size_t> SystemDatei::Lesen(std::uint64_t position, std::span<std::byte> ziel) {
    std::size_t gelesen = 0;
    while (gelesen < ziel.size()) {
        const long n =
            aufrufe_.PRead(fd_, ziel.data() + gelesen, ziel.size() - gelesen, position + gelesen);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return Fehler(DateiFehler::Fehlerart::Lesen, errno, position + gelesen);
        }
        if (n == 0) {
            break;  // the end of the file
        }
        gelesen += static_cast<std::size_t>(n);
    }
    return gelesen;
}

Erwartet<void> SystemDatei::Schreiben(std::uint64_t position, std::span<const std::byte> quelle) {
    if (position > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()) - quelle.size()) {
        return Fehler(DateiFehler::Fehlerart::Schreiben, EFBIG, position);
    }
    if (auto gefolgt = NamenFolgen(position); !gefolgt.HatWert()) {
        return gefolgt;
    }
    return Uebertragen(fd_, position, quelle);
}

// The one place every byte of the data files is written: the system may
// take fewer bytes than asked or be interrupted by a signal, and both are
// no failure as long as the rest goes through.
Erwartet<void> SystemDatei::Uebertragen(int fd, std::uint64_t position,
                                        std::span<const std::byte> quelle) {
    std::size_t geschrieben = 0;
    int nullRunden = 0;
    while (geschrieben < quelle.size()) {
        const long n = aufrufe_.PWrite(fd, quelle.data() + geschrieben, quelle.size() - geschrieben,
                                       position + geschrieben);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return Fehler(DateiFehler::Fehlerart::Schreiben, errno, position + geschrieben);
        }
        if (n == 0) {
            // Writing nothing without an error cannot go on for ever.
            if (++nullRunden == 3) {
                return Fehler(DateiFehler::Fehlerart::Schreiben, ENOSPC, position + geschrieben);
            }
            continue;
        }
        nullRunden = 0;
        geschrieben += static_cast<std::size_t>(n);
    }
    return {};
}

Erwartet<std::uint64_t> SystemDatei::Laenge() {
    struct stat angaben {};
    if (::fstat(fd_, &angaben) != 0) {
        return Fehler(DateiFehler::Fehlerart::Laenge, errno, 0);
    }
    return static_cast<std::uint64_t>(angaben.st_size);
}

Erwartet<void> SystemDatei::Kuerzen(std::uint64_t laenge) {
    if (auto gefolgt = NamenFolgen(laenge); !gefolgt.HatWert()) {
        return gefolgt;
    }
    const int ergebnis =
        Ununterbrochen([this, laenge] { return ::ftruncate(fd_, static_cast<off_t>(laenge)); });
    if (ergebnis != 0) {
        return Fehler(DateiFehler::Fehlerart::Schreiben, errno, laenge);
    }
    return {};
}

Erwartet<void> SystemDatei::Sichern() {
    const int ergebnis = Ununterbrochen([this] { return aufrufe_.FDatasync(fd_); });
    // A file system that cannot sync (EINVAL) has nothing more to give.
    if (ergebnis != 0 && errno != EINVAL) {
        return Fehler(DateiFehler::Fehlerart::Sichern, errno, 0);
    }
    return {};
}

Erwartet<bool> SystemDatei::Sperren() {
    const int ergebnis = SperreNehmen(fd_);
    if (ergebnis < 0) {
        return Fehler(DateiFehler::Fehlerart::Sperren, errno, 0);
    }
    gesperrt_ = gesperrt_ || ergebnis == 1;
    return ergebnis == 1;
}

Datei::Ersetzung SystemDatei::ErsetzungAbholen() {
    return std::exchange(ersetzung_, Ersetzung::Keine);
}

Erwartet<void> SystemDatei::NamenFolgen(std::uint64_t position) {
    // One stat per write: cheap next to the write itself.
    struct stat angaben {};
    if (::stat(name_.c_str(), &angaben) == 0) {
        if (angaben.st_dev == geraet_ && angaben.st_ino == inode_) {
            return {};
        }
        return Uebernehmen(position);
    }
    if (errno == ENOENT) {
        return Wiederherstellen(position);
    }
    // The folder itself is out of reach (a share gone, say): nothing says
    // where a write would end up.
    return Fehler(DateiFehler::Fehlerart::Schreiben, errno, position);
}

Erwartet<void> SystemDatei::Uebernehmen(std::uint64_t position) {
    struct stat angaben {};
    int fehlerNr = 0;
    const int fd = RegulaerOeffnen(name_, 0, angaben, fehlerNr);
    if (fd < 0) {
        return Fehler(DateiFehler::Fehlerart::Oeffnen, fehlerNr, position);
    }
    if (auto gesperrt = WieBisherSperren(fd, position); !gesperrt.HatWert()) {
        ::close(fd);
        return gesperrt;
    }
    Wechseln(fd, Ersetzung::Ersetzt);
    return {};
}

Erwartet<void> SystemDatei::Wiederherstellen(std::uint64_t position) {
    // The copy is made under a name of its own and then moved under the
    // file's name, so that nobody ever finds half of it there.
    std::string kopie = name_ + ".XXXXXX";
    const int fd = ::mkostemp(kopie.data(), O_CLOEXEC);
    if (fd < 0) {
        return Fehler(DateiFehler::Fehlerart::Oeffnen, errno, position);
    }
    const auto aufgeben = [&](DateiFehler fehler) -> Erwartet<void> {
        ::close(fd);
        ::unlink(kopie.c_str());
        fehler.Position = position;
        return fehler;
    };
    struct stat alt {};
    if (::fstat(fd_, &alt) != 0) {
        return aufgeben(Fehler(DateiFehler::Fehlerart::Laenge, errno, 0));
    }
    (void)::fchmod(fd, alt.st_mode & 07777);  // a copy readable only to us is still a copy
    std::vector<std::byte> puffer(std::size_t{1} << 16);
    for (std::uint64_t ab = 0; ab < static_cast<std::uint64_t>(alt.st_size);) {
        auto gelesen = Lesen(ab, puffer);
        if (!gelesen.HatWert()) {
            return aufgeben(gelesen.Fehler());
        }
        if (gelesen.Wert() == 0) {
            break;
        }
        auto geschrieben = Uebertragen(fd, ab, std::span(puffer).first(gelesen.Wert()));
        if (!geschrieben.HatWert()) {
            return aufgeben(geschrieben.Fehler());
        }
        ab += gelesen.Wert();
    }
    if (Ununterbrochen([&] { return aufrufe_.FDatasync(fd); }) != 0 && errno != EINVAL) {
        return aufgeben(Fehler(DateiFehler::Fehlerart::Sichern, errno, 0));
    }
    if (auto gesperrt = WieBisherSperren(fd, position); !gesperrt.HatWert()) {
        return aufgeben(gesperrt.Fehler());
    }
    int umbenannt = ::renameat2(AT_FDCWD, kopie.c_str(), AT_FDCWD, name_.c_str(), RENAME_NOREPLACE);
    if (umbenannt != 0 && (errno == EINVAL || errno == ENOSYS)) {
        // A file system that cannot refuse to replace: the moment in which
        // another file could appear under the name is tiny.
        umbenannt = ::rename(kopie.c_str(), name_.c_str());
    }
    if (umbenannt != 0 && errno == EEXIST) {
        // Someone was quicker: their file is the one under the name now.
        ::close(fd);
        ::unlink(kopie.c_str());
        return Uebernehmen(position);
    }
    if (umbenannt != 0) {
        return aufgeben(Fehler(DateiFehler::Fehlerart::Schreiben, errno, 0));
    }
    Wechseln(fd, Ersetzung::Wiederhergestellt);
    return {};
}

Erwartet<void> SystemDatei::WieBisherSperren(int fd, std::uint64_t position) {
    if (!gesperrt_) {
        return {};
    }
    const int ergebnis = SperreNehmen(fd);
    if (ergebnis == 1) {
        return {};
    }
    const int fehlerNr = ergebnis < 0 ? errno : 0;
    return Fehler(ergebnis < 0 ? DateiFehler::Fehlerart::Sperren : DateiFehler::Fehlerart::Gesperrt,
                  fehlerNr, position);
}

void SystemDatei::Wechseln(int fd, Ersetzung art) {
    struct stat angaben {};
    (void)::fstat(fd, &angaben);
    ::close(fd_);  // drops the old lock, which guards nothing any more
    fd_ = fd;
    geraet_ = angaben.st_dev;
    inode_ = angaben.st_ino;
    ersetzung_ = art;
}

}  // namespace lohnwippe
