#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "calc/Ergebnis.h"
#include "fall/Fallrechnung.h"
#include "fall/Meldung.h"
#include "report/Bericht.h"
#include "store/Datenbestand.h"
#include "store/Einstellungssatz.h"

namespace lohnwippe {

// The switches of one employment, as the window lays them out.
enum class Jobschalter { KV, PV, RV, AV, KG, U1, U2, U3 };
// The switches for all employments.
enum class Allgemeinschalter { RVBefreiung, Sachsen, Kinderlos };

// What the master-data window hands over when it saves: its boxes' texts.
struct Stammdateneingabe {
    std::array<std::string, 10> Personen{};
    std::array<std::string, 2> Abrechnungsstelle{};
    int Kasse = 0;
    std::array<std::string, MonateJeJahr> U1{}, U2{};
};

// A master-data save that could not go through: what to say, and the rate
// box the user has to correct (column 1 = U1, 2 = U2; month 0..11). The
// names may have been stored all the same (`Personen`).
struct Stammdatenfehler {
    std::vector<Meldung> Meldungen;
    std::optional<std::pair<int, int>> Box;
    bool Personen = false;
};

// Where the window is, in twips, and moving it: the model needs both for the
// settings record.
class Fensterlage {
  public:
    virtual ~Fensterlage() = default;
    virtual Fensterposition Position() const = 0;
    virtual void Verschieben(Fensterposition position) = 0;
};

// The case open in the main window: one person's case in one month, with
// everything that decides how it is shown, calculated and stored.
//
// It owns the data files. Its operations are the user's actions; each one
// reads and writes what it must, calculates once where the action calls for
// it, and returns what changed and what to tell the user. How the files are
// kept in step with the screen:
//
// - A calculation stores the case (record `FallNr`) and then the settings
//   record 603, which becomes a copy of the case with the names, the list
//   positions and the window's place (see Einstellungssatz.h); it does so
//   once before and once after adding up the annual sum. An amount that
//   does not calculate stores nothing.
// - Loading a case reads its levy record and its record; only when both
//   reads succeed does anything change, so a failing disk can never put one
//   case's values under another's number. Loading ends with one calculation.
// - A case whose save failed is "unsaved": it is stored before another case
//   loads, and while that fails the selection stays. The employer name (Enter)
//   and the fund (choice) are written into the record in memory on their
//   own, as the text has it, unless a save is owed; then the whole case goes.
// - Saves are handed to the disk within about a second (the view's timer
//   calls Sichern), at once when another case loads, and at closing.
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

    // Choosing in the lists. A year, month or person loads the case of the
    // new combination; a fund is written into the case, which then loads
    // again; a partial month calculates.
    Aenderung JahrWaehlen(int jahr);           // 2009..2012
    Aenderung MonatWaehlen(int monat);         // 1..12
    Aenderung PersonWaehlen(int personPos);    // 0..9
    Aenderung KasseWaehlen(int kasse);         // 0..21
    Aenderung TeilmonatWaehlen(int position);  // 0..34
    // A choice in the hidden list of KV rates: nothing but a calculation.
    Aenderung BeitragWaehlen();

    // The amount boxes. Entering a box empties it; typing is kept (closing
    // takes it over); Enter takes the text over as an amount.
    void EntgeltfeldBetreten(int job);
    void EntgeltGetippt(int job, std::string text);
    Aenderung EntgeltEingeben(int job, std::string_view text);
    // A new position of the slider; returns the position it ends on (its
    // first step from 0 jumps to the amount typed).
    Aenderung SchiebereglerGestellt(int job, int position, int& endposition);

    Aenderung SchalterKlicken(int job, Jobschalter schalter);
    Aenderung SchalterKlicken(Allgemeinschalter schalter);

    // The employer boxes: typing changes the case on screen, Enter stores
    // the name, leaving trims it (the view shows the trimmed text).
    void ArbeitgeberGetippt(int job, std::string text);
    Aenderung ArbeitgeberEnter(int job);
    const std::string& ArbeitgeberVerlassen(int job);

    // "--> Dez.": the case into every later month of its year.
    Aenderung BisDezemberKopieren();

