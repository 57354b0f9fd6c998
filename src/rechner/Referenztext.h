#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace lohnwippe::rechner {

// The pieces of the Markdown column reference (`lohnwippe-rechner spalten`).

inline std::string Code(std::string_view name) {
    return "`" + std::string(name) + "`";
}

// "`KV_1` … `KV_4`"
inline std::string Gruppe(std::string_view name) {
    return Code(std::string(name) + "_1") + " … " + Code(std::string(name) + "_4");
}

inline void Tabellenzeile(std::string& text, std::initializer_list<std::string> zellen) {
    text += "|";
    for (const std::string& zelle : zellen) {
        text += " " + zelle + " |";
    }
    text += "\n";
}

}  // namespace lohnwippe::rechner
