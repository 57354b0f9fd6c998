#include <gtest/gtest.h>

#include <QBuffer>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "DruckTestHilfen.h"
#include "Druckausgabe.h"
#include "QtDruckflaeche.h"

namespace lohnwippe::test {
namespace {

// The PDF page layout, written into a file of a temporary folder.
class Flaeche : public ::testing::Test {
  protected:
    void SetUp() override { schreiber_.setPageLayout(PdfSeite()); }
    QString Pfad() const { return ordner_.filePath(QStringLiteral("flaeche.pdf")); }
    double Twips(double pixel) const { return pixel * 1440.0 / schreiber_.logicalDpiY(); }

    QTemporaryDir ordner_;
    QPdfWriter schreiber_{Pfad()};
};

// Top-left corner of a word's box on the page in points, as poppler finds it.
QPointF Wortecke(const QString& pdf, const QString& wort) {
    const QString html = PdfWerkzeug(QStringLiteral("pdftotext"),
                                     {QStringLiteral("-bbox"), pdf, QStringLiteral("-")})
                             .value_or(QString());
    const auto treffer =
        QRegularExpression(
            QStringLiteral("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>%1<").arg(wort))
            .match(html);
    return {treffer.captured(1).toDouble(), treffer.captured(2).toDouble()};
}

TEST_F(Flaeche, ZeilenendeUndTextRueckenUmDieMasseDerSchrift) {
    QtDruckflaeche f(schreiber_);
    f.Schriftart("Courier New");
    f.Groesse(10);
    f.XSetzen(9700);
    f.Drucken(" 549,82", false);
    // Seven letters of a fixed-pitch 10-point font: 7 x 6 points.
    EXPECT_NEAR(f.X(), 9700 + 7 * 120, 2);
    f.Drucken("", true);
    const double courier = Twips(f.Metrik().lineSpacing());
    EXPECT_EQ(f.Y(), courier);
    EXPECT_NEAR(courier, 226, 12);  // about 11.3 points
    EXPECT_EQ(f.X(), 0);

    f.Groesse(14);
    f.Fett(true);
    f.Drucken("Berechnung", true);
    EXPECT_EQ(f.Y(), courier + Twips(f.Metrik().lineSpacing()));
    f.YSetzen(-200);  // held at the top edge
    EXPECT_EQ(f.Y(), 0);
    f.Beenden();
    EXPECT_FALSE(f.Gescheitert());
}

TEST_F(Flaeche, TextStehtMitDerZellenEckeAnDerDruckstelle) {
    QtDruckflaeche f(schreiber_);
    f.Schriftart("Courier New");
    f.Groesse(10);
    f.YSetzen(2880);
    f.XSetzen(1440);
    f.Drucken("Xanten", true);
    const double zeile = f.Metrik().lineSpacing() * 72.0 / schreiber_.logicalDpiY();
    f.XSetzen(2880);
    f.Drucken("Yburg", true);
    f.Beenden();
    const QPointF erste = Wortecke(Pfad(), QStringLiteral("Xanten"));
    const QPointF zweite = Wortecke(Pfad(), QStringLiteral("Yburg"));
    // 5 mm border, then 1 and 2 inches right, 2 inches down. Poppler boxes a
    // word from the font's ascent, which may differ from Qt's by a little.
    const double rand = 5 * 72 / 25.4;
    EXPECT_NEAR(erste.x(), rand + 72, 0.5);
    EXPECT_NEAR(erste.y(), rand + 144, 1.5);
    EXPECT_NEAR(zweite.x(), rand + 144, 0.5);
    EXPECT_NEAR(zweite.y() - erste.y(), zeile, 0.05);
}

TEST_F(Flaeche, SchriftenNachNamenFettUndUnterstrichen) {
    QtDruckflaeche f(schreiber_);
    f.Schriftart("Times new roman");
    f.Fett(true);
    f.Drucken("Kopf", true);
    f.Fett(false);
    for (const char* name : {"Times Roman", "Courier New"}) {
        f.Schriftart(name);
        f.Drucken(name, true);
    }
    f.Hervorhebung(true);
    EXPECT_TRUE(f.Schrift().underline());
    EXPECT_EQ(f.Schrift().styleHint(), QFont::TypeWriter);
    f.Hervorhebung(false);
    EXPECT_FALSE(f.Schrift().underline());
    f.Beenden();
    // Metric twins of the requested fonts, "Times Roman" included.
    const QString liste = PdfWerkzeug(QStringLiteral("pdffonts"), {Pfad()}).value_or(QString());
    EXPECT_TRUE(liste.contains(QStringLiteral("LiberationSerif-Bold"))) << liste.toStdString();
    EXPECT_TRUE(liste.contains(QRegularExpression(QStringLiteral("LiberationSerif\\s"))));
    EXPECT_TRUE(liste.contains(QStringLiteral("LiberationMono")));
    EXPECT_FALSE(liste.contains(QStringLiteral("DejaVu")));
}

TEST_F(Flaeche, NachDemSeitenfussGehtEsAufDerNaechstenSeiteObenWeiter) {
    QtDruckflaeche f(schreiber_);
    f.Schriftart("Times new roman");
    f.Groesse(12);
    const double zeile = Twips(f.Metrik().lineSpacing());
    const int proSeite = static_cast<int>(Twips(schreiber_.height()) / zeile);
    for (int i = 0; i <= proSeite; ++i) {
        f.Drucken("Zeile " + std::to_string(i), true);
    }
    EXPECT_EQ(f.Seiten(), 2);
    EXPECT_NEAR(f.Y(), zeile, 1e-6);
    f.Beenden();
    const auto seite2 = PdfWerkzeug(QStringLiteral("pdftotext"),
                                    {QStringLiteral("-f"), QStringLiteral("2"), Pfad(), "-"});
    EXPECT_EQ(seite2.value_or(QString()).trimmed(), QStringLiteral("Zeile %1").arg(proSeite));
}

TEST(DruckflaecheFehler, OhneGeraetUndNachDemEndeWirdNichtsGedruckt) {
    QPdfWriter ohneOrdner(QStringLiteral("/nicht/vorhanden/bericht.pdf"));
    QtDruckflaeche ohne(ohneOrdner);
    EXPECT_TRUE(ohne.Gescheitert());
    EXPECT_FALSE(ohne.Fehlergrund().isEmpty());
    ohne.Drucken("Text", true);
    EXPECT_EQ(ohne.Y(), 0);

    QBuffer puffer;
    puffer.open(QIODevice::WriteOnly);
    QPdfWriter schreiber(&puffer);
    QtDruckflaeche f(schreiber);
    f.Beenden();
    EXPECT_FALSE(f.Gescheitert());
    EXPECT_TRUE(puffer.data().startsWith("%PDF"));
    f.Drucken("zu spät", true);
    EXPECT_TRUE(f.Gescheitert());
}

}  // namespace
}  // namespace lohnwippe::test
