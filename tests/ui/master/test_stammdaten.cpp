#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <optional>

#include "Attrappen.h"
#include "store/Datenbestand.h"
#include "ui/common/Twips.h"
#include "ui/master/Stammdaten.h"

namespace lohnwippe::test {
namespace {

// Every test runs in a fresh folder with the files of a first start. The
// fixture stands for the main window: it holds the data files and records
// in order what the master-data window asks of it.
class StammdatenTest : public ::testing::Test, public Hauptdaten {
  protected:
    void SetUp() override {
        ASSERT_TRUE(QDir::setCurrent(ordner_.path()));
        auto daten = Datenbestand::Oeffnen();
        ASSERT_TRUE(daten.HatWert() && daten.Wert().DatenAnlegen().HatWert());
        daten_.emplace(std::move(daten).Wert());
        for (int k = 1; k <= 10; ++k) {
            Namen.append(QStringLiteral("Personalfall %1").arg(k).leftJustified(20));
        }
        sv_ = Inhalt("SV.dat");
        u12_ = Inhalt("U12.dat");
    }
    // The members go in reverse order: window, data files, folder.
    void TearDown() override { QDir::setCurrent(vorher_); }

    QStringList Personen() const override { return Namen; }
    QString Abrechnungsstelle1() const override { return "Stadt Neckartal     "; }
    QString Abrechnungsstelle2() const override { return "Abt. Personal       "; }
    void AbrechnungsstelleSetzen(const QString& z1, const QString& z2) override {
        Aufrufe << "Abrechnungsstelle " + z1 + "|" + z2;
    }
    std::int16_t Zeilendrucker() const override { return Drucker; }
    void ZeilendruckerSetzen(std::int16_t wert) override {
        Aufrufe << "Zeilendrucker " + QString::number(Drucker = wert);
    }
    Datenbestand& Daten() override { return *daten_; }
    void PersonenNeuAufbauen(const QStringList& namen) override {
        Aufrufe << "Personen " + namen.join('|');
    }
    void FallNeuLaden() override {
        Aufrufe << "FallNeuLaden";
        BeimNeuladen();
    }

    Stammdaten& Oeffnen() {
        fenster = std::make_unique<Stammdaten>(*this, meldungen, ton, ordnerpruefer);
        fenster->show();
        return *fenster;
    }
    template <typename T = QLineEdit>
    T* E(const QString& name) const {
        T* element = fenster->findChild<T*>(name);
        EXPECT_NE(element, nullptr) << name.toStdString();
        return element;
    }
    QLineEdit* U1(int m) const { return E(QStringLiteral("u1zahl_%1").arg(m)); }
    QLineEdit* U2(int m) const { return E(QStringLiteral("u2zahl_%1").arg(m)); }
    QString U1Texte() const {
        QStringList texte;
        for (int m = 0; m < 12; ++m) {
            texte.append(U1(m)->text());
        }
        return texte.join(' ');
    }
    // Replaces the box's text by typing `tasten` and Enter.
    static void Tippen(QLineEdit* feld, const char* tasten) {
        feld->clear();
        QTest::keyClicks(feld, tasten);
        QTest::keyClick(feld, Qt::Key_Return);
    }
    static std::string Inhalt(const char* datei) {
        std::ifstream ein(datei, std::ios::binary);
        return {std::istreambuf_iterator<char>(ein), {}};
    }
    bool Unveraendert() const { return Inhalt("SV.dat") == sv_ && Inhalt("U12.dat") == u12_; }

