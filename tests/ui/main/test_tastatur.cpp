// Keyboard and screen readers: the tab chains of both windows, actions by
// key, and the names a screen reader reads out.
#include <QAbstractScrollArea>
#include <QLabel>
#include <QPushButton>

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
        reihe << "Kassenjahr"
              << "Kassentabelle"
              << "NeueKasse"
              << "KasseEntfernen"
              << "KassenSpeichern";
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
    static void TabreiheStimmt(QWidget& fenster, const QStringList& reihe) {
        fenster.show();
        QApplication::setActiveWindow(&fenster);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&fenster));
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
    // A list changed by key loads its case as a choice with the mouse does.
    Fokussieren(E().Monat);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::mouseClick(E().Drucken, Qt::LeftButton);  // prints what the model holds
    ASSERT_EQ(drucker.Berichte.size(), 1u);
    EXPECT_EQ(drucker.Berichte[0].MonatText, "FEB");
    Stammdaten& s = StammdatenOeffnen();
    TabreiheStimmt(s, Reihe(false));
    EXPECT_EQ(s.findChild<QLineEdit*>("u2zahl_4")->accessibleName(), "Umlagesatz U2 Mai");
}

}  // namespace
}  // namespace lohnwippe::test
