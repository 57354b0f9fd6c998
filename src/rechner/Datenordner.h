#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "rechner/Fehler.h"
#include "store/Datenbestand.h"
#include "store/Umlagesatz.h"

namespace lohnwippe::rechner {

// The data files of a folder, read as they are while a window may be
// working on them: opened read-only, never created, never written, never
// locked (the window holds its lock on SV.dat for its whole run, and
// reading is safe beside it).

// A data file as read, whole, once.
struct Dateiabbild {
    std::string Name;               // bare file name, "SV.dat"
    std::vector<std::byte> Inhalt;  // up to the records the program knows
    std::uint64_t Laenge = 0;       // the file's whole length
};

// Reads `ordner`/`name`, at most `hoechstens` bytes, and reads it again
// until two reads in a row agree (at most five times). The window writes
// every record with a single pwrite, but a read that meets such a write can
// see part of the old and part of the new record; the second read cannot
// meet the same write half done unless the write stood still for the whole
// of both reads. nullopt for a missing file when `fehlenDarf`; Abbruch for
// any other failure, and for a file that keeps changing.
std::optional<Dateiabbild> AbbildLesen(const std::string& ordner, const char* name,
                                       std::size_t hoechstens, bool fehlenDarf);

// The record files as the window would find them: when SV.dat is empty the
// window writes the default contents of both files, so that is what they
// hold here. The messages of the window's start-up about short files go
// to `melden`; records beyond the end read as zeros.
Datenbestand DatenbestandAusAbbildern(std::optional<Dateiabbild> faelle,
                                      std::optional<Dateiabbild> umlagen, const Melder& melden);

// The 48 levy records, January 2009 first.
using Umlagetabelle = std::array<Umlagesatz, AnzahlUmlagesaetze>;
Umlagetabelle StandardUmlagen();
Umlagetabelle UmlagenLesen(Datenbestand& daten);
// The levy records of a U12.dat read on its own; short files as above.
Umlagetabelle UmlagenAusAbbild(Dateiabbild umlagen, const Melder& melden);

// The folder a start from the desktop menu uses: $XDG_DATA_HOME/lohnwippe
// when the variable holds an absolute path, else ~/.local/share/lohnwippe.
// Abbruch when there is no home folder either.
std::string Benutzerdatenordner();

}  // namespace lohnwippe::rechner
