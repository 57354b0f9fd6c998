#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "TestHilfen.h"
#include "calc/Entgelteingabe.h"

namespace lohnwippe {
namespace {

// Types `tasten` into a box as the window does, characters at the end;
// '\r' is Enter and '\b' Backspace. Returns the box's text.
std::string Tippen(std::string_view tasten, std::optional<Waehrung>* betrag = nullptr) {
    std::string text;
    for (char c : tasten) {
        const char32_t taste = c == '\r' ? EnterTaste : c == '\b' ? RueckTaste : char32_t(c);
        switch (EntgeltTaste(text, taste)) {
            case Tastenwirkung::Einfuegen:
                text += c;
                break;
            case Tastenwirkung::Uebernehmen: {
                auto uebernahme = EntgeltUebernehmen(text);
                text = uebernahme.Text;
                if (betrag != nullptr) {
                    *betrag = uebernahme.Betrag;
                }
                break;
            }
            case Tastenwirkung::Geaendert:
            case Tastenwirkung::Verwerfen:
                break;
        }
    }
    return text;
}

TEST(Entgelteingabe, ZiffernUndKommaKommenDurchAllesAndereNicht) {
    std::string text = "12";
    for (char32_t taste : {U'0', U'9', U','}) {
        EXPECT_EQ(EntgeltTaste(text, taste), Tastenwirkung::Einfuegen);
    }
    for (char32_t taste : {U'a', U' ', U'-', U'+', U'/', U':', U'\t', U'\r', U'\b', U'\x7f', U'ä',
                           U'\u0661', U'\U0001F600'}) {
        EXPECT_EQ(EntgeltTaste(text, taste), Tastenwirkung::Verwerfen) << int(taste);
    }
    EXPECT_EQ(text, "12");
}

TEST(Entgelteingabe, PunktHaengtEinKommaAnRuecktasteNimmtDasLetzteZeichen) {
    std::string text = "12";
    EXPECT_EQ(EntgeltTaste(text, U'.'), Tastenwirkung::Geaendert);
    EXPECT_EQ(text, "12,");
    EXPECT_EQ(EntgeltTaste(text, RueckTaste), Tastenwirkung::Geaendert);
    EXPECT_EQ(text, "12");
    text = "1ä";  // pasted: one character of two bytes
    EntgeltTaste(text, RueckTaste);
    EXPECT_EQ(text, "1");
    text.clear();
    EXPECT_EQ(EntgeltTaste(text, RueckTaste), Tastenwirkung::Geaendert);
    EXPECT_EQ(text, "");
    EXPECT_EQ(EntgeltTaste(text, EnterTaste), Tastenwirkung::Uebernehmen);
}

TEST(Entgelteingabe, EnterFormatiertUndUebernimmt) {
    std::optional<Waehrung> betrag;
    EXPECT_EQ(Tippen("450\r", &betrag), "450,00");
    EXPECT_EQ(betrag, W(450));
    EXPECT_EQ(Tippen("12.5"), "12,5");
    EXPECT_EQ(Tippen("12.5\r", &betrag), "12,50");
    EXPECT_EQ(betrag, W(12.5));
    EXPECT_EQ(Tippen("1234,5\r", &betrag), "1.234,50");
    EXPECT_EQ(Tippen("0,005\r", &betrag), "0,01");  // halves away from zero
    EXPECT_EQ(betrag, W(0.01));
    EXPECT_EQ(Tippen("5,\r"), "5,00");
    EXPECT_EQ(Tippen(",5\r"), "0,50");
}

TEST(Entgelteingabe, LeerUndKommaSindNull) {
    for (std::string_view text : {"", ","}) {
        const auto u = EntgeltUebernehmen(text);
        EXPECT_EQ(u.Text, "0,00");
        EXPECT_EQ(u.Betrag, Waehrung());
    }
}

TEST(Entgelteingabe, ZweiKommasLeerenDasFeld) {
    std::optional<Waehrung> betrag = W(1);
    EXPECT_EQ(Tippen("1,2,3\r", &betrag), "");
    EXPECT_EQ(betrag, std::nullopt);
    // Six characters after the first comma are looked at, no more; a
    // comma further away is no number either.
    EXPECT_EQ(EntgeltUebernehmen("1,234567,").Betrag, std::nullopt);
    EXPECT_EQ(EntgeltUebernehmen("1,23456,").Text, "");
    EXPECT_EQ(EntgeltUebernehmen(",,").Text, "");
}

TEST(Entgelteingabe, UnlesbaresUndZuGrossesLeerenDasFeld) {
    for (std::string_view text : {"1a", "99999999999999999999", "1 2"}) {
        const auto u = EntgeltUebernehmen(text);
        EXPECT_EQ(u.Text, "") << text;
        EXPECT_EQ(u.Betrag, std::nullopt) << text;
    }
}

TEST(Entgelteingabe, EnterAufEinemFormatiertenBetragBehaeltIhn) {
    const auto u = EntgeltUebernehmen("1.234,50");
    EXPECT_EQ(u.Text, "1.234,50");
    EXPECT_EQ(u.Betrag, W(1234.5));
}

}  // namespace
}  // namespace lohnwippe
