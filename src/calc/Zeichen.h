#pragma once

#include <string_view>

namespace lohnwippe {

// The characters every reader of typed or imported text asks about. Written
// out rather than taken from <cctype>, whose answers depend on the locale
// and are undefined for the bytes of UTF-8 above 127.

inline bool IstZiffer(char c) {
    return c >= '0' && c <= '9';
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

}  // namespace lohnwippe
