// A levy-rate record of any 176 bytes: decoding never fails and encoding
// gives the very bytes back.
#include <algorithm>
#include <array>

#include "Fuzzhilfen.h"
#include "store/Umlagesatz.h"

using namespace lohnwippe;
using lohnwippe::fuzz::Pruefen;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    std::array<std::byte, UmlagesatzLaenge> roh{};
    std::transform(daten, daten + std::min(groesse, UmlagesatzLaenge), roh.begin(),
                   [](std::uint8_t b) { return static_cast<std::byte>(b); });

    const Umlagesatz satz = UmlagesatzDekodieren(roh);
    const auto wieder = UmlagesatzKodieren(satz);
    Pruefen(wieder == roh, "Kodieren(Dekodieren(x)) == x");
    Pruefen(UmlagesatzDekodieren(wieder) == satz,
            "Dekodieren(Kodieren(Dekodieren(x))) == Dekodieren(x)");

    // The first two bytes are U1 of the first fund, little-endian.
    const auto erstes = static_cast<std::uint16_t>(std::to_integer<unsigned>(roh[0]) |
                                                   std::to_integer<unsigned>(roh[1]) << 8);
    Pruefen(satz.U1Saetze[0] == static_cast<std::int16_t>(erstes), "Byte-Reihenfolge");
    // The last two are the general KV rate of the last fund.
    const auto letztes = static_cast<std::uint16_t>(std::to_integer<unsigned>(roh[174]) |
                                                    std::to_integer<unsigned>(roh[175]) << 8);
    Pruefen(satz.KVSaetze[AnzahlKassen - 1] == static_cast<std::int16_t>(letztes),
            "letzter Eintrag");
    return 0;
}
