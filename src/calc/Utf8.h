#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lohnwippe {

// UTF-8, the one encoding of texts in memory, read and written in one place
// for the windows' boxes, the data files' Windows-1252 and the calculator's
// input.

// Decodes the character at `pos` into `zeichen` and moves `pos` past it.
// Shortest forms only, no surrogates, nothing beyond U+10FFFF. A broken
// sequence yields false and moves `pos` past its longest valid-looking
// start, at least one byte, as Unicode recommends for U+FFFD.
bool Utf8Lesen(std::string_view text, std::size_t& pos, char32_t& zeichen);

// Position of the first byte of `text` that starts no valid character, or
// npos for valid UTF-8.
std::size_t Utf8Fehler(std::string_view text);

// Appends the encoding of `zeichen`, at most U+FFFF: Windows-1252, the only
// source of characters the program encodes, reaches no further than U+2122.
void Utf8Anhaengen(std::string& ziel, char32_t zeichen);

// A byte that continues a character rather than starting one.
inline bool Utf8Folgebyte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace lohnwippe
