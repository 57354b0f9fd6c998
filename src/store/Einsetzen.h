#pragma once

#include <functional>
#include <string>

#include "store/DateiFehler.h"
#include "store/Deskriptor.h"

namespace lohnwippe {

// How a file is put under a name whole or not at all.
struct Einsetzung {
    // Fills the new file, open for reading and writing.
    std::function<Erwartet<void>(Deskriptor&)> Fuellen;
    // Once the new file is on the disk and before it goes under the name:
    // what must not happen earlier (locking it, moving the file now under
    // the name aside). None: nothing.
    std::function<Erwartet<void>(Deskriptor&)> Vorher;
    // A file under the name is replaced; otherwise finding one is a failure
    // (EEXIST), since it came from someone else in the meantime.
    bool Ersetzen = false;
};

// Writes a file under `name` so that nobody ever finds half of it there:
// it is filled under a name of its own beside it ("<name>.XXXXXX"), handed
// to the disk and only then moved under `name`. A failure removes it and
// leaves the name as it was; failures name `name`. Returns the new file,
// still open.
Erwartet<Deskriptor> Einsetzen(const std::string& name, const Einsetzung& wie,
                               Systemaufrufe& aufrufe = Systemaufrufe::Echte());

}  // namespace lohnwippe
