// The master-data window as a view of the open case: its key filter, where
// the focus goes after a refused save, the homepage notice, and what closing
// stores. What it saves is the case model's (tests/fall) and the traces'.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
    EXPECT_EQ(fall->Namen().Personen[2], "Frau Ebert          ");
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
        EXPECT_EQ(fall->Zeilendrucker(), !installiert);
    }
}

}  // namespace
}  // namespace lohnwippe::test
