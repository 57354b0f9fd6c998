#include "ui/common/Eingabefelder.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QString>
#include <algorithm>
#include <string>

#include "store/Cp1252.h"

namespace lohnwippe::gestaltung {
namespace {

constexpr auto Laenge = static_cast<qsizetype>(TextfeldLaenge);

// Characters in text[0, bis): a pair of surrogates is one character.
qsizetype Zeichen(const QString& text, qsizetype bis) {
    qsizetype anzahl = bis;
    for (qsizetype i = 1; i < bis; ++i) {
        if (text.at(i).isLowSurrogate() && text.at(i - 1).isHighSurrogate()) {
            --anzahl;
        }
    }
    return anzahl;
}

class AnfangWaechter final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override {
        // A box that is being destroyed gives up its focus too, when it is
        // a box no longer.
        auto* feld = qobject_cast<QLineEdit*>(objekt);
        if (feld != nullptr && ereignis->type() == QEvent::FocusOut) {
            feld->setCursorPosition(0);
        }
        return false;
    }
};

// Sits on the list itself: a list hands its focus and key events straight
// to its edit field, past any filter there.
class AuswahlWaechter final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override {
        auto* liste = qobject_cast<QComboBox*>(objekt);
        if (liste == nullptr) {
            return false;
        }
        if (ereignis->type() == QEvent::FocusOut) {
            // Before the edit field ends its editing: it would choose an
            // entry whose text was typed.
            AuswahlZeigen(liste);
            liste->lineEdit()->setCursorPosition(0);
        } else if (ereignis->type() == QEvent::KeyPress) {
            const int taste = static_cast<QKeyEvent*>(ereignis)->key();
            if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
                AuswahlZeigen(liste);
                return true;
            }
        }
        return false;
    }

  private:
    static void AuswahlZeigen(QComboBox* liste) {
        const int auswahl = liste->currentIndex();
        if (auswahl >= 0 && liste->lineEdit()->text() != liste->itemText(auswahl)) {
            liste->lineEdit()->setText(liste->itemText(auswahl));
        }
    }
};

}  // namespace

QValidator::State Textfeldpruefer::validate(QString& text, int& position) const {
    // Through the data files' own conversion and back: one character for
    // each character typed, "?" where the file could not keep it.
    const std::string gespeichert = AusCp1252(NachCp1252(text.toStdString()));
    QString neu = QString::fromStdString(gespeichert);
    qsizetype stelle = Zeichen(text, std::clamp<qsizetype>(position, 0, text.size()));
    if (neu.size() > Laenge) {
        const qsizetype zuviel = neu.size() - Laenge;
        const qsizetype von = std::max<qsizetype>(0, stelle - zuviel);
        neu.remove(von, stelle - von);
        neu.truncate(Laenge);
        stelle = std::min(von, Laenge);
    }
    text = neu;
    position = static_cast<int>(stelle);
    return Acceptable;
}

void AufTextfeldBegrenzen(QLineEdit* feld) {
    feld->setValidator(new Textfeldpruefer(feld));
}

void AnfangZeigen(QLineEdit* feld) {
    feld->installEventFilter(new AnfangWaechter(feld));
}

void AuswahlFesthalten(QComboBox* liste) {
    liste->setEditable(true);
    liste->setInsertPolicy(QComboBox::NoInsert);
    liste->installEventFilter(new AuswahlWaechter(liste));
    QLineEdit* feld = liste->lineEdit();
    QObject::connect(feld, &QLineEdit::textChanged, liste, [liste, feld] {
        if (!liste->hasFocus()) {
            feld->setCursorPosition(0);
        }
    });
}

}  // namespace lohnwippe::gestaltung
