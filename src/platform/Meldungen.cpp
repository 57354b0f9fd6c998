#include "platform/Meldungen.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace lohnwippe {

void QtMeldungen::Zeigen(const QString& titel, const QString& text, Meldungssymbol symbol) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (symbol) {
        case Meldungssymbol::Keines:
            break;
        case Meldungssymbol::Ausrufezeichen:
            icon = QMessageBox::Warning;
            break;
        case Meldungssymbol::Fehler:
            icon = QMessageBox::Critical;
            break;
    }
    QMessageBox box(icon, titel, text, QMessageBox::Ok, eltern_);
    // Texts can carry names the user typed; never let Qt read them as HTML.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtMeldungen::Fragen(const QString& titel, const QString& text, const QString& ja,
                         const QString& nein) {
    QMessageBox box(QMessageBox::Question, titel, text, QMessageBox::Yes | QMessageBox::No,
                    eltern_);
    box.setTextFormat(Qt::PlainText);
    // Without a translation Qt would label them in English.
    box.button(QMessageBox::Yes)->setText(ja);
    box.button(QMessageBox::No)->setText(nein);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void QtSignalton::Piepen() {
    QApplication::beep();
}

}  // namespace lohnwippe
