#include <gtest/gtest.h>

#include "rates/Jahreswerte.h"

namespace lohnwippe {
namespace {

Waehrung W(double d) {
    return Waehrung::AusDoubleHalbGerade(d);
}

TEST(Jahreswerte, TabelleDerVierJahre) {
    ASSERT_NE(Jahreswerte(0), nullptr);
    EXPECT_EQ(Jahreswerte(0)->Jahr, "2009");
    EXPECT_EQ(Jahreswerte(0)->FText, "0,7472");
    EXPECT_EQ(Jahreswerte(1)->F, W(0.7585));
    EXPECT_EQ(Jahreswerte(1)->AVText, "2,80 %");
    EXPECT_EQ(Jahreswerte(2)->AVText, "3,00 %");
    EXPECT_EQ(Jahreswerte(2)->AV, W(3));
    EXPECT_EQ(Jahreswerte(2)->FText, "0,7435");
    EXPECT_EQ(Jahreswerte(3)->RVText, "19,60 %");
    EXPECT_EQ(Jahreswerte(3)->RV, W(19.6));
    EXPECT_EQ(Jahreswerte(3)->F, W(0.7491));
    for (int j = 0; j < AnzahlJahre; ++j) {
        EXPECT_EQ(Jahreswerte(j)->PVText, "1,95 %");
        EXPECT_EQ(Jahreswerte(j)->PV, W(1.95));
    }
    EXPECT_EQ(Jahreswerte(0)->RV, W(19.9));
    EXPECT_EQ(Jahreswerte(-1), nullptr);
    EXPECT_EQ(Jahreswerte(4), nullptr);
}

TEST(Jahreswerte, UebernahmeInDieEingaben) {
    Eingaben e;
    EXPECT_TRUE(JahreswerteUebernehmen(3, e));
    EXPECT_EQ(e.Jahressatz[PV], W(1.95));
    EXPECT_EQ(e.Jahressatz[RV], W(19.6));
    EXPECT_EQ(e.Jahressatz[AV], W(3));
    EXPECT_EQ(e.FaktorF, W(0.7491));

    // Outside the table nothing changes.
    EXPECT_FALSE(JahreswerteUebernehmen(-1, e));
    EXPECT_FALSE(JahreswerteUebernehmen(4, e));
    EXPECT_EQ(e.Jahressatz[RV], W(19.6));
    EXPECT_EQ(e.FaktorF, W(0.7491));
}

}  // namespace
}  // namespace lohnwippe
