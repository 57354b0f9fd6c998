#pragma once

#include <QWidget>
#include <functional>

#include "fall/OffenerFall.h"
#include "ui/master/StammdatenElemente.h"

class QKeyEvent;

namespace lohnwippe {

class Meldungen;
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
class Stammdaten : public QWidget {
    Q_OBJECT

  public:
    // A top-level window (no parent widget) on the open case; loads
    // everything when constructed. The folder test of `umgebung` is asked
    // once, here, whether the maker's payroll product is installed.
    // `hauptZeigen` draws in the main window what a save changed there.
    Stammdaten(OffenerFall& fall, const Umgebung& umgebung,
               std::function<void(const Aenderung&)> hauptZeigen);
    ~Stammdaten() override;

  protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

  private:
    void Laden(const Umgebung& umgebung);
    void Verbinden();

    void KassenClick();
    // True for a key the check consumes.
    bool U1Taste(int monat, const QKeyEvent& taste);
    void U1Enter(int monat);
    void SpeichernUndSchliessen();
    void Melden(const std::vector<Meldung>& meldungen);

    OffenerFall& fall_;
    Meldungen& meldungen_;
    Signalton& signalton_;
    std::function<void(const Aenderung&)> hauptZeigen_;
    StammdatenElemente e_;
};

}  // namespace lohnwippe
