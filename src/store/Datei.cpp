#include "Datei.h"

#include <cerrno>
#include <limits>

namespace lohnwippe {

namespace {

// errno right after a call; errno is cleared before each call so that a
// stale value from earlier is never reported as the reason.
std::FILE* OeffnenMit(const std::string& name, const char* modus, int& fehlerNr) {
    errno = 0;
    std::FILE* datei = std::fopen(name.c_str(), modus);
    fehlerNr = datei == nullptr ? errno : 0;
    return datei;
}

}  // namespace

Erwartet<std::unique_ptr<Datei>> SystemDatei::Oeffnen(const std::string& name) {
    int fehlerNr = 0;
    std::FILE* datei = OeffnenMit(name, "r+b", fehlerNr);
    if (datei == nullptr && fehlerNr == ENOENT) {
        // Create exclusively: "w+b" alone would empty a file that another
        // process created in the meantime. Losing that race means the file
        // now exists, so opening it normally is right.
        datei = OeffnenMit(name, "w+bx", fehlerNr);
        if (datei == nullptr && fehlerNr == EEXIST) {
            datei = OeffnenMit(name, "r+b", fehlerNr);
        }
    }
    if (datei == nullptr) {
        return DateiFehler{
            .Art = DateiFehler::Fehlerart::Oeffnen, .Datei = name, .FehlerNr = fehlerNr};
    }
    errno = 0;
    if (std::setvbuf(datei, nullptr, _IONBF, 0) != 0) {
        fehlerNr = errno;
        std::fclose(datei);
        return DateiFehler{
            .Art = DateiFehler::Fehlerart::Oeffnen, .Datei = name, .FehlerNr = fehlerNr};
    }
    std::error_code kein;
    std::filesystem::path pfad = std::filesystem::absolute(name, kein);
    return std::unique_ptr<Datei>(new SystemDatei(name, std::move(pfad), datei));
}

SystemDatei::~SystemDatei() {
    // Nothing is buffered, so closing cannot lose data and its result tells
    // nothing a write has not told already.
    std::fclose(datei_);
}

DateiFehler SystemDatei::Fehler(DateiFehler::Fehlerart art, int fehlerNr,
                                std::uint64_t position) const {
    return DateiFehler{.Art = art, .Datei = name_, .FehlerNr = fehlerNr, .Position = position};
}

bool SystemDatei::Positionieren(std::uint64_t position) {
    if (position > static_cast<std::uint64_t>(std::numeric_limits<long>::max())) {
        errno = EINVAL;
        return false;
    }
    errno = 0;
    return std::fseek(datei_, static_cast<long>(position), SEEK_SET) == 0;
}

Erwartet<std::size_t> SystemDatei::Lesen(std::uint64_t position, std::span<std::byte> ziel) {
    if (!Positionieren(position)) {
        return Fehler(DateiFehler::Fehlerart::Lesen, errno, position);
    }
    errno = 0;
    const std::size_t gelesen = std::fread(ziel.data(), 1, ziel.size(), datei_);
    const int fehlerNr = errno;
    const bool gescheitert = gelesen < ziel.size() && std::ferror(datei_) != 0;
    // The end-of-file and error flags would otherwise stick to the stream.
    std::clearerr(datei_);
    if (gescheitert) {
        return Fehler(DateiFehler::Fehlerart::Lesen, fehlerNr, position + gelesen);
    }
    return gelesen;
}

Erwartet<void> SystemDatei::Schreiben(std::uint64_t position, std::span<const std::byte> quelle) {
    if (!Positionieren(position)) {
        return Fehler(DateiFehler::Fehlerart::Schreiben, errno, position);
    }
    errno = 0;
    const std::size_t geschrieben = std::fwrite(quelle.data(), 1, quelle.size(), datei_);
    const int fehlerNr = errno;
    std::clearerr(datei_);
    if (geschrieben < quelle.size()) {
        return Fehler(DateiFehler::Fehlerart::Schreiben, fehlerNr, position + geschrieben);
    }
    return {};
}

Erwartet<std::uint64_t> SystemDatei::Laenge() {
    errno = 0;
    if (std::fseek(datei_, 0, SEEK_END) != 0) {
        return Fehler(DateiFehler::Fehlerart::Laenge, errno, 0);
    }
    const long laenge = std::ftell(datei_);
    if (laenge < 0) {
        return Fehler(DateiFehler::Fehlerart::Laenge, errno, 0);
    }
    return static_cast<std::uint64_t>(laenge);
}

Erwartet<void> SystemDatei::Kuerzen(std::uint64_t laenge) {
    std::error_code fehler;
    std::filesystem::resize_file(pfad_, laenge, fehler);
    if (fehler) {
        return Fehler(DateiFehler::Fehlerart::Schreiben, fehler.value(), laenge);
    }
    return {};
}

}  // namespace lohnwippe
