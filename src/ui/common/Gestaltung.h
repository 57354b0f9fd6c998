#pragma once

// Building blocks shared by both windows for placing controls at their
// designed twips and giving them the designed fonts and colours.

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include "ui/common/Schriften.h"
#include "ui/common/Twips.h"

namespace lohnwippe::gestaltung {

// Left, top, width, height in twips, relative to the container.
struct Rechteck {
    int links;
    int oben;
    int breite;
    int hoehe;
};

inline QFont Schrift(const QString& familie, double punkte, bool fett = false) {
    SchriftenZuordnen();
    QFont schrift(familie);
    // Where the designed face is not installed, a sans-serif face stands in
    // rather than whatever the font system picks first.
    schrift.setStyleHint(QFont::SansSerif);
    schrift.setPointSizeF(punkte);
    schrift.setBold(fett);
    return schrift;
}

inline QFont Arial(double punkte, bool fett = false) {
    return Schrift(QStringLiteral("Arial"), punkte, fett);
}

inline void Platzieren(QWidget* w, const Twips& twips, Rechteck r) {
    w->setGeometry(twips.Pixel(r.links), twips.Pixel(r.oben), twips.Pixel(r.breite),
                   twips.Pixel(r.hoehe));
}

// Only the role set here is fixed; all others still follow the container.
inline void Farbe(QWidget* w, QPalette::ColorRole rolle, const QColor& farbe) {
    QPalette palette = w->palette();
    palette.setColor(rolle, farbe);
    w->setPalette(palette);
}

// objectName of an array element: `Entgelt_1`.
inline QString MitNummer(const char* name, int i) {
    return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(i);
}

// A caption label; captions and names are never markup.
inline QLabel* NeuesLabel(QWidget* eltern, const Twips& twips, const QString& name,
                          const QString& text, Rechteck r) {
    auto* label = new QLabel(eltern);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    Platzieren(label, twips, r);
    return label;
}

// A window's own icon, drawn here so that no image file has to travel with
// the program: one navy sign in a navy frame.
inline QIcon Fenstersymbol(const QString& zeichen, const QFont& schrift, const QColor& grund) {
    QPixmap bild(64, 64);
    bild.fill(grund);
    QPainter maler(&bild);
    maler.setPen(QPen(QColor(0, 0, 128), 3));
    maler.drawRect(2, 2, 59, 59);
    maler.setFont(schrift);
    maler.drawText(bild.rect(), Qt::AlignCenter, zeichen);
    maler.end();
    return QIcon(bild);
}

}  // namespace lohnwippe::gestaltung
