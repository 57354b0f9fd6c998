// Keyboard and screen readers: the tab chains of both windows, actions by
// key, and the names a screen reader reads out.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTest>

#include "FensterTest.h"
#include "ui/main/Ergebnistabelle.h"

namespace lohnwippe::test {
namespace {

QStringList HauptfensterReihe() {
    QStringList reihe = {
        "Hilfe",  "Jahr",      "Monat",   "Minijobber", "Teilmonat",
        "Kassen", "Speichern", "Drucken", "Internet",   QStringLiteral("Schließen")};
    for (int i = 1; i <= 4; ++i) {
        for (const char* name : {"Arbeitgeber", "Entgelt", "Spielen", "KV", "KG", "PV", "U1", "RV",
                                 "U2", "AV", "U3"}) {
            reihe << QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i);
        }
    }
    reihe << "RV_Befreiung"
          << "Kinderlos"
          << "Sachsen";
    return reihe;
}

QStringList StammdatenReihe() {
    QStringList reihe;
    for (int k = 1; k <= 12; ++k) {
        reihe << QStringLiteral("Nameneingabe_%1").arg(k);
    }
    reihe << "Check1"
          << "Kassen";
    for (const char* spalte : {"u1zahl", "u2zahl"}) {
        for (int m = 0; m < 12; ++m) {
            reihe << QStringLiteral("%1_%2").arg(QLatin1String(spalte)).arg(m);
        }
    }
    reihe << "Command1";
    return reihe;
}

// The control a focus widget belongs to: the edit field of a list is the
// list's own part.
QWidget* Bedienelement(QWidget* w) {
    if (w != nullptr && qobject_cast<QComboBox*>(w->parentWidget()) != nullptr) {
        return w->parentWidget();
    }
    return w;
}

QString Name(QWidget* w) {
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
    static void Aktivieren(QWidget& fenster) {
        fenster.show();
        QApplication::setActiveWindow(&fenster);
        fenster.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&fenster));
    }
    static void Fokussieren(QWidget* w) {
        w->setFocus(Qt::OtherFocusReason);
        ASSERT_EQ(Bedienelement(QApplication::focusWidget()), w) << Name(w).toStdString();
    }
    // Presses `taste` `anzahl` times where the focus is and records where it
    // went after each press.
    static QStringList Wandern(Qt::Key taste, qsizetype anzahl) {
        QStringList ziele;
        for (qsizetype k = 0; k < anzahl; ++k) {
            QTest::keyClick(QApplication::focusWidget(), taste);
            ziele << Name(Bedienelement(QApplication::focusWidget()));
        }
        return ziele;
    }
    static void TabreiheStimmt(QWidget& fenster, const QStringList& reihe) {
        auto* erstes = fenster.findChild<QWidget*>(reihe.first());
        ASSERT_NE(erstes, nullptr);
        Fokussieren(erstes);

        // Forward through the whole chain and back to the start.
        QStringList erwartet = reihe.mid(1);
        erwartet << reihe.first();
        EXPECT_EQ(Wandern(Qt::Key_Tab, reihe.size()), erwartet);

        // Backwards from the start: the last control first.
        QStringList rueckwaerts;
        for (qsizetype k = reihe.size() - 1; k >= 0; --k) {
            rueckwaerts << reihe.at(k);
        }
        EXPECT_EQ(Wandern(Qt::Key_Backtab, reihe.size()), rueckwaerts);
    }
    // Every control the keyboard can reach is in `reihe`, and every entry
    // of `reihe` can take the focus.
    static void NichtsFehlt(QWidget& fenster, const QStringList& reihe) {
        for (QWidget* w : fenster.findChildren<QWidget*>()) {
            const bool erreichbar = (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(&fenster) &&
                                    w->isEnabled() && !Innenteil(w);
            EXPECT_EQ(erreichbar, reihe.contains(w->objectName()))
                << w->metaObject()->className() << " " << Name(w).toStdString();
        }
    }
    Stammdaten& StammdatenOeffnen() {
        Hauptfenster& f = Starten();
        f.show();
        E().Hilfe->click();
        EXPECT_NE(f.OffeneStammdaten(), nullptr);
        return *f.OffeneStammdaten();
    }
};

