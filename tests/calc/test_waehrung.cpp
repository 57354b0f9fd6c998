#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <stdexcept>

#include "Runden.h"
#include "TestHilfen.h"

namespace lohnwippe {
namespace {

constexpr auto Max = std::numeric_limits<std::int64_t>::max();
constexpr auto Min = std::numeric_limits<std::int64_t>::min();

std::int64_t AusDouble(double d) { return Waehrung::AusDoubleHalbGerade(d).Roh(); }
std::int64_t Mal(std::int64_t a, std::int64_t b) {
    return MalHalbGerade(Waehrung::AusRoh(a), Waehrung::AusRoh(b)).Roh();
}

TEST(WaehrungAusDouble, RundetDenExaktenWertDesDouble) {
    EXPECT_EQ(AusDouble(549.44), 5494400);
    EXPECT_EQ(AusDouble(-549.44), -5494400);
    EXPECT_EQ(AusDouble(0.7491), 7491);
    EXPECT_EQ(AusDouble(4.348 / 3), 14493);
    EXPECT_EQ(AusDouble(30.0 / 7), 42857);
    // The double product is a false tie (49450.5 after rounding to double);
    // its exact value lies just above the half.
    EXPECT_EQ(AusDouble(0.009 * 549.45), 49451);
    // Exact ties in binary: 1/32 and 3/32 times 10000 end in .5.
    EXPECT_EQ(AusDouble(0.03125), 312);
    EXPECT_EQ(AusDouble(0.09375), 938);
    EXPECT_EQ(AusDouble(-0.03125), -312);
    EXPECT_EQ(AusDouble(-0.09375), -938);
    EXPECT_EQ(AusDouble(0.00005), 1);  // the double lies above 1/20000
}

// Reference: the exact product in x87 extended precision, rounded with the
// library's ties-to-even rounding.
std::int64_t Referenz(double d) {
    return static_cast<std::int64_t>(std::nearbyint(static_cast<long double>(d) * 10000));
}

TEST(WaehrungAusDouble, StimmtMitDerExaktenRundungUeberein) {
    std::mt19937_64 zufall(4711);
    std::uniform_int_distribution<std::int64_t> zaehler(-100000000000, 100000000000);
    std::uniform_int_distribution<int> stoerung(-3, 3);
    for (int i = 0; i < 200000; ++i) {
        // Near ties: the double nearest to (2k + 1) / 20000 and its
        // neighbours, and quotients as the calculation forms them.
        const double halb = static_cast<double>(2 * zaehler(zufall) + 1) / 20000;
        double d = halb;
        for (int n = stoerung(zufall); n != 0; n += n < 0 ? 1 : -1) {
            d = std::nextafter(d, n < 0 ? -INFINITY : INFINITY);
        }
        ASSERT_EQ(AusDouble(d), Referenz(d)) << d;
        const double quotient = static_cast<double>(zaehler(zufall)) / 100 / 4.348;
        ASSERT_EQ(AusDouble(quotient), Referenz(quotient)) << quotient;
        const double gross = std::ldexp(static_cast<double>(zaehler(zufall)), 12);
        ASSERT_EQ(AusDouble(gross), Referenz(gross)) << gross;
    }
}

TEST(WaehrungAusDouble, UeberlaufWirdErkannt) {
    EXPECT_FALSE(Waehrung::AusDoubleHalbGeradeGeprueft(1e15).has_value());
    EXPECT_FALSE(Waehrung::AusDoubleHalbGeradeGeprueft(-1e15).has_value());
    EXPECT_FALSE(Waehrung::AusDoubleHalbGeradeGeprueft(std::nan("")).has_value());
    EXPECT_FALSE(
        Waehrung::AusDoubleHalbGeradeGeprueft(std::numeric_limits<double>::infinity()).has_value());
    EXPECT_TRUE(Waehrung::AusDoubleHalbGeradeGeprueft(9e14).has_value());
    // Near the ends of the range (doubles there are 1/8 apart).
    ASSERT_TRUE(Waehrung::AusDoubleHalbGeradeGeprueft(-922337203685477.5).has_value());
    EXPECT_EQ(Waehrung::AusDoubleHalbGeradeGeprueft(-922337203685477.5)->Roh(),
              -9223372036854775000);
    EXPECT_FALSE(Waehrung::AusDoubleHalbGeradeGeprueft(-922337203685477.625).has_value());
    EXPECT_FALSE(Waehrung::AusDoubleHalbGeradeGeprueft(922337203685477.625).has_value());
    EXPECT_THROW(Waehrung::AusDoubleHalbGerade(1e300), std::overflow_error);
}

TEST(WaehrungProdukt, RundetHalbZurGeradenZahl) {
    EXPECT_EQ(Mal(6000000, 7472), 4483200);           // 600 x 0.7472
    EXPECT_EQ(Mal(4000000, 7472) + Mal(12528, 2000000), 5494400);
    EXPECT_EQ(Mal(1500000, 43480), 6522000);          // 150 x 4.348
    EXPECT_EQ(Mal(1, 5000), 0);                       // 0.00005: tie, to even
    EXPECT_EQ(Mal(3, 5000), 2);                       // 0.00015: tie, to even
    EXPECT_EQ(Mal(1, 5001), 1);
    EXPECT_EQ(Mal(-3, 5000), -2);
    EXPECT_EQ(Mal(-1, 5000), 0);
    EXPECT_EQ(Mal(-1, 5001), -1);
    EXPECT_EQ(Mal(-3, -5000), 2);
    // The intermediate product needs more than 64 bits.
    EXPECT_EQ(Mal(Max / 10000 * 10000, 10000), Max / 10000 * 10000);
    EXPECT_THROW(Mal(Max, 20000), std::overflow_error);
    EXPECT_THROW(Mal(Min, -10000), std::overflow_error);
}

TEST(WaehrungRechnen, SummenSindExaktUndUeberlaufenNie) {
    EXPECT_EQ((W(0.1) + W(0.2)).Roh(), W(0.3).Roh());
    EXPECT_EQ((W(1) - W(1.0001)).Roh(), -1);
    EXPECT_EQ((-W(2.5)).Roh(), -25000);
    EXPECT_THROW(Waehrung::AusRoh(Max) + Waehrung::AusRoh(1), std::overflow_error);
    EXPECT_THROW(Waehrung::AusRoh(Min) - Waehrung::AusRoh(1), std::overflow_error);
    EXPECT_THROW(-Waehrung::AusRoh(Min), std::overflow_error);
    EXPECT_THROW(Waehrung::AusGanzzahl(1000000000000000), std::overflow_error);
    EXPECT_THROW(MalGanzzahl(Waehrung::AusRoh(Max), 2), std::overflow_error);
    EXPECT_EQ(MalGanzzahl(W(549.44), 2100).Roh(), 11538240000);
}

TEST(WaehrungAnzeige, RundetHalbVonNullWeg) {
    EXPECT_EQ(W(0.005).GerundetHalbWeg(2), W(0.01));
    EXPECT_EQ(W(0.0049).GerundetHalbWeg(2), W(0));
    EXPECT_EQ(W(-0.005).GerundetHalbWeg(2), W(-0.01));
    EXPECT_EQ(W(2.5).GerundetHalbWeg(0), W(3));
    EXPECT_EQ(W(1.2345).GerundetHalbWeg(4), W(1.2345));
    EXPECT_THROW((void)W(1).GerundetHalbWeg(5), std::invalid_argument);
    EXPECT_THROW((void)Waehrung::AusRoh(Max).GerundetHalbWeg(0), std::overflow_error);
}

TEST(AufCentRunden, NichtNegativHalbAufNachHundertstelCent) {
    EXPECT_EQ(AufCentRunden(W(535.704)), W(536));
    EXPECT_EQ(AufCentRunden(W(5466.928)), W(5467));
    EXPECT_EQ(AufCentRunden(W(585)), W(585));
    EXPECT_EQ(AufCentRunden(W(10.49)), W(10));    // remainder 49: down
    EXPECT_EQ(AufCentRunden(W(10.50)), W(11));    // remainder 50: up
    EXPECT_EQ(AufCentRunden(W(10.4949)), W(10));  // 49.49 -> 49
    EXPECT_EQ(AufCentRunden(W(10.4950)), W(11));  // 49.5 -> 50 (even)
    EXPECT_EQ(AufCentRunden(W(10.4850)), W(10));  // 48.5 -> 48 (even)
    EXPECT_EQ(AufCentRunden(W(10.4851)), W(10));  // 48.51 -> 49
    EXPECT_EQ(AufCentRunden(W(10.0049)), W(10));
    EXPECT_EQ(AufCentRunden(W(0)), W(0));
}

TEST(AufCentRunden, UebertragInDenNaechstenCentRundetAuf) {
    EXPECT_EQ(AufCentRunden(W(3980.995)), W(3981));
    EXPECT_EQ(AufCentRunden(W(3980.9950)), W(3981));
    EXPECT_EQ(AufCentRunden(W(3980.9999)), W(3981));
    EXPECT_EQ(AufCentRunden(W(3980.9949)), W(3981));
    EXPECT_EQ(AufCentRunden(W(0.9950)), W(1));
}

TEST(AufCentRunden, NegativWirdAbgeschnitten) {
    EXPECT_EQ(AufCentRunden(W(-10.50)), W(-10));
    EXPECT_EQ(AufCentRunden(W(-10.9999)), W(-10));
    EXPECT_EQ(AufCentRunden(W(-0.9950)), W(0));
    EXPECT_EQ(AufCentRunden(W(-3)), W(-3));
}

TEST(AufCentGerundet, EuroAufGanzeCent) {
    EXPECT_EQ(AufCentGerundet(W(549.4400)), W(549.44));
    EXPECT_EQ(AufCentGerundet(W(254.496)), W(254.50));
    EXPECT_EQ(AufCentGerundet(W(169.664)), W(169.66));
    EXPECT_EQ(AufCentGerundet(W(0.455)), W(0.46));
    EXPECT_EQ(AufCentGerundet(W(614.8362)), W(614.84));
    EXPECT_EQ(AufCentGerundet(W(-0.455)), W(-0.45));
}

TEST(UmlageRunden, HalbAufAufGanzeCent) {
    EXPECT_EQ(UmlageRunden(W(1153824)), W(11.54));  // remainder 824
    EXPECT_EQ(UmlageRunden(W(1153499.4)), W(11.53));
    EXPECT_EQ(UmlageRunden(W(1153499.5)), W(11.54));  // n = 1153500 (even)
    EXPECT_EQ(UmlageRunden(W(1153498.5)), W(11.53));  // n = 1153498 (even)
    EXPECT_EQ(UmlageRunden(W(1153500)), W(11.54));
    EXPECT_EQ(UmlageRunden(W(1153000)), W(11.53));
    EXPECT_EQ(UmlageRunden(W(0)), W(0));
    EXPECT_EQ(UmlageRunden(W(-1153824)), W(-11.53));
}

TEST(GanzeCentGeteilt, GleichDerDivisionInDouble) {
    // The shortcut must give exactly what the division in double gives.
    std::mt19937_64 zufall(815);
    for (const std::int64_t grenze : {std::int64_t{100000}, std::int64_t{1} << 40}) {
        std::uniform_int_distribution<std::int64_t> cent(-grenze + 1, grenze - 1);
        for (int i = 0; i < 100000; ++i) {
            const std::int64_t c = cent(zufall);
            const Waehrung w = Waehrung::AusGanzzahl(c);
            ASSERT_EQ(GanzeCentGeteilt(w, 50), W(static_cast<double>(c) / 50)) << c;
            ASSERT_EQ(GanzeCentGeteilt(w, 100), W(static_cast<double>(c) / 100)) << c;
            if (c > -(std::int64_t{1} << 39) && c < (std::int64_t{1} << 39)) {
                // A levy of c cents and a half: n mod 1000 is 500 (or -500).
                const double euro = static_cast<double>(c) / 100 + (c >= 0 ? 0.01 : 0);
                const std::int64_t n = c * 1000 + (c >= 0 ? 500 : -500);
                ASSERT_EQ(UmlageRunden(Waehrung::AusGanzzahl(n)), W(euro)) << c;
            }
        }
    }
    EXPECT_EQ(GanzeCentGeteilt(W(536), 50), W(10.72));
    EXPECT_EQ(GanzeCentGeteilt(W(-585), 100), W(-5.85));
}

TEST(UmlageRunden, GanzeCentAusDerGerundetenZahl) {
    // 1153999.6 rounds to 1154000: the cents come from that, not from the
    // truncated 1153.
    EXPECT_EQ(UmlageRunden(W(1153999.6)), W(11.54));
    EXPECT_EQ(UmlageRunden(W(999.5)), W(0.01));
    EXPECT_EQ(UmlageRunden(W(999.4)), W(0.01));
    EXPECT_EQ(UmlageRunden(W(499.4)), W(0));
}

}  // namespace
}  // namespace lohnwippe
