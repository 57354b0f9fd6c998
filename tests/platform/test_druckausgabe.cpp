#include <cups/ipp.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>

#include "Attrappen.h"
#include "DruckTestHilfen.h"
#include "platform/Druckausgabe.h"
#include "platform/QtDruckflaeche.h"

namespace lohnwippe::test {
namespace {

TEST(Druckausgabe, NamenDerDateiUndDesAuftrags) {
    // The example's own file name is where the tests below find its PDF.
    Berichtsdaten d = Beispielbericht();
    d.Person = "  Müller/Meier: A*B?\t ";
    d.Eingabe.Monat = {2009, 12};
    EXPECT_EQ(PdfDateiname(d), QStringLiteral("Lohnwippe Müller_Meier_ A_B_ 2009-12.pdf"));
    d.Person = "    ";
    EXPECT_EQ(PdfDateiname(d), QStringLiteral("Lohnwippe 2009-12.pdf"));

    const QDateTime moment(QDate(2024, 3, 7), QTime(9, 5, 1, 42));
    EXPECT_EQ(Dokumentname(Beispielbericht(), moment),
              QStringLiteral("Lohnwippe Personalfall 1 JAN 2012 2024-03-07 09:05:01.042"));
}

// main() points the process at a print scheduler of its own that is not
// running here, so this test sees a machine without any printer: the report
// becomes a PDF file in the folder, which is opened and reported.
TEST(OhneDrucker, BerichtWirdPdfImOrdnerGeoeffnetUndGemeldet) {
    ASSERT_TRUE(QPrinterInfo::defaultPrinter().isNull());
    QTemporaryDir ordner;
    MeldungenAttrappe meldungen;
    AdressoeffnerAttrappe oeffner;
    const QString datei = ordner.filePath(QStringLiteral("Lohnwippe Personalfall 1 2012-01.pdf"));
    const Berichtsdaten daten = Beispielbericht();
    QtDruckausgabe ausgabe(meldungen, oeffner, ordner.path());
    ausgabe.Drucken(daten);
    // The report itself is the recording surface's to check (tests/report).
    const QString text = PdfText(datei).value_or(QString());
    for (const char* teil : {"Lohnbüro Muster", "600,00 (AE)", "AN-Ersparnis", "0,7491"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(teil))) << teil;
    }
    ASSERT_EQ(oeffner.Adressen.size(), 1u);
    EXPECT_EQ(QUrl::fromUserInput(oeffner.Adressen[0]), QUrl::fromLocalFile(datei));
    ASSERT_EQ(meldungen.Eintraege.size(), 1u);
    EXPECT_EQ(meldungen.Eintraege[0].Titel, QStringLiteral("Drucken"));
    EXPECT_TRUE(meldungen.Eintraege[0].Text.contains(QDir::toNativeSeparators(datei)));
    EXPECT_EQ(meldungen.Eintraege[0].Symbol, Meldungssymbol::Keines);

    // Printed again, the month's file is replaced; without a folder given,
    // it goes into the working folder.
    const qint64 groesse = QFileInfo(datei).size();
    ausgabe.Drucken(daten);
    EXPECT_EQ(QDir(ordner.path()).entryList(QDir::Files).size(), 1);
    EXPECT_EQ(QFileInfo(datei).size(), groesse);
    QFile::remove(datei);
    const QString vorher = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(ordner.path()));
    QtDruckausgabe(meldungen, oeffner).Drucken(daten);
    QDir::setCurrent(vorher);
    EXPECT_TRUE(QFile::exists(datei));

