#include "Meldungen.h"

#include <QApplication>
#include <QMessageBox>

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

void QtSignalton::Piepen() {
    QApplication::beep();
}

}  // namespace lohnwippe
