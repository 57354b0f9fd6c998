// A case record of any 204 bytes: decoding never fails, encoding gives the
// very bytes back, and the short road of the annual sum reads the same
// amounts as the whole record.
#include <algorithm>
#include <array>
#include <string>

#include "Fuzzhilfen.h"
#include "store/Cp1252.h"
#include "store/Fallsatz.h"

using namespace lohnwippe;
using lohnwippe::fuzz::Pruefen;

namespace {

// Counts characters, not bytes: names come back as UTF-8.
std::size_t Zeichenzahl(const std::string& utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    // Shorter inputs are padded with zeros as a short file reads, longer
    // ones cut: every input is one record.
    std::array<std::byte, FallsatzLaenge> roh{};
    std::transform(daten, daten + std::min(groesse, FallsatzLaenge), roh.begin(),
                   [](std::uint8_t b) { return static_cast<std::byte>(b); });

    const Fallsatz satz = FallsatzDekodieren(roh);
    const auto wieder = FallsatzKodieren(satz);
    // The text fields keep even the bytes Windows-1252 leaves undefined, so
    // a record read and saved unchanged keeps every byte.
    Pruefen(wieder == roh, "Kodieren(Dekodieren(x)) == x");
    Pruefen(FallsatzDekodieren(wieder) == satz,
            "Dekodieren(Kodieren(Dekodieren(x))) == Dekodieren(x)");

    const auto entgelte = EntgelteDekodieren(roh);
    for (int job = ErsteSpalte; job <= LetzterJob; ++job) {
        Pruefen(entgelte[job] == satz.Entgelte[job], "EntgelteDekodieren wie der ganze Satz");
        Pruefen(Zeichenzahl(satz.Namen[job]) == TextfeldLaenge, "Namen haben 20 Zeichen");
    }
    Pruefen(satz.Namen[0].empty() && satz.Entgelte[0] == Waehrung(), "Element 0 bleibt leer");
    return 0;
}
