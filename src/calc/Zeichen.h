#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lohnwippe {

// The characters every reader of typed or imported text asks about. Written
// out rather than taken from <cctype>, whose answers depend on the locale
// and are undefined for the bytes of UTF-8 above 127.

inline bool IstZiffer(char c) {
    return c >= '0' && c <= '9';
}

// A to Z as a to z, every other byte as it is: names of columns, file
// endings and keywords compared without case.
inline char AsciiKlein(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

inline std::string AsciiKlein(std::string_view text) {
    std::string klein(text);
    for (char& c : klein) {
        c = AsciiKlein(c);
    }
    return klein;
}

// Blanks and tabs: what surrounds a value in a box or a field without
// belonging to it.
inline bool IstLeerzeichen(char c) {
    return c == ' ' || c == '\t';
}

// `text` without the blanks and tabs at either end.
inline std::string_view Getrimmt(std::string_view text) {
    while (!text.empty() && IstLeerzeichen(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IstLeerzeichen(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// A whole number of digits only, nothing around them; at most nine, so
// that no range check after it can wrap.
inline std::optional<long> GanzzahlLesen(std::string_view text) {
    if (text.empty() || text.size() > 9) {
        return std::nullopt;
    }
    long wert = 0;
    for (char c : text) {
        if (!IstZiffer(c)) {
            return std::nullopt;
        }
        wert = wert * 10 + (c - '0');
    }
    return wert;
}

}  // namespace lohnwippe
