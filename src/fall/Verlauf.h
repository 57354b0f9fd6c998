#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "calc/Berichtsmonat.h"
#include "fall/Fallangaben.h"
#include "store/Einstellungssatz.h"
#include "store/Satzaenderung.h"

namespace lohnwippe {

// One user action that changed stored data, as undo and redo need it: what
// it is called, where the user was, and every record it changed.
struct Schritt {
    std::string Text;
    Berichtsmonat Monat;
    Personenplatz Person;
    std::vector<Satzaenderung> Saetze;
    // The master data the settings record holds besides the case on screen
    // (names of persons 9 and 10, the payroll office, the line printer):
    // that record follows the screen, so they are kept here, before and
    // after a master-data save.
    struct Stammwerte {
        Namensfelder Namen;
        bool Zeilendrucker = false;
        bool operator==(const Stammwerte&) const = default;
    };
    // Held apart, as only master-data saves have them: a step of every
    // Enter stays small, and the list of a thousand of them dense.
    std::shared_ptr<const Stammwerte> StammVorher, StammNachher;
    // Taken on a file the user has since replaced by another program's
    // ("Neue Datei übernehmen"): it still goes where that file's records
    // hold the bytes it left; where they do not, it never will.
    bool Frueher = false;
};

// What a step is called, as the context menu and the notice after an undo
// show it: the change, the case and month.
std::string Fallname(const Namensfelder& namen, Personenplatz person, Berichtsmonat monat);
void FallnameAnhaengen(std::string& ziel, const Namensfelder& namen, Personenplatz person,
                       Berichtsmonat monat);
// A record of a step, for a message: "die Namen der Personalfälle",
// "„Name, Januar 2012“" and the like.
std::string Satzname(const Namensfelder& namen, const Satzaenderung& satz);
std::string Jobname(Job job);
// "Entgelt Hauptbeschäftigung 450,00 → 0,00", with room for the case that
// Verlauf::Benennen adds.
std::string Entgeltschritt(Job job, Waehrung vorher, Waehrung nachher);
// "--> Dez." from `monat` on: "--> Dez., Februar bis Dezember 2012".
std::string BisDezemberText(Berichtsmonat monat);
std::string Schaltername(Jobschalter schalter);
std::string Schaltername(Allgemeinschalter schalter);

// The steps of a session, for undo and redo. The store adds every record a
// write changes to Mitschrift(); when an action ends, Abschliessen makes
// them one step or, for navigation, none.
class Verlauf {
  public:
    // Well beyond a day's work; only the records steps changed take memory.
    static constexpr std::size_t HoechstensSchritte = 1000;

    std::vector<Satzaenderung>& Mitschrift() { return offen_; }

    // The records written since the last call become `schritt` (named and
    // placed by the action), each with its bytes before the first and after
    // the last write of the action; none when nothing but the settings
    // record changed. A new step drops the ones that could have been redone.
    // Without a step (choosing a case, loading) the records changed belong
    // to the last step, and the steps that can be redone start from them.
    void Abschliessen(std::optional<Schritt> schritt);

    // The action in progress as a step, named where it is taken. Closing
    // may take over several boxes at once: one step for all.
    void Benennen(std::string text, Berichtsmonat monat, Personenplatz person);
    // The step in progress names its case after `namen`, with ", " after
    // `text`.
    void Benennen(std::string text, const Namensfelder& namen, Berichtsmonat monat,
                  Personenplatz person) {
        text += ", ";
        FallnameAnhaengen(text, namen, person, monat);
        Benennen(std::move(text), monat, person);
    }
    // The master data of the step in progress, before and after a save went
    // through.
    void Stammdaten(Schritt::Stammwerte vorher, Schritt::Stammwerte nachher);
    // What a save still owed wrote before an undo or redo, the case as typed
    // after a failed save, is a step of its own, the first to be taken back.
    void Nachgeholt(const Namensfelder& namen, Berichtsmonat monat, Personenplatz person);
    // Ends the action in progress (Abschliessen). A step the files have not
    // taken (`ungesichert`) leaves nothing that could be redone.
    void Beenden(bool ungesichert);

    // The writes since the last call are no step and belong to none (undo
    // and redo themselves).
    void Verwerfen();
    // A change the files have not taken: what could have been redone no
    // longer follows from the screen.
    void VorVerwerfen();

    // The step the next undo or redo would take back or do again.
    const Schritt* Zurueck() const { return zurueck_.empty() ? nullptr : &zurueck_.back(); }
    const Schritt* Vor() const { return vor_.empty() ? nullptr : &vor_.back(); }
    const Schritt* Naechster(bool rueckwaerts) const { return rueckwaerts ? Zurueck() : Vor(); }
    // "Rückgängig: …" or "Wiederholen: …" for the menu; none when nothing.
    std::optional<std::string> Menuetext(bool rueckwaerts) const;
    // After an undo (`rueckwaerts`) or a redo went through.
    void Gegangen(bool rueckwaerts);
    // The next undo or redo cannot go on the file in use: it is dropped, so
    // that the ones before it can.
    void Streichen(bool rueckwaerts);
    // Another program's file was taken over and loaded: every step so far
    // was taken on the file it replaced (Schritt::Frueher), and what loading
    // it stored belongs to none of them.
    void Uebernommen();

  private:
    // `zumLetzten`: records written without a step join the last one.
    void Abschliessen(std::optional<Schritt> neu, bool zumLetzten);

    // The oldest step goes when the list is full.
    std::deque<Schritt> zurueck_;
    std::deque<Schritt> vor_;
    std::vector<Satzaenderung> offen_;
    std::optional<Schritt> laufend_;
};

}  // namespace lohnwippe
