#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "Formate.h"

namespace lohnwippe {
namespace {

// Values with at most four decimals convert exactly enough from double.
Waehrung W(double wert) {
    return Waehrung::AusDoubleHalbGerade(wert);
}

const Waehrung Groesster = Waehrung::AusRoh(std::numeric_limits<std::int64_t>::max());
const Waehrung Kleinster = Waehrung::AusRoh(std::numeric_limits<std::int64_t>::min());

// Parser results as plain numbers, so that each check fits on one line.
std::string Text(std::optional<Waehrung> wert) {
    return wert ? FormatZahl(*wert) : "nichts";
}
std::string Gelesen(std::string_view text, int stellen = 2) {
    return Text(ZahlLesen(text, stellen));
}
std::string Rate(std::string_view text) {
    return Text(RateLesen(text));
}

TEST(FormatBetrag, Grundfaelle) {
    EXPECT_EQ(FormatBetrag(W(1234.5)), "1.234,50");
    EXPECT_EQ(FormatBetrag(W(0)), "0,00");
    EXPECT_EQ(FormatBetrag(W(1234567.891)), "1.234.567,89");
    EXPECT_EQ(FormatBetrag(W(-0.5)), "-0,50");
    EXPECT_EQ(FormatBetrag(W(-1234.5)), "-1.234,50");
}

TEST(FormatBetrag, RundungAmAnzeigeende) {
    EXPECT_EQ(FormatBetrag(W(0.005)), "0,01");
    EXPECT_EQ(FormatBetrag(W(0.0049)), "0,00");
    EXPECT_EQ(FormatBetrag(W(-0.005)), "-0,01");
    EXPECT_EQ(FormatBetrag(W(-0.0049)), "0,00");
    EXPECT_EQ(FormatBetrag(Waehrung::AusRoh(-1)), "0,00");
    EXPECT_EQ(FormatBetrag(W(4.945)), "4,95");
    EXPECT_EQ(FormatBetrag(W(0.995)), "1,00");
    EXPECT_EQ(FormatBetrag(W(-999.995)), "-1.000,00");
}

TEST(FormatBetrag, Tausendergrenzen) {
    EXPECT_EQ(FormatBetrag(W(999.99)), "999,99");
    EXPECT_EQ(FormatBetrag(W(1000)), "1.000,00");
    EXPECT_EQ(FormatBetrag(W(100000)), "100.000,00");
    EXPECT_EQ(FormatBetrag(W(999999.99)), "999.999,99");
    EXPECT_EQ(FormatBetrag(W(999999.995)), "1.000.000,00");
}

TEST(FormatBetrag, Wertebereichsgrenzen) {
    EXPECT_EQ(FormatBetrag(Groesster), "922.337.203.685.477,58");
    EXPECT_EQ(FormatBetrag(Kleinster), "-922.337.203.685.477,58");
    EXPECT_EQ(FormatBetrag(Waehrung::AusRoh(9223372036854769950)), "922.337.203.685.477,00");
}

TEST(FormatEuro, Grundfaelle) {
    EXPECT_EQ(FormatEuro(W(14400)), "14.400,00 Euro");
    EXPECT_EQ(FormatEuro(W(0)), "0,00 Euro");
    EXPECT_EQ(FormatEuro(W(-3.2)), "-3,20 Euro");
}

TEST(FormatDezimal, Grundfaelle) {
    EXPECT_EQ(FormatDezimal(W(14.6), 2), "14,60");
    EXPECT_EQ(FormatDezimal(W(0.39), 3), "0,390");
    EXPECT_EQ(FormatDezimal(W(0.9), 2), "0,90");
    EXPECT_EQ(FormatDezimal(W(1234.5), 2), "1234,50");
    EXPECT_EQ(FormatDezimal(W(0.7491), 4), "0,7491");
    EXPECT_EQ(FormatDezimal(W(2.5), 0), "3");
    EXPECT_EQ(FormatDezimal(W(-2.5), 0), "-3");
    EXPECT_EQ(FormatDezimal(W(0.0005), 3), "0,001");
    EXPECT_EQ(FormatDezimal(W(0.0004), 3), "0,000");
    EXPECT_EQ(FormatDezimal(W(-0.0005), 3), "-0,001");
    EXPECT_EQ(FormatDezimal(W(-0.0004), 3), "0,000");
}

TEST(FormatDezimal, GrenzenUndFehler) {
    EXPECT_EQ(FormatDezimal(Kleinster, 4), "-922337203685477,5808");
    EXPECT_EQ(FormatDezimal(Groesster, 0), "922337203685478");
    EXPECT_EQ(FormatDezimal(Kleinster, 0), "-922337203685478");
    EXPECT_THROW(FormatDezimal(W(1), -1), std::invalid_argument);
    EXPECT_THROW(FormatDezimal(W(1), 5), std::invalid_argument);
}

TEST(FormatZahl, OhneEndnullen) {
    EXPECT_EQ(FormatZahl(W(19.9)), "19,9");
    EXPECT_EQ(FormatZahl(W(3)), "3");
    EXPECT_EQ(FormatZahl(W(0.7491)), "0,7491");
    EXPECT_EQ(FormatZahl(W(4.348)), "4,348");
    EXPECT_EQ(FormatZahl(W(30)), "30");
    EXPECT_EQ(FormatZahl(W(1.4493)), "1,4493");
    EXPECT_EQ(FormatZahl(W(7.5)), "7,5");
    EXPECT_EQ(FormatZahl(W(-2.5)), "-2,5");
    EXPECT_EQ(FormatZahl(W(11.1)), "11,1");
    EXPECT_EQ(FormatZahl(W(1000)), "1000");
    EXPECT_EQ(FormatZahl(W(0)), "0");
    EXPECT_EQ(FormatZahl(W(0.0001)), "0,0001");
    EXPECT_EQ(FormatZahl(W(-0.0001)), "-0,0001");
    EXPECT_EQ(FormatZahl(W(10.05)), "10,05");
}

TEST(FormatZahl, Wertebereichsgrenzen) {
    EXPECT_EQ(FormatZahl(Groesster), "922337203685477,5807");
    EXPECT_EQ(FormatZahl(Kleinster), "-922337203685477,5808");
}

TEST(FormatBetragFeld, SiebenZeichen) {
    EXPECT_EQ(FormatBetragFeld(W(123.4)), " 123,40");
    EXPECT_EQ(FormatBetragFeld(W(0)), "   0,00");
    EXPECT_EQ(FormatBetragFeld(W(999.99)), " 999,99");
    EXPECT_EQ(FormatBetragFeld(W(-0.5)), "  -0,50");
    EXPECT_EQ(FormatBetragFeld(W(-999.99)), "-999,99");
    EXPECT_EQ(FormatBetragFeld(W(1234.5)), "1.234,50");
    EXPECT_EQ(FormatBetragFeld(Kleinster), "-922.337.203.685.477,58");
}

TEST(FormatDatum, DeutscheMonatsnamen) {
    EXPECT_EQ(FormatDatum(2012, 12, 5), "05. Dezember 2012");
    EXPECT_EQ(FormatDatum(2009, 1, 31), "31. Januar 2009");
    EXPECT_EQ(FormatDatum(2012, 2, 29), "29. Februar 2012");
    EXPECT_EQ(FormatDatum(2012, 3, 1), "01. März 2012");
    EXPECT_EQ(FormatDatum(2011, 10, 3), "03. Oktober 2011");
    EXPECT_EQ(FormatDatum(999, 7, 9), "09. Juli 0999");
    EXPECT_EQ(FormatDatum(2000, 2, 29), "29. Februar 2000");
}

TEST(FormatDatum, UngueltigeDaten) {
    EXPECT_THROW(FormatDatum(2011, 2, 29), std::invalid_argument);
    EXPECT_THROW(FormatDatum(1900, 2, 29), std::invalid_argument);
    EXPECT_THROW(FormatDatum(2012, 4, 31), std::invalid_argument);
    EXPECT_THROW(FormatDatum(2012, 13, 1), std::invalid_argument);
    EXPECT_THROW(FormatDatum(2012, 0, 1), std::invalid_argument);
    EXPECT_THROW(FormatDatum(2012, 1, 0), std::invalid_argument);
    EXPECT_THROW(FormatDatum(0, 1, 1), std::invalid_argument);
    EXPECT_THROW(FormatDatum(10000, 1, 1), std::invalid_argument);
}

TEST(ZahlLesen, Grundfaelle) {
    EXPECT_EQ(Gelesen("1234,5"), "1234,5");
    EXPECT_EQ(Gelesen("1.234,50"), "1234,5");
    EXPECT_EQ(Gelesen("400"), "400");
    EXPECT_EQ(Gelesen("  400 "), "400");
    EXPECT_EQ(Gelesen("\t7\t"), "7");
    EXPECT_EQ(Gelesen("000123"), "123");
    EXPECT_EQ(Gelesen("1.000.000"), "1000000");
    EXPECT_EQ(Gelesen(",5"), "0,5");
    EXPECT_EQ(Gelesen("5,"), "5");
    EXPECT_EQ(Gelesen("-2,5"), "-2,5");
}

TEST(ZahlLesen, RundungAusDenZiffern) {
    EXPECT_EQ(Gelesen("12,555"), "12,56");
    EXPECT_EQ(Gelesen("0,00499999"), "0");
    EXPECT_EQ(Gelesen("0,005"), "0,01");
    EXPECT_EQ(Gelesen("9,995"), "10");
    EXPECT_EQ(Gelesen("-12,345"), "-12,35");
    EXPECT_EQ(Gelesen("-0,001"), "0");
    EXPECT_EQ(Gelesen("2,5", 0), "3");
    EXPECT_EQ(Gelesen("2,4999", 0), "2");
    EXPECT_EQ(Gelesen("-2,5", 0), "-3");
    EXPECT_EQ(Gelesen("0,0005", 3), "0,001");
    EXPECT_EQ(Gelesen("0,12345", 4), "0,1235");
    EXPECT_EQ(Gelesen("0,12344999999999999999999", 4), "0,1234");
}

TEST(ZahlLesen, Ablehnungen) {
    EXPECT_EQ(Gelesen(""), "nichts");
    EXPECT_EQ(Gelesen("   "), "nichts");
    EXPECT_EQ(Gelesen(","), "nichts");
    EXPECT_EQ(Gelesen("-"), "nichts");
    EXPECT_EQ(Gelesen("-,"), "nichts");
    EXPECT_EQ(Gelesen("abc"), "nichts");
    EXPECT_EQ(Gelesen("12a"), "nichts");
    EXPECT_EQ(Gelesen("1,2,3"), "nichts");
    EXPECT_EQ(Gelesen("1,2.3"), "nichts");
    EXPECT_EQ(Gelesen(".5"), "nichts");
    EXPECT_EQ(Gelesen("5."), "nichts");
    EXPECT_EQ(Gelesen("1..000"), "nichts");
    EXPECT_EQ(Gelesen("1.,5"), "nichts");
    EXPECT_EQ(Gelesen("+5"), "nichts");
    EXPECT_EQ(Gelesen("- 5"), "nichts");
    EXPECT_EQ(Gelesen("5-"), "nichts");
    EXPECT_EQ(Gelesen("1 234"), "nichts");
    EXPECT_THROW(ZahlLesen("1", 5), std::invalid_argument);
    EXPECT_THROW(ZahlLesen("1", -1), std::invalid_argument);
}

TEST(ZahlLesen, Ueberlauf) {
    EXPECT_EQ(Gelesen("922337203685477,5807", 4), "922337203685477,5807");
    EXPECT_EQ(Gelesen("922337203685477,5808", 4), "nichts");
    EXPECT_EQ(Gelesen("-922337203685477,5808", 4), "-922337203685477,5808");
    EXPECT_EQ(Gelesen("-922337203685477,5809", 4), "nichts");
    EXPECT_EQ(Gelesen("-922337203685477,58075", 4), "-922337203685477,5808");
    EXPECT_EQ(Gelesen("-922337203685477,58085", 4), "nichts");
    EXPECT_EQ(Gelesen("922.337.203.685.477,58"), "922337203685477,58");
    EXPECT_EQ(Gelesen("922337203685477,585"), "nichts");
    EXPECT_EQ(Gelesen("922337203685478"), "nichts");
    EXPECT_EQ(Gelesen("99999999999999999999999999"), "nichts");
    EXPECT_EQ(Gelesen("0000000000000000000000000001"), "1");
}

TEST(RateLesen, PunktOderKomma) {
    EXPECT_EQ(Rate("0.5"), "0,5");
    EXPECT_EQ(Rate("0,5"), "0,5");
    EXPECT_EQ(Rate("0,500"), "0,5");
    EXPECT_EQ(Rate("1.95"), "1,95");
    EXPECT_EQ(Rate(" 3 "), "3");
    EXPECT_EQ(Rate("0,00005"), "0,0001");
    EXPECT_EQ(Rate("0.00004"), "0");
    EXPECT_EQ(Rate(".5"), "0,5");
}

TEST(RateLesen, Ablehnungen) {
    EXPECT_EQ(Rate(""), "nichts");
    EXPECT_EQ(Rate("."), "nichts");
    EXPECT_EQ(Rate("1.234,5"), "nichts");
    EXPECT_EQ(Rate("1,2.3"), "nichts");
    EXPECT_EQ(Rate("1.2.3"), "nichts");
    EXPECT_EQ(Rate("0..5"), "nichts");
    EXPECT_EQ(Rate("0,5%"), "nichts");
    EXPECT_EQ(Rate("abc"), "nichts");
}

}  // namespace
}  // namespace lohnwippe
