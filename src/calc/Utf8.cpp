#include "calc/Utf8.h"

namespace lohnwippe {

bool Utf8Lesen(std::string_view text, std::size_t& pos, char32_t& zeichen) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char erstes = byte(pos);
    if (erstes < 0x80) {
        zeichen = erstes;
        ++pos;
        return true;
    }
    // Follow-byte count and the range of the second byte; the narrow ranges
    // after E0, ED, F0 and F4 exclude overlong forms, surrogates and values
    // beyond U+10FFFF.
    int folgen = 0;
    unsigned char von = 0x80;
    unsigned char bis = 0xBF;
    if (erstes >= 0xC2 && erstes <= 0xDF) {
        folgen = 1;
        zeichen = erstes & 0x1F;
    } else if (erstes >= 0xE0 && erstes <= 0xEF) {
        folgen = 2;
        zeichen = erstes & 0x0F;
        von = erstes == 0xE0 ? 0xA0 : 0x80;
        bis = erstes == 0xED ? 0x9F : 0xBF;
    } else if (erstes >= 0xF0 && erstes <= 0xF4) {
        folgen = 3;
        zeichen = erstes & 0x07;
        von = erstes == 0xF0 ? 0x90 : 0x80;
        bis = erstes == 0xF4 ? 0x8F : 0xBF;
    } else {
        ++pos;
        return false;
    }
    std::size_t i = 1;
    for (; i <= static_cast<std::size_t>(folgen); ++i) {
        if (pos + i >= text.size() || byte(pos + i) < von || byte(pos + i) > bis) {
            pos += i;
            return false;
        }
        zeichen = (zeichen << 6) | (byte(pos + i) & 0x3F);
        von = 0x80;
        bis = 0xBF;
    }
    pos += i;
    return true;
}

std::size_t Utf8Fehler(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        // Nearly every text is ASCII.
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            ++pos;
            continue;
        }
        const std::size_t anfang = pos;
        char32_t zeichen = 0;
        if (!Utf8Lesen(text, pos, zeichen)) {
            return anfang;
        }
    }
    return std::string_view::npos;
}

void Utf8Anhaengen(std::string& ziel, char32_t zeichen) {
    const auto b = [](char32_t wert) { return static_cast<char>(wert); };
    if (zeichen < 0x80) {
        ziel += b(zeichen);
    } else if (zeichen < 0x800) {
        ziel += b(0xC0 | (zeichen >> 6));
        ziel += b(0x80 | (zeichen & 0x3F));
    } else {
        ziel += b(0xE0 | (zeichen >> 12));
        ziel += b(0x80 | ((zeichen >> 6) & 0x3F));
        ziel += b(0x80 | (zeichen & 0x3F));
    }
}

}  // namespace lohnwippe
