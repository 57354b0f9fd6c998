#include "store/Deskriptor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace lohnwippe {

namespace {

using Fehlerart = DateiFehler::Fehlerart;

std::optional<Dateikennung> KennungAus(const struct stat& angaben) {
    if (!S_ISREG(angaben.st_mode)) {
        return std::nullopt;
    }
    return Dateikennung{static_cast<std::uint64_t>(angaben.st_dev),
                        static_cast<std::uint64_t>(angaben.st_ino)};
}

}  // namespace

long Systemaufrufe::PWrite(int fd, const void* daten, std::size_t anzahl, std::uint64_t position) {
    return ::pwrite(fd, daten, anzahl, static_cast<off_t>(position));
}

long Systemaufrufe::PRead(int fd, void* daten, std::size_t anzahl, std::uint64_t position) {
    return ::pread(fd, daten, anzahl, static_cast<off_t>(position));
}

long Systemaufrufe::Write(int fd, const void* daten, std::size_t anzahl) {
    return ::write(fd, daten, anzahl);
}

long Systemaufrufe::Read(int fd, void* daten, std::size_t anzahl) {
    return ::read(fd, daten, anzahl);
}

int Systemaufrufe::FDatasync(int fd) {
    return ::fdatasync(fd);
}

Systemaufrufe& Systemaufrufe::Echte() {
    static Systemaufrufe echte;
    return echte;
}

std::optional<Dateikennung> KennungVon(const std::string& name) {
    struct stat angaben {};
    if (::stat(name.c_str(), &angaben) != 0) {
        return std::nullopt;
    }
    return KennungAus(angaben);
}

Erwartet<Deskriptor> Deskriptor::Oeffnen(const std::string& name, int schalter,
                                         Systemaufrufe& aufrufe) {
    // Not inherited by programs started later (the browser, the PDF
    // viewer), which would otherwise hold the window's lock; never the
    // controlling terminal.
    const int fd =
        Ununterbrochen([&] { return ::open(name.c_str(), schalter | O_CLOEXEC | O_NOCTTY, 0666); });
    if (fd < 0) {
        const bool schreiben = (schalter & O_ACCMODE) == O_WRONLY;
        return DateiFehler{.Art = schreiben ? Fehlerart::ZumSchreibenOeffnen : Fehlerart::Oeffnen,
                           .Datei = name,
                           .FehlerNr = errno};
    }
    return Deskriptor(fd, name, true, aufrufe);
}

Erwartet<Deskriptor> Deskriptor::DateiOeffnen(const std::string& name, int schalter,
                                              Systemaufrufe& aufrufe) {
    const auto abweisen = [&name](const struct stat& art) -> Erwartet<Deskriptor> {
        return DateiFehler{.Art = Fehlerart::Oeffnen,
                           .Datei = name,
                           .FehlerNr = S_ISDIR(art.st_mode) ? EISDIR : KeineGewoehnlicheDatei};
    };
    struct stat angaben {};
    if (::stat(name.c_str(), &angaben) == 0 && !S_ISREG(angaben.st_mode)) {
        return abweisen(angaben);
    }
    // O_NONBLOCK keeps a pipe that appears in the meantime from stopping
    // the open.
    auto datei = Oeffnen(name, schalter | O_NONBLOCK, aufrufe);
    if (!datei.HatWert()) {
        return datei;
    }
    const int fd = datei.Wert().Fd();
    if (::fstat(fd, &angaben) != 0) {
        return DateiFehler{.Art = Fehlerart::Oeffnen, .Datei = name, .FehlerNr = errno};
    }
    if (!S_ISREG(angaben.st_mode)) {
        return abweisen(angaben);
    }
    const int zustand = ::fcntl(fd, F_GETFL);
    if (zustand != -1) {
        (void)::fcntl(fd, F_SETFL, zustand & ~O_NONBLOCK);
    }
    return datei;
}

Deskriptor::Deskriptor(int fd, std::string name, bool eigen, Systemaufrufe& aufrufe)
    : fd_(fd), name_(std::move(name)), eigen_(eigen), aufrufe_(&aufrufe) {}

Deskriptor::~Deskriptor() {
    // Nothing is buffered: every write has reported its outcome already.
    if (eigen_ && fd_ >= 0) {
        ::close(fd_);
    }
}

