#include "ui/common/Textraum.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
#include <QTableWidget>
#include <algorithm>
#include <cmath>

namespace lohnwippe::gestaltung {
namespace {

// A text box keeps this many pixels free left and right of its text.
constexpr int Zeilenrand = 2;

int Breite(const QFont& schrift, const QString& text) {
    return static_cast<int>(std::ceil(QFontMetricsF(schrift).horizontalAdvance(text)));
}

// What of `text` can be seen: blanks on the side the text is aligned to
// move it; blanks on the other side only take up space nobody sees.
QString Sichtbar(const QString& text, Qt::Alignment ausrichtung) {
    qsizetype anfang = 0;
    qsizetype ende = text.size();
    if (ausrichtung & Qt::AlignRight) {
        while (anfang < ende && text.at(anfang).isSpace()) {
            ++anfang;
        }
    } else if (!(ausrichtung & Qt::AlignHCenter)) {
        while (ende > anfang && text.at(ende - 1).isSpace()) {
            --ende;
        }
    }
    return text.mid(anfang, ende - anfang);
}

// Room of a text box for its text when it is `rechteck` large. Text that
// starts at the left shows from its beginning outside the focus, so it
// shows whole as long as it ends inside the box's margins. Right-aligned
// text keeps the caret at its end: the box scrolls once the text, one
// pixel for the caret and the font's overhang no longer fit, and the first
// character slips out at the left.
int ZeilenRaum(const QLineEdit* feld, const QRect& rechteck, const QFont& schrift) {
    QStyleOptionFrame option;
    option.initFrom(feld);
    option.rect = rechteck;
    option.fontMetrics = QFontMetrics(schrift);
    option.lineWidth = feld->hasFrame()
                           ? feld->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, feld)
                           : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    const QRect inhalt = feld->style()
                             ->subElementRect(QStyle::SE_LineEditContents, &option, feld)
                             .marginsRemoved(feld->textMargins());
    int raum = inhalt.width() - 2 * Zeilenrand;
    if (feld->alignment() & Qt::AlignRight) {
        const QFontMetrics m(schrift);
        raum -= 1 + std::max(0, -m.minLeftBearing()) + std::max(0, -m.minRightBearing());
    }
    return raum;
}

bool ZeilePasst(const QLineEdit* feld, const QRect& rechteck, const QString& text,
                const QFont& schrift) {
    return Breite(schrift, Sichtbar(text, feld->alignment())) <=
           ZeilenRaum(feld, rechteck, schrift);
}

bool LabelPasst(const QLabel* label, const QString& text, const QFont& schrift) {
    QRect raum = label->contentsRect().marginsRemoved(
        QMargins(label->margin(), label->margin(), label->margin(), label->margin()));
    int einzug = label->indent();
    if (einzug < 0) {
        einzug = label->frameWidth() > 0 ? QFontMetrics(schrift).horizontalAdvance(u'x') / 2 : 0;
    }
    raum.setWidth(raum.width() - einzug);
    if (label->wordWrap()) {
        const Qt::Alignment umbruch =
            Qt::Alignment(Qt::TextWordWrap) | (label->alignment() & Qt::AlignHorizontal_Mask);
        const QRectF noetig = QFontMetricsF(schrift).boundingRect(
            QRectF(0, 0, raum.width(), 1e6), static_cast<int>(umbruch.toInt()), text);
        return std::ceil(noetig.width()) <= raum.width() &&
               std::ceil(noetig.height()) <= raum.height();
    }
    const QStringList zeilen = text.split(u'\n');
    return std::all_of(zeilen.begin(), zeilen.end(), [&](const QString& zeile) {
        return Breite(schrift, Sichtbar(zeile, label->alignment())) <= raum.width();
    });
}

QStyleOptionButton KnopfOption(const QAbstractButton* knopf, const QString& text,
                               const QFont& schrift) {
    QStyleOptionButton option;
    option.initFrom(knopf);
    option.fontMetrics = QFontMetrics(schrift);
    option.text = text;
    option.icon = knopf->icon();
    option.iconSize = knopf->iconSize();
    return option;
}

bool SchalterPasst(const QCheckBox* schalter, const QString& text, const QFont& schrift) {
    const QStyleOptionButton option = KnopfOption(schalter, text, schrift);
    const QRect raum =
        schalter->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, schalter);
    return Breite(schrift, Sichtbar(text, Qt::AlignLeft)) <= raum.width();
}

bool KnopfPasst(const QPushButton* knopf, const QString& text, const QFont& schrift) {
    QStyleOptionButton option = KnopfOption(knopf, text, schrift);
    if (knopf->autoDefault()) {
        option.features |= QStyleOptionButton::AutoDefaultButton;
    }
    if (knopf->isDefault()) {
        option.features |= QStyleOptionButton::DefaultButton;
    }
    if (knopf->isFlat()) {
        option.features |= QStyleOptionButton::Flat;
    }
    const QRect raum =
        knopf->style()->subElementRect(QStyle::SE_PushButtonContents, &option, knopf);
    return Breite(schrift, text) <= raum.width();
}

