#pragma once

#include <QString>

#include "platform/Meldungen.h"

namespace lohnwippe {

// Started from the desktop menu, the program has no folder of the user's
// choosing to work in; the menu entry passes this option, and the data files
// then live in the user's data folder. Started from a terminal without it,
// the program works in the folder it was started in.
inline constexpr const char* BenutzerordnerOption = "--benutzerordner";

// $XDG_DATA_HOME/lohnwippe, or ~/.local/share/lohnwippe when the variable is
// unset, empty or not an absolute path.
QString Benutzerordner();

// Creates the user's data folder when it is missing and makes it the working
// folder, where the data files are opened by bare name. A folder that cannot
// be created or entered is reported in a message; the result is then false
// and the working folder unchanged.
bool BenutzerordnerBetreten(Meldungen& meldungen);

}  // namespace lohnwippe