TEST_F(Tastatur, HauptfensterFolgtDerLeserichtungUndErreichtJedesBedienelement) {
    Hauptfenster& f = Starten();
    Aktivieren(f);
    TabreiheStimmt(f, HauptfensterReihe());
    NichtsFehlt(f, HauptfensterReihe());
    // Shown or not, the warning frame holds nothing to operate.
    E().Warnung->setVisible(!E().Warnung->isVisible());
    NichtsFehlt(f, HauptfensterReihe());
    // Passing through selected the names; left behind, they show their
    // beginnings again.
    EXPECT_EQ(E().Minijobber->lineEdit()->cursorPosition(), 0);
    EXPECT_EQ(E().Kassen->lineEdit()->cursorPosition(), 0);
    EXPECT_FALSE(E().Kassen->lineEdit()->hasSelectedText());
    E().Arbeitgeber[2]->setText(QStringLiteral("Gaststätte zur alten Linde"));
    Fokussieren(E().Arbeitgeber[2]);
    QTest::keyClick(E().Arbeitgeber[2], Qt::Key_Tab);
    EXPECT_EQ(E().Arbeitgeber[2]->cursorPosition(), 0);
}

TEST_F(Tastatur, StammdatenFolgenDerLeserichtungUndErreichenJedesBedienelement) {
    Stammdaten& s = StammdatenOeffnen();
    Aktivieren(s);
    TabreiheStimmt(s, StammdatenReihe());
    NichtsFehlt(s, StammdatenReihe());
}

TEST_F(Tastatur, JedeAktionOhneMaus) {
    Hauptfenster& f = Starten();
    Aktivieren(f);

    // The amount: typed with Enter, then stepped with the arrow keys.
    Fokussieren(E().Arbeitgeber[1]);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), "650");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(E().Entgelt[1]->text(), "650,00");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), E().Spielen[1]);
    QTest::keyClick(E().Spielen[1], Qt::Key_Right);
    QTest::keyClick(E().Spielen[1], Qt::Key_Right);
    EXPECT_EQ(E().Entgelt[1]->text(), "651,00");
    QTest::keyClick(E().Spielen[1], Qt::Key_Left);
    EXPECT_EQ(E().Entgelt[1]->text(), "650,00");

    // A switch with the space bar.
    const int vorher = f.Fall().Berechnungen();
    const bool kg = E().KG[1]->isChecked();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), E().KG[1]);
    QTest::keyClick(E().KG[1], Qt::Key_Space);
    EXPECT_NE(E().KG[1]->isChecked(), kg);
    EXPECT_GT(f.Fall().Berechnungen(), vorher);

    // A list with the arrow keys: the next month loads its own case.
    const int fall = f.Fall().FallNr();
    const int monat = E().Monat->currentIndex();
    Fokussieren(E().Monat);
    QTest::keyClick(QApplication::focusWidget(), monat < 11 ? Qt::Key_Down : Qt::Key_Up);
    EXPECT_NE(E().Monat->currentIndex(), monat);
    EXPECT_NE(f.Fall().FallNr(), fall);

    // Buttons with the space bar.
    Fokussieren(E().Drucken);
    QTest::keyClick(E().Drucken, Qt::Key_Space);
    EXPECT_EQ(drucker.Berichte.size(), 1u);
    Fokussieren(E().Hilfe);
    QTest::keyClick(E().Hilfe, Qt::Key_Space);
    EXPECT_NE(f.OffeneStammdaten(), nullptr);
}

// A name a screen reader can read out: no design name ("Combo1",
// "Entgelt_1") in place of words.
void Lesbar(QWidget* w) {
    static const QRegularExpression entwurfsname(QStringLiteral("_|[A-Za-z][0-9]+$"));
    const QString name = w->accessibleName();
    EXPECT_FALSE(name.trimmed().isEmpty()) << Name(w).toStdString();
    EXPECT_FALSE(entwurfsname.match(name).hasMatch())
        << Name(w).toStdString() << ": " << name.toStdString();
}

