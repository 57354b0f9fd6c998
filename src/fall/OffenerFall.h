#pragma once

#include <memory>

#include "fall/Bildschirmfall.h"
#include "fall/Ersetzung.h"
#include "fall/Fensterlage.h"
#include "fall/Kassenformular.h"
#include "fall/Sicherung.h"
#include "fall/Stammdatenformular.h"
#include "fall/Verlauf.h"

namespace lohnwippe {

// The case open in the main window: one person's case in one month.
//
// It owns the data files and the parts that keep the state: the case on
// screen (Bildschirmfall), its saving (Sicherung), the master-data form
// (Stammdatenformular) with the funds of the later years (Kassenformular),
// the start (Startbefund), the undo history (Verlauf, carried out on the
// files by SchrittGehen) and the decisions about replaced files
// (Ersetzung). Its operations are the user's actions in both windows, each
// the sequence of the parts' calls it takes; each answers with what changed
// and what to tell the user (Aenderung). How the files are kept in step with
// the screen:
//
// - A calculation stores the case (record `FallNr`) and then the settings
//   record 603, which becomes a copy of the case with the names, the list
//   positions and the window's place (see Einstellungssatz.h); then it adds
//   up the annual sum. An amount that does not calculate stores nothing.
// - Loading a case (see Bildschirmfall.h) ends with one calculation.
// - A case whose save failed is "unsaved" (see Sicherung.h): it is stored
//   before another case loads, and while that fails the selection stays.
//   The employer name (Enter) and the fund of 2009 to 2012 (choice) are
//   written on their own (Bildschirmfall::ArbeitgeberInDenSatz), unless a
//   save is owed; then the whole case goes.
class OffenerFall {
  public:
    struct Start {
        std::unique_ptr<OffenerFall> Fall;  // none when the program must end
        // What to show and say; the messages come before the window.
        Aenderung Anzeige;
    };
    // Brings the files from a new or existing installation to the case shown
    // last, and the window to where it was; `fenster` outlives the model.
    static Start Starten(Datenbestand daten, Fensterlage& fenster);

    OffenerFall(const OffenerFall&) = delete;
    OffenerFall& operator=(const OffenerFall&) = delete;

    // Choosing in the lists. A year, month or person loads the case of the
    // new combination; a fund is written into the case, which then loads
    // again; a partial month calculates.
    Aenderung JahrWaehlen(Jahresplatz jahr) { return JahrWaehlen(ErstesJahr + jahr.Wert()); }
    // A calendar year of the list, 2009 .. LetztesBekanntesJahr(); any
    // other changes nothing.
    Aenderung JahrWaehlen(int jahr);
    Aenderung MonatWaehlen(Monatsplatz monat);
    Aenderung PersonWaehlen(Personenplatz person) { return Verlassen(bildschirm_.Monat(), person); }
    Aenderung KasseWaehlen(Kassenplatz kasse);
    Aenderung TeilmonatWaehlen(Teilmonatsplatz teilmonat);
    // From 2013: a fund of the year's list by its place, and the number of
    // children under 25 (0 .. 9), refused beside "Kinderlos".
    Aenderung KasseAb2013Waehlen(int platz);
    Aenderung KinderEingeben(int kinder);
    // A choice in the hidden list of KV rates: nothing but a calculation.
    Aenderung BeitragWaehlen() { return Fertig(Rechnen()); }

    // The amount boxes. Entering a box empties it; typing is kept (closing
    // takes it over); Enter takes the text over as an amount. A slider's
    // first step from 0 jumps to the amount typed.
    Aenderung EntgeltfeldBetreten(Job job) { return bildschirm_.EntgeltTippen(job, std::nullopt); }
    Aenderung EntgeltGetippt(Job job, std::string text) {
        return bildschirm_.EntgeltTippen(job, std::move(text));
    }
    Aenderung EntgeltEingeben(Job job, std::string_view text);
    Aenderung SchiebereglerGestellt(Job job, int position);

    Aenderung SchalterKlicken(Job job, Jobschalter schalter);
    Aenderung SchalterKlicken(Allgemeinschalter schalter);

    // The employer boxes: typing changes the case on screen, Enter stores
    // the name, leaving trims it.
    Aenderung ArbeitgeberGetippt(Job job, std::string text) {
        return bildschirm_.ArbeitgeberTippen(job, std::move(text));
    }
    Aenderung ArbeitgeberEnter(Job job);
    Aenderung ArbeitgeberVerlassen(Job job) { return bildschirm_.ArbeitgeberVerlassen(job); }

