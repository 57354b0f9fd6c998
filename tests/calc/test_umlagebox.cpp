#include <gtest/gtest.h>

#include <string_view>
#include <utility>

#include "TestHilfen.h"
#include "calc/Umlagebox.h"

namespace lohnwippe {
namespace {

TEST(Umlagebox, TausendstelRundenHalbGerade) {
    EXPECT_EQ(Tausendstel(W(0.37)), 370);
    EXPECT_EQ(Tausendstel(W(0.0025)), 2);
    EXPECT_EQ(Tausendstel(W(0.0035)), 4);
    EXPECT_EQ(Tausendstel(W(0.0036)), 4);
    EXPECT_EQ(Tausendstel(W(-0.0025)), -2);
    EXPECT_EQ(Tausendstel(W(-0.0035)), -4);
}

TEST(Umlagebox, PunktKommaUndNullenLesenSichGleich) {
    for (std::string_view text : {"0,5", "0.5", "0,500", " 0.5\t", ".5", "0,50004"}) {
        const Satzlesung lesung = UmlageboxLesen(text);
        EXPECT_FALSE(lesung.Fehler) << text;
        EXPECT_EQ(lesung.Tausendstel, 500) << text;
    }
}

TEST(Umlagebox, SechzehnBitGrenzen) {
    EXPECT_EQ(UmlageboxLesen("32,767").Tausendstel, 32767);
    EXPECT_EQ(UmlageboxLesen("-32,768").Tausendstel, -32768);
    EXPECT_EQ(UmlageboxLesen("32,768").Fehler, Satzfehler::ZuGross);
    EXPECT_EQ(UmlageboxLesen("-32,769").Fehler, Satzfehler::ZuKlein);
    for (std::string_view text : {"", "abc", "1,2.3", "1.000.000", "0,5%"}) {
        EXPECT_EQ(UmlageboxLesen(text).Fehler, Satzfehler::KeineZahl) << text;
    }
}

// Enter in a U1 box reads the leading number, point or comma, and checks
// it times 1000 against 1..1000 before rounding to thousandths.
TEST(Umlagebox, U1LiestDieFuehrendeZahlUndPrueftVorDemRunden) {
    const std::pair<std::string_view, std::int64_t> faelle[] = {
        // taken over
        {"0.5", 500},
        {"0,500", 500},
        {" .5", 500},
        {"+0.5", 500},
        {"0.5.3", 500},
        {"0,5.3", 500},
        {"0.5abc", 500},
        {"0.37 %", 370},
        {"0.001", 1},
        {"0.0015", 2},
        {"0.0025", 2},
        {"1", 1000},
        {"1.0000", 1000},
        {"1.00000004", 1000},  // x = 1000.00004 is 1000 with four decimals
        // x = 2.50005 ties at its fifth decimal: to even 2.5000, then 2 by
        // the thousandths' own half to even
        {"0.00250005", 2},
        {"0.00250015", 3},
        // corrected to 0,300: x below 1 or above 1000, or no number at the start
        {"1.0005", 300},
        {"0.0006", 300},
        {"0.0009999", 300},
        {"1.0000001", 300},
        {"1.2.3", 300},
        {"5.", 300},
        {"0 .5", 300},
        {"0", 300},
        {"", 300},
        {".", 300},
        {"abc", 300},
        {"-0.5", 300},
        {"99999999999999999999999", 300},
    };
    for (const auto& [text, tausendstel] : faelle) {
        const U1Uebernahme u = U1Uebernehmen(text);
        EXPECT_EQ(u.Tausendstel, tausendstel) << text;
        EXPECT_EQ(u.Korrigiert, tausendstel == 300) << text;
    }
}

}  // namespace
}  // namespace lohnwippe
