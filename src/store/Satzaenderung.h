#pragma once

#include <cstddef>
#include <vector>

namespace lohnwippe {

// Which of the two data files.
enum class Datendatei { Faelle, Umlagen };

// One record a write changed: its bytes before and after.
struct Satzaenderung {
    Datendatei Datei = Datendatei::Faelle;
    int SatzNr = 0;
    std::vector<std::byte> Vorher;
    std::vector<std::byte> Nachher;
};

}  // namespace lohnwippe
