// The number formats the clerk's own columns are shown in, as a German
// spreadsheet program shows them.
#include <gtest/gtest.h>

#include "rechner/Formatcode.h"

namespace lohnwippe::rechner {
namespace {

TEST(Formatcode, ZeigtZahlenWieDasTabellenprogramm) {
    const struct {
        double Zahl;
        const char* Code;
        const char* Text;
    } faelle[] = {
        {42, "0000", "0042"},
        {1234567.891, "#,##0.00", "1.234.567,89"},
        {0.5, "#.00", ",50"},
        {2.675, "0.00", "2,68"},  // rounded as shown, not as the binary value
        {1.5, "0.0#", "1,5"},
        {9.995, "0.00", "10,00"},
        {0.125, "0.0%", "12,5%"},
        {-1234.5, "#,##0.00\\ [$€-407];\\-#,##0.00\\ [$€-407]", "-1.234,50 €"},
        {-3, "0;(0)", "(3)"},
        {0, "0;-0;\"null\"", "null"},
        {-0.001, "0.00", "0,00"},
        {35796, "DD.MM.YYYY", "01.01.1998"},
        {35796, "dd/mm/yy", "01.01.98"},
        {35796.75, "D. MMMM YYYY hh:mm", "1. Januar 1998 18:00"},
        {35855, "DDD, D. MMM", "So, 1. Mär"},
        {0.3541666666666667, "hh:mm:ss", "08:30:00"},
        {0.75, "h:mm AM/PM", "6:00 PM"},
        {0.999999, "hh:mm", "00:00"},  // the rounded second is the next day's
        {60.5, "mm:ss", "00:00"},      // "mm" before seconds are minutes
    };
    for (const auto& fall : faelle) {
        EXPECT_EQ(FormatAnwenden(fall.Zahl, fall.Code).value_or("?"), fall.Text) << fall.Code;
    }
    // What the renderer does not know falls back to the general format.
    for (const char* code : {"0.00E+00", "# ?/?", "[h]:mm:ss", "@", "[<100]0", "mm:ss.0", ""}) {
        EXPECT_FALSE(FormatAnwenden(1.5, code)) << code;
    }
    EXPECT_TRUE(IstZeitformat(EingebautesFormat(14)));
    EXPECT_TRUE(IstZeitformat("hh:mm"));
    EXPECT_FALSE(IstZeitformat("#,##0.00\\ [$€-407]"));
    EXPECT_FALSE(IstZeitformat("\"Tag\" 0"));
}

TEST(Formatcode, OdsDatenAlsSerienzahl) {
    EXPECT_EQ(OdsDatum("1998-01-01"), 35796);
    EXPECT_EQ(OdsDatum("1899-12-30"), 0);
    EXPECT_EQ(OdsDatum("2000-03-01T12:00:00"), 36586.5);
    EXPECT_EQ(OdsDatum("2024-02-29T06:00:00.5"), 45351 + (6 * 3600 + 0.5) / 86400);
    EXPECT_FALSE(OdsDatum("1998-13-01"));
    EXPECT_FALSE(OdsDatum("gestern"));
    EXPECT_DOUBLE_EQ(*OdsDauer("PT08H30M00S"), 8.5 / 24);
    EXPECT_EQ(OdsDauer("-P1DT12H"), -1.5);
    EXPECT_FALSE(OdsDauer("PT8X"));
}

}  // namespace
}  // namespace lohnwippe::rechner
