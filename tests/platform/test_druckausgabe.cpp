#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QUrl>
#include <vector>

#include "Attrappen.h"
#include "DruckTestHilfen.h"
#include "Druckausgabe.h"
#include "Formate.h"

namespace lohnwippe::test {
namespace {

// Finds the texts one after the other, each at the start of a line of its
// own and followed by a blank or the line end; rules of underscores drawn
// into the same line do not count.
void ZeilenInFolge(const QString& text, const std::vector<QString>& anfaenge) {
    const QStringList zeilen = text.split(QLatin1Char('\n'));
    qsizetype z = 0;
    for (const QString& anfang : anfaenge) {
        for (; z < zeilen.size(); ++z) {
            const QString rest = QString(zeilen[z]).remove(QLatin1Char('_')).trimmed() + ' ';
            if (rest.startsWith(anfang + ' ')) {
                break;
            }
        }
        ASSERT_LT(z++, zeilen.size()) << "no line " << anfang.toStdString() << " in\n"
                                      << text.toStdString();
    }
}

TEST(BerichtAlsPdf, SeiteTraegtKopfAlle35ZeilenUndDieBetraege) {
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("bericht.pdf"));
    const Berichtsdaten daten = Beispielbericht();
    ASSERT_EQ(BerichtAlsPdf(daten, pfad), QString());
    const QString text = PdfText(pfad).value_or(QString());
    ZeilenInFolge(text, {"Lohnbüro Muster",
                         "Berechnung der SV-Beiträge in der Gleitzone",
                         "Arbeitnehmer:",
                         "1. Beitragspflichtiges Arbeitsentgelt (AE)",
                         "KV",
                         "PV",
                         "RV",
                         "AV",
                         "2. Entgelt Nr. 1 (AE) gekürzt",
                         "KV",
                         "PV",
                         "RV",
                         "AV",
                         "3. Gesamtbeitrag je SV-Zweig aus 2.",
                         "KV",
                         "PV",
                         "RV",
                         "AV",
                         "Summe",
                         "4. Arbeitgeberanteil aus 1.",
                         "KV",
                         "PV",
                         "RV",
                         "AV",
                         "Summe",
                         "Umlage U1",
                         "Umlage U2",
                         "Umlage U3",
                         "AG-Aufwand",
                         "5. Arbeitnehmeranteil (Nr. 3 minus Nr. 4)",
                         "KV",
                         "PV",
                         "RV",
                         "AV",
                         "0,90% Zusatzb.",
                         "Summe",
                         "AN-Netto",
                         "AN-Ersparnis",
                         "Beitragssätze: KV = 15,5 %, PV = 1,95 %, RV = 19,6 %, AV = 3 %."});
    const Ergebnis& r = daten.Resultat;
    for (const std::string& teil :
         {std::string("600,00 (AE)"), std::string("549,82"), std::string("05. Dezember 2012"),
          FormatBetrag(r.AGAufwand[5]), FormatBetrag(r.ANNetto[5]), std::string("0,7491")}) {
        EXPECT_TRUE(text.contains(QString::fromStdString(teil))) << teil;
    }
    EXPECT_FALSE(BerichtAlsPdf(daten, QStringLiteral("/nicht/da/b.pdf")).isEmpty());
}

TEST(Druckausgabe, NamenDerDateiUndDesAuftrags) {
    Berichtsdaten d = Beispielbericht();
    EXPECT_EQ(PdfDateiname(d), QStringLiteral("Lohnwippe Personalfall 1 2012-01.pdf"));
    d.Person = "  Müller/Meier: A*B?\t ";
    d.Eingabe.JahrPos = 0;
    d.Eingabe.MonatPos = 11;
    EXPECT_EQ(PdfDateiname(d), QStringLiteral("Lohnwippe Müller_Meier_ A_B_ 2009-12.pdf"));
    d.Person = "    ";
    EXPECT_EQ(PdfDateiname(d), QStringLiteral("Lohnwippe 2009-12.pdf"));

    const QDateTime moment(QDate(2024, 3, 7), QTime(9, 5, 1, 42));
    EXPECT_EQ(Dokumentname(Beispielbericht(), moment),
              QStringLiteral("Lohnwippe Personalfall 1 JAN 2012 2024-03-07 09:05:01.042"));
}

// main() points the process at a print scheduler of its own that is not
// running here, so these tests see a machine without any printer.
class OhneDrucker : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(QPrinterInfo::defaultPrinter().isNull()); }
    QString Datei() const {
        return ordner_.filePath(QStringLiteral("Lohnwippe Personalfall 1 2012-01.pdf"));
    }
    QTemporaryDir ordner_;
    MeldungenAttrappe meldungen_;
    AdressoeffnerAttrappe oeffner_;
};

TEST_F(OhneDrucker, BerichtWirdPdfImOrdnerGeoeffnetUndGemeldet) {
    QtDruckausgabe ausgabe(meldungen_, oeffner_, ordner_.path());
    ausgabe.Drucken(Beispielbericht());
    EXPECT_TRUE(PdfText(Datei()).value_or(QString()).contains(QStringLiteral("AN-Ersparnis")));
    ASSERT_EQ(oeffner_.Adressen.size(), 1u);
    EXPECT_EQ(QUrl::fromUserInput(oeffner_.Adressen[0]), QUrl::fromLocalFile(Datei()));
    ASSERT_EQ(meldungen_.Eintraege.size(), 1u);
    EXPECT_EQ(meldungen_.Eintraege[0].Titel, QStringLiteral("Drucken"));
    EXPECT_TRUE(meldungen_.Eintraege[0].Text.contains(QDir::toNativeSeparators(Datei())));
    EXPECT_EQ(meldungen_.Eintraege[0].Symbol, Meldungssymbol::Keines);

    // Printed again, the month's file is replaced; without a folder given,
    // it goes into the working folder.
    ausgabe.Drucken(Beispielbericht());
    EXPECT_EQ(QDir(ordner_.path()).entryList(QDir::Files).size(), 1);
    QFile::remove(Datei());
    const QString vorher = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(ordner_.path()));
    QtDruckausgabe(meldungen_, oeffner_).Drucken(Beispielbericht());
    QDir::setCurrent(vorher);
    EXPECT_TRUE(QFile::exists(Datei()));
}

TEST_F(OhneDrucker, UnerreichbarerOrdnerZeigtDenFehlerUndOeffnetNichts) {
    QtDruckausgabe ausgabe(meldungen_, oeffner_, ordner_.filePath(QStringLiteral("fehlt")));
    ausgabe.Drucken(Beispielbericht());
    EXPECT_TRUE(oeffner_.Adressen.empty());
    ASSERT_EQ(meldungen_.Eintraege.size(), 1u);
    const auto& meldung = meldungen_.Eintraege[0];
    EXPECT_EQ(meldung.Titel, QStringLiteral("Drucken"));
    EXPECT_EQ(meldung.Symbol, Meldungssymbol::Fehler);
    EXPECT_TRUE(
        meldung.Text.contains(QStringLiteral("fehlt/Lohnwippe Personalfall 1 2012-01.pdf")));
    EXPECT_TRUE(meldung.Text.endsWith(QStringLiteral("No such file or directory")))
        << meldung.Text.toStdString();
}

}  // namespace
}  // namespace lohnwippe::test
