#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calc/Berichtsmonat.h"
#include "calc/Eingaben.h"
#include "calc/Entgelteingabe.h"
#include "calc/Ergebnis.h"
#include "calc/Perioden.h"
#include "calc/Uebergangsbereich.h"
#include "fall/Fallangaben.h"
#include "fall/Meldung.h"
#include "report/Bericht.h"
#include "report/BerichtAb2013.h"
#include "store/Datenbestand.h"
#include "store/Einstellungssatz.h"
#include "store/Kasseneintrag.h"
#include "store/Satzaenderung.h"
#include "store/Umlagesatz.h"

namespace lohnwippe {

// The case on screen: which case it is, its record as last read or written,
// what the window shows of it, its rates, and what it calculated.
//
// Loading reads the case's levy record and its record; only when both reads
// succeed does anything change, so a failing disk can never put one case's
// values under another's number. Saving is not its business (Sicherung):
// it only holds the record the saves take.
class Bildschirmfall {
  public:
    explicit Bildschirmfall(Datenbestand& daten) : daten_(daten) {}

    // Reads levy record and case of `monat` and `person` and takes them
    // over, with the amounts for the boxes and `Aenderung::Fall` set; when a
    // read fails nothing changes and the message names the case with
    // `namen`, followed by `folge`. It does not calculate.
    Aenderung Laden(Berichtsmonat monat, Personenplatz person, const Namensfelder& namen,
                    std::string_view folge);
    // Calculates the case as the window shows it (`Aenderung::Ergebnis`),
    // and the record in memory becomes the case on screen, to be stored;
    // false when its amounts are too large (only a damaged file holds such):
    // the result stays, and `a` says so.
    bool Berechnen(Aenderung& a);
    // The settings record after a calculation, with `namen` and the
    // window's place; valid until the next call.
    const Fallsatz& Einstellungen(const Namensfelder& namen, Fensterposition fenster);
    // Takes the text of an amount box over on Enter: the amount, or none
    // when the text is no amount or too large to store (which `a` says).
    std::optional<Waehrung> EntgeltAnnehmen(Job job, std::string_view text, Aenderung& a);
    // Typing changes the case on screen and nothing else: the employer
    // name, and the text of an amount box until Enter takes it over (none:
    // the box was entered, which empties it, or the slider moved).
    Aenderung ArbeitgeberTippen(Job job, std::string text);
    Aenderung EntgeltTippen(Job job, std::optional<std::string> text);
    // The employer name trimmed when its box is left, with the text to show.
    Aenderung ArbeitgeberVerlassen(Job job);

    // The changes of the case on screen that the next calculation stores.
    // Each gives the name of the step it is, for undo, or none when it is
    // refused: then `a` says why and sets the box back to the case.
    // The amount of `job`; the name has the amount stored before, which
    // after a failed save (`ungesichert`) is the one on disk.
    std::string EntgeltSetzen(Job job, Waehrung betrag, bool ungesichert);
    std::string Umschalten(Job job, Jobschalter schalter);
    // "Kinderlos" is refused beside children in a month from 2013.
    std::optional<std::string> Umschalten(Allgemeinschalter schalter, Aenderung& a);
    std::string TeilmonatSetzen(Teilmonatsplatz teilmonat);
    // The employer name as typed (Enter) and the fund of 2009 to 2012 are
    // written into the record in memory on their own, as the text has it,
    // for the caller to store: the rest of the case on screen waits for its
    // calculation. While a save is owed (`ungesichert`) the whole case goes.
    std::string ArbeitgeberInDenSatz(Job job, bool ungesichert);
    std::string KasseInDenSatz(Kassenplatz kasse, bool ungesichert);
    // From 2013: the fund at `platz` in the year's list (none for a place
    // the list does not have, without a word), and the number of children
    // under 25 (0 .. 9), refused beside "Kinderlos".
    std::optional<std::string> KasseAb2013Setzen(int platz);
    std::optional<std::string> KinderSetzen(int kinder, Aenderung& a);

    // A month from 2013 lives in the file of later years, is calculated
    // by today's law, and has the year's funds and the children.
    bool Ab2013() const { return monat_.Jahr >= ErstesJahrAb2013(); }
    Datendatei Datei() const { return Ab2013() ? Datendatei::Ab2013 : Datendatei::Faelle; }
    // The funds of the year from 2013 on screen; the case's place in them.
    const std::vector<Kasseneintrag>& Kassen() const { return kassen_; }
    int KassePos() const { return kassePos_; }
    int Kinder() const { return kinder_; }
    // The result of a month from 2013 (none for 2009 to 2012 and before
    // the first calculation) and its inputs.
    const std::optional<ErgebnisAb2013>& ResultatAb2013() const { return ergebnisAb2013_; }
    const EingabenAb2013& EingabenwerteAb2013() const { return eingabenAb2013_; }

