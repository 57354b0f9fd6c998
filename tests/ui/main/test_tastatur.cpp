// Keyboard and screen readers: the tab chains of both windows, actions by
// key, and the names a screen reader reads out.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>

#include "FensterTest.h"

namespace lohnwippe::test {
namespace {

// The tab chain of the main window or the master-data window, in reading order.
QStringList Reihe(bool hauptfenster) {
    QStringList reihe;
    const auto nummeriert = [&reihe](const char* name, int von, int bis) {
        for (int i = von; i <= bis; ++i) {
            reihe << QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i);
        }
    };
    if (!hauptfenster) {
        nummeriert("Nameneingabe", 1, 12);
        reihe << "Check1"
              << "Kassen";
        nummeriert("u1zahl", 0, 11);
        nummeriert("u2zahl", 0, 11);
        return reihe << "Command1";
    }
    reihe = {"Hilfe",  "Jahr",      "Monat",   "Minijobber", "Teilmonat",
             "Kassen", "Speichern", "Drucken", "Internet",   QStringLiteral("Schließen")};
    for (int i = 1; i <= 4; ++i) {
        for (const char* name : {"Arbeitgeber", "Entgelt", "Spielen", "KV", "KG", "PV", "U1", "RV",
                                 "U2", "AV", "U3"}) {
            nummeriert(name, i, i);
        }
    }
    return reihe << "RV_Befreiung"
                 << "Kinderlos"
                 << "Sachsen";
}

// The control a focus widget belongs to: the edit field of a list is the
// list's own part.
QString Name(QWidget* w) {
    if (w != nullptr && qobject_cast<QComboBox*>(w->parentWidget()) != nullptr) {
        w = w->parentWidget();
    }
    return w == nullptr ? QStringLiteral("(keiner)") : w->objectName();
}

// Parts that a control brings along and names itself: the edit field and
// the drop-down of a list, the scroll bars and viewport of the table.
bool Innenteil(const QWidget* w) {
    for (const QWidget* p = w->parentWidget(); p != nullptr; p = p->parentWidget()) {
        if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractScrollArea*>(p)) {
            return true;
        }
    }
    return false;
}

class Tastatur : public FensterTest {
  protected:
    static void Fokussieren(QWidget* w) {
        w->setFocus(Qt::OtherFocusReason);
        ASSERT_EQ(Name(QApplication::focusWidget()), w->objectName());
    }
    // Presses `taste` `anzahl` times and records where the focus went.
    static QStringList Wandern(Qt::Key taste, qsizetype anzahl) {
        QStringList ziele;
        for (qsizetype k = 0; k < anzahl; ++k) {
            QTest::keyClick(QApplication::focusWidget(), taste);
            ziele << Name(QApplication::focusWidget());
        }
        return ziele;
    }
    // Tab goes round the chain and Backtab back; every control the keyboard
    // can reach is in it.
    static void Aktivieren(QWidget& fenster) {
        fenster.show();
        QApplication::setActiveWindow(&fenster);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&fenster));
    }
    static void TabreiheStimmt(QWidget& fenster, const QStringList& reihe) {
        Aktivieren(fenster);
        Fokussieren(fenster.findChild<QWidget*>(reihe.first()));
        EXPECT_EQ(Wandern(Qt::Key_Tab, reihe.size()), reihe.mid(1) << reihe.first());
        QStringList rueckwaerts;
        for (qsizetype k = reihe.size() - 1; k >= 0; --k) {
            rueckwaerts << reihe.at(k);
        }
        EXPECT_EQ(Wandern(Qt::Key_Backtab, reihe.size()), rueckwaerts);
        for (QWidget* w : fenster.findChildren<QWidget*>()) {
            const bool erreichbar = (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(&fenster) &&
                                    w->isEnabled() && !Innenteil(w);
            EXPECT_EQ(erreichbar, reihe.contains(w->objectName())) << Name(w).toStdString();
        }
    }
    Stammdaten& StammdatenOeffnen() {
        E().Hilfe->click();
        EXPECT_NE(fenster->OffeneStammdaten(), nullptr);
        return *fenster->OffeneStammdaten();
    }
};

TEST_F(Tastatur, TabreihenFolgenDerLeserichtungUndErreichenJedesBedienelement) {
    TabreiheStimmt(Starten(), Reihe(true));
    // Passing through selected the names; left behind, they show their
    // beginnings again.
    EXPECT_EQ(E().Minijobber->lineEdit()->cursorPosition(), 0);
    EXPECT_FALSE(E().Kassen->lineEdit()->hasSelectedText());
    TabreiheStimmt(StammdatenOeffnen(), Reihe(false));
}

