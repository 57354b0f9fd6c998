// The result grid's layout: geometry, colours, merged caption cells and
// alignment. Its texts are those of the result rows (calc/Ergebniszeilen.h),
// checked there and in the traces.
#include <gtest/gtest.h>

#include <QColor>
#include <QWidget>

#include "calc/Ergebnis.h"
#include "ui/main/Ergebnistabelle.h"

namespace lohnwippe {
namespace {

class ErgebnistabelleTest : public ::testing::Test {
  protected:
    // A hidden parent keeps the refresh's show() from opening a window.
    QWidget fenster;
    Ergebnistabelle* tabelle = new Ergebnistabelle(&fenster, Twips(96));

    void SetUp() override { tabelle->Einrichten(11025); }
    QColor Farbe(int zeile, int spalte) const {
        return tabelle->item(zeile, spalte)->background().color();
    }
};

TEST_F(ErgebnistabelleTest, GeometrieUndFarben) {
    EXPECT_EQ(tabelle->objectName(), "MSFlexGrid1");
    // At 96 dpi 15 twips a pixel: 1433, 1984, 1984, 1984, 1874, 1654 twips.
    EXPECT_EQ(tabelle->rowHeight(34), 14);
    const int breiten[] = {96, 132, 132, 132, 125, 110};
    for (int spalte = 0; spalte < 6; ++spalte) {
        EXPECT_EQ(tabelle->columnWidth(spalte), breiten[spalte]) << spalte;
    }
    // At 1440 dpi a pixel is a twip: 1984.5 is a true half and goes to even.
    Ergebnistabelle fein(&fenster, Twips(1440));
    fein.Einrichten(11025);
    EXPECT_EQ(std::tuple(fein.columnWidth(0), fein.columnWidth(1), fein.rowHeight(0)),
              std::tuple(1433, 1984, 210));

    const QColor lavendel(245, 244, 255);
    EXPECT_EQ(std::tuple(Farbe(12, 0), Farbe(16, 3), Farbe(18, 5), Farbe(32, 4), Farbe(25, 2)),
              std::tuple(lavendel, lavendel, QColor(255, 255, 192), QColor(255, 255, 128),
                         QColor(234, 234, 234)));
    EXPECT_EQ(tabelle->item(22, 5)->background().style(), Qt::NoBrush);
}

TEST_F(ErgebnistabelleTest, VerbundeneZellenUndAusrichtung) {
    Ergebnis r;
    for (const double faktor : {4.348, 1.0}) {
        SCOPED_TRACE(faktor);
        r.Teilmonatsfaktor = Waehrung::AusDoubleHalbGerade(faktor);
        tabelle->Aktualisieren(r);
        struct Spanne {
            int zeile, spalte, breite;
        };
        for (Spanne s : {Spanne{0, 2, 3}, Spanne{0, 5, 1}, Spanne{5, 2, 4}, Spanne{10, 2, 3},
                         Spanne{16, 2, 3}, Spanne{26, 2, 3}, Spanne{26, 1, 1}, Spanne{6, 2, 1}}) {
            EXPECT_EQ(tabelle->rowSpan(s.zeile, s.spalte), 1) << s.zeile << "," << s.spalte;
            EXPECT_EQ(tabelle->columnSpan(s.zeile, s.spalte), s.breite)
                << s.zeile << "," << s.spalte;
        }
    }
    const int links = Qt::AlignLeft | Qt::AlignVCenter, rechts = Qt::AlignRight | Qt::AlignVCenter;
    EXPECT_EQ(
        std::tuple(tabelle->item(0, 2)->textAlignment(), tabelle->item(31, 0)->textAlignment(),
                   tabelle->item(0, 5)->textAlignment(), tabelle->item(33, 3)->textAlignment()),
        std::tuple(links, links, rechts, rechts));
}

}  // namespace
}  // namespace lohnwippe
