#pragma once

#include <array>
#include <string>
#include <string_view>

#include "calc/Ergebnis.h"

namespace lohnwippe {

// The 35 rows in which both the result table and the printed report show a
// calculation: one description, read by both, so that a row cannot say one
// thing on screen and another on paper.
//
// The report forms no value of its own. The text has it add up rows 25
// (employer's cost) and 34 (employee's saving) itself "with the same formulas";
// both are exact sums of the same Ergebnis lines in the same currency type, so
// the values `Berechnen` keeps are those sums, and both views read them.

inline constexpr int AnzahlErgebniszeilen = 35;

enum class Zeilenart {
    Abschnitt,  // a caption over columns 2 to 4 (row 5: 2 to 5), no values
    Wert,       // values in columns 1 to 5
    Summe,      // values; printed bold, larger and emphasised
};

// Where a caption comes from, when it is not a fixed text.
enum class Titelquelle {
    Fest,
    TeilmonatMal,    // row 0: "… * Teilmonatsfaktor (4,348)" when the factor is not 1
    TeilmonatDurch,  // rows 10, 16: "… / Teilmonatsfaktor (4,348)"
    Zusatzsatz,      // row 31: the additional rate in percent before the text
    RVVerzicht,      // row 29: on paper "RV voll" while the waiver box is checked
};

// Background of the value cells; the caption column is always lavender.
enum class Zeilenfarbe { Keine, Lavendel, Hellgelb, Gelb, Hellgrau };

struct Ergebniszeile {
    Zeilenart Art;
    Titelquelle Quelle;
    // Caption in the table (column 0 for value rows, the merged cell for
    // section rows) and on paper; they differ only in rows 5, 26 and 31.
    std::string_view Tabelle;
    std::string_view Bericht;
    Zeilenfarbe Farbe;
    // Name of the Ergebnis line and the branch or levy ("AE", "KV"), for
    // scripts; empty for section rows.
    std::string_view Linie;
    // The value of column `spalte` (1 to 5); null for section rows.
    Waehrung (*Wert)(const Ergebnis&, std::size_t spalte);
    // The line keeps four decimals (shown with two): remuneration times a
    // partial-month factor, and the additional contribution with what
    // contains it.
    bool VierStellen;
};

extern const std::array<Ergebniszeile, AnzahlErgebniszeilen> Ergebniszeilen;

// Caption of row `zeile` in the table (`bericht` false) or on paper, for a
// run with `ergebnis`. Section rows 0, 10 and 16 carry the partial-month
// factor unless it is 1; row 31 the additional rate ("0,90% Zusatzbeitr.").
std::string Zeilentitel(int zeile, const Ergebnis& ergebnis, bool bericht,
                        bool rvBefreiungAngehakt = false);

// Five blanks and the amount with two decimals, as the table shows a value.
std::string Zellentext(Waehrung wert);

// The text of cell (`zeile`, `spalte`) of the result table: captions in
// column 0, values in columns 1 to 5, section captions in columns 2 to 4
// (row 5: to 5), and "Summe" over the total column. `ergebnis` is the last
// run, or null before the first one, when the table shows only its fixed
// texts and the plain captions.
std::string Tabellenzelle(int zeile, int spalte, const Ergebnis* ergebnis);

}  // namespace lohnwippe
