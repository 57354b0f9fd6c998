#include <gtest/gtest.h>

#include <QColor>
#include <QStringList>
#include <QWidget>

#include "calc/Ergebnis.h"
#include "ui/main/Ergebnistabelle.h"

namespace lohnwippe {
namespace {

Waehrung W(double wert) {
    return Waehrung::AusDoubleHalbGerade(wert);
}

// 600 Euro main employment with the 2009 values, everything switched on.
Ergebnis Grundfall(bool kinderlos = false) {
    Eingaben e;
    e.PVSatz = W(1.95);
    e.RVSatz = W(19.9);
    e.AVSatz = W(2.8);
    e.FaktorF = W(0.7472);
    e.U1Satz = 2100;
    e.Kinderlos = kinderlos;
    for (int j = 1; j <= 4; ++j) {
        e.KV[j] = e.PV[j] = e.RV[j] = e.AV[j] = e.U1[j] = 1;
        e.KVSatz[j] = W(15.5);
    }
    e.Entgelt[1] = W(600);
    return Berechnen(e);
}

class ErgebnistabelleTest : public ::testing::Test {
  protected:
    // A hidden parent keeps the refresh's show() from opening a window.
    QWidget fenster;
    Ergebnistabelle* tabelle = new Ergebnistabelle(&fenster, Twips(96));

