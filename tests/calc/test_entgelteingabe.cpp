#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "TestHilfen.h"
#include "calc/Entgelteingabe.h"

namespace lohnwippe {
namespace {

TEST(Entgelteingabe, TastenZiffernKommaPunktUndRuecktaste) {
    std::string text = "12";
    for (char32_t taste : {U'0', U'9', U','}) {
        EXPECT_EQ(EntgeltTaste(text, taste), Tastenwirkung::Einfuegen);
    }
    for (char32_t taste : {U'a', U' ', U'-', U'+', U'/', U':', U'\t', U'\r', U'\b', U'\x7f', U'ä',
                           U'\u0661', U'\U0001F600'}) {
        EXPECT_EQ(EntgeltTaste(text, taste), Tastenwirkung::Verwerfen) << int(taste);
    }
    EXPECT_EQ(text, "12");
    // A full stop appends a comma; Backspace takes the last character.
    EXPECT_EQ(EntgeltTaste(text, U'.'), Tastenwirkung::Geaendert);
    EXPECT_EQ(text, "12,");
    text = "1ä";  // pasted: one character of two bytes
    EXPECT_EQ(EntgeltTaste(text, RueckTaste), Tastenwirkung::Geaendert);
    EXPECT_EQ(text, "1");
    text.clear();
    EXPECT_EQ(EntgeltTaste(text, RueckTaste), Tastenwirkung::Geaendert);
    EXPECT_EQ(text, "");
    EXPECT_EQ(EntgeltTaste(text, EnterTaste), Tastenwirkung::Uebernehmen);
}

TEST(Entgelteingabe, EnterFormatiertUebernimmtOderLeert) {
    // Text in the box, what Enter leaves there, the amount ("-": none).
    const std::tuple<std::string_view, std::string_view, double> faelle[] = {
        {"450", "450,00", 450},
        {"1234,5", "1.234,50", 1234.5},
        {"1.234,50", "1.234,50", 1234.5},
        {"0,005", "0,01", 0.01},
        {"5,", "5,00", 5},
        {",5", "0,50", 0.5},
        {"", "0,00", 0},
        {",", "0,00", 0},
        {"1,2,3", "", -1},
        {",,", "", -1},
        {"1,23456,", "", -1},
        {"1a", "", -1},
        {"1 2", "", -1},
        {"99999999999999999999", "", -1}};
    for (const auto& [text, bleibt, betrag] : faelle) {
        const Entgeltuebernahme u = EntgeltUebernehmen(text);
        EXPECT_EQ(u.Text, bleibt) << text;
        EXPECT_EQ(u.Betrag, betrag < 0 ? std::nullopt : std::optional(W(betrag))) << text;
    }
    // Six characters after the first comma are looked at, no more.
    EXPECT_EQ(EntgeltUebernehmen("1,234567,").Betrag, std::nullopt);
}

}  // namespace
}  // namespace lohnwippe
