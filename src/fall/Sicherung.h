#pragma once

#include <optional>

#include "fall/Meldung.h"
#include "store/Datenbestand.h"
#include "store/Einstellungssatz.h"

namespace lohnwippe {

// The saving of the open case, written once for every action that stores
// it:
//
// - A write of the case record that fails leaves the case "unsaved" until
//   a later write of it goes through; the open case then stores it before
//   another case loads, and closing asks before the program ends without it.
// - A run of failures is said once, with its first failure: while saving
//   keeps failing, the first message says all there is to say. A save in
//   which every write went through ends the run.
// - Written records are handed to the disk later: the view's timer calls
//   Sichern within about a second, the open case at once when another case
//   loads, and at closing. A sync that fails makes the case unsaved, since
//   the disk may not hold what was written.
// - Files that a write found replaced or deleted are said after the write.
//
// Every method adds to `a` what the user has to hear and, after a write,
// that a sync is due.
class Sicherung {
  public:
    explicit Sicherung(Datenbestand& daten) : daten_(daten) {}
    Sicherung(const Sicherung&) = delete;
    Sicherung& operator=(const Sicherung&) = delete;

    // After a calculation: the case as record `fallNr`, then the settings
    // record.
    void NachRechnung(int fallNr, const Fallsatz& fall, const Fallsatz& einstellungen,
                      Aenderung& a);
    // The annual sum reads the case from the file, so the calculation saves
    // before it; what that save could not write gets a second chance after
    // it. What went through is not written again: its bytes are on disk.
    void Nachschreiben(Aenderung& a);

    // A change of the stored case alone (the fund, an employer name).
    void FallSchreiben(int fallNr, const Fallsatz& fall, Aenderung& a);
    // The case into its record and every later month of its year.
    void BisDezember(int fallNr, const Fallsatz& fall, Aenderung& a);

    // Stores an unsaved case, without a word: what a failure means depends
    // on what the user was about to do, and the caller says it.
    Erwartet<void> Nachholen(int fallNr, const Fallsatz& fall);
    // Before another case loads: an unsaved case stored, or loading it
    // would throw its values away; then the selection stays (`Auswahl`),
    // and false.
    bool VorDemLaden(int fallNr, const Fallsatz& fall, Aenderung& a);
    // Before an undo or redo: a save still owed would later write over
    // what comes back; false when it fails.
    bool VorDemSchritt(int fallNr, const Fallsatz& fall, Aenderung& a);
    // After the master data went through: the case on screen stored, so
    // that it can be read again; false when it fails, and then it stays on
    // screen with its values.
    bool NachStammdaten(int fallNr, const Fallsatz& fall, Aenderung& a);
    bool Ungesichert() const { return ungesichert_; }

    // The file the case on screen lives in: SV.dat for 2009 to 2012, the
    // file of later years from 2013, each with its own settings record.
    // Going back from a later year clears the later file's last case, so
    // that the next start shows the case of SV.dat again; a failure is said.
    void DateiWaehlen(Datendatei datei, Aenderung& a);

    // Hands what was written to the disk.
    void Sichern(Aenderung& a);
    bool Faellig() const { return faellig_; }

    // The end of the program: an unsaved case stored, the settings record
    // with the case number and the window's place, and all to the disk. A
    // failure is for the caller to ask about.
    Erwartet<void> Beenden(int fallNr, const Fallsatz& fall, Fensterposition fenster);
    // The same when the user closes: a failure becomes the question whether
    // to end without it (`Aenderung::Frage`).
    void Schliessen(int fallNr, const Fallsatz& fall, Fensterposition fenster, Aenderung& a);
    // The same after the user took another program's file over while
    // closing: a failure is said.
    void BeendenNachWahl(int fallNr, const Fallsatz& fall, Fensterposition fenster, Aenderung& a);

    // The files found replaced since the last look.
    void Ersetzungen(Aenderung& a);

    // A failure of the files, said only if none of this run was said yet,
    // followed by `folge`: what happens now.
    void Melden(const DateiFehler& fehler, std::string_view folge, Aenderung& a);

  private:
    Erwartet<void> Schreiben(int satzNr, const Fallsatz& satz);
    int Einstellungsnummer() const;
    void Fehlschlag(const DateiFehler& fehler, Aenderung& a);
    void Gelungen();

    Datenbestand& daten_;
    Datendatei datei_ = Datendatei::Faelle;
    bool ungesichert_ = false;
    bool fehlerGemeldet_ = false;
    bool faellig_ = false;
    // What NachRechnung could not write, for Nachschreiben.
    struct Offen {
        int SatzNr;
        Fallsatz Satz;
    };
    std::optional<Offen> offenerFall_, offeneEinstellungen_;
};

}  // namespace lohnwippe
