#pragma once

#include "fall/Meldung.h"

namespace lohnwippe {

// A window of the open case: it draws what an action changed and says what
// the action has to say. Both windows answer every action this way; the
// master-data window hands what concerns the main window on to it.
class Ansicht {
  public:
    virtual ~Ansicht() = default;
    virtual void Zeigen(const Aenderung& aenderung) = 0;
};

}  // namespace lohnwippe