Deskriptor::Deskriptor(Deskriptor&& andere) noexcept
    : fd_(std::exchange(andere.fd_, -1)),
      name_(std::move(andere.name_)),
      eigen_(andere.eigen_),
      aufrufe_(andere.aufrufe_) {}

Deskriptor& Deskriptor::operator=(Deskriptor&& andere) noexcept {
    Deskriptor alt(std::move(*this));  // closed at the end of this call
    fd_ = std::exchange(andere.fd_, -1);
    name_ = std::move(andere.name_);
    eigen_ = andere.eigen_;
    aufrufe_ = andere.aufrufe_;
    return *this;
}

DateiFehler Deskriptor::Fehler(DateiFehler::Fehlerart art, int fehlerNr,
                               std::uint64_t position) const {
    return DateiFehler{.Art = art, .Datei = name_, .FehlerNr = fehlerNr, .Position = position};
}

Erwartet<std::size_t> Deskriptor::LesenAb(std::optional<std::uint64_t> position,
                                          std::span<std::byte> ziel, bool bisVoll) {
    const std::uint64_t ab = position.value_or(0);
    std::size_t gelesen = 0;
    while (gelesen < ziel.size()) {
        void* wohin = ziel.data() + gelesen;
        const std::size_t anzahl = ziel.size() - gelesen;
        const long n = position ? aufrufe_->PRead(fd_, wohin, anzahl, ab + gelesen)
                                : aufrufe_->Read(fd_, wohin, anzahl);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return Fehler(Fehlerart::Lesen, errno, ab + gelesen);
        }
        gelesen += static_cast<std::size_t>(n);
        if (n == 0 || !bisVoll) {
            break;  // the end of the file, or what a stream has for now
        }
    }
    return gelesen;
}

// The one place every byte of the data files and of the calculator's output
// is written: the system may take fewer bytes than asked or be interrupted
// by a signal, and both are no failure as long as the rest goes through.
Erwartet<void> Deskriptor::SchreibenAb(std::optional<std::uint64_t> position,
                                       std::span<const std::byte> quelle) {
    const std::uint64_t ab = position.value_or(0);
    std::size_t geschrieben = 0;
    int nullRunden = 0;
    while (geschrieben < quelle.size()) {
        const void* was = quelle.data() + geschrieben;
        const std::size_t anzahl = quelle.size() - geschrieben;
        const long n = position ? aufrufe_->PWrite(fd_, was, anzahl, ab + geschrieben)
                                : aufrufe_->Write(fd_, was, anzahl);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return Fehler(Fehlerart::Schreiben, errno, ab + geschrieben);
        }
        if (n == 0) {
            // Writing nothing without an error cannot go on for ever.
            if (++nullRunden == 3) {
                return Fehler(Fehlerart::Schreiben, ENOSPC, ab + geschrieben);
            }
            continue;
        }
        nullRunden = 0;
        geschrieben += static_cast<std::size_t>(n);
    }
    return {};
}

Erwartet<std::uint64_t> Deskriptor::Laenge() const {
    struct stat angaben {};
    if (::fstat(fd_, &angaben) != 0) {
        return Fehler(Fehlerart::Laenge, errno, 0);
    }
    return static_cast<std::uint64_t>(angaben.st_size);
}

std::optional<Dateikennung> Deskriptor::Kennung() const {
    struct stat angaben {};
    if (::fstat(fd_, &angaben) != 0) {
        return std::nullopt;
    }
    return KennungAus(angaben);
}

Erwartet<void> Deskriptor::Sichern() {
    const int ergebnis = Ununterbrochen([this] { return aufrufe_->FDatasync(fd_); });
    if (ergebnis != 0 && errno != EINVAL) {
        return Fehler(Fehlerart::Sichern, errno, 0);
    }
    return {};
}

Erwartet<void> Deskriptor::Schliessen() {
    if (!eigen_ || fd_ < 0) {
        return {};
    }
    // Not repeated after EINTR: the descriptor is gone either way.
    if (::close(std::exchange(fd_, -1)) != 0 && errno != EINTR) {
        return Fehler(Fehlerart::Schreiben, errno, 0);
    }
    return {};
}

}  // namespace lohnwippe
