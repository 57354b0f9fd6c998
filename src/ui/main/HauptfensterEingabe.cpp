// The main window's controls wired to the open case: each signal becomes
// the model's operation for that action, and what it changed is drawn.
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include "calc/Entgelteingabe.h"
#include "ui/main/Hauptfenster.h"

namespace lohnwippe {

namespace {

std::string Utf8(const QString& text) {
    return text.toStdString();
}

// The focus went to or came back from another window or a popup: the user
// neither entered nor left a box within the window.
bool Fensterwechsel(const QEvent* ereignis) {
    const auto grund = static_cast<const QFocusEvent*>(ereignis)->reason();
    return grund == Qt::ActiveWindowFocusReason || grund == Qt::PopupFocusReason;
}

}  // namespace

void Hauptfenster::Verbinden() {
    // A list hands over a position inside it; the model takes it as such.
    const auto liste = [this](QComboBox* box, auto art, auto operation) {
        using Platz = decltype(art);
        connect(box, &QComboBox::activated, this, [this, operation](int position) {
            if (const auto platz = Platz::Aus(position)) {
                Zeigen(operation(*fall_, *platz));
            }
        });
    };
    liste(e_.Monat, Monatsplatz(), [](OffenerFall& f, Monatsplatz p) { return f.MonatWaehlen(p); });
    liste(e_.Minijobber, Personenplatz(),
          [](OffenerFall& f, Personenplatz p) { return f.PersonWaehlen(p); });
    liste(e_.Teilmonat, Teilmonatsplatz(),
          [](OffenerFall& f, Teilmonatsplatz p) { return f.TeilmonatWaehlen(p); });
    connect(e_.Beitrag0, &QComboBox::activated, this, [this] { Zeigen(fall_->BeitragWaehlen()); });
    // Names are padded with blanks to 20 characters; show their start.
    // Ctrl+Z in a list is the window's, as everywhere (see VerlaufTaste).
    for (QComboBox* box : {e_.Jahr, e_.Monat, e_.Minijobber, e_.Teilmonat, e_.Kassen}) {
        box->installEventFilter(this);
        connect(box, &QComboBox::currentIndexChanged, box, [box] {
            if (box->lineEdit() != nullptr) {
                box->lineEdit()->setCursorPosition(0);
            }
        });
    }
    connect(e_.Speichern, &QPushButton::clicked, this,
            [this] { Zeigen(fall_->BisDezemberKopieren()); });
    connect(e_.Schliessen, &QPushButton::clicked, this, [this] { close(); });
    connect(e_.Hilfe, &QPushButton::clicked, this, [this] { HilfeClick(); });
    connect(e_.Drucken, &QPushButton::clicked, this, [this] { DruckenClick(); });
    connect(e_.Internet, &QPushButton::clicked, this, [this] { InternetClick(); });

    // Qt has turned the box when `clicked` arrives; the model turns its
    // switch, and Zeigen draws every box as the model holds it.
    const auto klick = [this](QCheckBox* box, auto operation) {
        connect(box, &QCheckBox::clicked, this, [this, operation] { Zeigen(operation(*fall_)); });
    };
    const std::array<std::pair<Jobschalter, JeJob<QCheckBox*> Steuerelemente::*>, 8> schalter{{
        {Jobschalter::KV, &Steuerelemente::KV},
        {Jobschalter::PV, &Steuerelemente::PV},
        {Jobschalter::RV, &Steuerelemente::RV},
        {Jobschalter::AV, &Steuerelemente::AV},
        {Jobschalter::KG, &Steuerelemente::KG},
        {Jobschalter::U1, &Steuerelemente::U1},
        {Jobschalter::U2, &Steuerelemente::U2},
        {Jobschalter::U3, &Steuerelemente::U3},
    }};
    for (const Job job : AlleJobs) {
        for (const auto& eintrag : schalter) {
            const Jobschalter art = eintrag.first;
            klick((e_.*eintrag.second)[job],
                  [job, art](OffenerFall& f) { return f.SchalterKlicken(job, art); });
        }
        connect(e_.Spielen[job], &QScrollBar::valueChanged, this,
                [this, job](int position) { Zeigen(fall_->SchiebereglerGestellt(job, position)); });
        connect(e_.Entgelt[job], &QLineEdit::textEdited, this, [this, job](const QString& text) {
            Zeigen(fall_->EntgeltGetippt(job, Utf8(text)));
        });
        connect(e_.Arbeitgeber[job], &QLineEdit::textChanged, this,
                [this, job](const QString& text) {
                    Zeigen(fall_->ArbeitgeberGetippt(job, Utf8(text)));
                });
        e_.Entgelt[job]->installEventFilter(this);
        e_.Arbeitgeber[job]->installEventFilter(this);
    }
    SpaetjahrVerbinden();
    klick(e_.RV_Befreiung,
          [](OffenerFall& f) { return f.SchalterKlicken(Allgemeinschalter::RVBefreiung); });
    klick(e_.Sachsen, [](OffenerFall& f) { return f.SchalterKlicken(Allgemeinschalter::Sachsen); });
    klick(e_.Kinderlos,
          [](OffenerFall& f) { return f.SchalterKlicken(Allgemeinschalter::Kinderlos); });
}

bool Hauptfenster::eventFilter(QObject* objekt, QEvent* ereignis) {
    const bool taste =
        ereignis->type() == QEvent::ShortcutOverride || ereignis->type() == QEvent::KeyPress;
    for (const Job job : AlleJobs) {
        if (taste && objekt == e_.Entgelt[job] &&
            TippenZuruecknehmen(job, static_cast<QKeyEvent*>(ereignis))) {
            return true;
        }
    }
    if (VerlaufTaste(ereignis)) {
        return true;
    }
    for (const Job job : AlleJobs) {
        if (objekt == e_.Entgelt[job]) {
            const auto typ = ereignis->type();
            if (typ == QEvent::FocusIn || typ == QEvent::FocusOut) {
                // Coming back to the window (after a message, say) is no new
                // entry: the amount shown stays.
                const bool fensterwechsel = Fensterwechsel(ereignis);
                if (typ == QEvent::FocusOut) {
                    fensterVerlassen_[job] = fensterwechsel;
                } else if (!(fensterwechsel && fensterVerlassen_[job])) {
                    // Without an undo step of its own: what the box
                    // undoes is the typing that follows.
                    e_.Entgelt[job]->setText(QString());
                    Zeigen(fall_->EntgeltfeldBetreten(job));
                }
            } else if (typ == QEvent::KeyPress) {
                const auto* taste = static_cast<QKeyEvent*>(ereignis);
                return EntgeltTaste(job, taste->key(), taste->text());
            }
            return false;
        }
        if (objekt == e_.Arbeitgeber[job]) {
            if (ereignis->type() == QEvent::KeyPress) {
                const int taste = static_cast<QKeyEvent*>(ereignis)->key();
                if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
                    Zeigen(fall_->ArbeitgeberEnter(job));
                }
            } else if (ereignis->type() == QEvent::FocusOut && !Fensterwechsel(ereignis)) {
                // Only leaving the box within the window trims it: what
                // closing stores must not depend on another program.
                Zeigen(fall_->ArbeitgeberVerlassen(job));
            }
            return false;
        }
    }
    return QWidget::eventFilter(objekt, ereignis);
}