    // A folder that cannot be reached: the reason, and nothing opened.
    QtDruckausgabe(meldungen, oeffner, ordner.filePath(QStringLiteral("fehlt"))).Drucken(daten);
    EXPECT_EQ(oeffner.Adressen.size(), 3u);
    ASSERT_EQ(meldungen.Eintraege.size(), 4u);
    const auto& meldung = meldungen.Eintraege.back();
    EXPECT_EQ(meldung.Titel, QStringLiteral("Drucken"));
    EXPECT_EQ(meldung.Symbol, Meldungssymbol::Fehler);
    EXPECT_TRUE(meldung.Text.contains("fehlt/Lohnwippe Personalfall 1 2012-01.pdf"));
    EXPECT_TRUE(meldung.Text.endsWith("Datei oder Ordner nicht gefunden"))
        << meldung.Text.toStdString();
}

TEST(Druckausgabe, GruendeDesDruckdienstesAufDeutsch) {
    const std::pair<int, const char*> faelle[] = {
        {IPP_STATUS_ERROR_NOT_FOUND, "Der Druckdienst kennt diesen Drucker nicht."},
        {IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS,
         "Der Drucker ist angehalten oder nimmt zurzeit keine Aufträge an."},
        {IPP_STATUS_ERROR_SERVICE_UNAVAILABLE,
         "Der Druckdienst ist nicht erreichbar; vermutlich ist er nicht gestartet."},
        {IPP_STATUS_ERROR_INTERNAL, "Der Druckdienst hat den Auftrag abgelehnt (Internal Error)."},
    };
    for (const auto& [status, text] : faelle) {
        EXPECT_EQ(Druckdienstgrund(status, QStringLiteral(" Internal Error ")),
                  QString::fromUtf8(text));
    }
    EXPECT_EQ(Druckdienstgrund(IPP_STATUS_ERROR_INTERNAL, QString()),
              QStringLiteral("Der Druckdienst hat den Auftrag abgelehnt."));
}

// The print surface on the PDF page layout, written into a file of a
// temporary folder.
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
    const QRegularExpression muster(
        QStringLiteral("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>%1<").arg(wort));
    const auto treffer = muster.match(PdfWerkzeug("pdftotext", {"-bbox", pdf, "-"}).value_or(""));
    return {treffer.captured(1).toDouble(), treffer.captured(2).toDouble()};
}

TEST_F(Flaeche, ZeilenTextvorschubUndZellenEckeAnDerDruckstelle) {
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
    f.YSetzen(2880);
    f.XSetzen(1440);
    f.Drucken("Xanten", true);
    f.XSetzen(2880);
    f.Drucken("Yburg", true);
    f.Groesse(14);
    f.Fett(true);
    f.Drucken("Berechnung", true);
    EXPECT_DOUBLE_EQ(f.Y(), 2880 + 2 * courier + Twips(f.Metrik().lineSpacing()));
    f.YSetzen(-200);  // held at the top edge
    EXPECT_EQ(f.Y(), 0);
    f.Beenden();
    EXPECT_FALSE(f.Gescheitert());
    f.Drucken("zu spät", true);
    EXPECT_TRUE(f.Gescheitert());

    // 5 mm border, then 1 and 2 inches right, 2 inches down. Poppler boxes a
    // word from the font's ascent, which may differ from Qt's by a little.
    const QPointF erste = Wortecke(Pfad(), "Xanten"), zweite = Wortecke(Pfad(), "Yburg");
    const double rand = 5 * 72 / 25.4;
    EXPECT_NEAR(erste.x(), rand + 72, 0.5);
    EXPECT_NEAR(erste.y(), rand + 144, 1.5);
    EXPECT_NEAR(zweite.x(), rand + 144, 0.5);
    EXPECT_NEAR(zweite.y() - erste.y(), courier / 20, 0.05);
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
    const QString liste = PdfWerkzeug("pdffonts", {Pfad()}).value_or("");
    EXPECT_TRUE(liste.contains("LiberationSerif-Bold")) << liste.toStdString();
    EXPECT_TRUE(liste.contains(QRegularExpression("LiberationSerif\\s")));
    EXPECT_TRUE(liste.contains("LiberationMono"));
    EXPECT_FALSE(liste.contains("DejaVu"));
}

}  // namespace
}  // namespace lohnwippe::test