// The title starts a style-given indent in from the frame's edge; the same
// indent stays free at the other end.
bool RahmenPasst(const QGroupBox* rahmen, const QString& text, const QFont& schrift) {
    QStyleOptionGroupBox option;
    option.initFrom(rahmen);
    option.fontMetrics = QFontMetrics(schrift);
    option.text = text;
    option.lineWidth = 1;
    option.midLineWidth = 0;
    option.textAlignment = rahmen->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    option.features = rahmen->isFlat() ? QStyleOptionFrame::Flat : QStyleOptionFrame::None;
    const QRect titel = rahmen->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                        QStyle::SC_GroupBoxLabel, rahmen);
    const int einzug = std::max(titel.left(), 0);
    return einzug + Breite(schrift, text) <= rahmen->width() - einzug;
}

bool ListePasst(const QComboBox* liste, const QString& text, const QFont& schrift) {
    QStyleOptionComboBox option;
    option.initFrom(liste);
    option.fontMetrics = QFontMetrics(schrift);
    option.editable = liste->isEditable();
    option.frame = liste->hasFrame();
    option.currentText = text;
    option.subControls = QStyle::SC_All;
    const QRect feld = liste->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, liste);
    if (liste->lineEdit() != nullptr) {
        return ZeilePasst(liste->lineEdit(), QRect(QPoint(), feld.size()), text, schrift);
    }
    // A closed list draws its text one pixel in from either end of the field.
    return Breite(schrift, Sichtbar(text, Qt::AlignLeft)) <= feld.width() - 2;
}

}  // namespace

bool Passt(const QWidget* w, const QString& text, const QFont& schrift) {
    if (text.isEmpty()) {
        return true;
    }
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        return LabelPasst(label, text, schrift);
    }
    if (const auto* schalter = qobject_cast<const QCheckBox*>(w)) {
        return SchalterPasst(schalter, text, schrift);
    }
    if (const auto* knopf = qobject_cast<const QPushButton*>(w)) {
        return KnopfPasst(knopf, text, schrift);
    }
    if (const auto* rahmen = qobject_cast<const QGroupBox*>(w)) {
        return RahmenPasst(rahmen, text, schrift);
    }
    if (const auto* liste = qobject_cast<const QComboBox*>(w)) {
        return ListePasst(liste, text, schrift);
    }
    if (const auto* feld = qobject_cast<const QLineEdit*>(w)) {
        return ZeilePasst(feld, feld->contentsRect(), text, schrift);
    }
    return true;
}

QStringList Texte(const QWidget* w) {
    QString text;
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        text = label->text();
    } else if (const auto* knopf = qobject_cast<const QAbstractButton*>(w)) {
        text = knopf->text();
    } else if (const auto* rahmen = qobject_cast<const QGroupBox*>(w)) {
        text = rahmen->title();
    } else if (const auto* liste = qobject_cast<const QComboBox*>(w)) {
        if (liste->count() == 0) {
            text = liste->currentText();
        } else {
            QStringList eintraege;
            for (int i = 0; i < liste->count(); ++i) {
                eintraege.append(liste->itemText(i));
            }
            return eintraege;
        }
    } else if (const auto* feld = qobject_cast<const QLineEdit*>(w)) {
        text = feld->text();
    }
    return text.isEmpty() ? QStringList() : QStringList{text};
}

bool ZellePasst(const QTableWidget* tabelle, int zeile, int spalte, const QFont& schrift) {
    const QTableWidgetItem* zelle = tabelle->item(zeile, spalte);
    if (zelle == nullptr || zelle->text().isEmpty()) {
        return true;
    }
    // Merged cells are walked from the left: a column reached only by
    // stepping over a merged neighbour is covered and shows nothing.
    int anfang = 0;
    while (anfang < spalte) {
        anfang += std::max(1, tabelle->columnSpan(zeile, anfang));
    }
    if (anfang != spalte) {
        return true;
    }
    int breite = 0;
    for (int k = spalte; k < spalte + std::max(1, tabelle->columnSpan(zeile, spalte)); ++k) {
        breite += tabelle->columnWidth(k);
    }
    // The grid line takes the last pixel of a cell, the style a margin on
    // either side of the text.
    const int rand =
        tabelle->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tabelle) + 1;
    const int raum = breite - (tabelle->showGrid() ? 1 : 0) - 2 * rand;
    const auto ausrichtung = Qt::Alignment(zelle->textAlignment());
    return Breite(schrift, Sichtbar(zelle->text(), ausrichtung)) <= raum;
}

}  // namespace lohnwippe::gestaltung
