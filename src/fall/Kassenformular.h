#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "fall/Meldung.h"
#include "store/Datenbestand.h"

namespace lohnwippe {

// The boxes of one fund entry of a year from 2013, as the master-data
// window shows them.
struct Kassenzeile {
    std::string Name, Zusatzbeitrag, U1, U2;
    // The entry's place in the list as it was read; none for a new one.
    // Cases keep their fund as that place, so a save moves them along.
    std::optional<int> Herkunft;
    bool operator==(const Kassenzeile&) const = default;
};

enum class Kassenspalte { Name, Zusatzbeitrag, U1, U2 };

// What an action on a year's funds gives the window: the list to show
// (after reading or saving), the box to correct, and what to tell.
struct Kassenantwort {
    Aenderung Anzeige;
    std::optional<std::vector<Kassenzeile>> Zeilen;
    struct Feld {
        std::size_t Zeile = 0;
        Kassenspalte Spalte = Kassenspalte::Name;
        bool operator==(const Feld&) const = default;
    };
    std::optional<Feld> Korrigieren;
    bool Gespeichert = false;
};

// The funds of the years from 2013 on, edited in the master-data window.
//
// The first entry of every year is "Durchschnitt": no real fund but the
// year's average Zusatzbeitrag without levies, which every new case has.
// It is shown as the law gives it and can be neither changed nor removed,
// so that nobody takes it for a fund whose rates were typed in.
//
// A case holds its fund as the place in the year's list: an entry that
// cases use cannot be removed (the message says how many), and the cases
// of entries behind a removed one move up with them in the same step.
class Kassenformular {
  public:
    explicit Kassenformular(Datenbestand& daten) : daten_(daten) {}

    static constexpr std::size_t NameLaenge = 20;

    // The year's entries with their rates as "2,900"; nothing but a
    // message when they cannot be read.
    Kassenantwort Lesen(int jahr) const;
    // A new entry at the end, with no name and rates of 0; a message
    // instead when the year is full.
    static Kassenantwort Neu(std::vector<Kassenzeile> zeilen);
    // Removes entry `zeile` from the boxes, unless it is "Durchschnitt" or
    // stored cases of `jahr` use it.
    Kassenantwort Entfernen(int jahr, std::vector<Kassenzeile> zeilen, std::size_t zeile) const;
    // Checks every box, then writes the list and the cases that move as one
    // change; a wrong box names entry and box and writes nothing. The
    // caller names the step for undo.
    Kassenantwort Speichern(int jahr, const std::vector<Kassenzeile>& zeilen);

  private:
    // How many stored cases of `jahr` have each fund place; none when a
    // case cannot be read (`a` says so).
    std::optional<std::vector<int>> Nutzung(int jahr, Aenderung& a) const;

    Datenbestand& daten_;
};

}  // namespace lohnwippe
