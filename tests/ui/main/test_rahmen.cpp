#include <QCheckBox>
#include <QPushButton>
#include <algorithm>

#include "FensterTest.h"
#include "ui/master/Stammdaten.h"

namespace lohnwippe::test {
namespace {

constexpr std::uint64_t Stelle603 = std::uint64_t{602} * 204;

class RahmenTest : public FensterTest {
  protected:
    // A window on files in memory, so that every write can be seen.
    Hauptfenster& StartenImSpeicher() {
        fall_ = new SpeicherDatei("SV.dat");
        fenster =
            Hauptfenster::Starten(Welt(), Datenbestand(std::unique_ptr<Datei>(fall_),
                                                       std::make_unique<SpeicherDatei>("U12.dat")));
        EXPECT_NE(fenster, nullptr);
        return *fenster;
    }
    long Schreibvorgaenge603() const {
        return std::count(fall_->Schreibstellen.begin(), fall_->Schreibstellen.end(), Stelle603);
    }
    SpeicherDatei* fall_ = nullptr;
};

TEST_F(RahmenTest, SchliessenSpeichertEinmalUndOeffnetDieHomepage) {
    Hauptfenster& f = StartenImSpeicher();
    fenster->move(30, 45);
    const long vorher = Schreibvorgaenge603();
    QTest::mouseClick(E().Schliessen, Qt::LeftButton);
    EXPECT_EQ(Schreibvorgaenge603(), vorher + 1);
    const Fallsatz einstellungen = f.Daten().FallLesen(603).Wert();
    EXPECT_EQ(einstellungen.LetzterFall, 361);
    EXPECT_EQ(einstellungen.Oben, 675);
    EXPECT_EQ(einstellungen.Links, 450);
    // Both folders are always asked, the first one first.
    ASSERT_EQ(ordner.Gefragt.size(), 2u);
    EXPECT_EQ(ordner.Gefragt[0], "C:\\Program Files (x86)\\Kassora2012");
    EXPECT_EQ(ordner.Gefragt[1], "C:\\Programme\\Kassora2012");
    ASSERT_EQ(adressen.Adressen.size(), 1u);
    EXPECT_EQ(adressen.Adressen[0], Homepage);
}

TEST_F(RahmenTest, SchliessfeldWieSchliessenOhneHomepageWennInstalliert) {
    ordner.Vorhanden = {"C:\\Programme\\Kassora2012"};
    StartenImSpeicher();
    const long vorher = Schreibvorgaenge603();
    fenster->close();
    EXPECT_EQ(Schreibvorgaenge603(), vorher + 1);
    EXPECT_EQ(ordner.Gefragt.size(), 2u);
    EXPECT_TRUE(adressen.Adressen.empty());
}

TEST_F(RahmenTest, InfoOeffnetDieMitgelieferteSeite) {
    StartenImSpeicher();
    QTest::mouseClick(E().Internet, Qt::LeftButton);
    ASSERT_EQ(adressen.Adressen.size(), 1u);
    EXPECT_TRUE(adressen.Adressen[0].startsWith("file://"));
    EXPECT_TRUE(adressen.Adressen[0].endsWith("/Lohnwippe-Info.html"));
    EXPECT_TRUE(meldungen.Eintraege.empty());
}

TEST_F(RahmenTest, VorgabenOeffnetEinFensterUndSchliessenSchliesstEsZuerst) {
    Hauptfenster& f = StartenImSpeicher();
    QTest::mouseClick(E().Hilfe, Qt::LeftButton);
    Stammdaten* stammdaten = f.OffeneStammdaten();
    ASSERT_NE(stammdaten, nullptr);
    EXPECT_TRUE(stammdaten->isVisible());
    QTest::mouseClick(E().Hilfe, Qt::LeftButton);  // the same window to the front
    EXPECT_EQ(f.OffeneStammdaten(), stammdaten);

    QTest::mouseClick(E().Schliessen, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(f.OffeneStammdaten(), nullptr);
}

TEST_F(RahmenTest, PersonenlisteNeuOhneNeuLaden) {
    Hauptfenster& f = StartenImSpeicher();
    Auswaehlen(E().Minijobber, 3);
    const int vorher = f.Berechnungen();
    QStringList namen;
    for (int k = 1; k <= 10; ++k) {
        namen << QString("Neu %1").arg(k).leftJustified(20);
    }
    f.PersonenNeuAufbauen(namen);
    EXPECT_EQ(f.Berechnungen(), vorher);
    EXPECT_EQ(E().Minijobber->currentIndex(), 3);
    EXPECT_EQ(E().Minijobber->currentText(), "Neu 4               ");
    EXPECT_EQ(f.Personen(), namen);
    f.FallNeuLaden();
    EXPECT_EQ(f.Berechnungen(), vorher + 1);
    EXPECT_EQ(f.FallNr(), 361 + 36);
}

TEST_F(RahmenTest, DruckenNimmtDenStandDesFensters) {
    Hauptfenster& f = StartenImSpeicher();
    Auswaehlen(E().Teilmonat, 1);
    Tippen(E().Entgelt[1], "150");
    QTest::mouseClick(E().RV_Befreiung, Qt::LeftButton);
    const int vorher = f.Berechnungen();
    QTest::mouseClick(E().Drucken, Qt::LeftButton);
    EXPECT_EQ(f.Berechnungen(), vorher);  // printing does not recalculate
    ASSERT_EQ(drucker.Berichte.size(), 1u);
    const Berichtsdaten& bericht = drucker.Berichte[0];
    EXPECT_EQ(bericht.Person, "Personalfall 1      ");
    EXPECT_EQ(bericht.Abrechnungsstelle1, "Stadt Neckartal     ");
    EXPECT_EQ(bericht.Tag, 5);
    EXPECT_EQ(bericht.Monat, 12);
    EXPECT_EQ(bericht.MonatText, "JAN");
    EXPECT_EQ(bericht.JahrText, "2012");
    EXPECT_EQ(bericht.TeilmonatText, "für 1 Woche");
    EXPECT_EQ(bericht.Kasse, "AOK Bad-Württ.");
    EXPECT_EQ(bericht.Abschnitte[0],
              "1. Beitragspflichtiges Arbeitsentgelt (AE) * Teilmonatsfaktor (4,348)");
    EXPECT_EQ(bericht.Abschnitte[2], "4. Arbeitgeberanteil aus 1. / Teilmonatsfaktor (4,348)");
    EXPECT_TRUE(bericht.RVBefreiungAngehakt);
    EXPECT_EQ(bericht.RVVerzichtImSatz, 1);
    EXPECT_EQ(bericht.Eingabe.Entgelt[1], f.AktuelleEingaben().Entgelt[1]);
    EXPECT_EQ(bericht.Resultat.AGAufwand[5], f.AktuellesErgebnis().AGAufwand[5]);
    EXPECT_EQ(bericht.U1Prozent, Waehrung::AusRoh(3700));
}

}  // namespace
}  // namespace lohnwippe::test
