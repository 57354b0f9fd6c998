#include <gtest/gtest.h>

#include <string_view>

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

TEST(Umlagebox, U1AusserhalbDesBereichsWirdDreihundert) {
    EXPECT_EQ(U1Uebernehmen("0.5").Tausendstel, 500);
    EXPECT_FALSE(U1Uebernehmen("0.5").Korrigiert);
    EXPECT_EQ(U1Uebernehmen("0,001").Tausendstel, 1);
    EXPECT_EQ(U1Uebernehmen("1").Tausendstel, 1000);
    for (std::string_view text : {"0", "1.001", "0,0004", "abc", "-0.5"}) {
        const U1Uebernahme u = U1Uebernehmen(text);
        EXPECT_TRUE(u.Korrigiert) << text;
        EXPECT_EQ(u.Tausendstel, 300) << text;
    }
}

}  // namespace
}  // namespace lohnwippe
