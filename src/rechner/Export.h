#pragma once

#include <optional>
#include <string>

#include "rechner/Rechnen.h"
#include "store/Datenbestand.h"

namespace lohnwippe::rechner {

// Which stored cases to give out.
struct Exportauswahl {
    std::optional<int> Jahr;       // 2009 .. 2012; none: all four
    std::optional<int> PersonPos;  // 0 .. 9; none: all ten
    bool Alle = false;             // also the cases never touched
};

// Every chosen case of `daten` (records 1 .. 480, the lists' reach), loaded
// as the window loads it (WieAngezeigt, EingabenAusFall with the levy
// record of its month), calculated and written as one row of Exportspalten:
// case number, person, employers, the inputs, the results and the year's
// remuneration. A case that cannot be calculated is named in `melden` and
// left out; one whose year cannot be summed keeps that field empty.
Zaehlung FaelleExportieren(Datenbestand& daten, const Exportauswahl& auswahl,
                           Zeilenschreiber& ausgabe, const Melder& melden);

// The person named on the command line: a number 1 .. 10 or the name as in
// the person list (without trailing blanks). Abbruch for anything else.
int PersonWaehlen(const std::string& person, Datenbestand& daten);

// The command `export`.
struct Exportauftrag {
    std::optional<std::string> Ordner;  // none: the user's data folder
    std::string Ausgabe = "-";
    std::optional<Ausgabeformat> Format;
    std::optional<std::string> Jahr;
    std::optional<std::string> Person;
    bool Alle = false;
    bool Bom = false;
};

// Exit status as for `rechnen`.
int ExportBefehl(const Exportauftrag& auftrag, const Melder& melden);

}  // namespace lohnwippe::rechner
