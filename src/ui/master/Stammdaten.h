#pragma once

#include <QWidget>

#include "fall/OffenerFall.h"
#include "ui/common/Ansicht.h"
#include "ui/master/StammdatenElemente.h"

class QKeyEvent;

namespace lohnwippe {

class Signalton;
struct Umgebung;

// The master-data window: names of the ten person cases, the payroll
// office's two lines, the U1 and U2 rates of one fund for the months of 2012
// and the line-printer switch.
//
// It never blocks the main window. "Speichern und schließen" stores
// everything, closes the window and has the main window load its case
// again; closing it any other way stores nothing, except the line-printer
// switch, which takes effect as soon as it is clicked.
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

    OffenerFall& fall_;
    Signalton& signalton_;
    Ansicht& haupt_;
    StammdatenElemente e_;
};

}  // namespace lohnwippe
