#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calc/Eingaben.h"

namespace lohnwippe {

// A message for the user, in the order the program says things; the view
// shows it in a modal box. The symbol numbers are those of the box.
enum class Symbol { Keines = 0, Ausrufezeichen = 1, Fehler = 2 };

struct Meldung {
    std::string Titel;
    std::string Text;
    Symbol Art = Symbol::Keines;
    bool operator==(const Meldung&) const = default;
};

// What a user action changed, so that a view redraws that and no more, and
// what it has to say. A view draws everything it shows from the model; it
// never reads a value back out of its controls.
struct Aenderung {
    // A case was loaded, or the selection went back: every input of the
    // case, the lists, the rates of the year and of the fund.
    bool Fall = false;
    // Only the lists' selection (a change refused before anything loaded).
    bool Auswahl = false;
    // The result table, the warning and the annual sum.
    bool Ergebnis = false;
    // The names in the person list.
    bool Personen = false;
    // The new text of an amount box, where one changed.
    JeJob<std::optional<std::string>> Entgelttext{};
    std::vector<Meldung> Meldungen;

    Aenderung& operator+=(Aenderung andere);
};

inline Aenderung& Aenderung::operator+=(Aenderung andere) {
    Fall = Fall || andere.Fall;
    Auswahl = Auswahl || andere.Auswahl;
    Ergebnis = Ergebnis || andere.Ergebnis;
    Personen = Personen || andere.Personen;
    for (std::size_t j = 0; j < Entgelttext.size(); ++j) {
        if (andere.Entgelttext[j]) {
            Entgelttext[j] = std::move(andere.Entgelttext[j]);
        }
    }
    for (Meldung& m : andere.Meldungen) {
        Meldungen.push_back(std::move(m));
    }
    return *this;
}

}  // namespace lohnwippe
