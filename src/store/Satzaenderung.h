#pragma once

#include <cstddef>
#include <vector>

namespace lohnwippe {

// Which of the data files: SV.dat, U12.dat, or the file of the months
// from 2013 on.
enum class Datendatei { Faelle, Umlagen, Ab2013 };

// One record a write changed: its bytes before and after.
struct Satzaenderung {
    Datendatei Datei = Datendatei::Faelle;
    int SatzNr = 0;
    std::vector<std::byte> Vorher;
    std::vector<std::byte> Nachher;
};

}  // namespace lohnwippe
