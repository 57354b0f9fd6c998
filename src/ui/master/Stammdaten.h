#pragma once

#include <QWidget>
#include <vector>

#include "fall/OffenerFall.h"
#include "ui/common/Ansicht.h"
#include "ui/master/StammdatenElemente.h"

class QKeyEvent;

namespace lohnwippe {

class Signalton;
struct Umgebung;

// The master-data window: names of the ten person cases, the payroll
// office's two lines, the U1 and U2 rates of one fund for the months of 2012,
// the line-printer switch, and the funds of each year from 2013.
//
// It never blocks the main window. "Speichern und schließen" stores
// everything, closes the window and has the main window load its case
// again; closing it any other way stores nothing, except the line-printer
// switch, which takes effect as soon as it is clicked. The funds of a year
// are stored by "Kassen speichern", and before another year is shown or the
// window saves and closes; a refused entry keeps the year on screen.
class Stammdaten : public QWidget, public Ansicht {
    Q_OBJECT

  public:
    // A top-level window (no parent widget) on the open case; loads
    // everything when constructed. The folder test of `umgebung` is asked
    // once, here, whether the maker's payroll product is installed.
    // What an action changed beyond this window goes to `haupt`.
    Stammdaten(OffenerFall& fall, const Umgebung& umgebung, Ansicht& haupt);
    ~Stammdaten() override;

    // Shows the names, the rates of the fund on screen and the
    // line-printer switch as the files hold them now (after an undo or
    // redo in the main window); edits not yet saved give way.
    void Auffrischen();

  protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

  private:
    void Laden(const Umgebung& umgebung);
    void NamenZeigen();
    void Verbinden();

    // The rate boxes, the box to correct and closing; the rest, the
    // messages among it, is the main window's to show.
    void Zeigen(const Aenderung& aenderung) override;
    void KassenClick();
    // True for a key the check consumes.
    bool U1Taste(int monat, const QKeyEvent& taste);
    void U1Enter(int monat);
    void SpeichernUndSchliessen();

    // The funds from 2013 (Kassenformular): the table's rows as the model
    // takes them, the answer shown, and whether what is shown differs from
    // what was read.
    int Kassenjahr() const;
    std::vector<Kassenzeile> Kassenzeilen() const;
    void Zeigen(const Kassenantwort& antwort);
    void KassenjahrWaehlen();
    // The year's funds as the file holds them; edits give way.
    void KassenNeuLesen();
    // Stores the year's funds when they were changed; false when refused.
    bool KassenSichern();

    OffenerFall& fall_;
    Signalton& signalton_;
    Ansicht& haupt_;
    StammdatenElemente e_;
    std::vector<Kassenzeile> kassen_;  // as last read or saved
    int kassenjahr_ = 0;
};

}  // namespace lohnwippe
