#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <random>

#include "Attrappen.h"
#include "Datenbestand.h"
#include "Stammdaten.h"
#include "Twips.h"

namespace lohnwippe::test {
namespace {

// Stands for the main window: holds the data files and records in order
// what the master-data window asks of it.
class HauptdatenAttrappe final : public Hauptdaten {
  public:
    explicit HauptdatenAttrappe(Datenbestand daten) : daten_(std::move(daten)) {}
    QStringList Namen;
    QString Zeile1 = "Stadt Neckartal     ", Zeile2 = "Abt. Personal       ";
    std::int16_t Drucker = 0;
    std::vector<QString> Aufrufe;
    QStringList Neuaufbau;
    std::function<void()> BeimNeuladen = [] {};

    QStringList Personen() const override { return Namen; }
    QString Abrechnungsstelle1() const override { return Zeile1; }
    QString Abrechnungsstelle2() const override { return Zeile2; }
    void AbrechnungsstelleSetzen(const QString& z1, const QString& z2) override {
        Aufrufe.push_back("Abrechnungsstelle " + z1 + "|" + z2);
    }
    std::int16_t Zeilendrucker() const override { return Drucker; }
    void ZeilendruckerSetzen(std::int16_t wert) override {
        Aufrufe.push_back("Zeilendrucker " + QString::number(Drucker = wert));
    }
    Datenbestand& Daten() override { return daten_; }
    void PersonenNeuAufbauen(const QStringList& namen) override {
        Aufrufe.push_back("Personen");
        Neuaufbau = namen;
    }
    void FallNeuLaden() override {
        Aufrufe.push_back("FallNeuLaden");
        BeimNeuladen();
    }

