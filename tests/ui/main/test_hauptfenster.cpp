#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include "FensterTest.h"
#include "ui/main/Ergebnistabelle.h"

namespace lohnwippe::test {
namespace {

Waehrung Euro(double wert) {
    return Waehrung::AusDoubleHalbGerade(wert);
}

TEST_F(FensterTest, ErsterStartImLeerenOrdner) {
    Hauptfenster& f = Starten();
    EXPECT_EQ(std::filesystem::file_size("SV.dat"), 123012u);
    EXPECT_EQ(std::filesystem::file_size("U12.dat"), 8448u);
    EXPECT_EQ(E().Jahr->currentText(), "2012");
    EXPECT_EQ(E().Minijobber->currentText(), "Personalfall 1      ");
    EXPECT_EQ(E().Monat->currentText(), "JAN");
    EXPECT_EQ(E().Minijobber->count(), 10);
    // The hidden rate list is filled but never selected.
    EXPECT_EQ(E().Beitrag0->count(), 61);
    EXPECT_EQ(E().Beitrag0->itemText(39), "KV 14,9 %");
    EXPECT_EQ(E().Beitrag0->itemText(40), "KV 15 %");
    EXPECT_EQ(E().Beitrag0->currentText(), "Combo1");
    EXPECT_EQ(E().Teilmonat->count(), 35);
    EXPECT_EQ(E().Teilmonat->itemText(6), "für 2 Tage");
    EXPECT_EQ(E().Kassen->itemText(1), "AOK Bayern");
    EXPECT_EQ(f.FallNr(), 361);
    EXPECT_EQ(f.Berechnungen(), 1);  // exactly one, at the end of loading
    EXPECT_EQ(E().SozversR->text(), "19,60 %");
    EXPECT_EQ(E().SozversK->text(), "14,60 %");
    EXPECT_EQ(E().Umlage1->text(), "0,370 %");
    EXPECT_EQ(E().Umlage3->text(), "0,040 %");
    EXPECT_EQ(E().Jahressumme->text(), "0,00 Euro");
    EXPECT_EQ(E().Entgelt[1]->text(), "0,00");
    EXPECT_EQ(E().Arbeitgeber[2]->text(), "Arbeitgeber 2       ");
    EXPECT_EQ(E().KV[1]->checkState(), Qt::Checked);
    EXPECT_EQ(f.AktuelleEingaben().KVSatz[1], Euro(14.6));
    EXPECT_EQ(f.AktuelleEingaben().FaktorF, Euro(0.7491));
    EXPECT_FALSE(E().Warnung->isHidden());  // 0 lies outside the zone
    EXPECT_TRUE(meldungen.Eintraege.empty());
}

TEST_F(FensterTest, TippenUndEnter) {
    Hauptfenster& f = Starten();
    QLineEdit* feld = E().Entgelt[1];
    const int vorher = f.Berechnungen();
    Tippen(feld, "450");
    EXPECT_EQ(feld->text(), "450,00");
    EXPECT_EQ(f.AktuelleEingaben().Entgelt[1], Euro(450));
    EXPECT_EQ(f.Berechnungen(), vorher + 1);
    EXPECT_TRUE(E().Warnung->isHidden());
    EXPECT_EQ(E().Jahressumme->text(), "450,00 Euro");

    Tippen(feld, "12.5", false);  // a full stop appends a comma
    EXPECT_EQ(feld->text(), "12,5");
    QTest::keyClick(feld, Qt::Key_Return);
    EXPECT_EQ(feld->text(), "12,50");

    Tippen(feld, "1a -2/3:4", false);  // only digits and commas get through
    EXPECT_EQ(feld->text(), "1234");
    feld->setCursorPosition(0);
    QTest::keyClick(feld, Qt::Key_Backspace);  // the last one, wherever the caret is
    EXPECT_EQ(feld->text(), "123");

    const int davor = f.Berechnungen();
    Tippen(feld, "1,2,3");  // two commas close together: emptied, nothing stored
    EXPECT_EQ(feld->text(), "");
    Tippen(feld, "99999999999999999999");  // more than the money type holds
    EXPECT_EQ(feld->text(), "");
    EXPECT_EQ(f.AktuelleEingaben().Entgelt[1], Euro(12.5));
    EXPECT_EQ(f.Berechnungen(), davor);

    Tippen(feld, "", true);  // Enter on nothing stores 0
    EXPECT_EQ(feld->text(), "0,00");
    EXPECT_EQ(f.AktuelleEingaben().Entgelt[1], Euro(0));

    Tippen(feld, "1234,5");
    EXPECT_EQ(feld->text(), "1.234,50");
    Tippen(feld, "77", false);  // leaving without Enter keeps the amount
    Fokus(feld, false);
    EXPECT_EQ(f.AktuelleEingaben().Entgelt[1], Euro(1234.5));
}

TEST_F(FensterTest, SchiebereglerSpringtZumBetrag) {
    Hauptfenster& f = Starten();
    QScrollBar* leiste = E().Spielen[2];
    leiste->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // 0 stays 0
    EXPECT_EQ(leiste->value(), 0);
    EXPECT_EQ(f.AktuelleEingaben().Entgelt[2], Euro(0));

    Tippen(E().Entgelt[2], "450,50");
    leiste->triggerAction(QAbstractSlider::SliderSingleStepSub);
    leiste->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // to 1: jumps
    EXPECT_EQ(leiste->value(), 450);                              // half to even
    EXPECT_EQ(E().Entgelt[2]->text(), "450,00");
    leiste->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(f.AktuelleEingaben().Entgelt[2], Euro(451));
    EXPECT_EQ(E().Entgelt[2]->text(), "451,00");
}

TEST_F(FensterTest, SchalterRechnenEinmalUndWarnen) {
    Hauptfenster& f = Starten();
    Tippen(E().Entgelt[1], "500");
    Tippen(E().Entgelt[3], "200");  // AV(3) is on: the entry warns with (ALV)
    ASSERT_EQ(meldungen.Eintraege.size(), 1u);
    // Back from the message the amount is still shown; entering the box
    // with the first click into the window empties it.
    Fokus(E().Entgelt[3], false, Qt::ActiveWindowFocusReason);
    Fokus(E().Entgelt[3], true, Qt::ActiveWindowFocusReason);
    EXPECT_EQ(E().Entgelt[3]->text(), "200,00");
    Fokus(E().Entgelt[3], false, Qt::MouseFocusReason);
    Fokus(E().Entgelt[3], true, Qt::ActiveWindowFocusReason);
    EXPECT_EQ(E().Entgelt[3]->text(), "");
    EXPECT_EQ(meldungen.Eintraege[0].Titel, "Achtung!");
    EXPECT_TRUE(meldungen.Eintraege[0].Text.contains("Arbeitslosenversicherung (ALV)"));
    EXPECT_EQ(meldungen.Eintraege[0].Symbol, Meldungssymbol::Keines);

    int vorher = f.Berechnungen();
    QTest::mouseClick(E().AV[3], Qt::LeftButton);  // off: no message
    QTest::mouseClick(E().AV[3], Qt::LeftButton);  // on again: (AV)
    EXPECT_EQ(f.Berechnungen(), vorher + 2);
    ASSERT_EQ(meldungen.Eintraege.size(), 2u);
    EXPECT_TRUE(meldungen.Eintraege[1].Text.contains("Arbeitslosenversicherung (AV)"));
    QTest::mouseClick(E().AV[1], Qt::LeftButton);  // never for the main employment
    QTest::mouseClick(E().AV[1], Qt::LeftButton);
    EXPECT_EQ(meldungen.Eintraege.size(), 2u);

    vorher = f.Berechnungen();
    QTest::mouseClick(E().KV[1], Qt::LeftButton);
    EXPECT_EQ(f.Berechnungen(), vorher + 1);
    EXPECT_EQ(f.AktuellesErgebnis().AE[1][KV], Waehrung());
    QTest::mouseClick(E().KG[2], Qt::LeftButton);  // without sick pay 0.6 less
    EXPECT_EQ(f.AktuelleEingaben().KVSatz[2], Euro(14.0));
    QTest::mouseClick(E().Kinderlos, Qt::LeftButton);
    EXPECT_EQ(E().MSFlexGrid1->item(31, 0)->text(), "1,15% Zusatzbeitr.");
    QTest::mouseClick(E().RV_Befreiung, Qt::LeftButton);
    EXPECT_EQ(f.AktuelleEingaben().RVVerzicht, 1);
    EXPECT_EQ(f.AktuellesErgebnis().AEGekuerzt[5][RV], Euro(700));
    EXPECT_EQ(f.Berechnungen(), vorher + 4);
}

TEST_F(FensterTest, JederFallBehaeltSeineWerte) {
    Hauptfenster& f = Starten();
    Tippen(E().Entgelt[1], "500");
    const int vorher = f.Berechnungen();
    Auswaehlen(E().Minijobber, 1);
    EXPECT_EQ(f.Berechnungen(), vorher + 1);  // loading runs exactly one calculation
    EXPECT_EQ(f.FallNr(), 373);
    EXPECT_EQ(E().Entgelt[1]->text(), "0,00");
    Tippen(E().Entgelt[1], "620");
    Auswaehlen(E().Monat, 4);
    Auswaehlen(E().Jahr, 0);
    EXPECT_EQ(f.FallNr(), 17);
    EXPECT_EQ(E().SozversR->text(), "19,90 %");

    // The fund is written into the case before the case is loaded again.
    Auswaehlen(E().Kassen, 5);
    EXPECT_EQ(f.Daten().FallLesen(17).Wert().KassePos, 5);
    Auswaehlen(E().Minijobber, 0);
    Auswaehlen(E().Minijobber, 1);
    EXPECT_EQ(E().Kassen->currentIndex(), 5);

    Auswaehlen(E().Jahr, 3);
    Auswaehlen(E().Monat, 0);
    EXPECT_EQ(E().Entgelt[1]->text(), "620,00");
    Auswaehlen(E().Minijobber, 0);
    EXPECT_EQ(E().Entgelt[1]->text(), "500,00");
    EXPECT_EQ(f.AktuelleEingaben().Entgelt[1], Euro(500));
}

TEST_F(FensterTest, NeustartBringtFallUndPositionZurueck) {
    Starten();
    Auswaehlen(E().Jahr, 2);
    Auswaehlen(E().Minijobber, 2);
    Auswaehlen(E().Teilmonat, 1);
    Tippen(E().Entgelt[1], "150");
    E().Arbeitgeber[1]->setText("Bäckerei Müller");
    fenster->move(40, 30);
    Tippen(E().Entgelt[2], "100");
    Schliessen();

    const Fallsatz einstellungen = Datenbestand::Oeffnen().Wert().FallLesen(603).Wert();
    EXPECT_EQ(einstellungen.LetzterFall, 265);
    EXPECT_EQ(einstellungen.Oben, 450);
    EXPECT_EQ(einstellungen.Links, 600);

    Hauptfenster& f = Starten();
    EXPECT_EQ(f.FallNr(), 265);
    EXPECT_EQ(f.pos(), QPoint(40, 30));
    EXPECT_EQ(E().Teilmonat->currentIndex(), 1);
    EXPECT_EQ(E().Entgelt[1]->text(), "150,00");
    EXPECT_EQ(E().Arbeitgeber[1]->text(), "Bäckerei Müller     ");
    EXPECT_EQ(f.AktuelleEingaben().Teilmonatsfaktor, Euro(4.348));
    EXPECT_TRUE(E().MSFlexGrid1->item(0, 2)->text().endsWith("Teilmonatsfaktor (4,348)"));
}

TEST_F(FensterTest, FallSichernSchreibtFallUndEinstellungen) {
    Hauptfenster& f = Starten();
    Tippen(E().Entgelt[1], "600");
    const Fallsatz fall = f.Daten().FallLesen(361).Wert();
    EXPECT_EQ(fall.Entgelte[1], Euro(600));
    EXPECT_EQ(fall.Namen[1], "Arbeitgeber 1       ");
    const Fallsatz einstellungen = f.Daten().FallLesen(603).Wert();
    EXPECT_EQ(einstellungen.Namen[1], "Personalfall 9      ");
    EXPECT_EQ(einstellungen.Namen[3], "Stadt Neckartal     ");
    EXPECT_EQ(einstellungen.LetzterFall, 0);  // the person position
    EXPECT_EQ(einstellungen.Oben, 3);         // the year position
    EXPECT_EQ(einstellungen.Links, 0);        // the month position
    EXPECT_EQ(einstellungen.Entgelte[1], Euro(600));
    EXPECT_EQ(einstellungen.Zweige, fall.Zweige);
}

TEST_F(FensterTest, KopieBisDezemberUndJahressumme) {
    Hauptfenster& f = Starten();
    Auswaehlen(E().Jahr, 2);
    Auswaehlen(E().Minijobber, 2);
    Auswaehlen(E().Monat, 0);
    Tippen(E().Entgelt[1], "600");
    QTest::mouseClick(E().Speichern, Qt::LeftButton);
    for (int satz = 265; satz <= 276; ++satz) {
        EXPECT_EQ(f.Daten().FallLesen(satz).Wert().Entgelte[1], Euro(600)) << satz;
    }
    EXPECT_EQ(f.Daten().FallLesen(277).Wert().Entgelte[1], Euro(0));
    EXPECT_EQ(E().Jahressumme->text(), "7.200,00 Euro");

    Auswaehlen(E().Monat, 11);  // in December only the month itself
    Tippen(E().Entgelt[1], "700");
    QTest::mouseClick(E().Speichern, Qt::LeftButton);
    EXPECT_EQ(f.Daten().FallLesen(277).Wert().Entgelte[1], Euro(0));
    EXPECT_EQ(E().Jahressumme->text(), "7.300,00 Euro");
}

TEST_F(FensterTest, ArbeitgeberEnterSpeichertUngekuerzt) {
    Hauptfenster& f = Starten();
    QLineEdit* feld = E().Arbeitgeber[2];
    feld->setText("  Gaststätte <b>Zur Post</b> GmbH");
    QTest::keyClick(feld, Qt::Key_Return);
    EXPECT_EQ(f.Daten().FallLesen(361).Wert().Namen[2], "  Gaststätte <b>Zur ");
    Fokus(feld, false);
    EXPECT_EQ(feld->text(), "Gaststätte <b>Zur");
    EXPECT_TRUE(feld->toolTip().contains("Gaststätte &lt;b&gt;Zur"));
    EXPECT_EQ(f.Daten().FallLesen(361).Wert().Namen[2], "  Gaststätte <b>Zur ");
}

TEST_F(FensterTest, UngueltigeGespeicherteWerte) {
    {
        auto daten = Datenbestand::Oeffnen().Wert();
        ASSERT_TRUE(daten.DatenAnlegen().HatWert());
        Fallsatz einstellungen = daten.FallLesen(603).Wert();
        einstellungen.LetzterFall = 0;
        einstellungen.Oben = -30000;  // far off every screen
        einstellungen.Links = 32000;
        ASSERT_TRUE(daten.FallSchreiben(603, einstellungen).HatWert());
        Fallsatz fall = daten.FallLesen(360).Wert();
        fall.TeilmonatPos = 99;
        fall.KassePos = -3;
        fall.Zweige[1][KV] = 7;
        fall.Umlagen[2][U1] = 2;
        ASSERT_TRUE(daten.FallSchreiben(360, fall).HatWert());
    }
    Hauptfenster& f = Starten();
    EXPECT_EQ(f.FallNr(), 360);  // 2011, tenth person, December
    EXPECT_EQ(E().Jahr->currentText(), "2011");
    EXPECT_EQ(E().Minijobber->currentIndex(), 9);
    EXPECT_EQ(E().Monat->currentText(), "DEZ");
    EXPECT_EQ(E().Teilmonat->currentIndex(), 0);
    EXPECT_EQ(E().Kassen->currentIndex(), 0);
    EXPECT_EQ(E().KV[1]->checkState(), Qt::Unchecked);
    EXPECT_EQ(E().U1[2]->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(f.AktuelleEingaben().U1[2], 2);  // grey counts as off
    EXPECT_EQ(f.pos(), QGuiApplication::primaryScreen()->availableGeometry().topLeft());
}

TEST_F(FensterTest, VollerDatentraegerVerliertNichts) {
    auto* fall = new SpeicherDatei("SV.dat");
    fenster = Hauptfenster::Starten(
        Welt(),
        Datenbestand(std::unique_ptr<Datei>(fall), std::make_unique<SpeicherDatei>("U12.dat")));
    ASSERT_NE(fenster, nullptr);
    fall->Voll = true;
    Tippen(E().Entgelt[1], "600");
    // Two saves failed, one message; the amount stays on screen and in use.
    ASSERT_EQ(meldungen.Eintraege.size(), 1u);
    EXPECT_TRUE(meldungen.Eintraege[0].Text.startsWith(
        "SV.dat, Satz 361: Kein Speicherplatz mehr auf dem Datenträger"));
    EXPECT_EQ(E().Entgelt[1]->text(), "600,00");
    EXPECT_EQ(fenster->AktuellesErgebnis().AE[1][RV], Euro(600));

    fall->Voll = false;
    QTest::mouseClick(E().Sachsen, Qt::LeftButton);  // the next save stores it
    EXPECT_EQ(fenster->Daten().FallLesen(361).Wert().Entgelte[1], Euro(600));
    EXPECT_EQ(meldungen.Eintraege.size(), 1u);
}

TEST_F(FensterTest, DateifehlerWerdenGemeldet) {
    std::filesystem::create_directory("SV.dat");  // cannot be opened as a file
    EXPECT_EQ(Hauptfenster::Starten(Welt()), nullptr);
    ASSERT_EQ(meldungen.Eintraege.size(), 1u);
    EXPECT_TRUE(meldungen.Eintraege[0].Text.startsWith("SV.dat: Öffnen nicht möglich"));
    EXPECT_TRUE(meldungen.Eintraege[0].Text.endsWith("Das Programm wird beendet."));
}

}  // namespace
}  // namespace lohnwippe::test
