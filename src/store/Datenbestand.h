#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "calc/Waehrung.h"
#include "store/Ablage.h"
#include "store/Datei.h"
#include "store/DateiFehler.h"
#include "store/Einstellungssatz.h"
#include "store/Fallsatz.h"
#include "store/Kasseneintrag.h"
#include "store/Satzaenderung.h"
#include "store/Satznummern.h"
#include "store/Umlagenpruefung.h"
#include "store/Umlagesatz.h"

namespace lohnwippe {

// The data files of the program, open for the whole run: "SV.dat" with the
// cases and master records and "U12.dat" with the levy rates of 2009 to
// 2012, and "SVab2013.dat" with the cases and the funds' rates from 2013
// (Spaetsatznummern.h). All three are kept alike: what is said below of
// "both files" holds for the third as well.
//
// Every operation reports failure as a DateiFehler naming the file and the
// record; none changes what the caller passes in. A record that lies wholly
// or partly beyond the end of its file reads as zeros where the file has no
// bytes, as a new or truncated file would otherwise leave the window with
// whatever happened to be in memory.
class Datenbestand {
  public:
    using Oeffner = std::function<Erwartet<std::unique_ptr<Datei>>(const std::string& name)>;
    using Monatswerte = std::array<std::int16_t, MonateJeJahr>;

    // A data file whose length is not that of its records: shorter (or
    // cut within a record), or longer.
    struct Luecke {
        std::string Datei;
        std::uint64_t Laenge = 0;  // bytes found
        std::uint64_t Soll = 0;    // bytes of all its records

        // German lines for the start-up message: what is wrong and what
        // the program does about it.
        std::string Meldung() const;
    };

    // A data file that was deleted under its name while the program ran,
    // and created again from its contents (see Datei::Pruefen).
    struct ErsetzteDatei {
        std::string Datei;

        // German lines for a message: what happened and where the program
        // saves from now on.
        std::string Meldung() const;
    };

    // Opens both files by bare name in the working directory and creates a
    // missing one empty. The folder and the case file are locked first,
    // before anything else is opened or created: a second copy of the
    // program in the same folder gets Fehlerart::Gesperrt and has touched
    // nothing, even when the first one's SV.dat has been deleted.
    static Erwartet<Datenbestand> Oeffnen();
    // The same with another way to open a file by name.
    static Erwartet<Datenbestand> Oeffnen(const Oeffner& oeffner);

    Datenbestand(std::unique_ptr<Datei> falldatei, std::unique_ptr<Datei> umlagedatei,
                 std::unique_ptr<Datei> spaetdatei);
    // The file of later years in memory only, empty: for work on 2009 to
    // 2012 alone.
    Datenbestand(std::unique_ptr<Datei> falldatei, std::unique_ptr<Datei> umlagedatei);

    // True when the case file has no bytes at all: a new installation.
    Erwartet<bool> FalldateiLeer();

    // The files whose length differs from that of their records, the case
    // file first; asked once per start, after UmlagenErgaenzen. Records
    // beyond the end read as zeros and are written in full at their next
    // save; bytes beyond the last record are neither read nor written.
    Erwartet<std::vector<Luecke>> Luecken();

    // Looks at both files (a deleted one is created again, a changed one
    // noticed) and hands what was written to the disk.
    Erwartet<void> Sichern();

    // A new installation (the case file empty): writes the levy records
    // U12.dat lacks as UmlagenErgaenzen does, then the default case records
    // 1..603 in a single write, and hands them to the disk. A case file that
    // could not be written whole is emptied again, so the next start begins
    // afresh. Returns the levy records written: all 48 when U12.dat held no
    // whole record either, which needs no message; fewer when it held some,
    // which UmlagenErgaenztMeldung then names.
    Erwartet<std::vector<int>> DatenAnlegen();

    // Writes every levy record that U12.dat lacks, those beyond its end and
    // one it ends within, with its default contents, in a single write, and
    // hands them to the disk; whole records are never touched. Returns the
    // records written (1..48, ascending), none for a complete file. For an
    // existing case file at every start, before Luecken; its message is
    // UmlagenErgaenztMeldung. The file of later years is completed first
    // (Ab2013Ergaenzen), so that every start, and DatenAnlegen, which calls
    // this, finds it whole; its failure is this one's.
    Erwartet<std::vector<int>> UmlagenErgaenzen();

