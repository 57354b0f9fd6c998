#include "store/Einsetzen.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <utility>

namespace lohnwippe {

namespace {

using Fehlerart = DateiFehler::Fehlerart;

// The name to remove at a signal, in memory a handler may read.
std::array<char, 4096> amEndeEntfernen{};
constexpr std::array<int, 12> Endsignale{SIGINT,  SIGTERM, SIGHUP,  SIGQUIT, SIGUSR1,   SIGUSR2,
                                         SIGALRM, SIGXFSZ, SIGXCPU, SIGPIPE, SIGVTALRM, SIGPROF};

void EntfernenUndEnden(int signal) {
    ::unlink(amEndeEntfernen.data());
    (void)std::signal(signal, SIG_DFL);
    (void)std::raise(signal);
}

// Only signals that would end the program anyway: one a caller has turned
// off (nohup) stays off.
void EndsignaleAbfangen(bool abfangen) {
    for (const int signal : Endsignale) {
        struct sigaction jetzt {};
        if (::sigaction(signal, nullptr, &jetzt) != 0 ||
            jetzt.sa_handler != (abfangen ? SIG_DFL : &EntfernenUndEnden)) {
            continue;
        }
        struct sigaction neu {};
        neu.sa_handler = abfangen ? &EntfernenUndEnden : SIG_DFL;
        (void)::sigaction(signal, &neu, nullptr);
    }
}

}  // namespace

void BeiEndsignalEntfernen(const std::string& name) {
    if (name.size() < amEndeEntfernen.size()) {
        std::copy(name.begin(), name.end(), amEndeEntfernen.begin());
        amEndeEntfernen[name.size()] = '\0';
        EndsignaleAbfangen(true);
    }
}

void EndsignaleFreigeben() {
    EndsignaleAbfangen(false);
}

Erwartet<Neufassung> Neufassung::Anlegen(const std::string& ziel, const Anlage& wie,
                                         Systemaufrufe& aufrufe) {
    namespace fs = std::filesystem;
    const fs::path pfad(ziel);
    const std::string anfang =
        "." + pfad.filename().string().substr(0, 200) + "." + std::to_string(::getpid()) + "-";
    const std::string& name = wie.Name.empty() ? ziel : wie.Name;
    for (int nr = 0;; ++nr) {
        std::string beiseite = (pfad.parent_path() / (anfang + std::to_string(nr))).string();
        const int fd = Ununterbrochen([&] {
            return ::open(beiseite.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY,
                          wie.Modus);
        });
        if (fd >= 0) {
            if (wie.BeiEndsignalEntfernen) {
                BeiEndsignalEntfernen(beiseite);
            }
            return Neufassung(ziel, std::move(beiseite), Deskriptor(fd, name, true, aufrufe),
                              wie.BeiEndsignalEntfernen);
        }
        // EEXIST: left by an earlier run of the same number, or someone's.
        if (errno != EEXIST || nr == 100) {
            return DateiFehler{.Art = Fehlerart::Oeffnen, .Datei = name, .FehlerNr = errno};
        }
    }
}

Neufassung::Neufassung(std::string ziel, std::string pfad, Deskriptor datei, bool vorgemerkt)
    : ziel_(std::move(ziel)),
      pfad_(std::move(pfad)),
      datei_(std::move(datei)),
      vorgemerkt_(vorgemerkt) {}

Neufassung::Neufassung(Neufassung&& andere) noexcept
    : ziel_(std::move(andere.ziel_)),
      pfad_(std::exchange(andere.pfad_, "")),
      datei_(std::move(andere.datei_)),
      vorgemerkt_(std::exchange(andere.vorgemerkt_, false)) {}

Neufassung::~Neufassung() {
    if (!pfad_.empty()) {
        (void)Aufgeben({});
    }
}

DateiFehler Neufassung::Aufgeben(DateiFehler fehler) {
    if (datei_) {
        (void)datei_->Schliessen();
    }
    ::unlink(pfad_.c_str());
    pfad_.clear();
    if (std::exchange(vorgemerkt_, false)) {
        EndsignaleFreigeben();
    }
    return fehler;
}

Erwartet<Deskriptor> Neufassung::Einsetzen(const Einsetzung& wie) {
    Deskriptor& datei = *datei_;
    if (auto gesichert = datei.Sichern(); !gesichert.HatWert()) {
        return Aufgeben(gesichert.Fehler());
    }
    if (wie.Vorher) {
        if (auto vorher = wie.Vorher(datei); !vorher.HatWert()) {
            return Aufgeben(vorher.Fehler());
        }
    }
    int umbenannt = wie.Ersetzen ? ::rename(pfad_.c_str(), ziel_.c_str())
                                 : ::renameat2(AT_FDCWD, pfad_.c_str(), AT_FDCWD, ziel_.c_str(),
                                               RENAME_NOREPLACE);
    if (umbenannt != 0 && !wie.Ersetzen && (errno == EINVAL || errno == ENOSYS)) {
        // A file system that cannot refuse to replace: the moment in which
        // another file could appear under the name is tiny.
        umbenannt = ::rename(pfad_.c_str(), ziel_.c_str());
    }
    if (umbenannt != 0) {
        // EEXIST: someone was quicker, and theirs is the file under the name.
        return Aufgeben(
            DateiFehler{.Art = Fehlerart::Schreiben, .Datei = datei.Name(), .FehlerNr = errno});
    }
    pfad_.clear();
    if (std::exchange(vorgemerkt_, false)) {
        EndsignaleFreigeben();
    }
    if (wie.OrdnerSichern) {
        const std::filesystem::path ordner = std::filesystem::path(ziel_).parent_path();
        const int fd =
            ::open(ordner.empty() ? "." : ordner.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            (void)::fsync(fd);
            ::close(fd);
        }
    }
    Deskriptor fertig = std::move(*datei_);
    datei_.reset();
    return fertig;
}

Erwartet<Deskriptor> Einsetzen(const std::string& name, const Einsetzung& wie,
                               Systemaufrufe& aufrufe) {
    auto neu = Neufassung::Anlegen(name, {}, aufrufe);
    if (!neu.HatWert()) {
        return neu.Fehler();
    }
    if (auto gefuellt = wie.Fuellen(neu.Wert().Datei()); !gefuellt.HatWert()) {
        return gefuellt.Fehler();
    }
    return neu.Wert().Einsetzen(wie);
}

}  // namespace lohnwippe
