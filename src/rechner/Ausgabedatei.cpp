#include "rechner/Ausgabedatei.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <vector>

#include "rechner/Fehler.h"

namespace lohnwippe::rechner {

namespace {

namespace fs = std::filesystem;
using Fehlerart = DateiFehler::Fehlerart;

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
    // A run cut short by Ctrl+C or a file size limit leaves nothing beside
    // the target either.
    auto neu = Neufassung::Anlegen(
        ziel_, {.Name = pfad, .Modus = 0666, .BeiEndsignalEntfernen = true}, aufrufe);
    if (!neu.HatWert()) {
        Gescheitert(Fehlerart::ZumSchreibenOeffnen, pfad, neu.Fehler().FehlerNr);
    }
    neu_.emplace(std::move(neu).Wert());
    if (vorhanden) {
        // As far as the system lets the user: another owner's file becomes
        // the user's, as any new file would.
        (void)::fchown(neu_->Datei().Fd(), angaben.st_uid, angaben.st_gid);
        (void)::fchmod(neu_->Datei().Fd(), angaben.st_mode & 07777);
    }
}

Ausgabedatei::~Ausgabedatei() {
    if (umweg_) {
        umweg_.reset();
        ::unlink(umwegName_.c_str());
        EndsignaleFreigeben();
    }
}

const std::string& Ausgabedatei::Dateiname() {
    if (neu_) {
        return neu_->Pfad();
    }
    if (umweg_) {
        return umwegName_;
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
    BeiEndsignalEntfernen(umwegName_);
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
    if (!neu_) {
        OderAbbruch(datei_->Schliessen());
        return;
    }
    // Success means the data are on the disk under the target's name;
    // closing is heard before, since a failure there can mean that written
    // data never arrived.
    OderAbbruch(neu_->Einsetzen({.Fuellen = nullptr,
                                 .Vorher = [](Deskriptor& d) { return d.Schliessen(); },
                                 .Ersetzen = true,
                                 .OrdnerSichern = true}));
    neu_.reset();
}

}  // namespace lohnwippe::rechner
