// Undo and redo as the window offers them, and the question about a
// replaced file: which keys reach the steps from where, Qt's own texts in
// German, where the notice sits, the master-data window after a step, and
// one question at a time.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "FensterTest.h"

namespace lohnwippe::test {
namespace {

class VerlaufFensterTest : public FensterTest {
  protected:
    // Shortcuts need the window active and a widget in it focused.
    Hauptfenster& Aktiv() {
        Hauptfenster& f = Starten();
        f.show();
        QApplication::setActiveWindow(&f);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&f));
        return f;
    }
    QAction* Zurueck() const { return fenster->actions()[0]; }
    QAction* Vor() const { return fenster->actions()[1]; }
};

// A list keeps the steps' keys from the window no more than the boxes do;
// in an amount box the typing goes back first, only then a stored step.
TEST_F(VerlaufFensterTest, TastenWirkenAusListenUndTippenGehtVor) {
    Aktiv();
    QLineEdit* feld = E().Entgelt[1];
    feld->setFocus();
    Tippen(feld, "450");
    Fokus(feld, true);  // entering empties the box
    QTest::keyClicks(feld, "7.");
    QStringList gezeigt;
    const auto taste = [&](Qt::Key k) {
        QTest::keyClick(feld, k, Qt::ControlModifier);
        gezeigt << feld->text();
    };
    taste(Qt::Key_Z);
    taste(Qt::Key_Z);
    taste(Qt::Key_Y);  // the typing comes back, not the stored step
    taste(Qt::Key_Z);
    taste(Qt::Key_Z);
    EXPECT_EQ(gezeigt, QStringList({"7", "", "7", "", "0,00"}));
    EXPECT_FALSE(Zurueck()->isEnabled());

    for (QComboBox* liste : {E().Jahr, E().Monat, E().Minijobber, E().Teilmonat, E().Kassen}) {
        liste->setFocus();
        ASSERT_TRUE(liste->hasFocus());
        QTest::keyClick(liste, Qt::Key_Z, Qt::ShiftModifier | Qt::ControlModifier);
        EXPECT_EQ(feld->text(), "450,00") << liste->objectName().toStdString();
        QTest::keyClick(liste, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(feld->text(), "0,00") << liste->objectName().toStdString();
    }
}

TEST_F(VerlaufFensterTest, StandardtexteSindDeutsch) {
    Starten();
    const std::unique_ptr<QMenu> menue(E().Entgelt[1]->createStandardContextMenu());
    const QList<QAction*> eintraege = menue->actions();
    ASSERT_GE(eintraege.size(), 4);
    EXPECT_EQ(eintraege[0]->text().section('\t', 0, 0), "&Rückgängig");
    EXPECT_EQ(eintraege[3]->text().section('\t', 0, 0), "&Ausschneiden");
}

// The notice lies in a line of its own below the table, within the window.
TEST_F(VerlaufFensterTest, HinweisVerdecktNichts) {
    Hauptfenster& f = Starten();
    f.show();
    Tippen(E().Entgelt[1], "450");
    Zurueck()->trigger();
    const auto* hinweis = f.findChild<QLabel*>("Hinweis");
    ASSERT_TRUE(hinweis != nullptr && hinweis->isVisible());
    EXPECT_TRUE(f.rect().contains(hinweis->geometry()));
    for (const QWidget* w : f.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        EXPECT_TRUE(w == hinweis || !w->isVisible() ||
                    !w->geometry().intersects(hinweis->geometry()))
            << w->objectName().toStdString();
    }
    f.grab().save("/tmp/ui26_shot.png");
}

// A master-data window left open shows what an undo left in the files, so
// that saving it does not store the undone names again.
TEST_F(VerlaufFensterTest, OffeneStammdatenFolgenDemSchritt) {
    Hauptfenster& f = Starten();
    QTest::mouseClick(E().Hilfe, Qt::LeftButton);
    const auto name = [&f] {
        return f.OffeneStammdaten()->findChild<QLineEdit*>("Nameneingabe_3");
    };
    const QString vorher = name()->text();
    name()->setText("Frau Ebert");
    f.OffeneStammdaten()->findChild<QPushButton*>("Command1")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTest::mouseClick(E().Hilfe, Qt::LeftButton);
    EXPECT_EQ(name()->text(), "Frau Ebert          ");
    Zurueck()->trigger();
    EXPECT_EQ(name()->text(), vorher);
    Vor()->trigger();
    EXPECT_EQ(name()->text(), "Frau Ebert          ");
}

// The save timer runs out while the question about a replaced file is
// open: no second box over the first, and the answer given is the one
// that counts.
TEST_F(VerlaufFensterTest, ErsetzteDateiWirdEinmalGefragt) {
    Starten();
    Tippen(E().Entgelt[1], "450");
    FremdesSvDat(362, 100);
    meldungen.Antwort = false;  // "Meine Fassung behalten"
    meldungen.Waehrenddessen = [] { QTest::qWait(1300); };
    QTest::mouseClick(E().Speichern, Qt::LeftButton);
    EXPECT_EQ(meldungen.Gefragt.size(), 1u);
    QTest::qWait(1300);
    EXPECT_EQ(meldungen.Gefragt.size(), 1u);
    EXPECT_EQ(GespeicherterFall(362).Entgelte[1], Waehrung::AusGanzzahl(450));
}

}  // namespace
}  // namespace lohnwippe::test