    // The master data: what the window opens with, the 2012 rates of a
    // fund, the line-printer switch, and saving (which reloads the case).
    const Namensfelder& Namen() const { return namen_; }
    bool Zeilendrucker() const { return zeilendrucker_; }
    void ZeilendruckerSetzen(bool an) { zeilendrucker_ = an; }
    std::variant<std::array<Datenbestand::Monatswerte, 2>, Meldung> Umlagesaetze2012(int kasse);
    std::variant<Aenderung, Stammdatenfehler> StammdatenSpeichern(const Stammdateneingabe& eingabe);
    // A rate as the master-data boxes show it ("0,370").
    static std::string Satztext(std::int64_t tausendstel);
    // Enter in the U1 box of month `monat` (0..11): an empty box gets "0";
    // otherwise the rate goes into this month and every later one,
    // corrected to 0,300 when out of range, and then the "Korrektor" says so.
    static std::optional<Meldung> U1Enter(std::array<std::string, MonateJeJahr>& u1, int monat);

    // What the report prints: the case as it stands, on `tag`.`monat`.`jahr`.
    Berichtsdaten Bericht(int jahr, int monat, int tag) const;

    // Saves handed to the disk: due after every save, done by Sichern.
    bool SicherungFaellig() const { return sicherungFaellig_; }
    std::vector<Meldung> Sichern();

    // Closing: typed text is taken over and stored, the case is saved, the
    // settings record gets the case number and the window's place, and all
    // goes to the disk. A failure comes back as the question to ask before
    // the program ends without it; the messages of the last takings-over
    // come with it.
    struct Schluss {
        std::optional<std::string> Frage;
        std::vector<Meldung> Meldungen;
    };
    Schluss Schliessen();

    // What the window shows.
    Berichtsmonat Monat() const { return monat_; }
    int PersonPos() const { return personPos_; }
    int FallNr() const { return fallNr_; }
    int TeilmonatPos() const { return bildschirm_.TeilmonatPos; }
    int KassePos() const { return bildschirm_.KassePos; }
    // The case on screen: employer texts, switch states, amounts.
    const Fallsatz& Bildschirm() const { return bildschirm_; }
    const Eingaben& AktuelleEingaben() const { return eingaben_; }
    const Ergebnis& AktuellesErgebnis() const { return ergebnis_; }
    bool Gerechnet() const { return berechnungen_ > 0; }
    int Berechnungen() const { return berechnungen_; }
    const Umlagesatz& Umlagen() const { return umlagesatz_; }
    // Unknown when the twelve months could not be read or added up.
    std::optional<Waehrung> Jahressumme() const { return jahressumme_; }
    bool Ungesichert() const { return ungesichert_; }
    Datenbestand& Daten() { return daten_; }

  private:
    OffenerFall(Datenbestand daten, Fensterlage& fenster);

    // Reads levy record and case of `monat` and `personPos` and shows it;
    // changes nothing when a read fails, and says so, followed by `folge`.
    Aenderung Laden(Berichtsmonat monat, int personPos, const std::string& folge);
    // The case on screen read again from the files, as after the master data.
    Aenderung NeuLaden();
    Aenderung Rechnen();
    void FallSichern(Aenderung& aenderung);
    // The case on screen as the record stores it, on the record in memory.
    Fallsatz SatzVomBildschirm() const;
    // Stores the case if its last save failed.
    Erwartet<void> OffenenFallSichern();
    Aenderung Verlassen(Berichtsmonat monat, int personPos);
    Aenderung EntgeltSetzen(int job, Waehrung betrag);
    void MinijobWarnung(int job, const char* zweig, Aenderung& aenderung) const;
    Aenderung Umschalten(std::int16_t& zustand);
    // Files that a write found replaced under their names: said each time.
    void Ersetzungen(Aenderung& aenderung);
    // A failed write or sync: said once per run of failures.
    void Speicherfehler(const DateiFehler& fehler, Aenderung& aenderung);
    void Gesichert();

    Datenbestand daten_;
    Fensterlage& fenster_;

    Berichtsmonat monat_{};
    int personPos_ = 0;
    int fallNr_ = 0;
    Fallsatz gespeichert_{};  // the record in memory: last read or written
    Fallsatz bildschirm_{};   // the case as the window shows it
    Umlagesatz umlagesatz_{};
    Eingaben eingaben_{};
    Ergebnis ergebnis_{};
    std::optional<Waehrung> jahressumme_;
    JeJob<std::optional<std::string>> getippt_{};

    Namensfelder namen_{};
    bool zeilendrucker_ = false;

    int berechnungen_ = 0;
    bool ungesichert_ = false;
    bool fehlerGemeldet_ = false;
    bool sicherungFaellig_ = false;
};

}  // namespace lohnwippe
