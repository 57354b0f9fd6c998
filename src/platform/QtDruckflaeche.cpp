#include "platform/QtDruckflaeche.h"

#include <QFontDatabase>
#include <QPagedPaintDevice>
#include <QPointF>

namespace lohnwippe {

namespace {

// The report asks for fonts by the names a Windows printer knows. A name
// the system lacks goes to the font of the same face that printers offer
// everywhere ("Times Roman" is the Times face, as "Times New Roman" is;
// fontconfig maps both Windows names to their metric twins), and the
// family hint keeps any further fallback to a font of the same kind, so
// that the amount columns still line up.
QString Familie(const QString& name) {
    if (QFontDatabase::hasFamily(name)) {
        return name;
    }
    if (name.contains(QLatin1String("times"), Qt::CaseInsensitive)) {
        return QStringLiteral("Times New Roman");
    }
    if (name.contains(QLatin1String("courier"), Qt::CaseInsensitive)) {
        return QStringLiteral("Courier New");
    }
    return name;
}

QFont::StyleHint ArtDerSchrift(const QString& name) {
    if (name.contains(QLatin1String("courier"), Qt::CaseInsensitive)) {
        return QFont::TypeWriter;
    }
    if (name.contains(QLatin1String("times"), Qt::CaseInsensitive)) {
        return QFont::Serif;
    }
    return QFont::AnyStyle;
}

}  // namespace

QtDruckflaeche::QtDruckflaeche(QPagedPaintDevice& geraet)
    : geraet_(geraet), dpiX_(geraet.logicalDpiX()), dpiY_(geraet.logicalDpiY()) {
    // Letters are set one by one as a printer font sets them: no ligatures,
    // so that text copied from a PDF stays searchable ("pflichtig", not a
    // ligature glyph), and no kerning, so that widths do not depend on the
    // neighbouring letters.
    schrift_.setStyleStrategy(QFont::PreferNoShaping);
    schrift_.setKerning(false);
    if (dpiX_ <= 0 || dpiY_ <= 0) {
        Scheitern(QStringLiteral("Das Ausgabegerät meldet keine Auflösung."));
        return;
    }
    seitenhoehe_ = ZuTwipsY(geraet.height());
    if (!maler_.begin(&geraet)) {
        Scheitern(QStringLiteral("Die Druckausgabe ließ sich nicht beginnen."));
        return;
    }
    maler_.setFont(schrift_);
}

QtDruckflaeche::~QtDruckflaeche() {
    if (maler_.isActive()) {
        maler_.end();
    }
}

QFontMetricsF QtDruckflaeche::Metrik() const {
    // Measured at the device's resolution, the same the painter draws with.
    return QFontMetricsF(schrift_, &geraet_);
}

void QtDruckflaeche::Scheitern(const QString& grund) {
    if (!gescheitert_) {
        gescheitert_ = true;
        fehlergrund_ = grund;
    }
}

void QtDruckflaeche::Schriftart(const std::string& name) {
    const QString gewuenscht = QString::fromStdString(name);
    schrift_.setFamily(Familie(gewuenscht));
    schrift_.setStyleHint(ArtDerSchrift(gewuenscht), schrift_.styleStrategy());
}

void QtDruckflaeche::Groesse(double punkte) {
    if (punkte > 0) {
        schrift_.setPointSizeF(punkte);
    }
}

void QtDruckflaeche::Fett(bool an) {
    schrift_.setBold(an);
}

void QtDruckflaeche::Hervorhebung(bool an) {
    schrift_.setUnderline(an);
}

void QtDruckflaeche::XSetzen(double twips) {
    x_ = twips;
}

void QtDruckflaeche::YSetzen(double twips) {
    y_ = twips < 0 ? 0 : twips;
}

bool QtDruckflaeche::NeueSeite() {
    if (!geraet_.newPage()) {
        Scheitern(QStringLiteral("Die nächste Seite ließ sich nicht beginnen."));
        return false;
    }
    ++seiten_;
    y_ = 0;
    return true;
}

void QtDruckflaeche::Drucken(const std::string& text, bool zeilenende) {
    if (gescheitert_) {
        return;
    }
    if (!maler_.isActive()) {
        Scheitern(QStringLiteral("Die Druckausgabe wurde vorzeitig beendet."));
        return;
    }
    const QFontMetricsF metrik = Metrik();
    const double zeilenhoehe = ZuTwipsY(metrik.lineSpacing());
    if (!text.empty()) {
        // A page holds every line whose cell fits; the first line of a page
        // is always drawn, however large the font.
        if (y_ > 0 && y_ + zeilenhoehe > seitenhoehe_ && !NeueSeite()) {
            return;
        }
        const QString zeichen = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        maler_.setFont(schrift_);
        // Qt places text on its baseline; the report gives the top of the cell.
        maler_.drawText(QPointF(ZuPixelX(x_), ZuPixelY(y_) + metrik.ascent()), zeichen);
        x_ += ZuTwipsX(metrik.horizontalAdvance(zeichen));
    }
    if (zeilenende) {
        y_ += zeilenhoehe;
        x_ = 0;
    }
}

void QtDruckflaeche::Beenden() {
    if (!maler_.isActive()) {
        Scheitern(QStringLiteral("Die Druckausgabe wurde vorzeitig beendet."));
        return;
    }
    if (!maler_.end()) {
        Scheitern(QStringLiteral("Die Druckausgabe ließ sich nicht abschließen."));
    }
}

}  // namespace lohnwippe