    // "--> Dez.": the case into every later month of its year.
    Aenderung BisDezemberKopieren();

    // The master-data window: the line-printer switch, and saving (which
    // reloads the case). A fund's 2012 rates and Enter in a U1 box change
    // nothing stored: Stammdaten() and Stammdatenformular::U1Enter.
    Aenderung ZeilendruckerSetzen(bool an) { return formular_.ZeilendruckerSetzen(an); }
    Aenderung StammdatenSpeichern(const Stammdateneingabe& eingabe);
    // The funds of a year from 2013, read and edited through Kassen().
    // Saving is one step, "Kassen 2026", stores an unsaved case first and
    // loads the case on screen again: its fund's place may have moved.
    Kassenantwort KassenSpeichern(int jahr, const std::vector<Kassenzeile>& zeilen);

    // Hands the saves to the disk (the view's timer, see
    // Aenderung::SicherungFaellig).
    Aenderung Sichern() {
        Aenderung a;
        sicherung_.Sichern(a);
        return Fertig(std::move(a));
    }

    // The user's answer to Aenderung::Wahl: whether the file another program
    // put under the name goes on (the case on screen is then read from it)
    // or the program's own version; the other one stays beside it.
    Aenderung ErsetzungEntscheiden(bool neueUebernehmen);
    // The question before the program ends while the user's version of a
    // data file is only in memory, the decision not carried out; none when
    // both files are on disk.
    std::optional<std::string> UngeklaertVorDemEnde() { return ersetzung_.VorDemEnde(); }

    // Undo and redo of the steps that changed stored data (see Verlauf):
    // the records go back to the bytes before (or after) the step, the case
    // of the step is shown and calculated. Nothing is written when another
    // program changed one of the records since, or while a save is owed;
    // a step whose writes fail is put back whole and said.
    Aenderung Rueckgaengig() { return Gehen(true); }
    Aenderung Wiederholen() { return Gehen(false); }

    // Closing: typed text is taken over and stored, the case is saved, the
    // settings record gets the case number and the window's place, and all
    // goes to the disk. A failure comes back as the question to ask before
    // the program ends without it.
    Aenderung Schliessen();

    // What the windows show, each from the part that keeps it: the case on
    // screen with its result and the report (Bildschirmfall), the names and
    // the line printer (Stammdatenformular), the funds of a year from 2013
    // (Kassenformular), the texts of the undo menu (Verlauf::Menuetext).
    // Reading changes nothing; every change is one of the actions above.
    const Bildschirmfall& Bildschirm() const { return bildschirm_; }
    const Stammdatenformular& Stammdaten() const { return formular_; }
    const Kassenformular& Kassen() const { return kassen_; }
    const Verlauf& Schritte() const { return verlauf_; }

  private:
    OffenerFall(Datenbestand daten, Fensterlage& fenster);

    // Reads levy record and case of `monat` and `person` and shows it;
    // changes nothing when a read fails, and says so, followed by `folge`.
    Aenderung Laden(Berichtsmonat monat, Personenplatz person, std::string_view folge);
    // The case on screen read again from the files, as after the master data.
    Aenderung NeuLaden();
    Aenderung Rechnen();
    Aenderung Verlassen(Berichtsmonat monat, Personenplatz person);
    Aenderung EntgeltSetzen(Job job, Waehrung betrag);
    // The record in memory to write one change into on its own; while a
    // save is owed it is older than the screen, and the whole case goes.
    Fallsatz& SatzImSpeicher() { return bildschirm_.SatzImSpeicher(sicherung_.Ungesichert()); }
    // Every answer ends here: whether a sync is due, and which version of a
    // file another program changed is to go on.
    Aenderung Fertig(Aenderung&& aenderung);
    // Names the action in progress as a step, at the case on screen, and
    // the case after `text`.
    void SchrittBenennen(std::string text) {
        verlauf_.Benennen(std::move(text), formular_.Namen(), bildschirm_.Monat(),
                          bildschirm_.Person());
    }
    Aenderung Gehen(bool rueckwaerts);
    // A change on screen named `schritt` (none: refused, as `a` says)
    // becomes the step in progress and is calculated.
    Aenderung Aendern(std::optional<std::string> schritt, Aenderung&& a = {});

    Datenbestand daten_;
    Fensterlage& fenster_;
    Sicherung sicherung_;
    Stammdatenformular formular_;
    Kassenformular kassen_;
    Bildschirmfall bildschirm_;
    Ersetzung ersetzung_;
    Verlauf verlauf_;
};

}  // namespace lohnwippe