    // The file of later years: an empty one gets its whole default contents,
    // one that holds whole year blocks up to a year before the last the
    // table knows (written before that year was added) the missing years'
    // defaults, in one write each time, handed to the disk; no message is
    // due. Any other length is a Luecke and left as it is. Returns the years
    // written.
    Erwartet<std::vector<int>> Ab2013Ergaenzen();

    // The funds and months of U12.dat with rates no fund ever had, for a
    // message at start-up (Umlagenbefund::Meldung); records beyond the end
    // count as zeros, which are no such rates.
    Erwartet<Umlagenbefund> UnplausibleUmlagen();

    // The data files found deleted and created again since the last call,
    // the case file first; cleared by the call.
    std::vector<ErsetzteDatei> ErsetzteDateien();

    // The data files that another program replaced or changed while this
    // one ran, the case file first, until the user has decided what goes
    // on (Entscheiden); until then, reads and writes of such a file touch
    // only the program's own version in memory (see Ablage). Looks at every
    // file once more, so that what another program did during the last step
    // is not left standing until the next one.
    std::vector<std::string> FremdeDateien() { return Fremde(nullptr); }
    // The same at the end of a step on a case in `fall` (Faelle: 2009 to
    // 2012, Ab2013: from 2013): it looks at SV.dat and at the file the case
    // and its rates come from, but at the file of the other years (U12.dat
    // or SVab2013.dat) only when the step wrote to it. Nothing was read from
    // that one, every write to it looks first, and the sync due after every
    // save (Sichern) looks at all of them within a second.
    std::vector<std::string> FremdeDateien(Datendatei fall) {
        return Fremde(fall == Datendatei::Ab2013 ? &umlagen_ : &spaet_);
    }
    Erwartet<Ablage::Entscheidung> Entscheiden(const std::string& datei, bool uebernehmen);
    // Before asking about `datei`: the program's version beside it (see
    // Ablage::Beiseitelegen); the name of the copy.
    Erwartet<std::string> Beiseitelegen(const std::string& datei);

    // The files "SV.dat.*" and "SVab2013.dat.*" in the working directory, by
    // name: versions kept beside, or left by a save that a crash cut off.
    static std::vector<std::string> KopienDaneben();

    // Every record a write changes from now on, in both files, is added to
    // `ziel` (none: nothing is recorded); `ziel` outlives the recording.
    // Not the settings records, which follow the case on screen.
    void Mitschreiben(std::vector<Satzaenderung>* ziel);
    // The bytes of one record of either file as they stand, and writing
    // them back: the way back to an earlier state, record by record.
    Erwartet<std::vector<std::byte>> SatzLesen(Datendatei datei, int satzNr);
    Erwartet<void> SatzSchreiben(Datendatei datei, int satzNr, std::span<const std::byte> bytes);

    Erwartet<Fallsatz> FallLesen(int satzNr);
    Erwartet<void> FallSchreiben(int satzNr, const Fallsatz& satz);
    Erwartet<Umlagesatz> UmlageLesen(int umlageNr);

    // The names of the person cases and the payroll office, records 601 to
    // 603 read one by one; the first failure.
    Erwartet<Namensfelder> Namen();
    Erwartet<void> UmlageSchreiben(int umlageNr, const Umlagesatz& satz);

    // Sum of the four remunerations in the twelve months of the person and
    // year of `fallNr`.
    Erwartet<Waehrung> Jahressumme(int fallNr);

    // Accesses that follow each other as one step of the program: for as
    // long as it lives, each file looks at its name before its first access
    // only (see Datei::GruppeBeginnen).
    class Schreibgruppe {
      public:
        explicit Schreibgruppe(Datenbestand& daten);
        ~Schreibgruppe();
        Schreibgruppe(const Schreibgruppe&) = delete;
        Schreibgruppe& operator=(const Schreibgruppe&) = delete;

