#include "rechner/Ausgabedatei.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <span>
#include <vector>

#include "rechner/Fehler.h"

namespace lohnwippe::rechner {

namespace {

namespace fs = std::filesystem;
using Fehlerart = DateiFehler::Fehlerart;

// The temporary file, for a signal that ends the program before the run
// does: Ctrl+C in a long run leaves nothing behind either, nor a file size
// limit reached (SIGXFSZ), a core dump asked for (SIGQUIT) or any other
// signal whose default is to end the program.
std::array<char, 4096> zwischendatei{};
constexpr std::array<int, 12> Endsignale{SIGINT,  SIGTERM, SIGHUP,  SIGQUIT, SIGUSR1,   SIGUSR2,
                                         SIGALRM, SIGXFSZ, SIGXCPU, SIGPIPE, SIGVTALRM, SIGPROF};

void ZwischendateiEntfernen(int signal) {
    ::unlink(zwischendatei.data());
    (void)std::signal(signal, SIG_DFL);
    (void)std::raise(signal);
}

// Only signals that would end the program anyway: one a caller has turned
// off (nohup) stays off.
void EndsignaleAbfangen(bool abfangen) {
    for (const int signal : Endsignale) {
        struct sigaction jetzt {};
        if (::sigaction(signal, nullptr, &jetzt) != 0 ||
            jetzt.sa_handler != (abfangen ? SIG_DFL : &ZwischendateiEntfernen)) {
            continue;
        }
        struct sigaction neu {};
        neu.sa_handler = abfangen ? &ZwischendateiEntfernen : SIG_DFL;
        (void)::sigaction(signal, &neu, nullptr);
    }
}

// `name` is removed should a signal end the program.
void Vormerken(const std::string& name) {
    if (name.size() < zwischendatei.size()) {
        std::copy(name.begin(), name.end(), zwischendatei.begin());
        zwischendatei[name.size()] = '\0';
        EndsignaleAbfangen(true);
    }
}

// The file a name that leads nowhere yet would create: symbolic links
// followed (at most 40, as the system does) to where the last one points.
std::string Aufgeloest(std::string pfad) {
    std::error_code fehler;
    for (int i = 0; i < 40 && fs::is_symlink(fs::symlink_status(pfad, fehler)); ++i) {
        const fs::path ziel = fs::read_symlink(pfad, fehler);
        if (fehler) {
            break;
        }
        pfad = (ziel.is_absolute() ? ziel : fs::path(pfad).parent_path() / ziel).string();
    }
    return pfad;
}

std::optional<Dateikennung> Ordnerkennung(const fs::path& pfad) {
    const fs::path ordner = pfad.parent_path();
    struct stat angaben {};
    if (::stat(ordner.empty() ? "." : ordner.c_str(), &angaben) != 0) {
        return std::nullopt;
    }
    return Dateikennung{static_cast<std::uint64_t>(angaben.st_dev),
                        static_cast<std::uint64_t>(angaben.st_ino)};
}

template <typename T>
bool Enthalten(const std::vector<T>& liste, const T& wert) {
    return std::find(liste.begin(), liste.end(), wert) != liste.end();
}

[[noreturn]] void Abweisen(const std::string& was, const char* grund) {
    throw Abbruch(was + ": " + grund + "; bitte eine andere Ausgabedatei angeben");
}
constexpr const char* Gelesen = "das ist eine der Dateien, die gelesen werden";

[[noreturn]] void Gescheitert(Fehlerart art, const std::string& pfad, int fehlerNr) {
    throw Abbruch(DateiFehler{.Art = art, .Datei = pfad, .FehlerNr = fehlerNr}.Meldung());
}

}  // namespace

void StandardausgabePruefen() {
    if (::fcntl(STDOUT_FILENO, F_GETFD) == -1) {
        Gescheitert(Fehlerart::Schreiben, "Standardausgabe", errno);
    }
}

Ausgabedatei::Ausgabedatei(const std::string& pfad, const Gelesenes& gelesen,
                           Systemaufrufe& aufrufe) {
    if (pfad == "-") {
        datei_.emplace(STDOUT_FILENO, "Standardausgabe", false, aufrufe);
        if (const auto kennung = datei_->Kennung();
            kennung && Enthalten(gelesen.Dateien, *kennung)) {
            Abweisen("Standardausgabe", Gelesen);
        }
        return;
    }
    struct stat angaben {};
    const bool vorhanden = ::stat(pfad.c_str(), &angaben) == 0;
    std::error_code fehler;
    if (vorhanden && S_ISREG(angaben.st_mode)) {
        ziel_ = fs::canonical(pfad, fehler).string();
    } else if (!vorhanden && errno == ENOENT) {
        ziel_ = Aufgeloest(pfad);
    } else if (!vorhanden) {
        Gescheitert(Fehlerart::ZumSchreibenOeffnen, pfad, errno);
    }
    if (ziel_.empty() || fehler) {
        // A device or a pipe takes the rows as they come, as does a file
        // with no name left to put a new one under.
        datei_.emplace(
            OderAbbruch(Deskriptor::Oeffnen(pfad, O_WRONLY | O_CREAT | O_TRUNC, aufrufe)));
        ziel_.clear();
        return;
    }
    const fs::path ziel(ziel_);
    const auto ordner = Ordnerkennung(ziel);
    const Dateikennung kennung{static_cast<std::uint64_t>(angaben.st_dev),
                               static_cast<std::uint64_t>(angaben.st_ino)};
    if (vorhanden && Enthalten(gelesen.Dateien, kennung)) {
        Abweisen(pfad, Gelesen);
    }
    if (ordner && Enthalten(gelesen.Orte, Gelesenes::Ort{*ordner, ziel.filename().string()})) {
        Abweisen(pfad, "unter diesem Namen liest das Fenster seine Daten");
    }
    // A file the user may not write stays protected, as opening it was.
    if (vorhanden && ::access(ziel_.c_str(), W_OK) != 0) {
        Gescheitert(Fehlerart::ZumSchreibenOeffnen, pfad, errno);
    }
    // Hidden beside the target, on the same file system so that the rename
    // is one step; the name cut so that it stays within the system's limit.
    const std::string anfang =
        "." + ziel.filename().string().substr(0, 200) + "." + std::to_string(::getpid()) + "-";
    int fd = -1;
    for (int nr = 0; fd < 0; ++nr) {
        zwischen_ = (ziel.parent_path() / (anfang + std::to_string(nr))).string();
        fd = Ununterbrochen([&] {
            return ::open(zwischen_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY,
                          0666);
        });
        if (const int fehlerNr = errno; fd < 0 && (fehlerNr != EEXIST || nr == 100)) {
            zwischen_.clear();
            Gescheitert(Fehlerart::ZumSchreibenOeffnen, pfad, fehlerNr);
        }
    }
    datei_.emplace(fd, pfad, true, aufrufe);
    Vormerken(zwischen_);
    if (vorhanden) {
        // As far as the system lets the user: another owner's file becomes
        // the user's, as any new file would.
        (void)::fchown(fd, angaben.st_uid, angaben.st_gid);
        (void)::fchmod(fd, angaben.st_mode & 07777);
    }
}

Ausgabedatei::~Ausgabedatei() {
    for (std::string* name : {&zwischen_, &umwegName_}) {
        if (!name->empty()) {
            datei_.reset();
            umweg_.reset();
            ::unlink(name->c_str());
            EndsignaleAbfangen(false);
        }
    }
}

const std::string& Ausgabedatei::Dateiname() {
    if (!zwischen_.empty() || umweg_) {
        return zwischen_.empty() ? umwegName_ : zwischen_;
    }
    const char* tmpdir = std::getenv("TMPDIR");  // NOLINT(concurrency-mt-unsafe): one thread
    std::string name =
        (tmpdir != nullptr && *tmpdir != '\0' ? std::string(tmpdir) : "/tmp") + "/lohnwippe-XXXXXX";
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        Gescheitert(Fehlerart::ZumSchreibenOeffnen, name.substr(0, name.size() - 17), errno);
    }
    umwegName_ = name;
    umweg_.emplace(fd, umwegName_, true, datei_->Aufrufe());
    Vormerken(umwegName_);
    return umwegName_;
}

void Ausgabedatei::Ersetzen() {
    if (umweg_) {
        // The stream gets the finished file; a pipe's reader sees nothing
        // of a run that fails before.
        std::vector<std::byte> puffer(std::size_t{1} << 20);
        for (std::uint64_t position = 0;;) {
            const std::size_t n = OderAbbruch(umweg_->Lesen(position, puffer));
            if (n == 0) {
                break;
            }
            OderAbbruch(datei_->Schreiben(std::span(puffer.data(), n)));
            position += n;
        }
    }
    if (zwischen_.empty()) {
        OderAbbruch(datei_->Schliessen());
        return;
    }
    // Success means the data are on the disk under the target's name.
    OderAbbruch(datei_->Sichern());
    OderAbbruch(datei_->Schliessen());
    if (::rename(zwischen_.c_str(), ziel_.c_str()) != 0) {
        Gescheitert(Fehlerart::Schreiben, datei_->Name(), errno);
    }
    zwischen_.clear();
    EndsignaleAbfangen(false);
    const fs::path ordner = fs::path(ziel_).parent_path();
    const int fd =
        ::open(ordner.empty() ? "." : ordner.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        (void)::fsync(fd);
        ::close(fd);
    }
}

}  // namespace lohnwippe::rechner
