#pragma once

#include <optional>

namespace lohnwippe {

// The four contribution years the program knows.
inline constexpr int ErstesJahr = 2009;
inline constexpr int LetztesJahr = 2012;
inline constexpr int AnzahlJahre = LetztesJahr - ErstesJahr + 1;
inline constexpr int MonateJeJahr = 12;

// A month of a contribution year. The lists of the window number years and
// months from 0; the files number their records from both; this is the one
// place where the two meet.
struct Berichtsmonat {
    int Jahr = ErstesJahr;  // 2009 .. 2012
    int Monat = 1;          // 1 = January .. 12 = December

    // Positions in the lists `Jahr` and `Monat`; nullopt outside them.
    static constexpr std::optional<Berichtsmonat> AusPositionen(int jahrPos, int monatPos) {
        if (jahrPos < 0 || jahrPos >= AnzahlJahre || monatPos < 0 || monatPos >= MonateJeJahr) {
            return std::nullopt;
        }
        return Berichtsmonat{ErstesJahr + jahrPos, monatPos + 1};
    }
    constexpr int JahrPos() const { return Jahr - ErstesJahr; }
    constexpr int MonatPos() const { return Monat - 1; }

    constexpr bool operator==(const Berichtsmonat&) const = default;
};

}  // namespace lohnwippe