      private:
        Datenbestand& daten_;
    };

    // A change of several records, in one file or both, as one: while it
    // is open, every write is noted with the bytes it replaced; either it
    // is closed (Abschliessen), all handed to the disk, or every write it
    // saw is put back, in the files and in the image, and the records it
    // added to the undo list (Mitschreiben) go with them. Leaving it open
    // puts back. It is one step of the program, like a Schreibgruppe.
    class Verbund {
      public:
        explicit Verbund(Datenbestand& daten);
        ~Verbund();
        Verbund(const Verbund&) = delete;
        Verbund& operator=(const Verbund&) = delete;

        // Hands the change to the disk (`sichern`; otherwise the next
        // Sichern does) and closes it; after a failure it is still open.
        Erwartet<void> Abschliessen(bool sichern = true);
        // Puts back what was written since it began, newest first. A
        // failure means the files still hold part of the change (the image
        // does not); every later write and sync tries again to put it back.
        Erwartet<void> Zuruecknehmen();

      private:
        Datenbestand& daten_;
        Schreibgruppe gruppe_;
        std::vector<Ablage::Altstand> alt_;
        std::size_t mitschrift_ = 0;
        bool offen_ = true;
    };

    // Records of the file of later years (numbers as Spaetsatznummern.h
    // gives them; record 1 holds the settings of those years).
    Erwartet<Fallsatz> FallAb2013Lesen(int satzNr);
    Erwartet<void> FallAb2013Schreiben(int satzNr, const Fallsatz& satz);
    // The year's sum and "--> Dez." for a case record of the later years,
    // as Jahressumme and BisDezemberKopieren for SV.dat.
    Erwartet<Waehrung> JahressummeAb2013(int satzNr);
    Erwartet<void> BisDezemberKopierenAb2013(int satzNr, const Fallsatz& satz);

    // The funds of `jahr` (2013 .. LetztesBekanntesJahr) in use, in order;
    // a case's `KassePos` is its place in this list.
    Erwartet<std::vector<Kasseneintrag>> KassenLesen(int jahr);
    // Replaces the year's fund list, all its records as one change
    // (Verbund), handed to the disk. More than KassenJeJahr funds, or a rate
    // outside 0 .. 100 %, is refused as Fehlerart::Kassenposition naming
    // the first entry that does not fit, and nothing is written.
    Erwartet<void> KassenSchreiben(int jahr, const std::vector<Kasseneintrag>& kassen);

    // Writes `satz` as record `fallNr` and as every later month of the same
    // person and year up to December, in one write, and hands it to the disk;
    // a failure of either leaves the files as they were.
    Erwartet<void> BisDezemberKopieren(int fallNr, const Fallsatz& satz);

    // Replaces the U1 and U2 rates of fund `kassePos` (0..21) in the twelve
    // months of 2012 (records 37..48, January first) and keeps every other
    // entry of those records; handed to the disk.
    Erwartet<void> Umlagesaetze2012Schreiben(int kassePos, const Monatswerte& u1,
                                             const Monatswerte& u2);

  private:
    Ablage& AblageVon(const std::string& datei);
    // FremdeDateien, looking at every file but `ausser` unless written or
    // another one is found changed.
    std::vector<std::string> Fremde(Ablage* ausser);
    Ablage& AblageVon(Datendatei datei);
    std::array<Ablage*, 3> Ablagen() { return {&faelle_, &umlagen_, &spaet_}; }
    // The number of the first fund record of `jahr`, or the failure for a
    // year outside the file.
    Erwartet<int> Kassenanfang(int jahr);
    Erwartet<Waehrung> JahressummeIn(Ablage& ablage, int januar);
    Erwartet<void> BisDezemberIn(Ablage& ablage, int satzNr, int monatPos, const Fallsatz& satz);

    std::vector<Satzaenderung>* mitschrift_ = nullptr;
    // Not locked where the folder has no locks (tests in memory).
    std::optional<Deskriptor> ordner_;
    Ablage faelle_;
    Ablage umlagen_;
    Ablage spaet_;
};

}  // namespace lohnwippe
