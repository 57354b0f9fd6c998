#pragma once

#include <QString>
#include <vector>

#include "Meldungen.h"

namespace lohnwippe::test {

// Records every message instead of showing it; answers at once.
class MeldungenAttrappe final : public Meldungen {
  public:
    struct Eintrag {
        QString Titel;
        QString Text;
        Meldungssymbol Symbol;
    };
    std::vector<Eintrag> Eintraege;

    void Zeigen(const QString& titel, const QString& text, Meldungssymbol symbol) override {
        Eintraege.push_back({titel, text, symbol});
    }
};

class SignaltonAttrappe final : public Signalton {
  public:
    int Anzahl = 0;
    void Piepen() override { ++Anzahl; }
};

}  // namespace lohnwippe::test
