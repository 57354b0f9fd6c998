#pragma once

#include <vector>

#include "calc/Berichtsmonat.h"
#include "fall/Fallangaben.h"
#include "fall/Meldung.h"
#include "store/Datenbestand.h"

namespace lohnwippe {

// The first look at the data files when the program starts: a new
// installation gets its default contents, levy records missing from U12.dat
// are restored, and what the start finds wrong in the files is said once,
// in one box: the levy records it had to restore, lengths that are not
// those of the records, and rates no fund ever had.
struct Startbefund {
    std::vector<Meldung> Meldungen;
    // False when a file could not be read or written: the program ends
    // after the messages, and nothing has been written.
    bool Weiter = true;
};

Startbefund DateienPruefen(Datenbestand& daten);

// The case of a year from 2013 shown last and the window's place then, as
// the settings of the later file name them; none when they name no case of
// a year the table knows, or cannot be read (SV.dat's case is shown then).
struct Spaetstart {
    Berichtsmonat Monat;
    Personenplatz Person;
    Fensterposition Fenster;
};
std::optional<Spaetstart> SpaeterStartfall(Datenbestand& daten);

// What ends the program at the start: the failure and that it ends.
Meldung Programmende(const DateiFehler& fehler, std::string_view grund = {});

}  // namespace lohnwippe
