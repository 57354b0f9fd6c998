// The master-data window as a view of the open case: its key filter, where
// the focus goes after a refused save, the homepage notice, what closing
// stores, and the table of the funds from 2013 (its tab order is checked
// with the main window's in tests/ui/main). What it saves is the case model's (tests/fall) and
// the traces'.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "Attrappen.h"
#include "FallTest.h"
#include "platform/Umgebung.h"
#include "ui/master/Stammdaten.h"

namespace lohnwippe::test {
namespace {

class StammdatenTest : public FallTest, public Ansicht {
  protected:
    Stammdaten& Oeffnen() {
        if (fall == nullptr) {
            Starten();
        }
        fenster_ = std::make_unique<Stammdaten>(
            *fall, Umgebung{meldungen, ton, adressen, ordnerpruefer, kalender, drucker, homepage},
            *this);
        fenster_->show();
        return *fenster_;
    }
    // The main window: what reaches it, and its messages.
    void Zeigen(const Aenderung& a) override {
        gezeigt.push_back(a);
        // Closed before the main window redraws.
        EXPECT_TRUE(!a.StammdatenSchliessen || fenster_->isHidden());
        for (const Meldung& m : a.Meldungen) {
            meldungen.Zeigen(QString::fromStdString(m.Titel), QString::fromStdString(m.Text),
                             Meldungssymbol::Keines);
        }
    }
    template <typename T = QLineEdit>
    T* E(const QString& name) const {
        return fenster_->findChild<T*>(name);
    }

