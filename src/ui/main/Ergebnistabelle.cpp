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

#include "calc/Formate.h"

namespace lohnwippe {

namespace {

constexpr int Spalten = Ergebnistabelle::Spalten;

// Rows of the grid that carry no values of their own but a caption spread
// over several columns.
constexpr int ZeileAE = 0;
constexpr int ZeileGekuerzt = 5;
constexpr int ZeileGesamtbeitrag = 10;
constexpr int ZeileArbeitgeber = 16;
constexpr int ZeileArbeitnehmer = 26;
constexpr std::array<int, 5> UeberschriftZeilen = {ZeileAE, ZeileGekuerzt, ZeileGesamtbeitrag,
                                                   ZeileArbeitgeber, ZeileArbeitnehmer};

// First row of each block of four branch rows.
constexpr int ErsteZeileAE = 1;
constexpr int ErsteZeileGekuerzt = 6;
constexpr int ErsteZeileGesamtbeitrag = 11;
constexpr int ErsteZeileArbeitgeber = 17;
constexpr int ErsteZeileArbeitnehmer = 27;
constexpr int ZeileZusatzbeitrag = 31;

// Column widths in hundredths of the window width, columns 0 to 5; columns 1
// to 4 line up with the employment frames above the grid.
constexpr std::array<int, Spalten> Breitenanteile = {13, 18, 18, 18, 17, 15};

constexpr double ZeilenhoeheTwips = 210;

const QColor Lavendel(245, 244, 255);  // the window's own background
const QColor Hellgelb(255, 255, 192);
const QColor Gelb(255, 255, 128);
const QColor Hellgrau(234, 234, 234);

constexpr Qt::Alignment Links = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment Rechts = Qt::AlignRight | Qt::AlignVCenter;

// Every amount is shown behind five blanks. Amounts are right-aligned, so the
// decimal commas of a column stand one under the other.
const QString Vorlauf = QStringLiteral("     ");

QString Zeilentitel(int zeile) {
    static const std::array<QString, AnzahlZweige> zweige = {
        QStringLiteral("KV"), QStringLiteral("PV"), QStringLiteral("RV"), QStringLiteral("AV")};
    for (int erste : {ErsteZeileAE, ErsteZeileGekuerzt, ErsteZeileGesamtbeitrag,
                      ErsteZeileArbeitgeber, ErsteZeileArbeitnehmer}) {
        if (zeile >= erste && zeile < erste + AnzahlZweige) {
            return zweige[static_cast<std::size_t>(zeile - erste)];
        }
    }
    switch (zeile) {
        case 15:
        case 21:
        case 32:
            return QStringLiteral("Summe");
        case 22:
            return QStringLiteral("Umlage U1");
        case 23:
            return QStringLiteral("Umlage U2");
        case 24:
            return QStringLiteral("Umlage U3");
        case 25:
            return QStringLiteral("AG-Aufwand");
        case ZeileZusatzbeitrag:
            // Replaced by the rate caption as soon as the first result is in.
            return QStringLiteral("Zusatzbeiträge");
        case 33:
            return QStringLiteral("AN-Netto");
        case 34:
            return QStringLiteral("AN-Ersparnis");
        default:
            return {};
    }
}

// Background of the value columns 1 to 5; an invalid colour leaves the
// grid's default.
QColor Zeilenfarbe(int zeile) {
    switch (zeile) {
        case ZeileAE:
        case ZeileGekuerzt:
        case ZeileGesamtbeitrag:
        case ZeileArbeitgeber:
        case ZeileArbeitnehmer:
            return Lavendel;
        case 21:
        case 32:
            return Gelb;
        case 25:
        case 33:
            return Hellgrau;
        default:
            break;
    }
    if ((zeile >= ErsteZeileArbeitgeber && zeile < ErsteZeileArbeitgeber + AnzahlZweige) ||
        (zeile >= ErsteZeileArbeitnehmer && zeile <= ZeileZusatzbeitrag)) {
        return Hellgelb;
    }
    return {};
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

QString Betragstext(Waehrung wert) {
    const std::string betrag = FormatBetrag(wert);
    QString text;
    text.reserve(Vorlauf.size() + static_cast<qsizetype>(betrag.size()));
    text.append(Vorlauf);
    text.append(QLatin1String(betrag.data(), static_cast<qsizetype>(betrag.size())));
    return text;
}

QString Zahltext(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void UeberschriftenSchreiben(QTableWidget& tabelle, Waehrung teilmonatsfaktor) {
    // The calculation treats a factor below 1 as a full month, and so does
    // the caption: a factor of 0 was never applied to anything.
    const Waehrung eins = Waehrung::AusGanzzahl(1);
    const bool vollerMonat = teilmonatsfaktor <= eins;
    const QString faktor = vollerMonat ? QString() : Zahltext(FormatZahl(teilmonatsfaktor));
    const QString zusatzMal =
        vollerMonat ? QString() : QStringLiteral(" * Teilmonatsfaktor (") + faktor + u')';
    const QString zusatzDurch =
        vollerMonat ? QString() : QStringLiteral(" / Teilmonatsfaktor (") + faktor + u')';

    const std::array<std::pair<int, QString>, 3> texte = {{
        {ZeileAE, QStringLiteral("1. Beitragspflichtiges Arbeitsentgelt (AE)") + zusatzMal},
        {ZeileGesamtbeitrag, QStringLiteral("3. Gesamtbeitrag je SV-Zweig aus 2.") + zusatzDurch},
        {ZeileArbeitgeber, QStringLiteral("4. Arbeitgeberanteil aus 1.") + zusatzDurch},
    }};
    for (const auto& [zeile, text] : texte) {
        for (int spalte = 2; spalte <= 4; ++spalte) {
            tabelle.item(zeile, spalte)->setText(text);
        }
    }
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
        QTableWidgetItem* titel = item(zeile, 0);
        titel->setBackground(Lavendel);
        titel->setText(Zeilentitel(zeile));
        const QColor farbe = Zeilenfarbe(zeile);
        for (int spalte = 1; spalte < Spalten; ++spalte) {
            QTableWidgetItem* zelle = item(zeile, spalte);
            if (farbe.isValid()) {
                zelle->setBackground(farbe);
            } else {
                zelle->setBackground(QBrush());
            }
        }
    }

    // Section captions stand left in their merged cell; only the heading of
    // the total column keeps the right alignment of the amounts below it.
    for (int zeile : UeberschriftZeilen) {
        for (int spalte = 1; spalte < Spalten; ++spalte) {
            item(zeile, spalte)->setTextAlignment(Links);
        }
    }
    item(ZeileAE, SummenSpalte)->setTextAlignment(Rechts);
    item(ZeileAE, SummenSpalte)->setText(QStringLiteral("Summe     "));

    const QString gekuerzt = QStringLiteral(
        "2. Entgelt Nr. 1 (AE)gekürzt nach der Formel: F x 400 + (2 - F) x (AE - 400)");
    for (int spalte = 2; spalte <= SummenSpalte; ++spalte) {
        item(ZeileGekuerzt, spalte)->setText(gekuerzt);
    }
    const QString arbeitnehmer = QStringLiteral("5. Arbeitnehmeranteil (3. minus 4.)");
    for (int spalte = 2; spalte <= 4; ++spalte) {
        item(ZeileArbeitnehmer, spalte)->setText(arbeitnehmer);
    }

    // Rows 0, 10 and 16 get their captions from the first refresh; until then
    // they show the plain form of a full month.
    UeberschriftenSchreiben(*this, Waehrung::AusGanzzahl(1));
    for (int zeile : UeberschriftZeilen) {
        GleicheVerbinden(*this, zeile);
    }
}

void Ergebnistabelle::Aktualisieren(const Ergebnis& ergebnis, Waehrung teilmonatsfaktor) {
    // Hidden, the view skips the repaint of each single cell and draws the
    // whole grid once when it is shown again.
    hide();

    UeberschriftenSchreiben(*this, teilmonatsfaktor);
    const Waehrung prozent = Waehrung::AusDoubleHalbGerade(ergebnis.Zusatzsatz * 100);
    item(ZeileZusatzbeitrag, 0)
        ->setText(Zahltext(FormatDezimal(prozent, 2)) + QStringLiteral("% Zusatzbeitr."));
    for (int zeile : {ZeileAE, ZeileGesamtbeitrag, ZeileArbeitgeber}) {
        GleicheVerbinden(*this, zeile);
    }

    for (int spalte = ErsteSpalte; spalte <= SummenSpalte; ++spalte) {
        const auto s = static_cast<std::size_t>(spalte);
        for (int zweig = 0; zweig < AnzahlZweige; ++zweig) {
            const auto b = static_cast<std::size_t>(zweig);
            Betrag(ErsteZeileAE + zweig, spalte, ergebnis.AE[s][b]);
            Betrag(ErsteZeileGekuerzt + zweig, spalte, ergebnis.AEGekuerzt[s][b]);
            Betrag(ErsteZeileGesamtbeitrag + zweig, spalte, ergebnis.Gesamtbeitrag[s][b]);
            Betrag(ErsteZeileArbeitgeber + zweig, spalte, ergebnis.Arbeitgeberanteil[s][b]);
            Betrag(ErsteZeileArbeitnehmer + zweig, spalte, ergebnis.Arbeitnehmeranteil[s][b]);
        }
        Betrag(15, spalte, ergebnis.GesamtSumme[s]);
        Betrag(21, spalte, ergebnis.AGSumme[s]);
        for (int umlage = 0; umlage < AnzahlUmlagen; ++umlage) {
            Betrag(22 + umlage, spalte, ergebnis.Umlage[s][static_cast<std::size_t>(umlage)]);
        }
        Betrag(25, spalte, ergebnis.AGAufwand[s]);
        Betrag(ZeileZusatzbeitrag, spalte, ergebnis.Zusatzbeitrag[s]);
        Betrag(32, spalte, ergebnis.ANSumme[s]);
        Betrag(33, spalte, ergebnis.ANNetto[s]);
        Betrag(34, spalte, ergebnis.ANErsparnis[s]);
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
    item(zeile, spalte)->setText(Betragstext(wert));
}

}  // namespace lohnwippe