    QStringList Namen, Aufrufe;
    std::int16_t Drucker = 0;
    std::function<void()> BeimNeuladen = [] {};
    const QString vorher_ = QDir::currentPath();
    QTemporaryDir ordner_;
    std::optional<Datenbestand> daten_;
    MeldungenAttrappe meldungen;
    SignaltonAttrappe ton;
    OrdnerprueferAttrappe ordnerpruefer;
    std::unique_ptr<Stammdaten> fenster;
    std::string sv_, u12_;
};

TEST_F(StammdatenTest, AufbauLadenSchliessenUndZeilendrucker) {
    Stammdaten& f = Oeffnen();
    const Twips twips(QGuiApplication::primaryScreen()->logicalDotsPerInch());
    EXPECT_TRUE(f.isWindow());
    EXPECT_EQ(f.objectName() + f.windowTitle(), "StammdatenStammdaten anlegen");
    EXPECT_FALSE(f.windowIcon().isNull());
    EXPECT_EQ(f.size(), QSize(twips.Pixel(9840), twips.Pixel(7935)));
    EXPECT_EQ(E<QPushButton>("Command1")->geometry(),
              QRect(twips.Pixel(3000), twips.Pixel(240), twips.Pixel(6585), twips.Pixel(405)));
    EXPECT_EQ(E<QLabel>("Fall_10")->text() + E<QLabel>("Fall_13")->text(), "10. PersonalfallMärz");
    EXPECT_EQ(E("Nameneingabe_10")->text() + E("Nameneingabe_12")->text(),
              "Personalfall 10     Abt. Personal       ");
    auto* kassen = E<QComboBox>("Kassen");
    EXPECT_EQ(kassen->count(), 22);
    EXPECT_EQ(kassen->itemText(21), "AOK BBK");
    EXPECT_EQ(kassen->currentIndex(), 0);
    EXPECT_EQ(U1(0)->text() + U2(11)->text(), "0,3700,027");
    EXPECT_FALSE(E<QCheckBox>("Check1")->isChecked());
    for (QWidget* w : f.findChildren<QWidget*>()) {
        if (auto* label = qobject_cast<QLabel*>(w)) {
            EXPECT_EQ(label->textFormat(), Qt::PlainText);
        } else if (w->parentWidget() == &f) {
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
        }
    }
    // The homepage notice shows while the payroll product is missing.
    EXPECT_FALSE(E<QLabel>("Fall_23")->isHidden());
    EXPECT_EQ(E<QLabel>("Fall_23")->text(),
              QStringLiteral("Beim Beenden dieses Programms öffnet sich die Homepage von ") +
                  Homepage +
                  ". Dies unterbleibt, wenn Sie Kassora installiert haben. Es handelt sich um "
                  "eine kostenlose Shareware.");

    // The close box stores nothing, nor does the window as it goes.
    E("Nameneingabe_2")->setText("Anders");
    U2(0)->setText("0,9");
    EXPECT_TRUE(f.close());
    fenster.reset();
    EXPECT_TRUE(Unveraendert() && Aufrufe.empty());

    // With the product installed the notice hides; the line-printer switch
    // shows the main window's mode and hands a click over at once.
    ordnerpruefer.Vorhanden = {"C:\\Programme\\Kassora2012"};
    Drucker = 1;
    Oeffnen();
    EXPECT_TRUE(E<QLabel>("Fall_23")->isHidden());
    EXPECT_TRUE(E<QCheckBox>("Check1")->isChecked());
    E<QCheckBox>("Check1")->click();
    EXPECT_EQ(Aufrufe, QStringList{"Zeilendrucker 0"});
}

TEST_F(StammdatenTest, U1FelderPruefenTastenUndUebernehmenMitEnter) {
    Oeffnen();
    Tippen(U1(2), "");  // an empty box gets "0", no other box changes
    EXPECT_EQ(U1Texte(), "0,370 0,370 0 0,370 0,370 0,370 0,370 0,370 0,370 0,370 0,370 0,370");
    EXPECT_TRUE(meldungen.Eintraege.empty());
    Tippen(U1(2), "0");  // out of range: 0,300 for this and the later months
    EXPECT_EQ(U1Texte(), "0,370 0,370 0,300 0,300 0,300 0,300 0,300 0,300 0,300 0,300 0,300 0,300");
    ASSERT_EQ(meldungen.Eintraege.size(), 1u);
    EXPECT_EQ(meldungen.Eintraege[0].Titel + "|" + meldungen.Eintraege[0].Text,
              "Korrektor|Ihre Eingabe lag außerhalb des Bereichs und mußte korrigiert werden.");
    EXPECT_EQ(meldungen.Eintraege[0].Symbol, Meldungssymbol::Ausrufezeichen);
    Tippen(U1(6), "0.5");
    EXPECT_EQ(U1Texte(), "0,370 0,370 0,300 0,300 0,300 0,300 0,500 0,500 0,500 0,500 0,500 0,500");
    QTest::keyClick(U1(6), Qt::Key_Return);  // the box's own display keeps its rate
    EXPECT_EQ(U1(6)->text(), "0,500");
    Tippen(U1(11), "1.0005");  // 1000.5 thousandths round to even
    EXPECT_EQ(U1(11)->text(), "1,000");
    EXPECT_EQ(meldungen.Eintraege.size(), 1u);

    QLineEdit* feld = U1(4);
    feld->clear();
    QTest::keyClicks(feld, "0,4");  // the comma goes in as a point
    QTest::keyClick(feld, Qt::Key_Left);
    // Delete, with the control code some systems give as its text.
    QTest::sendKeyEvent(QTest::Click, feld, Qt::Key_Delete, "\x7f", Qt::NoModifier);
    EXPECT_EQ(feld->text(), "0.");
    EXPECT_EQ(ton.Anzahl, 0);  // nor did any Enter above

    // Backspace or a character that is no digit or point throws the whole
    // entry away with a beep.
    QTest::keyClick(feld, Qt::Key_Backspace);
    EXPECT_EQ(feld->text(), "");
    for (const char* falsch : {"1a", "1 ", "1-"}) {
        QTest::keyClicks(feld, falsch);
        EXPECT_EQ(feld->text(), "") << falsch;
    }
    EXPECT_EQ(ton.Anzahl, 4);
}

// Edits the first fund, switches to another and edits that; an invalid box
// refuses the save until corrected; then only the last fund is stored.
TEST_F(StammdatenTest, SpeichernErstNachGueltigenSaetzenUndNurFuerDieLetzteKasse) {
    Drucker = 1;
    Stammdaten& f = Oeffnen();
    E("Nameneingabe_1")->setText("Ein sehr langer Name, gekürzt");
    E("Nameneingabe_10")->setText("Zoë Łukasz");
    E("Nameneingabe_11")->setText("Stadt Au");
    Tippen(U1(0), "0.9");
    E<QComboBox>("Kassen")->setCurrentIndex(5);
    emit E<QComboBox>("Kassen")->activated(5);
    EXPECT_EQ(U1(0)->text(), "0,260");
    Tippen(U1(2), "0,45");
    U2(0)->setText("0.5");
    U2(1)->setText("0,5");
    U2(11)->setText(" 1 ");

    U1(0)->clear();
    U2(2)->setText("0,5%");
    U2(7)->setText("32.768");
    // Box, its message, its correction; U1 before U2, month by month.
    const std::tuple<QLineEdit*, QString, const char*> falsch[] = {
        {U1(0), "U 1 für Januar ist keine gültige Zahl.", "0,26"},
        {U2(2), "U 2 für März ist keine gültige Zahl.", "0.03"},
        {U2(7), "U 2 für August ist zu groß zum Speichern (höchstens 32,767).", "-32.768"},
    };
    for (const auto& [feld, text, richtig] : falsch) {
        E<QPushButton>("Command1")->click();
        ASSERT_EQ(meldungen.Eintraege.size(), 1u);
        EXPECT_EQ(meldungen.Eintraege[0].Titel + "|" + meldungen.Eintraege[0].Text,
                  "Stammdaten|Der Umlagesatz " + text);
        EXPECT_EQ(f.focusWidget(), feld);
        EXPECT_TRUE(!f.isHidden() && Unveraendert() && Aufrufe.empty());
        feld->setText(richtig);
        meldungen.Eintraege.clear();
    }
    // Closed and written before the main window loads its case again.
    BeimNeuladen = [&] { EXPECT_TRUE(f.isHidden() && Inhalt("U12.dat") != u12_); };
    E<QPushButton>("Command1")->click();

    EXPECT_TRUE(meldungen.Eintraege.empty());
    QStringList namen = Namen;
    namen[0] = "Ein sehr langer Name";
    namen[9] = "Zoë ?ukasz          ";
    EXPECT_EQ(Aufrufe, (QStringList{"Abrechnungsstelle Stadt Au            |Abt. Personal       ",
                                    "Personen " + namen.join('|'), "FallNeuLaden"}));
    const Fallsatz einstellungen = Daten().FallLesen(603).Wert();
    EXPECT_EQ(Daten().FallLesen(601).Wert().Namen[1], namen[0].toStdString());
    EXPECT_EQ(einstellungen.Namen[2] + einstellungen.Namen[3],
              "Zoë ?ukasz          Stadt Au            ");
    EXPECT_EQ(einstellungen.RVVerzicht, 1);

    // Only entry 5 of U1 and U2 in the records of 2012 changed; -32.768 is
    // the lowest rate a record holds.
    const std::int16_t saetze[24] = {
        260, 260, 450, 450, 450, 450, 450, 450,    450, 450, 450, 450,   // U1, January first
        500, 500, 30,  30,  30,  30,  30,  -32768, 30,  30,  30,  1000,  // U2
    };
    std::string erwartet = u12_;
    for (std::size_t i = 0; i < 24; ++i) {
        const std::size_t stelle =
            UmlagesatzLaenge * (36 + i % 12) + 44 * (i / 12) + std::size_t{2} * 5;
        erwartet[stelle] = static_cast<char>(saetze[i] & 0xFF);
        erwartet[stelle + 1] = static_cast<char>(saetze[i] >> 8);
    }
    EXPECT_EQ(Inhalt("U12.dat"), erwartet);
}

}  // namespace
}  // namespace lohnwippe::test