// Every control a user operates or reads a value from carries a name of its
// own, and no two of them share one.
void JedesElementBenannt(QWidget& fenster, const QList<QLabel*>& werte) {
    QSet<QString> namen;
    int geprueft = 0;
    for (QWidget* w : fenster.findChildren<QWidget*>()) {
        const bool bedienbar = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                               qobject_cast<QLineEdit*>(w) || qobject_cast<QScrollBar*>(w) ||
                               qobject_cast<QAbstractItemView*>(w);
        if (Innenteil(w) || !(bedienbar || werte.contains(w))) {
            continue;
        }
        Lesbar(w);
        EXPECT_FALSE(namen.contains(w->accessibleName())) << w->accessibleName().toStdString();
        namen.insert(w->accessibleName());
        ++geprueft;
    }
    EXPECT_EQ(geprueft, namen.size());
    // Every other label is read out by its text.
    for (QLabel* label : fenster.findChildren<QLabel*>()) {
        QAccessibleInterface* zugang = QAccessible::queryAccessibleInterface(label);
        ASSERT_NE(zugang, nullptr);
        EXPECT_EQ(zugang->text(QAccessible::Name).isEmpty(), label->text().trimmed().isEmpty())
            << Name(label).toStdString();
    }
}

TEST_F(Tastatur, HauptfensterIstZugaenglichBenannt) {
    Hauptfenster& f = Starten();
    const Steuerelemente& e = E();
    const QList<QLabel*> werte = {e.SozversK, e.SozversP, e.SozversR, e.SozversA,   e.Umlage1,
                                  e.Umlage2,  e.Umlage3,  e.SozversF, e.Jahressumme};
    JedesElementBenannt(f, werte);

    // The four employments' controls tell which employment they belong to.
    for (int i = 1; i <= 4; ++i) {
        const QString job = e.Job[i]->title();
        for (QWidget* w : e.Job[i]->findChildren<QWidget*>()) {
            if (!Innenteil(w) && !qobject_cast<QLabel*>(w)) {
                EXPECT_TRUE(w->accessibleName().endsWith(job)) << Name(w).toStdString();
            }
        }
    }
    EXPECT_EQ(e.KV[2]->accessibleName(), QStringLiteral("Krankenversicherung (KV) 1. Mini-Job"));
    EXPECT_EQ(e.RV_Befreiung->accessibleName(), QStringLiteral("Verzicht auf Gleitzone in RV"));

    // A value label reads out what it shows after what it is.
    for (QLabel* wert : werte) {
        const QString gelesen =
            QAccessible::queryAccessibleInterface(wert)->text(QAccessible::Name);
        EXPECT_TRUE(gelesen.startsWith(wert->accessibleName() + ": ")) << gelesen.toStdString();
        EXPECT_TRUE(gelesen.endsWith(wert->text().trimmed())) << gelesen.toStdString();
    }
    const QString summe =
        QAccessible::queryAccessibleInterface(e.Jahressumme)->text(QAccessible::Name);
    EXPECT_EQ(summe, "Jahresentgelt: " + e.Jahressumme->text().trimmed());

    // The caption beside a box is its label for the screen reader as well.
    EXPECT_EQ(e.Label1[2]->buddy(), e.Entgelt[3]);
    EXPECT_EQ(e.Label3->buddy(), e.RV_Befreiung);
    EXPECT_EQ(e.Label7->buddy(), e.SozversK);
}

TEST_F(Tastatur, StammdatenSindZugaenglichBenannt) {
    Stammdaten& s = StammdatenOeffnen();
    JedesElementBenannt(s, {});
    auto* name = s.findChild<QLineEdit*>("Nameneingabe_3");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->accessibleName(), "Name Personalfall 3");
    EXPECT_EQ(s.findChild<QLabel*>("Fall_3")->buddy(), name);
    EXPECT_EQ(s.findChild<QLineEdit*>("u2zahl_4")->accessibleName(), "Umlagesatz U2 Mai");
}

}  // namespace
}  // namespace lohnwippe::test