bool Hauptfenster::TippenZuruecknehmen(Job job, QKeyEvent* taste) {
    QLineEdit* feld = e_.Entgelt[job];
    // Most keys come with nothing typed to take back: Enter after an amount.
    if (!feld->isUndoAvailable() && !feld->isRedoAvailable()) {
        return false;
    }
    const QKeySequence folge(taste->keyCombination());
    const bool zurueck = rueckgaengig_->shortcuts().contains(folge) && feld->isUndoAvailable();
    const bool vor = wiederholen_->shortcuts().contains(folge) && feld->isRedoAvailable();
    if (!zurueck && !vor) {
        return false;
    }
    // Claimed from the window's steps first, then done by the box, whatever
    // keys the platform gives the box for it.
    if (taste->type() == QEvent::ShortcutOverride) {
        taste->accept();
    } else if (zurueck) {
        feld->undo();
    } else {
        feld->redo();
    }
    return true;
}

// Returns true for a key the filter consumes.
bool Hauptfenster::EntgeltTaste(Job job, int taste, const QString& text) {
    QLineEdit* feld = e_.Entgelt[job];
    char32_t zeichen = 0;
    if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
        zeichen = EnterTaste;
    } else if (taste == Qt::Key_Backspace) {
        zeichen = RueckTaste;
    } else if (text.isEmpty() || taste == Qt::Key_Tab || taste == Qt::Key_Backtab) {
        return false;  // moving the caret or the focus, Delete: not characters
    } else {
        const auto zeichenfolge = text.toUcs4();
        // Several characters in one key press (an input method's text) are
        // never a typed digit.
        if (zeichenfolge.size() != 1) {
            return true;
        }
        zeichen = zeichenfolge.front();
    }
    std::string inhalt = Utf8(feld->text());
    switch (lohnwippe::EntgeltTaste(inhalt, zeichen)) {
        case Tastenwirkung::Einfuegen:
            return false;
        case Tastenwirkung::Geaendert:
            // As a step of the box's own undo; `textEdited` hands the text
            // to the model.
            feld->selectAll();
            feld->insert(QString::fromStdString(inhalt));
            return true;
        case Tastenwirkung::Uebernehmen:
            Zeigen(fall_->EntgeltEingeben(job, Utf8(feld->text())));
            return true;
        case Tastenwirkung::Verwerfen:
            break;
    }
    return true;  // letters, blanks, signs, control characters
}

}  // namespace lohnwippe
