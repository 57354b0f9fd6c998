#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "fall/Fallangaben.h"
#include "fall/Meldung.h"
#include "fall/Verlauf.h"
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
// show them, Enter in a U1 box, and saving names and rates. It keeps the
// names and the line-printer switch the windows show. It never touches the
// case on screen; the open case reloads that after a save.
class Stammdatenformular {
  public:
    explicit Stammdatenformular(Datenbestand& daten) : daten_(daten) {}

    // A rate as the boxes show it ("0,370").
    static std::string Satztext(std::int64_t tausendstel);

    // The U1 and U2 boxes of `kasse`, January first. When the rates cannot
    // be read the boxes are emptied: rates of the previous fund must not
    // stay there, as saving would store them for this one, and empty boxes
    // cannot be saved.
    Aenderung KasseWaehlen(Kassenplatz kasse) const;

    // Enter in the U1 box of `monat`: an empty box gets "0"; otherwise the
    // rate goes into this month and every later one, corrected to 0,300
    // when out of range, and then the "Korrektor" says so.
    static Aenderung U1Enter(std::array<std::string, MonateJeJahr> u1, Monatsplatz monat);

    // Checks every box before anything is written, so that a wrong one
    // leaves the files as they were and names the box to correct. Then the
    // names and the line printer go to records 601 to 603 (and Namen()
    // takes them as the file now holds them), the rates of the fund to
    // U12.dat, and all to the disk, as one change: a failure puts back what
    // went through, leaves names and switch as they were stored and keeps
    // the window open; `StammdatenSchliessen` says that everything is stored.
    Aenderung Speichern(const Stammdateneingabe& eingabe);

    // The names of the persons and the payroll office as the files hold them.
    const Namensfelder& Namen() const { return namen_; }
    // At the start: the names from records 601 to 603 one by one, and the
    // settings record; none when a read fails, and `a` says that the
    // program ends: every calculation writes the names back into record
    // 603, and names not read would replace the stored ones.
    std::optional<Fallsatz> Einlesen(Aenderung& a);
    // Reads them again after another program's file or an undone step put
    // other ones on disk; keeps the ones shown when that read fails.
    bool NamenNeuLesen();

    // The switch as the window shows it, and as the last save stored it:
    // the box may have changed since, and only a save stores it.
    bool Zeilendrucker() const { return zeilendrucker_; }
    bool ZeilendruckerGespeichert() const { return zeilendruckerGespeichert_; }
    Aenderung ZeilendruckerSetzen(bool an) {
        zeilendrucker_ = an;
        return {};
    }
    // Names and switch as the files hold them, for the undo of a save.
    Schritt::Stammwerte Gespeichert() const { return {namen_, zeilendruckerGespeichert_}; }
    // Undo or redo stored `namen` and `drucker`; a switch that step did not
    // change keeps what the user set in the box.
    void Zurueckgeschrieben(Namensfelder namen, bool drucker);

  private:
    Datenbestand& daten_;
    Namensfelder namen_{};
    bool zeilendrucker_ = false;
    bool zeilendruckerGespeichert_ = false;
};

}  // namespace lohnwippe
