#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include "Attrappen.h"
#include "DruckTestHilfen.h"
#include "PrivaterDruckdienst.h"
#include "platform/Druckausgabe.h"

namespace lohnwippe::test {
namespace {

// The report through Qt and a real CUPS scheduler: a private one whose
// default printer is a PDF printer writing into a file. Skipped where the
// scheduler cannot run; in CI (CI=true) that is a failure.
class UeberDruckdienst : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dienst_ = new PrivaterDruckdienst;
        grund_ = dienst_->Starten(QStringLiteral("LohnwippeTest"), Ausgabe());
    }
    static void TearDownTestSuite() { delete dienst_; }
    static QString Ausgabe() { return dienst_->Ordner() + QStringLiteral("/ausgabe.pdf"); }

    void SetUp() override {
        if (!grund_.isEmpty() && qgetenv("CI") == "true") {
            FAIL() << "private print scheduler: " << grund_.toStdString();
        }
        if (!grund_.isEmpty()) {
            GTEST_SKIP() << "private print scheduler: " << grund_.toStdString();
        }
        QFile::remove(Ausgabe());
    }

    static inline PrivaterDruckdienst* dienst_ = nullptr;
    static inline QString grund_;
    QTemporaryDir pdfOrdner_;
    MeldungenAttrappe meldungen_;
    AdressoeffnerAttrappe oeffner_;
    QtDruckausgabe ausgabe_{meldungen_, oeffner_, pdfOrdner_.path()};
};

TEST_F(UeberDruckdienst, BerichtKommtAlsEinAuftragBeimStandarddruckerAn) {
    ASSERT_EQ(QPrinterInfo::defaultPrinter().printerName(), QStringLiteral("LohnwippeTest"));
    const auto vorher = dienst_->ErledigteAuftraege().size();
    ausgabe_.Drucken(Beispielbericht());
    for (const auto& m : meldungen_.Eintraege) {
        ADD_FAILURE() << "message: " << m.Text.toStdString();
    }
    ASSERT_TRUE(dienst_->AuftraegeErledigt(60)) << dienst_->Protokoll().toStdString();

    // Readable, and laid out on the queue's paper.
    const auto text = PdfText(Ausgabe());
    ASSERT_TRUE(text) << "nothing readable arrived\n" << dienst_->Protokoll().toStdString();
    EXPECT_TRUE(text->contains("AN-Ersparnis"));
    EXPECT_TRUE(PdfWerkzeug(QStringLiteral("pdfinfo"), {Ausgabe()}).value_or("").contains("(A4)"));
    const QStringList titel = dienst_->ErledigteAuftraege();
    ASSERT_EQ(titel.size(), vorher + 1);
    EXPECT_TRUE(titel.last().startsWith(QStringLiteral("Lohnwippe Personalfall 1 JAN 2012 20")))
        << titel.last().toStdString();
    // Neither a file nor a viewer: the printer took the report.
    EXPECT_TRUE(oeffner_.Adressen.empty());
    EXPECT_TRUE(QDir(pdfOrdner_.path()).isEmpty());
}

TEST_F(UeberDruckdienst, AbgelehnterAuftragWirdMitDruckerUndGrundGemeldet) {
    ASSERT_EQ(dienst_->Befehl(QStringLiteral("cupsreject"), {QStringLiteral("LohnwippeTest")}), "");
    ausgabe_.Drucken(Beispielbericht());
    ASSERT_EQ(dienst_->Befehl(QStringLiteral("cupsaccept"), {QStringLiteral("LohnwippeTest")}), "");

    ASSERT_EQ(meldungen_.Eintraege.size(), 1u);
    const auto& meldung = meldungen_.Eintraege[0];
    EXPECT_EQ(meldung.Titel, QStringLiteral("Drucken"));
    EXPECT_EQ(meldung.Symbol, Meldungssymbol::Fehler);
    const QString kopf = QStringLiteral(
        "Der Bericht konnte nicht auf dem Drucker \u201ELohnwippeTest\u201C gedruckt werden.\n\n");
    ASSERT_TRUE(meldung.Text.startsWith(kopf)) << meldung.Text.toStdString();
    EXPECT_TRUE(meldung.Text.endsWith(
        QStringLiteral("Der Drucker ist angehalten oder nimmt zurzeit keine Aufträge an.")))
        << meldung.Text.toStdString();
    EXPECT_TRUE(dienst_->AuftraegeErledigt(10));
    EXPECT_FALSE(QFile::exists(Ausgabe()));
    EXPECT_TRUE(oeffner_.Adressen.empty());
}

}  // namespace
}  // namespace lohnwippe::test
