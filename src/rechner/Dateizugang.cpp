#include "rechner/Dateizugang.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "rechner/Zeilenschreiber.h"
#include "store/DateiFehler.h"

namespace lohnwippe::rechner {

namespace {

// Only files can be emptied by opening them; a device or a pipe on both
// sides (/dev/null, say) is no danger.
std::optional<Dateikennung> Kennung(const struct stat& angaben) {
    if (!S_ISREG(angaben.st_mode)) {
        return std::nullopt;
    }
    return Dateikennung{static_cast<std::uint64_t>(angaben.st_dev),
                        static_cast<std::uint64_t>(angaben.st_ino)};
}

}  // namespace

std::optional<Dateikennung> KennungVon(int fd) {
    struct stat angaben {};
    if (::fstat(fd, &angaben) != 0) {
        return std::nullopt;
    }
    return Kennung(angaben);
}

std::optional<Dateikennung> KennungVon(const std::string& pfad) {
    struct stat angaben {};
    if (::stat(pfad.c_str(), &angaben) != 0) {
        return std::nullopt;
    }
    return Kennung(angaben);
}

Deskriptor::~Deskriptor() {
    if (fd_ > STDERR_FILENO) {
        ::close(fd_);
    }
}

void Deskriptor::Schliessen(const std::string& name) {
    if (fd_ <= STDERR_FILENO) {
        return;
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) {
        throw Abbruch(name + ": Schreiben nicht möglich – " + Fehlertext(errno));
    }
}

int ZumLesenOeffnen(const std::string& pfad) {
    if (pfad == "-") {
        return STDIN_FILENO;
    }
    int fd = -1;
    do {
        fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        throw Abbruch(pfad + ": Öffnen nicht möglich – " + Fehlertext(errno));
    }
    return fd;
}

int ZumSchreibenOeffnen(const std::string& pfad, const std::vector<Dateikennung>& gelesen) {
    if (pfad == "-") {
        return STDOUT_FILENO;
    }
    const auto ziel = KennungVon(pfad);
    if (ziel && std::find(gelesen.begin(), gelesen.end(), *ziel) != gelesen.end()) {
        throw Abbruch(pfad +
                      ": das ist eine der Dateien, die gelesen werden; bitte eine "
                      "andere Ausgabedatei angeben");
    }
    int fd = -1;
    do {
        fd = ::open(pfad.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        throw Abbruch(pfad + ": Öffnen zum Schreiben nicht möglich – " + Fehlertext(errno));
    }
    return fd;
}

}  // namespace lohnwippe::rechner