  private:
    Datenbestand daten_;
};

// Every test runs in a fresh folder with the files of a first start.
class StammdatenTest : public ::testing::Test {
  protected:
    void SetUp() override {
        vorher_ = std::filesystem::current_path();
        ordner_ = std::filesystem::temp_directory_path() /
                  ("lohnwippe_stamm_" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(ordner_);
        std::filesystem::current_path(ordner_);
        auto daten = Datenbestand::Oeffnen();
        ASSERT_TRUE(daten.HatWert() && daten.Wert().DatenAnlegen().HatWert());
        haupt = std::make_unique<HauptdatenAttrappe>(std::move(daten).Wert());
        for (int k = 1; k <= 10; ++k) {
            haupt->Namen.append(QStringLiteral("Personalfall %1").arg(k).leftJustified(20));
        }
        sv_ = Inhalt("SV.dat");
        u12_ = Inhalt("U12.dat");
    }
    void TearDown() override {
        fenster.reset();
        haupt.reset();
        std::filesystem::current_path(vorher_);
        std::filesystem::remove_all(ordner_);
    }

    Stammdaten& Oeffnen() {
        fenster = std::make_unique<Stammdaten>(*haupt, meldungen, ton, ordnerpruefer);
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
    // Replaces the box's text by typing `tasten` and, if asked, Enter.
    static void Tippen(QLineEdit* feld, const char* tasten, bool enter = true) {
        feld->clear();
        QTest::keyClicks(feld, tasten);
        if (enter) {
            QTest::keyClick(feld, Qt::Key_Return);
        }
    }
    static std::string Inhalt(const char* datei) {
        std::ifstream ein(datei, std::ios::binary);
        return {std::istreambuf_iterator<char>(ein), {}};
    }
    bool DateienUnveraendert() const {
        return Inhalt("SV.dat") == sv_ && Inhalt("U12.dat") == u12_;
    }

    MeldungenAttrappe meldungen;
    SignaltonAttrappe ton;
    OrdnerprueferAttrappe ordnerpruefer;
    std::unique_ptr<HauptdatenAttrappe> haupt;
    std::unique_ptr<Stammdaten> fenster;
    std::string sv_, u12_;

  private:
    std::filesystem::path vorher_, ordner_;
};

TEST_F(StammdatenTest, AufbauUndLaden) {
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
    ordnerpruefer.Vorhanden = {"C:\\Programme\\Kassora2012"};
    Oeffnen();
    EXPECT_TRUE(E<QLabel>("Fall_23")->isHidden());
}

TEST_F(StammdatenTest, ZeilendruckerWirktSofort) {
    haupt->Drucker = 1;
    Oeffnen();
    EXPECT_TRUE(E<QCheckBox>("Check1")->isChecked());
    E<QCheckBox>("Check1")->click();
    EXPECT_EQ(haupt->Aufrufe, std::vector<QString>{"Zeilendrucker 0"});
}

TEST_F(StammdatenTest, EnterInU1Feldern) {
    Oeffnen();
    Tippen(U1(2), "");  // an empty box gets "0", no other box changes
    EXPECT_EQ(U1Texte(), "0,370 0,370 0 0,370 0,370 0,370 0,370 0,370 0,370 0,370 0,370 0,370");
    EXPECT_TRUE(meldungen.Eintraege.empty());
    Tippen(U1(2), "0");
    EXPECT_EQ(U1Texte(), "0,370 0,370 0,300 0,300 0,300 0,300 0,300 0,300 0,300 0,300 0,300 0,300");
    ASSERT_EQ(meldungen.Eintraege.size(), 1u);
    EXPECT_EQ(meldungen.Eintraege[0].Titel, "Korrektor");
    EXPECT_EQ(meldungen.Eintraege[0].Text,
              "Ihre Eingabe lag außerhalb des Bereichs und mußte korrigiert werden.");
    EXPECT_EQ(meldungen.Eintraege[0].Symbol, Meldungssymbol::Ausrufezeichen);
    Tippen(U1(6), "0.5");
    EXPECT_EQ(U1Texte(), "0,370 0,370 0,300 0,300 0,300 0,300 0,500 0,500 0,500 0,500 0,500 0,500");
    QTest::keyClick(U1(6), Qt::Key_Return);  // the box's own display keeps its rate
    EXPECT_EQ(U1(6)->text(), "0,500");
    Tippen(U1(11), "1.0005");  // 1000.5 thousandths round to even
    EXPECT_EQ(U1(11)->text(), "1,000");
    EXPECT_EQ(meldungen.Eintraege.size(), 1u);
    EXPECT_EQ(ton.Anzahl, 0);
}

TEST_F(StammdatenTest, TastenpruefungDerU1Felder) {
    Oeffnen();
    QLineEdit* feld = U1(4);
    Tippen(feld, "0,4", false);  // the comma goes in as a point
    QTest::keyClick(feld, Qt::Key_Left);
    QTest::keyClick(feld, Qt::Key_Delete);
    EXPECT_EQ(feld->text(), "0.");
    EXPECT_EQ(ton.Anzahl, 0);
    QTest::keyClick(feld, Qt::Key_Backspace);
    EXPECT_EQ(feld->text(), "");
    for (const char* falsch : {"1a", "1 ", "1-"}) {
        Tippen(feld, falsch, false);
        EXPECT_EQ(feld->text(), "") << falsch;
    }
    EXPECT_EQ(ton.Anzahl, 4);
}

TEST_F(StammdatenTest, SpeichernUndSchliessen) {
    haupt->Drucker = 1;
    Stammdaten& f = Oeffnen();
    E("Nameneingabe_1")->setText("Ein sehr langer Name, gekürzt");
    E("Nameneingabe_10")->setText("Zoë Łukasz");
    E("Nameneingabe_11")->setText("Stadt Au");
    Tippen(U1(0), "0.9");  // for the first fund, which is then left
    E<QComboBox>("Kassen")->setCurrentIndex(5);
    emit E<QComboBox>("Kassen")->activated(5);
    EXPECT_EQ(U1(0)->text(), "0,260");
    Tippen(U1(2), "0,45");
    U2(0)->setText("0.5");
    U2(1)->setText("0,5");
    U2(11)->setText(" 1 ");
    haupt->BeimNeuladen = [&] { EXPECT_TRUE(f.isHidden() && Inhalt("U12.dat") != u12_); };
    E<QPushButton>("Command1")->click();

    EXPECT_TRUE(f.isHidden());
    EXPECT_TRUE(meldungen.Eintraege.empty());
    EXPECT_EQ(haupt->Aufrufe,
              (std::vector<QString>{"Abrechnungsstelle Stadt Au            |Abt. Personal       ",
                                    "Personen", "FallNeuLaden"}));
    QStringList namen = haupt->Namen;
    namen[0] = "Ein sehr langer Name";
    namen[9] = "Zoë ?ukasz          ";
    EXPECT_EQ(haupt->Neuaufbau, namen);
    const Fallsatz einstellungen = haupt->Daten().FallLesen(603).Wert();
    EXPECT_EQ(haupt->Daten().FallLesen(601).Wert().Namen[1], namen[0].toStdString());
    EXPECT_EQ(einstellungen.Namen[2] + einstellungen.Namen[3],
              "Zoë ?ukasz          Stadt Au            ");
    EXPECT_EQ(einstellungen.RVVerzicht, 1);

    // Only entry 5 of U1 and U2 in the records of 2012 changed.
    const std::int16_t u1[12] = {260, 260, 450, 450, 450, 450, 450, 450, 450, 450, 450, 450};
    const std::int16_t u2[12] = {500, 500, 30, 30, 30, 30, 30, 30, 30, 30, 30, 1000};
    std::string erwartet = u12_;
    for (std::size_t m = 0; m < 12; ++m) {
        for (const std::size_t spalte : {0u, 1u}) {
            const int wert = spalte == 0 ? u1[m] : u2[m];
            const std::size_t stelle = UmlagesatzLaenge * (36 + m) + 44 * spalte + 2 * 5;
            erwartet[stelle] = static_cast<char>(wert & 0xFF);
            erwartet[stelle + 1] = static_cast<char>(wert >> 8);
        }
    }
    EXPECT_EQ(Inhalt("U12.dat"), erwartet);
}

TEST_F(StammdatenTest, UngueltigerSatzVerhindertDasSpeichern) {
    Stammdaten& f = Oeffnen();
    E("Nameneingabe_1")->setText("Neu");
    U1(0)->clear();
    U2(2)->setText("0,5%");
    U2(7)->setText("32.768");
    const std::pair<QLineEdit*, QString> faelle[] = {
        {U1(0), "Der Umlagesatz U 1 für Januar ist keine gültige Zahl."},
        {U2(2), "Der Umlagesatz U 2 für März ist keine gültige Zahl."},
        {U2(7), "Der Umlagesatz U 2 für August ist zu groß zum Speichern (höchstens 32,767)."},
    };
    for (const auto& [feld, text] : faelle) {
        meldungen.Eintraege.clear();
        E<QPushButton>("Command1")->click();
        ASSERT_EQ(meldungen.Eintraege.size(), 1u);
        EXPECT_EQ(meldungen.Eintraege[0].Titel + meldungen.Eintraege[0].Text, "Stammdaten" + text);
        EXPECT_EQ(f.focusWidget(), feld);
        EXPECT_TRUE(!f.isHidden() && DateienUnveraendert() && haupt->Aufrufe.empty());
        feld->setText("-32.768");  // the lowest value a record holds
    }
    E<QPushButton>("Command1")->click();
    EXPECT_TRUE(f.isHidden());
    EXPECT_EQ(haupt->Daten().UmlageLesen(44).Wert().U2Saetze[0], -32768);
}

TEST_F(StammdatenTest, SchliessfeldSpeichertNichts) {
    auto* f = new Stammdaten(*haupt, meldungen, ton, ordnerpruefer);
    f->setAttribute(Qt::WA_DeleteOnClose);
    f->show();
    QPointer<Stammdaten> zeiger(f);
    f->findChild<QLineEdit*>("Nameneingabe_2")->setText("Anders");
    f->findChild<QLineEdit*>("u2zahl_0")->setText("0,9");
    f->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(zeiger.isNull() && DateienUnveraendert() && haupt->Aufrufe.empty());
}

}  // namespace
}  // namespace lohnwippe::test
