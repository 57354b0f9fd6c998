#include "ui/main/ErgebnistabelleAb2013.h"

#include <QHeaderView>
#include <QTableWidgetItem>

#include <algorithm>

#include "calc/ErgebniszeilenAb2013.h"

namespace lohnwippe {

namespace {

constexpr int ZeilenhoeheTwips = 210;

QColor Farbe(Zeilenfarbe farbe) {
    switch (farbe) {
        case Zeilenfarbe::Lavendel:
            return {245, 244, 255};
        case Zeilenfarbe::Hellgelb:
            return {255, 255, 192};
        case Zeilenfarbe::Gelb:
            return {255, 255, 128};
        case Zeilenfarbe::Hellgrau:
            return {234, 234, 234};
        case Zeilenfarbe::Keine:
            break;
    }
    return {};
}

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
    const std::vector<ZeileAb2013> zeilen =
        ErgebniszeilenAb2013(*ergebnis.Parameter, ergebnis.Zusatzbeitrag);
    clearSpans();
    setRowCount(static_cast<int>(zeilen.size()));
    for (int zeile = 0; zeile < rowCount(); ++zeile) {
        const ZeileAb2013& z = zeilen[static_cast<std::size_t>(zeile)];
        const QColor farbe = Farbe(z.Farbe);
        for (int spalte = 0; spalte < columnCount(); ++spalte) {
            QTableWidgetItem* zelle = item(zeile, spalte);
            if (zelle == nullptr) {
                zelle = new QTableWidgetItem;
                setItem(zeile, spalte, zelle);
            }
            QString text;
            if (spalte == 0) {
                text = Text(z.Titel);
            } else if (z.Art != Zeilenart::Abschnitt) {
                text = Text(ZellentextAb2013(z, ergebnis, static_cast<std::size_t>(spalte)));
            }
            zelle->setText(text);
            zelle->setToolTip(spalte == 0 ? text : QString());
            zelle->setTextAlignment(spalte == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                                : Qt::AlignRight | Qt::AlignVCenter);
            zelle->setBackground(farbe.isValid() ? QBrush(farbe) : QBrush());
            QFont schrift = font();
            schrift.setBold(z.Art != Zeilenart::Wert);
            zelle->setFont(schrift);
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
    int gesamt = 0;
    for (int spalte = 0; spalte < columnCount(); ++spalte) {
        gesamt += vorbild.columnWidth(spalte);
    }
    resizeColumnToContents(0);
    const int titel = std::max(columnWidth(0), vorbild.columnWidth(0));
    const int rest = gesamt - titel;
    const int vorbildRest = gesamt - vorbild.columnWidth(0);
    setColumnWidth(0, titel);
    for (int spalte = 1; spalte < columnCount(); ++spalte) {
        setColumnWidth(spalte, vorbild.columnWidth(spalte) * rest / std::max(vorbildRest, 1));
    }
}

}  // namespace lohnwippe