    void SetUp() override { tabelle->Einrichten(11025); }
    QString Text(int zeile, int spalte) const { return tabelle->item(zeile, spalte)->text(); }
    QColor Farbe(int zeile, int spalte) const {
        return tabelle->item(zeile, spalte)->background().color();
    }
};

TEST_F(ErgebnistabelleTest, AufbauVorDerErstenRechnung) {
    EXPECT_EQ(tabelle->objectName(), "MSFlexGrid1");
    QStringList titel;
    for (int zeile = 0; zeile < 35; ++zeile) {
        titel << Text(zeile, 0);
    }
    EXPECT_EQ(titel.join('|'),
              "|KV|PV|RV|AV||KV|PV|RV|AV||KV|PV|RV|AV|Summe||KV|PV|RV|AV|Summe|Umlage U1|"
              "Umlage U2|Umlage U3|AG-Aufwand||KV|PV|RV|AV|Zusatzbeiträge|Summe|AN-Netto|"
              "AN-Ersparnis");
    EXPECT_EQ(Text(0, 5), "Summe     ");
    EXPECT_EQ(Text(5, 5),
              "2. Entgelt Nr. 1 (AE)gekürzt nach der Formel: F x 400 + (2 - F) x (AE - 400)");
    EXPECT_EQ(Text(26, 2), "5. Arbeitnehmeranteil (3. minus 4.)");
    EXPECT_EQ(Text(26, 5), "");

    // Geometry at 96 dpi: 15 twips a pixel.
    EXPECT_EQ(tabelle->rowHeight(34), 14);
    const int breiten[] = {96, 132, 132, 132, 125, 110};  // 1433, 1984, 1874, 1654 twips
    for (int spalte = 0; spalte < 6; ++spalte) {
        EXPECT_EQ(tabelle->columnWidth(spalte), breiten[spalte]) << spalte;
    }
    // At 1440 dpi a pixel is a twip: 1984.5 is a true half and goes to even.
    Ergebnistabelle fein(&fenster, Twips(1440));
    fein.Einrichten(11025);
    EXPECT_EQ(fein.columnWidth(0), 1433);
    EXPECT_EQ(fein.columnWidth(1), 1984);
    EXPECT_EQ(fein.rowHeight(0), 210);

    const QColor lavendel(245, 244, 255), hellgelb(255, 255, 192), gelb(255, 255, 128),
        grau(234, 234, 234);
    EXPECT_EQ(Farbe(12, 0), lavendel);
    EXPECT_EQ(Farbe(16, 3), lavendel);
    EXPECT_EQ(Farbe(18, 5), hellgelb);
    EXPECT_EQ(Farbe(31, 1), hellgelb);
    EXPECT_EQ(Farbe(32, 4), gelb);
    EXPECT_EQ(Farbe(25, 2), grau);
    EXPECT_EQ(tabelle->item(22, 5)->background().style(), Qt::NoBrush);
}

TEST_F(ErgebnistabelleTest, WerteUndZeile31) {
    tabelle->Aktualisieren(Grundfall(), W(1));
    EXPECT_EQ(Text(6, 1), "     549,44");
    EXPECT_EQ(Text(12, 1), "     10,72");
    EXPECT_EQ(Text(31, 1), "     4,95");  // 4.9450, display rounding only
    EXPECT_EQ(Text(33, 1), "     494,91");
    EXPECT_EQ(Text(1, 2), "     0,00");
    EXPECT_EQ(Text(1, 5), "     600,00");
    EXPECT_EQ(Text(31, 0), "0,90% Zusatzbeitr.");
    EXPECT_EQ(Text(0, 5), "Summe     ");
    EXPECT_TRUE(tabelle->isVisibleTo(&fenster));

    tabelle->Aktualisieren(Grundfall(true), W(1));
    EXPECT_EQ(Text(31, 0), "1,15% Zusatzbeitr.");

    Ergebnis gross;
    gross.AE[1][KV] = W(1234.5);
    gross.ANNetto[5] = W(-0.5);
    tabelle->Aktualisieren(gross, W(1));
    EXPECT_EQ(Text(1, 1), "     1.234,50");
    EXPECT_EQ(Text(6, 1), "     0,00");  // no value of the previous run left over
    EXPECT_EQ(Text(33, 5), "     -0,50");
    EXPECT_EQ(Text(31, 0), "0,00% Zusatzbeitr.");
}

TEST_F(ErgebnistabelleTest, TeilmonatUndVerbundeneZellen) {
    tabelle->Aktualisieren(Grundfall(), W(4.348));
    EXPECT_EQ(Text(0, 2), "1. Beitragspflichtiges Arbeitsentgelt (AE) * Teilmonatsfaktor (4,348)");
    EXPECT_EQ(Text(10, 3), "3. Gesamtbeitrag je SV-Zweig aus 2. / Teilmonatsfaktor (4,348)");
    EXPECT_EQ(Text(16, 2), "4. Arbeitgeberanteil aus 1. / Teilmonatsfaktor (4,348)");
    EXPECT_EQ(Text(0, 5), "Summe     ");

    tabelle->Aktualisieren(Grundfall(), W(30));
    EXPECT_EQ(Text(16, 4), "4. Arbeitgeberanteil aus 1. / Teilmonatsfaktor (30)");

    tabelle->Aktualisieren(Grundfall(), W(1));
    EXPECT_EQ(Text(0, 3), "1. Beitragspflichtiges Arbeitsentgelt (AE)");
    EXPECT_EQ(Text(10, 2), "3. Gesamtbeitrag je SV-Zweig aus 2.");
    EXPECT_EQ(Text(16, 4), "4. Arbeitgeberanteil aus 1.");

    struct Spanne {
        int zeile, spalte, breite;
    };
    for (Spanne s : {Spanne{0, 2, 3}, Spanne{0, 5, 1}, Spanne{5, 2, 4}, Spanne{10, 2, 3},
                     Spanne{16, 2, 3}, Spanne{26, 2, 3}, Spanne{26, 1, 1}, Spanne{6, 2, 1}}) {
        EXPECT_EQ(tabelle->rowSpan(s.zeile, s.spalte), 1) << s.zeile << "," << s.spalte;
        EXPECT_EQ(tabelle->columnSpan(s.zeile, s.spalte), s.breite) << s.zeile << "," << s.spalte;
    }
    const int links = Qt::AlignLeft | Qt::AlignVCenter, rechts = Qt::AlignRight | Qt::AlignVCenter;
    EXPECT_EQ(tabelle->item(0, 2)->textAlignment(), links);
    EXPECT_EQ(tabelle->item(31, 0)->textAlignment(), links);
    EXPECT_EQ(tabelle->item(0, 5)->textAlignment(), rechts);
    EXPECT_EQ(tabelle->item(33, 3)->textAlignment(), rechts);
}

}  // namespace
}  // namespace lohnwippe
