#pragma once

#include "store/Einstellungssatz.h"

namespace lohnwippe {

// Where the window is, in twips, and moving it: the model needs both for the
// settings record.
class Fensterlage {
  public:
    virtual ~Fensterlage() = default;
    virtual Fensterposition Position() const = 0;
    virtual void Verschieben(Fensterposition position) = 0;
};

}  // namespace lohnwippe
