#pragma once

#include <optional>
#include <vector>

#include "calc/Berichtsmonat.h"
#include "fall/Fallangaben.h"
#include "fall/Meldung.h"
#include "fall/Stammdatenformular.h"
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

// Where the window opens: the case and the window's place.
struct Startort {
    Berichtsmonat Monat;
    Personenplatz Person;
    Fensterposition Fenster;
};
// The start before the first case loads: the files checked and completed
// (DateienPruefen), the names read into `formular`, then the case shown
// last: one of a year from 2013 when the settings of the later file name
// one the table knows (SV.dat's settings stay as they are), else the one of
// SV.dat's settings record. None when the program must end; `a` holds what
// to say first.
std::optional<Startort> StartortFinden(Datenbestand& daten, Stammdatenformular& formular,
                                       Aenderung& a);

// What ends the program at the start: the failure and that it ends.
Meldung Programmende(const DateiFehler& fehler, std::string_view grund = {});

}  // namespace lohnwippe
