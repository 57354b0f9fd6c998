#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "fall/OffenerFall.h"
#include "platform/Umgebung.h"
#include "ui/common/Ansicht.h"
#include "ui/common/Twips.h"
#include "ui/main/Steuerelemente.h"
#include "ui/master/Stammdaten.h"

class QAction;
class QComboBox;
class QKeyEvent;
class QLabel;

namespace lohnwippe {

// The main window `Gleitzone`: a view of the open case. It turns the
// controls' signals into the model's operations and draws what they
// changed; the case itself, and every rule of loading, calculating and
// saving, lives in OffenerFall.
class Hauptfenster : public QWidget, public Ansicht, private Fensterlage {
  public:
    // Opens the data files of the working directory and brings up the last
    // case. On a file that cannot be opened or written, shows why and
    // returns null.
    static std::unique_ptr<Hauptfenster> Starten(const Umgebung& umgebung);
    // The same with data files given by the caller (tests).
    static std::unique_ptr<Hauptfenster> Starten(const Umgebung& umgebung, Datenbestand daten);

    ~Hauptfenster() override;

    const Steuerelemente& Elemente() const { return e_; }

    // The master-data window while it is open.
    // The QPointer converts; cppcheck takes it for an integer.
    // cppcheck-suppress CastIntegerToAddressAtReturn
    Stammdaten* OffeneStammdaten() const { return stammdaten_; }

  protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;
    void resizeEvent(QResizeEvent* ereignis) override;
    void closeEvent(QCloseEvent* ereignis) override;

  private:
    explicit Hauptfenster(Umgebung umgebung);
    void ListenFuellen();
    void Verbinden();

    // Fensterlage: the window's place in twips, and moving it there.
    Fensterposition Position() const override;
    void Verschieben(Fensterposition position) override;

    // Draws what `aenderung` names, and every switch as the model holds
    // it, then says what it has to say.
    void Zeigen(const Aenderung& aenderung) override;
    void FallZeigen();
    void AuswahlZeigen();
    void SchalterZeigen();
    void ErgebnisZeigen();
    void PersonenZeigen();
    // A month from 2013: the year's funds in the list, the period's rates,
    // the switches the law still has, the children, and its grid in place
    // of the earlier years' (HauptfensterAb2013.cpp).
    void KassenlisteZeigen();
    void SpaetjahrZeigen();
    void ErgebnisAb2013Zeigen();
    void SpaetjahrVerbinden();
    void ArbeitgeberZeigen(int job, const std::string& text);
    void Melden(const std::vector<Meldung>& meldungen);

    // Undo and redo: the actions, their texts after every change, the
    // notice after one went through, and the keys the boxes must not take.
    void VerlaufEinrichten();
    void VerlaufZeigen();
    // Draws an undo or redo step; a master-data window left open shows
    // what the step left in the files.
    void SchrittZeigen(const Aenderung& aenderung);
    void HinweisZeigen(const std::string& text);
    bool VerlaufTaste(const QEvent* ereignis) const;
    // Ctrl+Z and Ctrl+Y in an amount box while something typed there can be
    // taken back or brought again: the box's own undo, not a stored step.
    bool TippenZuruecknehmen(Job job, QKeyEvent* taste);

    bool EntgeltTaste(Job job, int taste, const QString& text);
    void DruckenClick();
    void InternetClick();
    void HilfeClick();

    Umgebung umgebung_;
    Twips twips_;
    Steuerelemente e_;
    std::unique_ptr<OffenerFall> fall_;
    QPointer<Stammdaten> stammdaten_;
    // Hands the saves to the disk at most about a second after the first of
    // them, however many follow.
    QTimer sicherung_;
    QAction* rueckgaengig_ = nullptr;
    QAction* wiederholen_ = nullptr;
    QLabel* hinweis_ = nullptr;
    QTimer hinweisZeit_;
    // The year whose funds the list holds; 0 for the funds of 2009-2012.
    int kassenJahr_ = 0;
    // The question about a replaced file is on screen.
    bool frageOffen_ = false;
    // The amount box had the focus when the window lost it.
    JeJob<bool> fensterVerlassen_{};
};

}  // namespace lohnwippe
