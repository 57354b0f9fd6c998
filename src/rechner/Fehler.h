#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>

#include "store/DateiFehler.h"

namespace lohnwippe::rechner {

// How the calculator fails. A row that cannot be read costs that row; a
// file that cannot be read or written, or a header the program does not
// understand, costs the command.

// A failure that ends a command with exit status 2. The text is the German
// message.
struct Abbruch : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The value of a file access, or its failure as Abbruch with the message of
// the file layer ("aus.csv: Schreiben nicht möglich – …").
template <typename T>
T OderAbbruch(Erwartet<T> ergebnis) {
    if (!ergebnis.HatWert()) {
        throw Abbruch(ergebnis.Fehler().Meldung());
    }
    return std::move(ergebnis).Wert();
}
inline void OderAbbruch(const Erwartet<void>& ergebnis) {
    if (!ergebnis.HatWert()) {
        throw Abbruch(ergebnis.Fehler().Meldung());
    }
}

// Why a row was not read: the column (empty when the row as a whole is at
// fault) and the reason, both German.
struct Zeilenfehler {
    std::string Spalte;
    std::string Grund;
};

// Gets one German message line (without line end) at a time.
using Melder = std::function<void(const std::string&)>;

}  // namespace lohnwippe::rechner