    MeldungenAttrappe meldungen;
    SignaltonAttrappe ton;
    OrdnerprueferAttrappe ordnerpruefer;
    AdressoeffnerAttrappe adressen;
    KalenderAttrappe kalender;
    DruckausgabeAttrappe drucker;
    QString homepage = "https://lohnwippe.example/";
    std::vector<Aenderung> gezeigt;
    std::unique_ptr<Stammdaten> fenster_;
};

TEST_F(StammdatenTest, U1FeldNimmtZiffernUndPunktUndVerwirftDenRestMitTon) {
    Oeffnen();
    QLineEdit* feld = E("u1zahl_4");
    EXPECT_EQ(feld->text(), "0,370");  // as the box shows a rate
    feld->clear();
    QTest::keyClicks(feld, "0,4");  // the comma goes in as a point
    QTest::keyClick(feld, Qt::Key_Left);
    // Delete, with the control code some systems give as its text.
    QTest::sendKeyEvent(QTest::Click, feld, Qt::Key_Delete, "\x7f", Qt::NoModifier);
    EXPECT_EQ(feld->text(), "0.");
    QTest::keyClick(feld, Qt::Key_Return);
    EXPECT_EQ(ton.Anzahl, 0);

    // Backspace or a character that is no digit or point throws the whole
    // entry away with a beep.
    QTest::keyClicks(feld, "12");
    QTest::keyClick(feld, Qt::Key_Backspace);
    EXPECT_EQ(feld->text(), "");
    for (const char* falsch : {"1a", "1 ", "1-"}) {
        QTest::keyClicks(feld, falsch);
        EXPECT_EQ(feld->text(), "") << falsch;
    }
    EXPECT_EQ(ton.Anzahl, 4);
}

TEST_F(StammdatenTest, FalscherSatzBehaeltFensterUndFokus) {
    Stammdaten& s = Oeffnen();
    E("u2zahl_7")->setText("32.768");
    E<QPushButton>("Command1")->click();
    ASSERT_EQ(meldungen.Eintraege.size(), 1u);
    EXPECT_EQ(s.focusWidget(), E("u2zahl_7"));
    EXPECT_EQ(E("u2zahl_7")->selectedText(), "32.768");
    EXPECT_TRUE(!s.isHidden() && !gezeigt.back().Personen);

    E("u2zahl_7")->setText("0,5");
    E("Nameneingabe_3")->setText("Frau Ebert");
    E<QPushButton>("Command1")->click();
    EXPECT_TRUE(gezeigt.back().Personen && gezeigt.back().Fall);
    EXPECT_EQ(fall->Stammdaten().Namen().Personen[2], "Frau Ebert          ");
}

TEST_F(StammdatenTest, HinweisUndZeilendrucker) {
    // The notice names the build's homepage; without one it is not shown.
    for (const bool installiert : {false, true, false}) {
        if (!installiert && fenster_ != nullptr) {
            homepage.clear();
        }
        ordnerpruefer.Vorhanden.clear();
        if (installiert) {
            ordnerpruefer.Vorhanden = {"C:\\Programme\\Kassora2012"};
        }
        Oeffnen();
        EXPECT_EQ(E<QLabel>("Fall_23")->isHidden(), installiert || homepage.isEmpty());
        EXPECT_EQ(E<QLabel>("Fall_23")->text().contains("von https://lohnwippe.example/. "),
                  !homepage.isEmpty());
        EXPECT_EQ(E<QCheckBox>("Check1")->isChecked(), installiert);
        // The switch takes effect at once, without a save.
        E<QCheckBox>("Check1")->click();
        EXPECT_EQ(fall->Stammdaten().Zeilendrucker(), !installiert);
    }
}

// Typed as a user types: into the box the table opens on the cell.
void Eintippen(QTableWidget* tabelle, int zeile, int spalte, const QString& text) {
    tabelle->setFocus();
    tabelle->setCurrentCell(zeile, spalte);
    tabelle->editItem(tabelle->item(zeile, spalte));
    auto* feld = qobject_cast<QLineEdit*>(tabelle->indexWidget(tabelle->currentIndex()));
    ASSERT_NE(feld, nullptr);
    feld->selectAll();
    QTest::keyClicks(feld, text);
    QTest::keyClick(feld, Qt::Key_Return);
    QApplication::processEvents();
}

TEST_F(StammdatenTest, KassenEinesJahresAnlegenPruefenUndBeimJahreswechselSpeichern) {
    Oeffnen();
    auto* jahr = E<QComboBox>("Kassenjahr");
    auto* tabelle = E<QTableWidget>("Kassentabelle");
    EXPECT_EQ(jahr->itemText(0), "2013");
    EXPECT_EQ(jahr->currentText(), "2026");  // the case on screen is of 2012
    ASSERT_EQ(tabelle->rowCount(), 1);
    EXPECT_EQ(tabelle->item(0, 1)->text(), "2,90");
    EXPECT_FALSE(tabelle->item(0, 0)->flags() & Qt::ItemIsEditable);
    E<QPushButton>("KasseEntfernen")->click();  // nothing chosen yet
    tabelle->setCurrentCell(0, 0);
    E<QPushButton>("KasseEntfernen")->click();
    ASSERT_EQ(meldungen.Eintraege.size(), 1u);
    EXPECT_TRUE(meldungen.Eintraege[0].Text.startsWith("„Durchschnitt“ steht für keine echte"));

    E<QPushButton>("NeueKasse")->click();
    ASSERT_EQ(tabelle->rowCount(), 2);
    auto* name = qobject_cast<QLineEdit*>(tabelle->indexWidget(tabelle->currentIndex()));
    ASSERT_NE(name, nullptr);
    QTest::keyClicks(name, "Techniker Nord-Suedost GmbH");
    QTest::keyClick(name, Qt::Key_Return);
    QApplication::processEvents();  // the table takes the text over queued
    EXPECT_EQ(tabelle->item(1, 0)->text(), "Techniker Nord-Suedo");  // 20 characters
    Eintippen(tabelle, 1, 2, "1,2345");
    // Another year saves the year on screen first; a wrong box keeps it.
    jahr->setCurrentIndex(0);
    emit jahr->activated(0);
    EXPECT_EQ(jahr->currentText(), "2026");
    ASSERT_EQ(meldungen.Eintraege.size(), 2u);
    EXPECT_TRUE(meldungen.Eintraege[1].Text.contains("„1,2345“ hat mehr als drei"));
    EXPECT_EQ(tabelle->currentRow(), 1);
    EXPECT_EQ(tabelle->currentColumn(), 2);
    Eintippen(tabelle, 1, 2, "1,6");
    jahr->setCurrentIndex(0);
    emit jahr->activated(0);
    EXPECT_EQ(jahr->currentText(), "2013");
    EXPECT_EQ(tabelle->rowCount(), 1);
    EXPECT_EQ(fall->Schritte().Menuetext(true), "Rückgängig: Kassen 2026");
    EXPECT_EQ(fall->Kassen().Lesen(2026).Zeilen->at(1).U1, "1,60");

    // An undo in the main window shows in the table at once.
    jahr->setCurrentText("2026");
    emit jahr->activated(jahr->currentIndex());
    EXPECT_EQ(tabelle->rowCount(), 2);
    fall->Rueckgaengig();
    fenster_->Auffrischen();
    EXPECT_EQ(tabelle->rowCount(), 1);

    // Saving and closing takes the funds on screen along.
    E<QPushButton>("NeueKasse")->click();
    Eintippen(tabelle, 1, 0, "BKK Ost");
    E<QPushButton>("Command1")->click();
    EXPECT_TRUE(fenster_->isHidden());
    EXPECT_EQ(fall->Kassen().Lesen(2026).Zeilen->at(1).Name, "BKK Ost");
}

}  // namespace
}  // namespace lohnwippe::test
