#pragma once

#include <QColor>
#include <QTableWidget>

#include <array>
#include <cstdint>

#include "calc/Ergebnis.h"
#include "calc/Ergebniszeilen.h"
#include "ui/common/Twips.h"

namespace lohnwippe {

// The background of a row's value cells, in both grids; none for Keine.
QColor Zeilenhintergrund(Zeilenfarbe farbe);

// The result grid: one row per line of the calculation (35), one column per
// employment and one for the total (columns 1 to 5, captions in column 0).
class Ergebnistabelle : public QTableWidget {
  public:
    static constexpr int Zeilen = 35;
    static constexpr int Spalten = 6;

    Ergebnistabelle(QWidget* eltern, Twips twips);

    // Builds the fixed layout once: row heights (210 twips), column widths as
    // proportions of `fensterbreiteTwips` (0.13, 0.18, 0.18, 0.18, 0.17,
    // 0.15, each a whole number of twips), and the colours, captions and
    // merged caption cells of the result rows (calc/Ergebniszeilen.h).
    void Einrichten(int fensterbreiteTwips);

    // Shows a run: the captions that depend on it and every value cell. The
    // table is hidden while it is rewritten.
    void Aktualisieren(const Ergebnis& ergebnis);

  private:
    void Betrag(int zeile, int spalte, Waehrung wert);

    Twips twips_;
    // The raw amount each value cell shows. A refresh formats and writes only
    // the cells whose amount changed: with one remuneration entered, most of
    // the grid stays as it was.
    std::array<std::int64_t, std::size_t{Zeilen} * Spalten> gezeigt_{};
    bool werteGezeigt_ = false;
};

}  // namespace lohnwippe