TEST_F(Tastatur, JedeAktionOhneMaus) {
    Hauptfenster& f = Starten();
    Aktivieren(f);
    // The amount: typed with Enter, then stepped with the arrow keys.
    Fokussieren(E().Entgelt[1]);
    QTest::keyClicks(E().Entgelt[1], "650");
    QTest::keyClick(E().Entgelt[1], Qt::Key_Return);
    QTest::keyClick(E().Entgelt[1], Qt::Key_Tab);
    QTest::keyClick(E().Spielen[1], Qt::Key_Right);
    QTest::keyClick(E().Spielen[1], Qt::Key_Right);
    EXPECT_EQ(E().Entgelt[1]->text(), "651,00");

    // A switch with the space bar; a list with the arrow keys loads its case.
    Fokussieren(E().KG[1]);
    QTest::keyClick(E().KG[1], Qt::Key_Space);
    EXPECT_EQ(f.Fall().Bildschirm().Umlagen[1][KGStelle], 0);
    Fokussieren(E().Monat);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(f.Fall().FallNr(), 362);

    // Buttons with the space bar.
    Fokussieren(E().Drucken);
    QTest::keyClick(E().Drucken, Qt::Key_Space);
    EXPECT_EQ(drucker.Berichte.size(), 1u);
    Fokussieren(E().Hilfe);
    QTest::keyClick(E().Hilfe, Qt::Key_Space);
    EXPECT_NE(f.OffeneStammdaten(), nullptr);
}

// Every control a user operates or reads a value from carries a name of its
// own that is words, not a design name ("Combo1", "Entgelt_1"); every other
// label is read out by its text.
void JedesElementBenannt(QWidget& fenster, const QList<QLabel*>& werte) {
    static const QRegularExpression entwurfsname(QStringLiteral("_|[A-Za-z][0-9]+$"));
    QSet<QString> namen;
    for (QWidget* w : fenster.findChildren<QWidget*>()) {
        const bool bedienbar = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                               qobject_cast<QLineEdit*>(w) || qobject_cast<QScrollBar*>(w) ||
                               qobject_cast<QAbstractItemView*>(w);
        if (Innenteil(w) || !(bedienbar || werte.contains(w))) {
            continue;
        }
        const QString name = w->accessibleName();
        EXPECT_FALSE(name.trimmed().isEmpty() || entwurfsname.match(name).hasMatch() ||
                     namen.contains(name))
            << Name(w).toStdString() << ": " << name.toStdString();
        namen.insert(name);
    }
    for (QLabel* label : fenster.findChildren<QLabel*>()) {
        const QString gelesen =
            QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
        EXPECT_EQ(gelesen.isEmpty(), label->text().trimmed().isEmpty())
            << Name(label).toStdString();
    }
}

TEST_F(Tastatur, BeideFensterSindZugaenglichBenannt) {
    Hauptfenster& f = Starten();
    const Steuerelemente& e = E();
    const QList<QLabel*> werte = {e.SozversK, e.SozversP, e.SozversR, e.SozversA,   e.Umlage1,
                                  e.Umlage2,  e.Umlage3,  e.SozversF, e.Jahressumme};
    JedesElementBenannt(f, werte);
    // The employments' controls say which one they belong to.
    EXPECT_EQ(e.KV[2]->accessibleName(), QStringLiteral("Krankenversicherung (KV) 1. Mini-Job"));
    // A value label reads out what it shows after what it is.
    for (QLabel* wert : werte) {
        EXPECT_EQ(QAccessible::queryAccessibleInterface(wert)->text(QAccessible::Name),
                  wert->accessibleName() + ": " + wert->text().trimmed());
    }
    // The caption beside a box is its label for the screen reader as well.
    EXPECT_EQ(e.Label1[2]->buddy(), e.Entgelt[3]);
    EXPECT_EQ(e.Label3->buddy(), e.RV_Befreiung);

    Stammdaten& s = StammdatenOeffnen();
    JedesElementBenannt(s, {});
    EXPECT_EQ(s.findChild<QLineEdit*>("Nameneingabe_3")->accessibleName(), "Name Personalfall 3");
    EXPECT_EQ(s.findChild<QLabel*>("Fall_3")->buddy(), s.findChild<QLineEdit*>("Nameneingabe_3"));
    EXPECT_EQ(s.findChild<QLineEdit*>("u2zahl_4")->accessibleName(), "Umlagesatz U2 Mai");
}

}  // namespace
}  // namespace lohnwippe::test
