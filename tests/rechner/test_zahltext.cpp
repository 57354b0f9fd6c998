// The fast number texts of the output against the formats of the window and
// the report, over edges and a few hundred thousand drawn values.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <string>

#include "calc/Formate.h"
#include "rechner/Zahltext.h"

namespace lohnwippe::rechner {
namespace {

template <typename Schreiber>
std::string Text(Schreiber schreiber) {
    char puffer[ZahltextPlatz];
    return std::string(puffer, schreiber(puffer));
}

// The JSON text is the German one without thousands separators and with a
// decimal point.
std::string Punkt(std::string deutsch) {
    std::erase(deutsch, '.');
    std::replace(deutsch.begin(), deutsch.end(), ',', '.');
    return deutsch;
}

void Vergleichen(std::int64_t roh) {
    const Waehrung w = Waehrung::AusRoh(roh);
    SCOPED_TRACE(roh);
    const std::string betrag =
        Text([&](char* p) { return BetragText(p, w, 2, Zahlformat::Deutsch); });
    ASSERT_EQ(betrag, FormatBetrag(w));
    ASSERT_EQ(Text([&](char* p) { return BetragText(p, w, 2, Zahlformat::Punkt); }), Punkt(betrag));
    for (int stellen = 0; stellen <= 4; ++stellen) {
        const std::string dezimal = FormatDezimal(w, stellen);
        ASSERT_EQ(Text([&](char* p) { return DezimalText(p, w, stellen, Zahlformat::Deutsch); }),
                  dezimal);
        ASSERT_EQ(Text([&](char* p) { return DezimalText(p, w, stellen, Zahlformat::Punkt); }),
                  Punkt(dezimal));
    }
    ASSERT_EQ(Text([&](char* p) { return ZahlText(p, w, Zahlformat::Deutsch); }), FormatZahl(w));
    // Four decimals with thousands separators: the digits of FormatDezimal.
    const std::string genau =
        Text([&](char* p) { return BetragText(p, w, 4, Zahlformat::Deutsch); });
    ASSERT_EQ(Punkt(genau), Punkt(FormatDezimal(w, 4)));
}

TEST(Zahltext, GleichDenFormatenDesFensters) {
    constexpr std::int64_t Groesster = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t Kleinster = std::numeric_limits<std::int64_t>::min();
    for (std::int64_t roh :
         {std::int64_t{0}, std::int64_t{1}, std::int64_t{-1}, std::int64_t{49}, std::int64_t{50},
          std::int64_t{-50}, std::int64_t{-49}, std::int64_t{9'999'950}, std::int64_t{9'999'949},
          std::int64_t{999'999'999'900}, Groesster, Kleinster, Groesster - 49, Kleinster + 50}) {
        Vergleichen(roh);
    }
    std::mt19937_64 zufall(551700);
    // Every magnitude from cents to the end of the type, both signs.
    for (int i = 0; i < 200'000; ++i) {
        const int bits = static_cast<int>(zufall() % 64);
        const auto roh = static_cast<std::int64_t>(zufall() >> (63 - bits) >> 1);
        Vergleichen(i % 2 == 0 ? roh : -roh);
    }
    char puffer[ZahltextPlatz];
    EXPECT_EQ(std::string(puffer, GanzzahlText(puffer, -2012)), "-2012");
}

}  // namespace
}  // namespace lohnwippe::rechner
