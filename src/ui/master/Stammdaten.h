#pragma once

#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>

#include "ui/master/Hauptdaten.h"
#include "ui/master/StammdatenElemente.h"

class QKeyEvent;

namespace lohnwippe {

class Meldungen;
class Signalton;
class Ordnerpruefer;
struct DateiFehler;

// The master-data window: names of the ten person cases, the payroll
// office's two lines, the U1 and U2 rates of one fund for the months of 2012
// and the line-printer switch.
//
// It never blocks the main window. "Speichern und schließen" stores
// everything, closes the window and has the main window load its case
// again; closing it any other way stores nothing, except the line-printer
// switch, which takes effect as soon as it is clicked.
class Stammdaten : public QWidget {
    Q_OBJECT

  public:
    // A top-level window (no parent widget); loads everything when
    // constructed. `ordner` is asked once, here, whether the maker's payroll
    // product is installed.
    Stammdaten(Hauptdaten& haupt, Meldungen& meldungen, Signalton& signalton,
               Ordnerpruefer& ordner);
    ~Stammdaten() override;

  protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

  private:
    using Monatswerte = std::array<std::int16_t, AnzahlMonate>;

    void Laden(Ordnerpruefer& ordner);
    void Verbinden();

    void KassenClick();
    void Check1Click();
    // True for a key the check consumes.
    bool U1Taste(int monat, const QKeyEvent& taste);
    void U1Enter(int monat);
    void SpeichernUndSchliessen();

    // Every rate box as the file stores it, or nullopt after telling the
    // user which box is wrong and putting the focus there.
    std::optional<std::array<Monatswerte, 2>> SaetzeLesen();
    // Writes the names and settings of records 601 to 603 and hands the
    // ten case names and the office lines, as stored, to the main window.
    bool NamenSpeichern();

    // The file's own line, then what it means for the user (`folge`).
    void DateifehlerMelden(const DateiFehler& fehler, const QString& folge);

    Hauptdaten& haupt_;
    Meldungen& meldungen_;
    Signalton& signalton_;
    StammdatenElemente e_;
};

}  // namespace lohnwippe
