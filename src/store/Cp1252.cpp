#include "store/Cp1252.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "calc/Utf8.h"

namespace lohnwippe {

namespace {

// Code points of the bytes 0x80 to 0x9F. The undefined bytes carry their
// own value so that they survive a round trip (see Cp1252.h).
constexpr std::array<char32_t, 32> Oberteil = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

constexpr char Ersatz = '?';

char32_t ZeichenVonByte(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F) {
        return Oberteil[b - 0x80];
    }
    return b;  // ASCII and 0xA0..0xFF coincide with Latin-1
}

char ByteVonZeichen(char32_t z) {
    if (z < 0x80 || (z >= 0xA0 && z <= 0xFF)) {
        return static_cast<char>(z);
    }
    const auto* treffer = std::find(Oberteil.begin(), Oberteil.end(), z);
    if (treffer == Oberteil.end()) {
        return Ersatz;
    }
    return static_cast<char>(0x80 + (treffer - Oberteil.begin()));
}

// The byte of the character at `pos` in `utf8`, moving `pos` past it.
char NaechstesByte(std::string_view utf8, std::size_t& pos) {
    if (const auto c = static_cast<unsigned char>(utf8[pos]); c < 0x80) {
        ++pos;
        return static_cast<char>(c);
    }
    char32_t zeichen = 0;
    return Utf8Lesen(utf8, pos, zeichen) ? ByteVonZeichen(zeichen) : Ersatz;
}

}  // namespace

std::string NachCp1252(std::string_view utf8) {
    std::string ergebnis;
    ergebnis.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        ergebnis += NaechstesByte(utf8, pos);
    }
    return ergebnis;
}

std::string AusCp1252(std::string_view cp1252) {
    std::string ergebnis;
    ergebnis.reserve(cp1252.size() * 2);
    for (char c : cp1252) {
        Utf8Anhaengen(ergebnis, ZeichenVonByte(static_cast<unsigned char>(c)));
    }
    return ergebnis;
}

void TextfeldKodieren(std::string_view utf8, std::span<std::byte, TextfeldLaenge> feld) {
    // Every character is one byte, so the field's 20 come from the first 20
    // characters alone; written in place, as every save of a case encodes
    // its names anew, and ASCII, as names mostly are, copied as it is.
    const std::size_t anfang = std::min(utf8.size(), TextfeldLaenge);
    unsigned char oder = 0;
    for (std::size_t i = 0; i < anfang; ++i) {
        oder |= static_cast<unsigned char>(utf8[i]);
    }
    std::size_t n = 0;
    if (oder < 0x80) {
        if (anfang > 0) {  // an empty view may have no bytes at all
            std::memcpy(feld.data(), utf8.data(), anfang);
        }
        n = anfang;
    } else {
        for (std::size_t pos = 0; pos < utf8.size() && n < TextfeldLaenge; ++n) {
            feld[n] = static_cast<std::byte>(NaechstesByte(utf8, pos));
        }
    }
    std::fill(feld.begin() + static_cast<std::ptrdiff_t>(n), feld.end(), std::byte{' '});
}

std::string TextfeldDekodieren(std::span<const std::byte, TextfeldLaenge> feld) {
    std::string bytes(TextfeldLaenge, ' ');
    for (std::size_t i = 0; i < TextfeldLaenge; ++i) {
        bytes[i] = static_cast<char>(feld[i]);
    }
    return AusCp1252(bytes);
}

}  // namespace lohnwippe
