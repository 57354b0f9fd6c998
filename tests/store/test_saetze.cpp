#include <gtest/gtest.h>

#include <random>

#include "Fallsatz.h"
#include "Satznummern.h"
#include "Umlagesatz.h"

namespace lohnwippe {
namespace {

// Little-endian value of `n` bytes at `offset`, read independently of the
// record code.
std::uint64_t Wert(std::span<const std::byte> bytes, std::size_t offset, std::size_t n) {
    std::uint64_t wert = 0;
    for (std::size_t i = n; i-- > 0;)
        wert = wert << 8 | std::to_integer<unsigned>(bytes[offset + i]);
    return wert;
}

Fallsatz Beispielsatz() {
    Fallsatz satz;
    satz.Namen = {"", "Erster Arbeitgeber  ", "Zweiter             ", "Dritter             ",
                  "Vierter             "};
    std::int16_t n = 0x0101;
    for (std::int16_t* feld :
         {&satz.LetzterFall, &satz.Oben, &satz.Links, &satz.Oben2, &satz.Links2, &satz.RVVerzicht,
          &satz.SachsenWahl, &satz.KinderlosWahl, &satz.TeilmonatPos, &satz.KassePos}) {
        *feld = n;
        n = static_cast<std::int16_t>(n + 0x0101);
    }
    for (int i = 0; i < 8; ++i) satz.Reserviert[i] = std::byte(0xA0 + i);
    for (int job = 1; job <= 4; ++job) {
        for (int b = 0; b < 4; ++b) {
            satz.Zweige[job][b] = static_cast<std::int16_t>(100 * job + b);
            satz.Umlagen[job][b] = static_cast<std::int16_t>(-(200 * job + b));
        }
        satz.Entgelte[job] = Waehrung::AusRoh(0x0102030405060708LL * job);
    }
    satz.Entgelte[4] = Waehrung::AusRoh(-1);
    return satz;
}

TEST(Fallsatz, FelderLiegenAnIhrenOffsets) {
    const auto bytes = FallsatzKodieren(Beispielsatz());
    const auto text = [&](std::size_t ab) {
        return std::string(reinterpret_cast<const char*>(bytes.data()) + ab, 20);
    };
    EXPECT_EQ(text(0), "Erster Arbeitgeber  ");
    EXPECT_EQ(text(20), "Zweiter             ");
    EXPECT_EQ(text(60), "Vierter             ");
    for (std::size_t k = 0; k < 10; ++k) {
        EXPECT_EQ(Wert(bytes, 80 + 2 * k, 2), 0x0101 * (k + 1)) << "Integer " << k;
    }
    EXPECT_EQ(Wert(bytes, 100, 8), 0xA7A6A5A4A3A2A1A0u);
    for (std::size_t i = 1; i <= 4; ++i) {
        for (std::size_t b = 1; b <= 4; ++b) {
            const std::size_t stelle = 8 * (i - 1) + 2 * (b - 1);
            EXPECT_EQ(Wert(bytes, 108 + stelle, 2), 100 * i + b - 1);
            EXPECT_EQ(Wert(bytes, 140 + stelle, 2), 0x10000 - (200 * i + b - 1));
        }
    }
    EXPECT_EQ(Wert(bytes, 172, 8), 0x0102030405060708u);
    EXPECT_EQ(Wert(bytes, 188, 8), 3 * 0x0102030405060708u);
    EXPECT_EQ(Wert(bytes, 196, 8), UINT64_MAX);
}

TEST(Umlagesatz, FelderLiegenAnIhrenOffsets) {
    Umlagesatz satz;
    for (int k = 0; k < AnzahlKassen; ++k) {
        satz.U1Saetze[k] = static_cast<std::int16_t>(1000 + k);
        satz.U2Saetze[k] = static_cast<std::int16_t>(2000 + k);
        satz.U3Saetze[k] = static_cast<std::int16_t>(3000 + k);
        satz.KVSaetze[k] = static_cast<std::int16_t>(-k);
    }
    const auto bytes = UmlagesatzKodieren(satz);
    for (std::size_t k = 0; k < AnzahlKassen; ++k) {
        EXPECT_EQ(Wert(bytes, 2 * k, 2), 1000 + k);
        EXPECT_EQ(Wert(bytes, 44 + 2 * k, 2), 2000 + k);
        EXPECT_EQ(Wert(bytes, 88 + 2 * k, 2), 3000 + k);
        EXPECT_EQ(Wert(bytes, 132 + 2 * k, 2), (0x10000 - k) & 0xFFFF);
    }
}

TEST(Saetze, UeberstehenKodierenUndDekodieren) {
    const Fallsatz satz = Beispielsatz();
    EXPECT_EQ(FallsatzDekodieren(FallsatzKodieren(satz)), satz);

    std::mt19937 zufall(204);
    for (int runde = 0; runde < 200; ++runde) {
        std::array<std::byte, FallsatzLaenge> fall;
        std::array<std::byte, UmlagesatzLaenge> umlage;
        for (auto& b : fall) b = static_cast<std::byte>(zufall());
        for (auto& b : umlage) b = static_cast<std::byte>(zufall());
        EXPECT_EQ(FallsatzKodieren(FallsatzDekodieren(fall)), fall);
        EXPECT_EQ(UmlagesatzKodieren(UmlagesatzDekodieren(umlage)), umlage);
    }
}

TEST(Satznummern, ZaehlenNachJahrPersonUndMonat) {
    EXPECT_EQ(FallNr(0, 0, 0), 1);
    EXPECT_EQ(FallNr(3, 0, 0), 361);
    EXPECT_EQ(FallNr(2, 9, 11), 360);
    EXPECT_EQ(FallNr(2, 2, 0), 265);
    for (int nr = 1; nr <= 480; ++nr) {
        const FallPosition p = FallZerlegen(nr);
        ASSERT_EQ(FallNr(p.JahrPos, p.PersonPos, p.MonatPos), nr);
    }
    EXPECT_EQ(FallZerlegen(360), (FallPosition{2, 9, 11}));
    EXPECT_EQ(UmlageNr(0, 0), 1);
    EXPECT_EQ(UmlageNr(2, 7), 32);
    EXPECT_EQ(UmlageNr(3, 11), 48);
}

}  // namespace
}  // namespace lohnwippe
