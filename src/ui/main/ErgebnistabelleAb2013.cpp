#include "ui/main/ErgebnistabelleAb2013.h"

#include <QHeaderView>
#include <QStyle>
#include <QTableWidgetItem>

#include <algorithm>

#include "calc/ErgebniszeilenAb2013.h"
#include "ui/main/Ergebnistabelle.h"

namespace lohnwippe {

namespace {

constexpr int ZeilenhoeheTwips = 210;

QString Text(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

ErgebnistabelleAb2013::ErgebnistabelleAb2013(QWidget* eltern, Twips twips)
    : QTableWidget(0, SummenSpalte + 1, eltern), twips_(twips) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(twips_.Pixel(ZeilenhoeheTwips));
    horizontalHeader()->setMinimumSectionSize(1);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setWordWrap(false);
}

void ErgebnistabelleAb2013::Aktualisieren(const ErgebnisAb2013& ergebnis,
                                          const QTableWidget& vorbild) {
    // Hidden, the view draws the whole grid once instead of every cell.
    const bool sichtbar = !isHidden();
    hide();
    if (ergebnis.Parameter != periode_ || ergebnis.Zusatzbeitrag != zusatzbeitrag_) {
        Aufbauen(ergebnis, vorbild);
    }
    const auto spalten = static_cast<std::size_t>(columnCount());
    for (std::size_t zeile = 0; zeile < zeilen_.size(); ++zeile) {
        const ZeileAb2013& z = zeilen_[zeile];
        if (z.Art == Zeilenart::Abschnitt) {
            continue;
        }
        for (std::size_t spalte = 1; spalte < spalten; ++spalte) {
            // Formatted only where the amount changed: with one pay
            // entered, most cells stay as they were.
            const auto wert = z.Wert(ergebnis, spalte);
            auto& gezeigt = gezeigt_[zeile * spalten + spalte];
            if (gezeigt != wert) {
                gezeigt = wert;
                // An amount in German format: digits, points, a comma and a
                // minus, all Latin-1.
                const std::string text = ZellentextAb2013(z, ergebnis, spalte);
                item(static_cast<int>(zeile), static_cast<int>(spalte))
                    ->setText(QLatin1String(text.data(), static_cast<qsizetype>(text.size())));
            }
        }
    }
    setVisible(sichtbar);
}

void ErgebnistabelleAb2013::Aufbauen(const ErgebnisAb2013& ergebnis, const QTableWidget& vorbild) {
    periode_ = ergebnis.Parameter;
    zusatzbeitrag_ = ergebnis.Zusatzbeitrag;
    zeilen_ = ErgebniszeilenAb2013(*ergebnis.Parameter, ergebnis.Zusatzbeitrag);
    clearSpans();
    setRowCount(static_cast<int>(zeilen_.size()));
    gezeigt_.assign(zeilen_.size() * static_cast<std::size_t>(columnCount()), std::nullopt);
    QFont fett = font();
    fett.setBold(true);
    for (int zeile = 0; zeile < rowCount(); ++zeile) {
        const ZeileAb2013& z = zeilen_[static_cast<std::size_t>(zeile)];
        const QColor farbe = Zeilenhintergrund(z.Farbe);
        for (int spalte = 0; spalte < columnCount(); ++spalte) {
            auto* zelle = new QTableWidgetItem(spalte == 0 ? Text(z.Titel) : QString());
            if (spalte == 0) {
                zelle->setToolTip(zelle->text());
            }
            zelle->setTextAlignment(spalte == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                                : Qt::AlignRight | Qt::AlignVCenter);
            if (farbe.isValid()) {
                zelle->setBackground(farbe);
            }
            zelle->setFont(z.Art == Zeilenart::Wert ? font() : fett);
            setItem(zeile, spalte, zelle);
        }
        if (z.Art == Zeilenart::Abschnitt) {
            // A section's heading runs across the row.
            setSpan(zeile, 0, 1, columnCount());
        }
    }
    Spaltenbreiten(vorbild);
}

void ErgebnistabelleAb2013::Spaltenbreiten(const QTableWidget& vorbild) {
    // The captions of these years are longer than the old abbreviations;
    // the amount columns, wide enough for the largest amount, give the
    // caption column what it needs, and the grid keeps its width.
    int vorbildRest = 0;  // the old grid's amount columns
    for (int spalte = 1; spalte < columnCount(); ++spalte) {
        vorbildRest += vorbild.columnWidth(spalte);
    }
    int gesamt = vorbild.columnWidth(0) + vorbildRest;
    // These years have more rows than the grid has room for: the
    // vertical scroll bar takes its width from the columns, so that the
    // total column is not cut.
    gesamt = std::min(gesamt, vorbild.width() - 2 * frameWidth() -
                                  style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
    resizeColumnToContents(0);
    const int titel = std::max(columnWidth(0), vorbild.columnWidth(0));
    const int rest = gesamt - titel;
    setColumnWidth(0, titel);
    for (int spalte = 1; spalte < columnCount(); ++spalte) {
        setColumnWidth(spalte, vorbild.columnWidth(spalte) * rest / std::max(vorbildRest, 1));
    }
}

}  // namespace lohnwippe
