#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calc/Waehrung.h"

namespace lohnwippe {

// Typing an amount into one of the boxes `Entgelt(j)`: the key filter and
// the taking over on Enter, without the widgets. Texts are UTF-8.

// The two keys of the box that are not characters. They lie beyond the
// last code point, so that a character that happens to carry the same
// control code (Ctrl+M types a carriage return) is never taken for them.
inline constexpr char32_t EnterTaste = 0x110000;
inline constexpr char32_t RueckTaste = 0x110001;

enum class Tastenwirkung {
    Einfuegen,    // the box inserts the character where the caret stands
    Verwerfen,    // the key does nothing
    Geaendert,    // the filter has changed the text itself
    Uebernehmen,  // Enter: take the amount over with EntgeltUebernehmen
};

// The key filter: digits 0 to 9 and the comma go in as typed; the full stop
// appends a comma at the end instead; Backspace removes the last character
// wherever the caret stands; every other character (letters, blanks, signs
// including the minus, control characters) is dropped.
Tastenwirkung EntgeltTaste(std::string& text, char32_t taste);

struct Entgeltuebernahme {
    std::string Text;  // what the box shows afterwards
    // The amount to store and calculate with; none when the text is no
    // amount, and then the box is emptied and nothing else happens.
    std::optional<Waehrung> Betrag;
    // The text is a number, but too large for the money type: no amount
    // either, yet the user has to learn why it was not taken.
    bool ZuGross = false;
};

// Enter in the box: two commas within six characters empty it; an empty
// text or a lone comma stand for 0,00; anything else is read as a German
// number with two decimals and shown as "###,##0.00".
Entgeltuebernahme EntgeltUebernehmen(std::string_view text);

}  // namespace lohnwippe
