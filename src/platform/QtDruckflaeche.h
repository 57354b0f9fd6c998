#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QString>

#include "report/Druckflaeche.h"

class QPagedPaintDevice;

namespace lohnwippe {

// The report's print surface over a QPainter on a paged device: a QPrinter
// for the print service or a QPdfWriter for a PDF file. The painter starts
// at the top-left corner of the printable area, which is where the report
// measures from.
//
// Choices the report leaves to us:
// - `Hervorhebung` is underline: it marks the total rows on any printer,
//   colour or not, and keeps the width of the text unchanged.
// - The report never breaks a page itself. When a text would reach past the
//   bottom of the printable area, the surface starts a new page and goes on
//   at its top; empty lines alone never start a page. Nothing is drawn above
//   the top edge: a y set above it is held at 0.
class QtDruckflaeche final : public Druckflaeche {
  public:
    // Begins painting on `geraet`, which must outlive the surface. When the
    // device cannot be begun, the surface has failed from the start.
    explicit QtDruckflaeche(QPagedPaintDevice& geraet);
    // Ends the painter if the document was not ended, so the device is
    // released even after a failure.
    ~QtDruckflaeche() override;

    QtDruckflaeche(const QtDruckflaeche&) = delete;
    QtDruckflaeche& operator=(const QtDruckflaeche&) = delete;

    void Schriftart(const std::string& name) override;
    void Groesse(double punkte) override;
    void Fett(bool an) override;
    void Hervorhebung(bool an) override;
    void XSetzen(double twips) override;
    double Y() const override { return y_; }
    void YSetzen(double twips) override;
    void Drucken(const std::string& text, bool zeilenende) override;
    void Beenden() override;
    bool Gescheitert() const override { return gescheitert_; }

    // Why the surface failed, for the message to the user; empty while it
    // has not.
    const QString& Fehlergrund() const { return fehlergrund_; }

    double X() const { return x_; }
    // Number of pages begun so far.
    int Seiten() const { return seiten_; }
    // The current font as the device resolves it, for callers that measure.
    const QFont& Schrift() const { return schrift_; }
    QFontMetricsF Metrik() const;

  private:
    void Scheitern(const QString& grund);
    bool NeueSeite();
    double ZuTwipsX(double pixel) const { return pixel * 1440.0 / dpiX_; }
    double ZuTwipsY(double pixel) const { return pixel * 1440.0 / dpiY_; }
    double ZuPixelX(double twips) const { return twips * dpiX_ / 1440.0; }
    double ZuPixelY(double twips) const { return twips * dpiY_ / 1440.0; }

    QPagedPaintDevice& geraet_;
    QPainter maler_;
    QFont schrift_;
    double dpiX_;
    double dpiY_;
    // Height of the printable area in twips.
    double seitenhoehe_ = 0;
    double x_ = 0;
    double y_ = 0;
    int seiten_ = 1;
    bool gescheitert_ = false;
    QString fehlergrund_;
};

}  // namespace lohnwippe
