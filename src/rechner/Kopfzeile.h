#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "rechner/Spalten.h"

namespace lohnwippe::rechner {

// What the header row of a CSV file or a sheet says: which field holds each
// input column, and which fields hold columns the calculator does not know
// (a personnel number, a remark). Those are carried to the output row
// unchanged, in their order, in front of the calculator's columns, so that
// a user can match results to their own keys. Columns of some output are
// passed over, as the calculator writes them anew; columns without a name
// too.
class Kopfzeile {
  public:
    // `ort` heads the messages ("ein.csv: Kopfzeile (Zeile 1)"). Throws
    // Abbruch for an input column named twice or a required one missing;
    // the latter names the separator `trenner` of a CSV file where the
    // names hold another.
    Kopfzeile(std::vector<std::string> namen, const std::string& ort, char trenner = ';');

    // The field of input column `i`, -1 where the input has none.
    int Feld(std::size_t i) const { return stelle_[i]; }
    // The fields carried, in their order, and their names.
    const std::vector<std::size_t>& MitgefuehrteFelder() const { return mitgefuehrt_; }
    const std::vector<std::string>& Mitgefuehrt() const { return mitgefuehrtNamen_; }
    // Name of field `feld`, or "Feld n" behind the last.
    std::string Name(std::size_t feld) const;
    std::size_t Anzahl() const { return namen_.size(); }

  private:
    std::vector<std::string> namen_;
    std::array<int, AnzahlEingabespalten> stelle_{};
    std::vector<std::size_t> mitgefuehrt_;
    std::vector<std::string> mitgefuehrtNamen_;
};

}  // namespace lohnwippe::rechner
