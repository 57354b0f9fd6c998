#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <stdexcept>
#include <utility>
#include <vector>

#include "TestHilfen.h"
#include "calc/Runden.h"

namespace lohnwippe {
namespace {

constexpr auto Max = std::numeric_limits<std::int64_t>::max();
constexpr auto Min = std::numeric_limits<std::int64_t>::min();

using Paare = std::vector<std::pair<double, double>>;

std::int64_t AusDouble(double d) {
    return Waehrung::AusDoubleHalbGerade(d).Roh();
}
std::int64_t Mal(std::int64_t a, std::int64_t b) {
    return MalHalbGerade(Waehrung::AusRoh(a), Waehrung::AusRoh(b)).Roh();
}

// Reference: the exact product in x87 extended precision, rounded with the
// library's ties-to-even rounding.
std::int64_t Referenz(double d) {
    return static_cast<std::int64_t>(std::nearbyint(static_cast<long double>(d) * 10000));
}

TEST(WaehrungAusDouble, RundetDenExaktenWertDesDouble) {
    // The double product 0.009 x 549.45 is a false tie (49450.5 after
    // rounding to double); its exact value lies just above the half.
    const std::vector<std::pair<double, std::int64_t>> faelle = {
        {549.44, 5494400},
        {-549.44, -5494400},
        {4.348 / 3, 14493},
        {30.0 / 7, 42857},
        {0.009 * 549.45, 49451},
        // Exact binary ties: 1/32 and 3/32 times 10000 end in .5.
        {0.03125, 312},
        {0.09375, 938},
        {-0.03125, -312},
        {-0.09375, -938},
        {0.00005, 1}};  // the double lies above 1/20000
    for (auto [d, roh] : faelle) {
        EXPECT_EQ(AusDouble(d), roh) << d;
    }
}

TEST(WaehrungAusDouble, StimmtMitDerExaktenRundungUeberein) {
    std::mt19937_64 zufall(4711);
    std::uniform_int_distribution<std::int64_t> zaehler(-100000000000, 100000000000);
    std::uniform_int_distribution<int> stoerung(-3, 3);
    for (int i = 0; i < 200000; ++i) {
        // Near ties: the double nearest to (2k + 1) / 20000 and its
        // neighbours, quotients as the calculation forms them, and values
        // beyond 2^52 that take the slow path.
        double d = static_cast<double>(2 * zaehler(zufall) + 1) / 20000;
        for (int n = stoerung(zufall); n != 0; n += n < 0 ? 1 : -1) {
            d = std::nextafter(d, n < 0 ? -INFINITY : INFINITY);
        }
        const double quotient = static_cast<double>(zaehler(zufall)) / 100 / 4.348;
        const double gross = std::ldexp(static_cast<double>(zaehler(zufall)), 12);
        for (double x : {d, quotient, gross}) {
            ASSERT_EQ(AusDouble(x), Referenz(x)) << x;
        }
    }
}

TEST(WaehrungAusDouble, UeberlaufWirdErkannt) {
    for (double aussen :
         {1e15, -1e15, std::nan(""), HUGE_VAL, -922337203685477.625, 922337203685477.625}) {
        EXPECT_FALSE(Waehrung::AusDoubleHalbGeradeGeprueft(aussen).has_value()) << aussen;
    }
    // Near the ends of the range doubles are 1/8 apart.
    ASSERT_TRUE(Waehrung::AusDoubleHalbGeradeGeprueft(-922337203685477.5).has_value());
    EXPECT_EQ(Waehrung::AusDoubleHalbGeradeGeprueft(-922337203685477.5)->Roh(),
              -9223372036854775000);
    EXPECT_THROW(Waehrung::AusDoubleHalbGerade(1e300), std::overflow_error);
}

TEST(WaehrungRechnen, ProdukteRundenHalbZurGeradenZahl) {
    // 0.0001 x 0.5 and 0.0003 x 0.5 are ties.
    const std::vector<std::pair<std::pair<std::int64_t, std::int64_t>, std::int64_t>> faelle = {
        {{1, 5000}, 0},  {{3, 5000}, 2},   {{1, 5001}, 1},  {{-3, 5000}, -2},
        {{-1, 5000}, 0}, {{-1, 5001}, -1}, {{-3, -5000}, 2}};
    for (auto [faktoren, roh] : faelle) {
        EXPECT_EQ(Mal(faktoren.first, faktoren.second), roh);
    }
    // Intermediate products beyond 64 bits.
    EXPECT_EQ(Mal(Max / 10000 * 10000, 10000), Max / 10000 * 10000);
    EXPECT_EQ(Mal(Max / 10000 * 10000 + 5000, -10000), -(Max / 10000 * 10000 + 5000));
    EXPECT_THROW(Mal(Max, 20000), std::overflow_error);
    EXPECT_THROW(Mal(Min, -10000), std::overflow_error);
}

TEST(WaehrungRechnen, SummenUeberlaufenNie) {
    EXPECT_THROW(Waehrung::AusRoh(Max) + Waehrung::AusRoh(1), std::overflow_error);
    EXPECT_THROW(Waehrung::AusRoh(Min) - Waehrung::AusRoh(1), std::overflow_error);
    EXPECT_THROW(-Waehrung::AusRoh(Min), std::overflow_error);
    EXPECT_THROW(Waehrung::AusGanzzahl(1000000000000000), std::overflow_error);
    EXPECT_THROW(MalGanzzahl(Waehrung::AusRoh(Max), 2), std::overflow_error);
}

TEST(AufCentRunden, HalbAufNachHundertstelCentNegativAbgeschnitten) {
    // Cents: remainder 49 down, 50 up; 49.5 -> 50 (even) up, 48.5 -> 48;
    // from .9950 into the next cent; negative values toward zero.
    const Paare faelle = {{535.704, 536}, {5466.928, 5467}, {0, 0},           {10.49, 10},
                          {10.50, 11},    {10.4949, 10},    {10.4950, 11},    {10.4850, 10},
                          {10.4851, 10},  {10.0049, 10},    {3980.995, 3981}, {3980.9949, 3981},
                          {0.9950, 1},    {-10.50, -10},    {-10.9999, -10},  {-0.9950, 0}};
    for (auto [cent, ergebnis] : faelle) {
        EXPECT_EQ(AufCentRunden(W(cent)), W(ergebnis)) << cent;
    }
    const Paare euro = {{254.496, 254.50}, {169.664, 169.66}, {0.455, 0.46}, {-0.455, -0.45}};
    for (auto [wert, ergebnis] : euro) {
        EXPECT_EQ(AufCentGerundet(W(wert)), W(ergebnis)) << wert;
    }
}

TEST(UmlageRunden, HalbAufAufGanzeCent) {
    // Hundred-thousandths of a Euro; the cents come from the rounded n, not
    // from the truncated value.
    const Paare faelle = {{1153824, 11.54},   {1153499.4, 11.53}, {1153499.5, 11.54},
                          {1153498.5, 11.53}, {1153000, 11.53},   {-1153824, -11.53},
                          {1153999.6, 11.54}, {999.5, 0.01},      {499.4, 0}};
    for (auto [hunderttausendstel, euro] : faelle) {
        EXPECT_EQ(UmlageRunden(W(hunderttausendstel)), W(euro)) << hunderttausendstel;
    }
}

TEST(GanzeCentGeteilt, GleichDerDivisionInDouble) {
    // The shortcuts must give exactly what the division in double gives.
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
}

}  // namespace
}  // namespace lohnwippe
