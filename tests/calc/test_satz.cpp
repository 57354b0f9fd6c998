#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "TestHilfen.h"
#include "calc/Eingaben.h"
#include "calc/Satz.h"

namespace lohnwippe {
namespace {

// A damaged data file can hold any 16-bit value; no recorded case comes
// near the ends of that range, where a factor or a rounding slip would show.
TEST(Satz, SpeichereinheitenBisAnDieGrenzenVon16Bit) {
    constexpr auto Kleinste = std::numeric_limits<std::int16_t>::min();
    constexpr auto Groesste = std::numeric_limits<std::int16_t>::max();
    EXPECT_EQ(SatzText(Satz::AusTausendsteln(Kleinste), 3), "-32,768");
    EXPECT_EQ(SatzText(Satz::AusTausendsteln(Groesste), 3), "32,767");
    EXPECT_EQ(KVSatzAbleiten(Kleinste, Schalter::Aus), W(-328.28));
    EXPECT_EQ(KVSatzAbleiten(Groesste, Schalter::Aus), W(327.07));
    EXPECT_EQ(KVSatzAbleiten(Groesste, Schalter::An), W(327.67));
    EXPECT_EQ(SatzText(Satz::AusAnteil(0.0115), 2), "1,15");
}

}  // namespace
}  // namespace lohnwippe
