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
    if (!gefolgt_) {
        if (auto gefolgt = NamenFolgen(position); !gefolgt.HatWert()) {
            return gefolgt;
        }
        gefolgt_ = gruppen_ > 0;
    }
    return datei_.Schreiben(position, quelle);
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
    if (auto gefolgt = NamenFolgen(laenge); !gefolgt.HatWert()) {
        return gefolgt;
    }
    const int ergebnis = Ununterbrochen(
        [this, laenge] { return ::ftruncate(datei_.Fd(), static_cast<off_t>(laenge)); });
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

Erwartet<void> SystemDatei::NamenFolgen(std::uint64_t position) {
    // One stat per write: cheap next to the write itself.
    struct stat angaben {};
    if (::stat(Name().c_str(), &angaben) == 0) {
        if (angaben.st_dev == kennung_.Geraet && angaben.st_ino == kennung_.Knoten) {
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
    auto neu = Deskriptor::DateiOeffnen(Name(), O_RDWR, datei_.Aufrufe());
    if (!neu.HatWert()) {
        DateiFehler fehler = neu.Fehler();
        fehler.Position = position;
        return fehler;
    }
    if (auto gesperrt = WieBisherSperren(neu.Wert().Fd(), position); !gesperrt.HatWert()) {
        return gesperrt;
    }
    Wechseln(std::move(neu).Wert(), Ersetzung::Ersetzt);
    return {};
}

Erwartet<void> SystemDatei::Wiederherstellen(std::uint64_t position) {
    // The copy is made under a name of its own and then moved under the
    // file's name, so that nobody ever finds half of it there.
    std::string name = Name() + ".XXXXXX";
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        return Fehler(DateiFehler::Fehlerart::Oeffnen, errno, position);
    }
    // Failures are the file's, by its own name.
    Deskriptor kopie(fd, Name(), true, datei_.Aufrufe());
    const auto aufgeben = [&](DateiFehler fehler) -> Erwartet<void> {
        (void)kopie.Schliessen();
        ::unlink(name.c_str());
        fehler.Position = position;
        return fehler;
    };
    struct stat alt {};
    if (::fstat(datei_.Fd(), &alt) != 0) {
        return aufgeben(Fehler(DateiFehler::Fehlerart::Laenge, errno, 0));
    }
    (void)::fchmod(fd, alt.st_mode & 07777);  // a copy readable only to us is still a copy
    std::vector<std::byte> puffer(std::size_t{1} << 16);
    for (std::uint64_t ab = 0; ab < static_cast<std::uint64_t>(alt.st_size);) {
        auto gelesen = datei_.Lesen(ab, puffer);
        if (!gelesen.HatWert()) {
            return aufgeben(gelesen.Fehler());
        }
        if (gelesen.Wert() == 0) {
            break;
        }
        auto geschrieben = kopie.Schreiben(ab, std::span(puffer).first(gelesen.Wert()));
        if (!geschrieben.HatWert()) {
            return aufgeben(geschrieben.Fehler());
        }
        ab += gelesen.Wert();
    }
    if (auto gesichert = kopie.Sichern(); !gesichert.HatWert()) {
        return aufgeben(gesichert.Fehler());
    }
    if (auto gesperrt = WieBisherSperren(fd, position); !gesperrt.HatWert()) {
        return aufgeben(gesperrt.Fehler());
    }
    int umbenannt = ::renameat2(AT_FDCWD, name.c_str(), AT_FDCWD, Name().c_str(), RENAME_NOREPLACE);
    if (umbenannt != 0 && (errno == EINVAL || errno == ENOSYS)) {
        // A file system that cannot refuse to replace: the moment in which
        // another file could appear under the name is tiny.
        umbenannt = ::rename(name.c_str(), Name().c_str());
    }
    if (umbenannt != 0 && errno == EEXIST) {
        // Someone was quicker: their file is the one under the name now.
        (void)kopie.Schliessen();
        ::unlink(name.c_str());
        return Uebernehmen(position);
    }
    if (umbenannt != 0) {
        return aufgeben(Fehler(DateiFehler::Fehlerart::Schreiben, errno, 0));
    }
    Wechseln(std::move(kopie), Ersetzung::Wiederhergestellt);
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

void SystemDatei::Wechseln(Deskriptor datei, Ersetzung art) {
    kennung_ = datei.Kennung().value_or(Dateikennung{});
    datei_ =
        std::move(datei);  // closing the old file drops its lock, which guards nothing any more
    ersetzung_ = art;
}

}  // namespace lohnwippe
