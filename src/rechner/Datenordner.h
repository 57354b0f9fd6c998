#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "rechner/Ausgabedatei.h"
#include "rechner/Fehler.h"
#include "store/Datenbestand.h"
#include "store/Umlagesatz.h"

namespace lohnwippe::rechner {

// The data files of a folder, read as they are while a window may be
// working on them: opened read-only, never created, never written, never
// locked (the window holds its lock on SV.dat for its whole run, and
// reading is safe beside it).

// The data folder `ordner` as a command reads it: U12.dat and SVab2013.dat,
// and SV.dat when `mitFaellen` (the export). Abbruch when `ordner` is no folder, SV.dat
// cannot be read or a file is no regular file or keeps changing while it is
// read. Each file is read whole, again until two reads in a row agree: the
// window writes every record with a single pwrite, but a read that meets
// such a write can see part of the old and part of the new record.
//
// The files are taken as the window finds them at its start: the levy
// records U12.dat lacks (all of them when it is missing) are the defaults
// the window writes there, and an empty SV.dat is the default contents of
// both files, with the levy records U12.dat has. SVab2013.dat is taken as
// the window takes it, too: missing or empty, its default contents; whole
// years missing at its end, their defaults, without a word. What the window would say
// about the files goes to `melden`, in the calculator's words where the
// calculator does something else; records beyond the end of SV.dat read as
// zeros. The files read, and the data files' names in the folder, are
// added to `gelesen`.
Datenbestand DatenordnerLesen(const std::string& ordner, bool mitFaellen, Gelesenes& gelesen,
                              const Melder& melden);

// The funds of every year from 2013 (Datenbestand::KassenLesen), 2013
// first.
using Kassenlisten = std::vector<std::vector<Kasseneintrag>>;
Kassenlisten KassenlistenLesen(Datenbestand& daten);
// The funds of `jahr` (from 2013) in `listen`; none for a year after them.
const std::vector<Kasseneintrag>& KassenDesJahres(const Kassenlisten& listen, int jahr);
// A fund's name as the lists show it, without the blanks that fill its field.
std::string Kassenname(const Kasseneintrag& kasse);

// The 48 levy records, January 2009 first.
using Umlagetabelle = std::array<Umlagesatz, AnzahlUmlagesaetze>;
Umlagetabelle StandardUmlagen();
Umlagetabelle UmlagenLesen(Datenbestand& daten);

// The folder a start from the desktop menu uses: $XDG_DATA_HOME/lohnwippe
// when the variable holds an absolute path, else ~/.local/share/lohnwippe.
// Abbruch when there is no home folder either.
std::string Benutzerdatenordner();

}  // namespace lohnwippe::rechner
