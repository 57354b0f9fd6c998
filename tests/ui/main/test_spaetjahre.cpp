// The window in a month from 2013, read as the user sees it: the year list,
// the grid of the period, the switches the law still has, the children and
// the rate panel.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QTableWidget>

#include "FensterTest.h"
#include "calc/ErgebniszeilenAb2013.h"
#include "calc/Perioden.h"
#include "ui/main/Ergebnistabelle.h"
#include "ui/main/ErgebnistabelleAb2013.h"

namespace lohnwippe::test {
namespace {

using SpaetjahrFensterTest = FensterTest;

int JahrPos(int jahr) {
    return jahr - ErstesJahr;
}

// The captions of column 0, top to bottom.
QStringList Titel(const QTableWidget& t) {
    QStringList titel;
    for (int z = 0; z < t.rowCount(); ++z) {
        titel << t.item(z, 0)->text();
    }
    return titel;
}

TEST_F(SpaetjahrFensterTest, JahreSchalterKinderUndSaetze) {
    Starten();
    ASSERT_EQ(E().Jahr->count(), LetztesBekanntesJahr() - ErstesJahr + 1);
    EXPECT_EQ(E().Jahr->itemText(E().Jahr->count() - 1), "2026");
    EXPECT_FALSE(E().Kinder->isVisibleTo(fenster.get()));

    Auswaehlen(E().Jahr, JahrPos(2026));
    Auswaehlen(E().Monat, 2);
    Tippen(E().Entgelt[1], "1500");
    const QTableWidget& tabelle = *E().TabelleAb2013;
    EXPECT_TRUE(tabelle.isVisibleTo(fenster.get()));
    EXPECT_FALSE(E().MSFlexGrid1->isVisibleTo(fenster.get()));
    // In the old grid's place, every column whole beside the scroll bar.
    EXPECT_EQ(tabelle.geometry(), E().MSFlexGrid1->geometry());
    int breite = 0;
    for (int s = 0; s < tabelle.columnCount(); ++s) {
        breite += tabelle.columnWidth(s);
    }
    EXPECT_LE(breite, tabelle.width() - 2 * tabelle.frameWidth() -
                          tabelle.style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    const Periode& p2026 = *PeriodeZu(2026, 3);
    EXPECT_TRUE(Titel(tabelle).join('|').contains(QString::fromStdString(*BEANFormel(p2026))));
    // The grid shows the amounts of the calculation: the first column's pay.
    EXPECT_TRUE(Titel(tabelle).size() > 10);
    bool entgelt = false;
    for (int z = 0; z < tabelle.rowCount(); ++z) {
        entgelt = entgelt || tabelle.item(z, 1)->text().trimmed() == "1.500,00";
    }
    EXPECT_TRUE(entgelt);
    EXPECT_FALSE(E().RV_Befreiung->isEnabled());
    EXPECT_TRUE(E().RV_Befreiung->toolTip().contains("Seit Juli 2019"));
    EXPECT_TRUE(E().Kinder->isEnabled());
    EXPECT_EQ(E().Kassen->toolTip(), "Durchschnitt (keine Kasse)");
    EXPECT_TRUE(E().SozversK->toolTip().contains("Durchschnitt (keine Kasse)"));
    EXPECT_EQ(E().SozversR->text(), "18,60 %");
    EXPECT_EQ(E().Umlage1->text(), "–");

    // The report prints the case as the window shows it, with its fund.
    E().Drucken->click();
    ASSERT_EQ(drucker.BerichteAb2013.size(), 1u);
    EXPECT_TRUE(drucker.Berichte.empty());
    const BerichtsdatenAb2013& bericht = drucker.BerichteAb2013[0];
    EXPECT_EQ(std::tuple(bericht.Eingabe.Jahr, bericht.Eingabe.Monat, bericht.Durchschnitt,
                         bericht.Resultat.Spalte[1].AE),
              std::tuple(2026, 3, true, Waehrung::AusGanzzahl(1500)));

    // Children beside "Kinderlos": refused and said, the box back at 0.
    E().Kinderlos->click();
    ASSERT_TRUE(E().Kinderlos->isChecked());
    const auto vorher = meldungen.Eintraege.size();
    E().Kinder->setValue(2);
    EXPECT_EQ(meldungen.Eintraege.size(), vorher + 1);
    EXPECT_EQ(E().Kinder->value(), 0);

    // Before July 2023 the box is there but explained; until June 2019 the
    // waiver; with the period the number of rows changes.
    const int zeilen2026 = tabelle.rowCount();
    Auswaehlen(E().Jahr, JahrPos(2018));
    EXPECT_FALSE(E().Kinder->isEnabled());
    EXPECT_EQ(E().Kinder->toolTip(), "Kinder mindern den Pflegebeitrag erst ab Juli 2023.");
    EXPECT_TRUE(E().RV_Befreiung->isEnabled());
    EXPECT_NE(tabelle.rowCount(), zeilen2026);
    EXPECT_TRUE(
        Titel(tabelle).join('|').contains(QString::fromStdString(BEFormel(*PeriodeZu(2018, 3)))));

    // Back in 2012 everything is as it was.
    Auswaehlen(E().Jahr, JahrPos(2012));
    EXPECT_TRUE(E().MSFlexGrid1->isVisibleTo(fenster.get()));
    EXPECT_FALSE(tabelle.isVisibleTo(fenster.get()));
    EXPECT_FALSE(E().Kinder->isVisibleTo(fenster.get()));
    EXPECT_EQ(E().Kassen->count(), 22);
}

}  // namespace
}  // namespace lohnwippe::test