    Berichtsmonat Monat() const { return monat_; }
    Personenplatz Person() const { return person_; }
    // 0 until a case is loaded.
    int FallNr() const { return fallNr_; }
    // The employer texts, switches, amounts and lists as the window shows them.
    const Fallangaben& Angaben() const { return angaben_; }
    Fallangaben& Angaben() { return angaben_; }
    // Closing takes over what was typed without Enter as Enter takes it:
    // the amount when it changes the case. The warnings meant for a
    // correction do not hold up the end, but an amount too large to store is
    // lost, and that is said in `a`.
    std::optional<Entgeltuebernahme> GetipptUebernehmen(Job job, Aenderung& a);
    // Whether the employer box holds a name the record does not, as the
    // file would store it.
    bool ArbeitgeberGeaendert(Job job) const;
    // The slider at `position`; its first step from 0 jumps to the amount
    // entered.
    int Reglerstellung(Job job, int position) const;
    // The warning when a mini-job beside a main job pays into the
    // unemployment insurance (`zweig` names it), after a calculation.
    void MinijobWarnung(Job job, const char* zweig, Aenderung& a) const;
    const Umlagesatz& Umlagen() const { return umlagesatz_; }
    // The rates as the master data stored them anew.
    // Reads the rates of the month again, as the master data stored them
    // anew, with `Aenderung::Fall`; keeps the old ones when that fails and
    // says so.
    void UmlagenNeuLesen(Aenderung& a);
    const Eingaben& Eingabewerte() const { return eingaben_; }
    const Ergebnis& Resultat() const { return ergebnis_; }
    // Unknown when the twelve months could not be read or added up.
    std::optional<Waehrung> Jahressumme() const { return jahressumme_; }
    // Adds up the year of the case as the files hold it; a damaged record is
    // said in `a`, any other failure given back for the caller to say.
    std::optional<DateiFehler> JahressummeLesen(Aenderung& a);

    // What the report prints: the case as it stands, with the names and the
    // line printer of the master data, on `tag`.`monat`.`jahr`.
    Berichtsdaten Bericht(const Namensfelder& namen, bool zeilendrucker, int jahr, int monat,
                          int tag) const;

    // The same for a month from 2013, with the fund entry of the case;
    // none before its first calculation.
    std::optional<BerichtsdatenAb2013> BerichtAb2013(const Namensfelder& namen, bool zeilendrucker,
                                                     int jahr, int monat, int tag) const;

    // The record in memory: last read or written.
    const Fallsatz& Satz() const { return gespeichert_; }
    Fallsatz& Satz() { return gespeichert_; }
    // The record in memory becomes the case on screen, to be stored.
    Fallsatz& Festhalten();
    // The record in memory to write one change into on its own; while a
    // save is owed (`ungesichert`) it is older than the screen, and the
    // whole case goes.
    Fallsatz& SatzImSpeicher(bool ungesichert);

  private:
    // Whether `kinder` children (0..9) go with "Kinderlos" as `kinderlos`;
    // if not, `a` says why.
    static bool KinderPassen(bool kinderlos, int kinder, Aenderung& a);
    // The amount the record holds: undo goes back to it, and after a failed
    // save (`ungesichert`) it is the one on disk, not the one on screen.
    Waehrung EntgeltGespeichert(Job job, bool ungesichert) const;
    // The message when the case of `person` in `welcher` cannot be read,
    // the selection kept.
    static Aenderung FallNichtGelesen(const DateiFehler& fehler, const Namensfelder& namen,
                                      Personenplatz person, const std::string& welcher,
                                      std::string_view folge);
    Aenderung LadenAb2013(Berichtsmonat monat, Personenplatz person, const Namensfelder& namen,
                          std::string_view folge);
    // The head both reports print: the office, today's date, person, month,
    // employers and partial month of the case on screen.
    void KopfFuellen(Berichtskopf& kopf, const Namensfelder& namen, int jahr, int monat,
                     int tag) const;
    bool BerechnenAb2013(Aenderung& a);
    Erwartet<Fallsatz> FallLesen() const;

    Datenbestand& daten_;
    Berichtsmonat monat_{};
    Personenplatz person_;
    int fallNr_ = 0;
    Fallsatz gespeichert_{};
    Fallsatz einstellungen_{};
    Fallangaben angaben_{};
    Umlagesatz umlagesatz_{};
    Eingaben eingaben_{};
    Ergebnis ergebnis_{};
    std::optional<Waehrung> jahressumme_;
    JeJob<std::optional<std::string>> getippt_{};
    std::vector<Kasseneintrag> kassen_;
    int kassePos_ = 0;
    int kinder_ = 0;
    EingabenAb2013 eingabenAb2013_{};
    std::optional<ErgebnisAb2013> ergebnisAb2013_;
};

}  // namespace lohnwippe
