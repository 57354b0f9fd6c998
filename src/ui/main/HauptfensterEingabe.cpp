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

// Escaped and kept as written, so that a name is never read as markup and
// inner blanks survive.
QString Klartext(const QString& text) {
    return "<p style=\"white-space:pre\">" + text.toHtmlEscaped() + "</p>";
}

std::string Utf8(const QString& text) {
    return text.toStdString();
}

}  // namespace

void Hauptfenster::Verbinden() {
    const auto liste = [this](QComboBox* box, auto operation) {
        connect(box, &QComboBox::activated, this,
                [this, operation](int position) { Zeigen(operation(*fall_, position)); });
    };
    liste(e_.Jahr, [](OffenerFall& f, int p) { return f.JahrWaehlen(ErstesJahr + p); });
    liste(e_.Monat, [](OffenerFall& f, int p) { return f.MonatWaehlen(p + 1); });
    liste(e_.Minijobber, [](OffenerFall& f, int p) { return f.PersonWaehlen(p); });
    liste(e_.Kassen, [](OffenerFall& f, int p) { return f.KasseWaehlen(p); });
    liste(e_.Teilmonat, [](OffenerFall& f, int p) { return f.TeilmonatWaehlen(p); });
    liste(e_.Beitrag0, [](OffenerFall& f, int) { return f.BeitragWaehlen(); });
    // Names are padded with blanks to 20 characters; show their start.
    for (QComboBox* box : {e_.Jahr, e_.Monat, e_.Minijobber, e_.Teilmonat, e_.Kassen}) {
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

    // Qt has already turned the box when `clicked` arrives; the model turns
    // its switch the same way (grey and off to on, on to off), and a user's
    // click never leaves a box grey.
    const auto klick = [this](QCheckBox* box, auto operation) {
        connect(box, &QCheckBox::clicked, this, [this, box, operation] {
            box->setTristate(false);
            Zeigen(operation(*fall_));
        });
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
    for (int j = ErsteSpalte; j <= LetzterJob; ++j) {
        for (const auto& eintrag : schalter) {
            const Jobschalter art = eintrag.first;
            klick((e_.*eintrag.second)[j],
                  [j, art](OffenerFall& f) { return f.SchalterKlicken(j, art); });
        }
        connect(e_.Spielen[j], &QScrollBar::valueChanged, this,
                [this, j](int position) { SchiebereglerGestellt(j, position); });
        connect(e_.Entgelt[j], &QLineEdit::textEdited, this,
                [this, j](const QString& text) { fall_->EntgeltGetippt(j, Utf8(text)); });
        connect(e_.Arbeitgeber[j], &QLineEdit::textChanged, this,
                [this, j](const QString& text) { fall_->ArbeitgeberGetippt(j, Utf8(text)); });
        e_.Entgelt[j]->installEventFilter(this);
        e_.Arbeitgeber[j]->installEventFilter(this);
    }
    klick(e_.RV_Befreiung,
          [](OffenerFall& f) { return f.SchalterKlicken(Allgemeinschalter::RVBefreiung); });
    klick(e_.Sachsen, [](OffenerFall& f) { return f.SchalterKlicken(Allgemeinschalter::Sachsen); });
    klick(e_.Kinderlos,
          [](OffenerFall& f) { return f.SchalterKlicken(Allgemeinschalter::Kinderlos); });
}

bool Hauptfenster::eventFilter(QObject* objekt, QEvent* ereignis) {
    for (int j = ErsteSpalte; j <= LetzterJob; ++j) {
        if (objekt == e_.Entgelt[j]) {
            const auto typ = ereignis->type();
            if (typ == QEvent::FocusIn || typ == QEvent::FocusOut) {
                // Coming back to the window (after a message, say) is no new
                // entry: the amount shown stays.
                const auto grund = static_cast<QFocusEvent*>(ereignis)->reason();
                const bool fensterwechsel =
                    grund == Qt::ActiveWindowFocusReason || grund == Qt::PopupFocusReason;
                if (typ == QEvent::FocusOut) {
                    fensterVerlassen_[j] = fensterwechsel;
                } else if (!(fensterwechsel && fensterVerlassen_[j])) {
                    e_.Entgelt[j]->clear();
                    fall_->EntgeltfeldBetreten(j);
                }
            } else if (typ == QEvent::KeyPress) {
                const auto* taste = static_cast<QKeyEvent*>(ereignis);
                return EntgeltTaste(j, taste->key(), taste->text());
            }
            return false;
        }
        if (objekt == e_.Arbeitgeber[j]) {
            if (ereignis->type() == QEvent::KeyPress) {
                const int taste = static_cast<QKeyEvent*>(ereignis)->key();
                if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
                    Zeigen(fall_->ArbeitgeberEnter(j));
                }
            } else if (ereignis->type() == QEvent::FocusOut) {
                QLineEdit* feld = e_.Arbeitgeber[j];
                const QString getrimmt = QString::fromStdString(fall_->ArbeitgeberVerlassen(j));
                {
                    const QSignalBlocker stumm(feld);
                    feld->setText(getrimmt);
                }
                // A name longer than the box can be read in full.
                feld->setToolTip(getrimmt.isEmpty() ? QString() : Klartext(getrimmt));
                feld->update();
            }
            return false;
        }
    }
    return QWidget::eventFilter(objekt, ereignis);
}

// Returns true for a key the filter consumes.
bool Hauptfenster::EntgeltTaste(int job, int taste, const QString& text) {
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
            feld->setText(QString::fromStdString(inhalt));
            fall_->EntgeltGetippt(job, inhalt);
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
