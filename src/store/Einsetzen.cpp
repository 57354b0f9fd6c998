#include "store/Einsetzen.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace lohnwippe {

Erwartet<Deskriptor> Einsetzen(const std::string& name, const Einsetzung& wie,
                               Systemaufrufe& aufrufe) {
    std::string beiseite = name + ".XXXXXX";
    const int fd = ::mkostemp(beiseite.data(), O_CLOEXEC);
    if (fd < 0) {
        return DateiFehler{
            .Art = DateiFehler::Fehlerart::Oeffnen, .Datei = name, .FehlerNr = errno};
    }
    Deskriptor datei(fd, name, true, aufrufe);
    const auto aufgeben = [&](DateiFehler fehler) -> Erwartet<Deskriptor> {
        (void)datei.Schliessen();
        ::unlink(beiseite.c_str());
        return fehler;
    };
    if (auto gefuellt = wie.Fuellen(datei); !gefuellt.HatWert()) {
        return aufgeben(gefuellt.Fehler());
    }
    if (auto gesichert = datei.Sichern(); !gesichert.HatWert()) {
        return aufgeben(gesichert.Fehler());
    }
    if (wie.Vorher) {
        if (auto vorher = wie.Vorher(datei); !vorher.HatWert()) {
            return aufgeben(vorher.Fehler());
        }
    }
    int umbenannt = wie.Ersetzen ? ::rename(beiseite.c_str(), name.c_str())
                                 : ::renameat2(AT_FDCWD, beiseite.c_str(), AT_FDCWD, name.c_str(),
                                               RENAME_NOREPLACE);
    if (umbenannt != 0 && !wie.Ersetzen && (errno == EINVAL || errno == ENOSYS)) {
        // A file system that cannot refuse to replace: the moment in which
        // another file could appear under the name is tiny.
        umbenannt = ::rename(beiseite.c_str(), name.c_str());
    }
    if (umbenannt != 0) {
        // EEXIST: someone was quicker, and theirs is the file under the name.
        return aufgeben(DateiFehler{
            .Art = DateiFehler::Fehlerart::Schreiben, .Datei = name, .FehlerNr = errno});
    }
    return datei;
}

}  // namespace lohnwippe
