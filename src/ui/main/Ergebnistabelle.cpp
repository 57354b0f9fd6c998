#include "ui/main/Ergebnistabelle.h"

#include <QAbstractItemView>
#include <QColor>
#include <QHeaderView>
#include <QString>
#include <QTableWidgetItem>

#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "calc/Ergebniszeilen.h"

namespace lohnwippe {

namespace {

constexpr int Spalten = Ergebnistabelle::Spalten;

// Column widths in hundredths of the window width, columns 0 to 5; columns 1
// to 4 line up with the employment frames above the grid.
constexpr std::array<int, Spalten> Breitenanteile = {13, 18, 18, 18, 17, 15};

constexpr double ZeilenhoeheTwips = 210;

const QColor Lavendel(245, 244, 255);  // the window's own background

}  // namespace

QColor Zeilenhintergrund(Zeilenfarbe farbe) {
    switch (farbe) {
        case Zeilenfarbe::Lavendel:
            return Lavendel;
        case Zeilenfarbe::Hellgelb:
            return {255, 255, 192};
        case Zeilenfarbe::Gelb:
            return {255, 255, 128};
        case Zeilenfarbe::Hellgrau:
            return {234, 234, 234};
        case Zeilenfarbe::Keine:
            break;
    }
    return {};  // the grid's default
}

namespace {

constexpr Qt::Alignment Links = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment Rechts = Qt::AlignRight | Qt::AlignVCenter;

bool Abschnitt(int zeile) {
    return Ergebniszeilen[static_cast<std::size_t>(zeile)].Art == Zeilenart::Abschnitt;
}

QString Text(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A share of the window width as a whole number of twips. Worked out on
// integers so that a width like 9650 x 0.13 = 1254.5 is a true half and not
// whatever the nearest double makes of it; halves go to the even neighbour,
// as in the conversions of the calculation.
int AnteilTwips(int fensterbreiteTwips, int hundertstel) {
    const std::int64_t produkt = static_cast<std::int64_t>(fensterbreiteTwips) * hundertstel;
    std::int64_t ganz = produkt / 100;
    std::int64_t rest = produkt % 100;
    if (rest < 0) {
        rest += 100;
        --ganz;
    }
    if (rest > 50 || (rest == 50 && ganz % 2 != 0)) {
        ++ganz;
    }
    return static_cast<int>(ganz);
}

void GleicheVerbinden(QTableWidget& tabelle, int zeile) {
    // Runs of neighbouring value cells with the same non-empty text, as
    // (first column, width). Empty cells stay single: they are gaps, not a
    // caption to be shown once.
    std::array<int, Spalten> soll{};
    for (int spalte = 1; spalte < Spalten;) {
        const QString text = tabelle.item(zeile, spalte)->text();
        int ende = spalte + 1;
        while (!text.isEmpty() && ende < Spalten && tabelle.item(zeile, ende)->text() == text) {
            ++ende;
        }
        soll[static_cast<std::size_t>(spalte)] = ende - spalte;
        spalte = ende;
    }

    // The spans now in place, walked from the left so that each found width
    // belongs to a span that starts in the visited column.
    std::array<int, Spalten> ist{};
    for (int spalte = 1; spalte < Spalten;) {
        const int breite = tabelle.columnSpan(zeile, spalte);
        ist[static_cast<std::size_t>(spalte)] = breite;
        spalte += breite;
    }
    if (ist == soll) {
        return;
    }

    // A span can only be laid over cells that no other span covers, so the
    // old ones go first.
    for (int spalte = 1; spalte < Spalten; ++spalte) {
        if (ist[static_cast<std::size_t>(spalte)] > 1) {
            tabelle.setSpan(zeile, spalte, 1, 1);
        }
    }
    for (int spalte = 1; spalte < Spalten; ++spalte) {
        if (soll[static_cast<std::size_t>(spalte)] > 1) {
            tabelle.setSpan(zeile, spalte, 1, soll[static_cast<std::size_t>(spalte)]);
        }
    }
}

}  // namespace

Ergebnistabelle::Ergebnistabelle(QWidget* eltern, Twips twips)
    : QTableWidget(Zeilen, Spalten, eltern), twips_(twips) {
    setObjectName(QStringLiteral("MSFlexGrid1"));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setShowGrid(true);
    setWordWrap(false);
    // A caption wider than its cell is cut at the grid line; an ellipsis
    // would put a character into it that the caption does not have.
    setTextElideMode(Qt::ElideNone);

    // Every cell gets its item now, so that a refresh only ever changes texts
    // and never creates or deletes an item.
    for (int zeile = 0; zeile < Zeilen; ++zeile) {
        for (int spalte = 0; spalte < Spalten; ++spalte) {
            auto* zelle = new QTableWidgetItem;
            zelle->setFlags(Qt::ItemIsEnabled);
            zelle->setTextAlignment(spalte == 0 ? Links : Rechts);
            setItem(zeile, spalte, zelle);
        }
    }
}

void Ergebnistabelle::Einrichten(int fensterbreiteTwips) {
    const int zeilenhoehe = twips_.Pixel(ZeilenhoeheTwips);
    // The style's minimum section size would otherwise win over 14 px rows.
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(zeilenhoehe);
    for (int zeile = 0; zeile < Zeilen; ++zeile) {
        setRowHeight(zeile, zeilenhoehe);
    }
    horizontalHeader()->setMinimumSectionSize(1);
    for (int spalte = 0; spalte < Spalten; ++spalte) {
        const int breite =
            AnteilTwips(fensterbreiteTwips, Breitenanteile[static_cast<std::size_t>(spalte)]);
        setColumnWidth(spalte, twips_.Pixel(breite));
    }

    for (int zeile = 0; zeile < Zeilen; ++zeile) {
        const QColor farbe =
            Zeilenhintergrund(Ergebniszeilen[static_cast<std::size_t>(zeile)].Farbe);
        for (int spalte = 0; spalte < Spalten; ++spalte) {
            QTableWidgetItem* zelle = item(zeile, spalte);
            zelle->setText(Text(Tabellenzelle(zeile, spalte, nullptr)));
            if (spalte == 0) {
                zelle->setBackground(Lavendel);
            } else if (farbe.isValid()) {
                zelle->setBackground(farbe);
            } else {
                zelle->setBackground(QBrush());
            }
            // Section captions stand left in their merged cell; only the
            // heading of the total column keeps the right alignment of the
            // amounts below it.
            const bool links =
                spalte == 0 || (Abschnitt(zeile) && !(zeile == 0 && spalte == SummenSpalte));
            zelle->setTextAlignment(links ? Links : Rechts);
        }
        if (Abschnitt(zeile)) {
            GleicheVerbinden(*this, zeile);
        }
    }
    werteGezeigt_ = false;
}

void Ergebnistabelle::Aktualisieren(const Ergebnis& ergebnis) {
    // Hidden, the view skips the repaint of each single cell and draws the
    // whole grid once when it is shown again.
    hide();

    for (int zeile = 0; zeile < Zeilen; ++zeile) {
        const Ergebniszeile& z = Ergebniszeilen[static_cast<std::size_t>(zeile)];
        if (z.Quelle == Titelquelle::TeilmonatMal || z.Quelle == Titelquelle::TeilmonatDurch) {
            const QString text = Text(Zeilentitel(zeile, ergebnis, false));
            if (item(zeile, 2)->text() != text) {
                for (int spalte = 2; spalte <= LetzterJob; ++spalte) {
                    item(zeile, spalte)->setText(text);
                }
                GleicheVerbinden(*this, zeile);
            }
            continue;
        }
        if (z.Art == Zeilenart::Abschnitt) {
            continue;
        }
        if (z.Quelle == Titelquelle::Zusatzsatz) {
            item(zeile, 0)->setText(Text(Zeilentitel(zeile, ergebnis, false)));
        }
        for (int spalte = ErsteSpalte; spalte <= SummenSpalte; ++spalte) {
            Betrag(zeile, spalte, z.Wert(ergebnis, static_cast<std::size_t>(spalte)));
        }
    }
    werteGezeigt_ = true;

    show();
}

void Ergebnistabelle::Betrag(int zeile, int spalte, Waehrung wert) {
    std::int64_t& gezeigt =
        gezeigt_[static_cast<std::size_t>(zeile) * Spalten + static_cast<std::size_t>(spalte)];
    if (werteGezeigt_ && gezeigt == wert.Roh()) {
        return;
    }
    gezeigt = wert.Roh();
    const std::string text = Zellentext(wert);
    item(zeile, spalte)->setText(QLatin1String(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace lohnwippe
