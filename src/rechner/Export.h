#pragma once

#include <optional>
#include <string>

#include "rechner/Befehl.h"

namespace lohnwippe::rechner {

// The command `export`: every chosen case of the data folder (records 1 ..
// 480 of SV.dat, the lists' reach, then the cases from 2013 in
// SVab2013.dat with their fund's rates from the year's list), loaded as the
// window loads it, calculated and written as one row of Exportspalten: case
// number in its file, person, employers, the inputs, the results and the
// year's remuneration. A case that cannot be
// calculated is named and left out; one whose year cannot be summed keeps
// that field empty.
struct Exportauftrag {
    std::optional<std::string> Ordner;  // none: the user's data folder
    Ausgabeoptionen Ausgabe;
    std::optional<std::string> Jahr;  // none: every year from 2009
    // A number 1 .. 10 or the name as in the person list (without trailing
    // blanks); none: all ten.
    std::optional<std::string> Person;
    bool Alle = false;  // also the cases never touched
};

// Exit status and messages as ZeilenAusgeben says.
int ExportBefehl(const Exportauftrag& auftrag, const Melder& melden);

}  // namespace lohnwippe::rechner
