#include "rechner/Blattleser.h"

#include "rechner/Fehler.h"

namespace lohnwippe::rechner {

bool MappeNachInhalt(std::string_view anfang) {
    return anfang.starts_with("PK\x03\x04");
}

std::unique_ptr<Blattleser> BlattOeffnen(Deskriptor& /*datei*/, const std::string& name,
                                         const std::optional<std::string>& /*blatt*/) {
    throw Abbruch(name + ": Tabellendateien werden noch nicht gelesen");
}

std::unique_ptr<Blattleser> BlattAusSpeicher(std::string_view /*daten*/, const std::string& name,
                                             const std::optional<std::string>& /*blatt*/) {
    throw Abbruch(name + ": Tabellendateien werden noch nicht gelesen");
}

std::string Spaltenbuchstaben(std::size_t spalte) {
    std::string buchstaben;
    for (std::size_t n = spalte + 1; n > 0; n = (n - 1) / 26) {
        buchstaben.insert(buchstaben.begin(), static_cast<char>('A' + (n - 1) % 26));
    }
    return buchstaben;
}

}  // namespace lohnwippe::rechner
