#include "store/Datei.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>

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
    // meantime keeps its contents. Not inherited by programs started later
    // (the browser, the PDF viewer), which would otherwise hold the lock.
    const int fd = Ununterbrochen(
        [&name] { return ::open(name.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666); });
    if (fd < 0) {
        return DateiFehler{
            .Art = DateiFehler::Fehlerart::Oeffnen, .Datei = name, .FehlerNr = errno};
    }
    // A pipe under the file's name would block the first read for ever.
    struct stat angaben {};
    if (::fstat(fd, &angaben) == 0 && (S_ISFIFO(angaben.st_mode) || S_ISSOCK(angaben.st_mode))) {
        ::close(fd);
        return DateiFehler{
            .Art = DateiFehler::Fehlerart::Oeffnen, .Datei = name, .FehlerNr = EINVAL};
    }
    return std::unique_ptr<Datei>(new SystemDatei(name, fd, aufrufe));
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

// The one place every byte of the data files is written: the system may
// take fewer bytes than asked or be interrupted by a signal, and both are
// no failure as long as the rest goes through.
Erwartet<void> SystemDatei::Schreiben(std::uint64_t position, std::span<const std::byte> quelle) {
    if (position > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()) - quelle.size()) {
        return Fehler(DateiFehler::Fehlerart::Schreiben, EFBIG, position);
    }
    std::size_t geschrieben = 0;
    int nullRunden = 0;
    while (geschrieben < quelle.size()) {
        const long n = aufrufe_.PWrite(fd_, quelle.data() + geschrieben,
                                       quelle.size() - geschrieben, position + geschrieben);
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
    // flock, not fcntl: its lock belongs to this opening of the file and is
    // not dropped when some other part of the process closes the same file.
    const int ergebnis = Ununterbrochen([this] { return ::flock(fd_, LOCK_EX | LOCK_NB); });
    if (ergebnis == 0) {
        return true;
    }
    if (errno == EWOULDBLOCK) {
        return false;
    }
    // A file system without locks (some network shares): working on is
    // better than refusing to start.
    if (errno == ENOLCK || errno == EOPNOTSUPP) {
        return true;
    }
    return Fehler(DateiFehler::Fehlerart::Sperren, errno, 0);
}

}  // namespace lohnwippe
