#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "fall/Fallangaben.h"
#include "fall/Meldung.h"
#include "store/Datenbestand.h"
#include "store/Einstellungssatz.h"

namespace lohnwippe {

// What the master-data window hands over when it saves: its boxes' texts.
struct Stammdateneingabe {
    std::array<std::string, AnzahlPersonen> Personen{};
    std::array<std::string, 2> Abrechnungsstelle{};
    Kassenplatz Kasse;
    std::array<std::string, MonateJeJahr> U1{}, U2{};
};

// The master-data form on the files: the 2012 rates of a fund as its boxes
// show them, Enter in a U1 box, and saving names and rates. It never
// touches the case on screen; the open case reloads that after a save.
class Stammdatenformular {
  public:
    explicit Stammdatenformular(Datenbestand& daten) : daten_(daten) {}

    // A rate as the boxes show it ("0,370").
    static std::string Satztext(std::int64_t tausendstel);

    // The U1 and U2 boxes of `kasse`, January first. When the rates cannot
    // be read the boxes are emptied: rates of the previous fund must not
    // stay there, as saving would store them for this one, and empty boxes
    // cannot be saved.
    Aenderung KasseWaehlen(Kassenplatz kasse);

    // Enter in the U1 box of `monat`: an empty box gets "0"; otherwise the
    // rate goes into this month and every later one, corrected to 0,300
    // when out of range, and then the "Korrektor" says so.
    static Aenderung U1Enter(std::array<std::string, MonateJeJahr> u1, Monatsplatz monat);

    // Checks every box before anything is written, so that a wrong one
    // leaves the files as they were and names the box to correct. Then the
    // names go to records 601 to 603 (and `namen` takes them as the file
    // now holds them), the rates of the fund to U12.dat, and all to the
    // disk, as one change: a failure puts back what went through, leaves
    // `namen` as it was and keeps the window open; `StammdatenSchliessen`
    // says that everything is stored.
    Aenderung Speichern(const Stammdateneingabe& eingabe, bool zeilendrucker, Namensfelder& namen);

  private:
    Datenbestand& daten_;
};

}  // namespace lohnwippe
