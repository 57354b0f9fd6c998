#pragma once

#include <QTableWidget>

#include <optional>
#include <vector>

#include "calc/ErgebniszeilenAb2013.h"
#include "calc/Uebergangsbereich.h"
#include "ui/common/Twips.h"

namespace lohnwippe {

// The result grid of a month from 2013: the rows of its period
// (ErgebniszeilenAb2013), whose number changes with the law, in the columns
// of the 2009-2012 grid, which it takes the place of while such a month is
// shown.
class ErgebnistabelleAb2013 : public QTableWidget {
  public:
    ErgebnistabelleAb2013(QWidget* eltern, Twips twips);

    // Shows `ergebnis` with its period's captions; the column widths are
    // those of `vorbild`, the grid of the earlier years.
    void Aktualisieren(const ErgebnisAb2013& ergebnis, const QTableWidget& vorbild);

  private:
    // The rows of the period and their captions; only a new period or
    // Zusatzbeitrag builds them anew, an amount rewrites the cells it
    // changed.
    void Aufbauen(const ErgebnisAb2013& ergebnis, const QTableWidget& vorbild);
    void Spaltenbreiten(const QTableWidget& vorbild);

    Twips twips_;
    const Periode* periode_ = nullptr;
    std::optional<Satz> zusatzbeitrag_;
    std::vector<ZeileAb2013> zeilen_;
    // The amount each value cell shows, row by row; none for an empty one.
    std::vector<std::optional<Waehrung>> gezeigt_;
};

}  // namespace lohnwippe
