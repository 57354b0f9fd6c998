#include "store/SpeicherDatei.h"

#include <algorithm>
#include <cerrno>

namespace lohnwippe {

namespace {

// Memory, not a disk, is the limit here; a file that large can only come
// from a damaged record number and is refused like a full disk.
constexpr std::uint64_t Grenze = std::uint64_t{1} << 32;

}  // namespace

Erwartet<std::size_t> SpeicherDatei::Lesen(std::uint64_t position, std::span<std::byte> ziel) {
    if (position >= Inhalt.size()) {
        return std::size_t{0};
    }
    const auto ab = static_cast<std::size_t>(position);
    const std::size_t anzahl = std::min(ziel.size(), Inhalt.size() - ab);
    std::copy_n(Inhalt.begin() + static_cast<std::ptrdiff_t>(ab), anzahl, ziel.begin());
    return anzahl;
}

Erwartet<void> SpeicherDatei::Schreiben(std::uint64_t position, std::span<const std::byte> quelle) {
    Schreibstellen.push_back(position);
    if (Voll || position > Grenze || quelle.size() > Grenze - position) {
        return DateiFehler{.Art = DateiFehler::Fehlerart::Schreiben,
                           .Datei = name_,
                           .FehlerNr = ENOSPC,
                           .Position = position};
    }
    const auto ab = static_cast<std::size_t>(position);
    if (Inhalt.size() < ab + quelle.size()) {
        Inhalt.resize(ab + quelle.size());
    }
    std::copy(quelle.begin(), quelle.end(), Inhalt.begin() + static_cast<std::ptrdiff_t>(ab));
    return {};
}

Erwartet<void> SpeicherDatei::Kuerzen(std::uint64_t laenge) {
    // Like ftruncate, a length beyond the end extends the file with zeros.
    if (laenge > Grenze) {
        return DateiFehler{.Art = DateiFehler::Fehlerart::Schreiben,
                           .Datei = name_,
                           .FehlerNr = EFBIG,
                           .Position = laenge};
    }
    Inhalt.resize(static_cast<std::size_t>(laenge));
    return {};
}

}  // namespace lohnwippe
