#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace lohnwippe {

// Texts live in memory as UTF-8 and in the data files as single-byte
// Windows-1252, because that is the only character set the files have ever
// been written in.
//
// The conversion is lossless from bytes to text and back: the five byte
// values Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become
// the control characters U+0081, U+008D, U+008F, U+0090, U+009D and are
// written back as the same byte. A file read and saved unchanged therefore
// keeps every byte, whatever it held.

// Length of every text field in the data files.
inline constexpr std::size_t TextfeldLaenge = 20;

// One byte per character of `utf8`. A character Windows-1252 cannot hold
// becomes "?", and so does each broken UTF-8 sequence (one "?" for the
// longest broken start of a sequence, as Unicode recommends for U+FFFD).
std::string NachCp1252(std::string_view utf8);

// UTF-8 text of Windows-1252 bytes; every byte becomes one character.
std::string AusCp1252(std::string_view cp1252);

// Stores `utf8` left-aligned in a 20-byte field, cut to 20 characters or
// padded with blanks.
void TextfeldKodieren(std::string_view utf8, std::span<std::byte, TextfeldLaenge> feld);

// All 20 characters of the field, trailing blanks included.
std::string TextfeldDekodieren(std::span<const std::byte, TextfeldLaenge> feld);

}  // namespace lohnwippe
