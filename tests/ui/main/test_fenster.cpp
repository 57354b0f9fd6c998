// What only the window shows, beyond the recorded traces: where its
// messages go, the focus rules of the amount boxes, the slider's jump, the
// employer's tooltip, where the window opens, the buttons of the frame and
// the end of the program.
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include "FensterTest.h"
#include "store/Satznummern.h"
#include "ui/common/Twips.h"

namespace lohnwippe::test {
namespace {

namespace fs = std::filesystem;

using FensterRahmenTest = FensterTest;

TEST_F(FensterRahmenTest, StartScheitertMitMeldung) {
    fs::create_directory("SV.dat");  // cannot be opened as a file
    EXPECT_EQ(Hauptfenster::Starten(Welt()), nullptr);
    fs::remove("SV.dat");
    Starten();
    // A second copy in the same folder: the first one goes on, nothing ends.
    EXPECT_EQ(Hauptfenster::Starten(Welt()), nullptr);
    ASSERT_EQ(meldungen.Eintraege.size(), 2u);
    EXPECT_TRUE(meldungen.Eintraege[0].Text.startsWith("SV.dat: Öffnen nicht möglich"));
    EXPECT_EQ(meldungen.Eintraege[0].Symbol, Meldungssymbol::Fehler);
    EXPECT_TRUE(meldungen.Eintraege[1].Text.startsWith("Lohnwippe ist in diesem Ordner"));
    EXPECT_EQ(meldungen.Eintraege[1].Symbol, Meldungssymbol::Ausrufezeichen);
}

TEST_F(FensterRahmenTest, EntgeltfeldTastenFokusUndSchieberegler) {
    Starten();
    QLineEdit* feld = E().Entgelt[1];
    Tippen(feld, "12.5a-", false);  // a full stop appends a comma; no letters, no signs
    EXPECT_EQ(feld->text(), "12,5");
    feld->setCursorPosition(0);
    QTest::keyClick(feld, Qt::Key_Backspace);  // the last one, wherever the caret is
    QTest::keyClick(feld, Qt::Key_Return);
    EXPECT_EQ(feld->text(), "12,00");

    // Back from the mini-job warning the amount is still shown; entering the
    // box with the first click into the window empties it.
    Tippen(E().Entgelt[3], "200");
    ASSERT_EQ(meldungen.Eintraege.size(), 1u);
    EXPECT_EQ(meldungen.Eintraege[0].Symbol, Meldungssymbol::Keines);
    Fokus(E().Entgelt[3], false, Qt::ActiveWindowFocusReason);
    Fokus(E().Entgelt[3], true, Qt::ActiveWindowFocusReason);
    EXPECT_EQ(E().Entgelt[3]->text(), "200,00");
    Fokus(E().Entgelt[3], false, Qt::MouseFocusReason);
    Fokus(E().Entgelt[3], true, Qt::ActiveWindowFocusReason);
    EXPECT_EQ(E().Entgelt[3]->text(), "");

    // The slider's first step jumps to the amount and shows where it landed.
    Tippen(E().Entgelt[2], "450,50");
    QScrollBar* leiste = E().Spielen[2];
    leiste->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(leiste->value(), 450);  // half to even
    leiste->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(E().Entgelt[2]->text(), "451,00");
}

TEST_F(FensterRahmenTest, ArbeitgeberZeigtGetrimmtenNamenAlsKlartext) {
    Starten();
    QLineEdit* feld = E().Arbeitgeber[2];
    feld->setText("  Gaststätte <b>Zur Post</b> GmbH");
    QTest::keyClick(feld, Qt::Key_Return);
    Fokus(feld, false, Qt::ActiveWindowFocusReason);  // to another program: nothing trimmed
    EXPECT_EQ(feld->text(), "  Gaststätte <b>Zur ");
    Fokus(feld, false);  // the box holds what the field stores: 20 characters
    EXPECT_EQ(feld->text(), "Gaststätte <b>Zur");
    EXPECT_TRUE(feld->toolTip().contains("Gaststätte &lt;b&gt;Zur</p>"));
    EXPECT_EQ(GespeicherterFall(361).Namen[2], "  Gaststätte <b>Zur ");
}

// A place saved on a larger screen: the title bar comes onto this one.
TEST_F(FensterRahmenTest, TitelleisteLiegtAufDemBildschirm) {
    const QRect schirm = QGuiApplication::primaryScreen()->availableGeometry();
    const Twips twips(QGuiApplication::primaryScreen()->logicalDotsPerInch());
    Vorbereiten([&](Datenbestand& d) {
        Aendern(d, EinstellungsSatz, [&](Fallsatz& s) {
            s.Links = static_cast<std::int16_t>(twips.AusPixel(schirm.right() - 15));
            s.Oben = static_cast<std::int16_t>(twips.AusPixel(schirm.bottom() - 200));
        });
    });
    Starten();
    EXPECT_TRUE(schirm.contains(QRect(fenster->pos(), QSize(fenster->width(), 20))));
}

// Undo from the keyboard inside an amount box, which would otherwise take
// Ctrl+Z for its own text; redo from the window's context menu.
TEST_F(FensterRahmenTest, RueckgaengigUeberTastaturUndKontextmenue) {
    Hauptfenster& f = Starten();
    f.show();
    QApplication::setActiveWindow(&f);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    QLineEdit* feld = E().Entgelt[1];
    feld->setFocus();
    Tippen(feld, "450");
    QTest::keyClick(feld, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(feld->text(), "0,00");
    const QString schritt = "Entgelt Hauptbeschäftigung 0,00 → 450,00, Personalfall 1, Januar 2012";
    const auto* hinweis = f.findChild<QLabel*>("Hinweis");
    ASSERT_NE(hinweis, nullptr);
    EXPECT_TRUE(hinweis->isVisible());
    EXPECT_EQ(hinweis->text(), "Rückgängig gemacht: " + schritt);
    EXPECT_TRUE(meldungen.Eintraege.empty());

    ASSERT_EQ(f.contextMenuPolicy(), Qt::ActionsContextMenu);
    const QList<QAction*> eintraege = f.actions();
    ASSERT_EQ(eintraege.size(), 2);
    EXPECT_FALSE(eintraege[0]->isEnabled());
    EXPECT_EQ(eintraege[1]->text(), "Wiederholen: " + schritt);
    eintraege[1]->trigger();
    EXPECT_EQ(feld->text(), "450,00");
    EXPECT_EQ(eintraege[0]->text(), "Rückgängig: " + schritt);
    EXPECT_EQ(GespeicherterFall(361).Entgelte[1], Waehrung::AusGanzzahl(450));
}

TEST_F(FensterRahmenTest, SpeicherfehlerWerdenGemeldetUndSchliessenFragt) {
    auto* falldatei = new SpeicherDatei("SV.dat");
    fenster =
        Hauptfenster::Starten(Welt(), Datenbestand(std::unique_ptr<Datei>(falldatei),
                                                   std::make_unique<SpeicherDatei>("U12.dat")));
    Hauptfenster& f = *fenster;
    f.show();
    falldatei->Voll = true;
    Tippen(E().Entgelt[1], "600");
    ASSERT_EQ(meldungen.Eintraege.size(), 1u);
    EXPECT_TRUE(meldungen.Eintraege[0].Text.startsWith("SV.dat, Satz 361: "));
    EXPECT_EQ(meldungen.Eintraege[0].Symbol, Meldungssymbol::Fehler);
    EXPECT_EQ(E().Entgelt[1]->text(), "600,00");

    // "Nein" keeps the window and everything in it.
    meldungen.Antwort = false;
    f.close();
    EXPECT_TRUE(f.isVisible());
    ASSERT_EQ(meldungen.Gefragt.size(), 1u);
    EXPECT_TRUE(meldungen.Gefragt[0].contains("Trotzdem beenden?\n"));
    falldatei->Voll = false;
    f.close();
    EXPECT_FALSE(f.isVisible());
    const auto satz = std::span(falldatei->Inhalt).subspan(Stelle(361)).first<FallsatzLaenge>();
    EXPECT_EQ(FallsatzDekodieren(satz).Entgelte[1], Waehrung::AusGanzzahl(600));
}

TEST_F(FensterRahmenTest, SicherungNachEinerSekunde) {
    Stoerstelle zaehler;
    fenster = Hauptfenster::Starten(Welt(), Datenbestand::Oeffnen([&](const std::string& name) {
                                                return SystemDatei::Oeffnen(name, zaehler);
                                            }).Wert());
    QTest::qWait(1200);
    Tippen(E().Entgelt[1], "600");
    const int vorher = zaehler.Syncs;
    QTest::qWait(1200);
    EXPECT_GT(zaehler.Syncs, vorher);
}

// The button and the close box end alike; both folders are always asked,
// the first one first, and the master-data window goes with the main one.
TEST_F(FensterRahmenTest, SchliessenOeffnetDieHomepageWennKassoraFehlt) {
    for (const bool installiert : {false, true, false}) {
        // The last round: a build without a homepage opens nothing.
        if (!installiert && !adressen.Adressen.empty()) {
            homepage.clear();
        }
        ordner = {};
        ordner.Vorhanden = {installiert ? "C:\\Programme\\Kassora2012" : ""};
        adressen.Adressen.clear();
        Starten();
        QTest::mouseClick(E().Hilfe, Qt::LeftButton);
        QTest::mouseClick(E().Hilfe, Qt::LeftButton);  // the same window to the front
        QPointer<Stammdaten> stammdaten = fenster->OffeneStammdaten();
        ordner.Gefragt.clear();
        installiert ? (void)fenster->close() : QTest::mouseClick(E().Schliessen, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(stammdaten.isNull());
        EXPECT_EQ(ordner.Gefragt, (std::vector<QString>{"C:\\Program Files (x86)\\Kassora2012",
                                                        "C:\\Programme\\Kassora2012"}));
        EXPECT_EQ(adressen.Adressen.size(), installiert || homepage.isEmpty() ? 0u : 1u);
        EXPECT_TRUE(adressen.Adressen.empty() || adressen.Adressen[0] == homepage);
        fenster.reset();
    }
}

// The window manager activates the window once more after "Schließen"
// (the master-data window had just closed): it is destroyed with the focus
// in an employer box, which gives it up while it is a box no longer (the
// sanitizer build checks the cast).
TEST_F(FensterRahmenTest, EndeMitFokusImArbeitgeberfeld) {
    Hauptfenster& f = Starten();
    f.show();
    QApplication::setActiveWindow(&f);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    f.close();
    QApplication::setActiveWindow(&f);
    E().Arbeitgeber[2]->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), E().Arbeitgeber[2]);
    fenster.reset();
}

TEST_F(FensterRahmenTest, InfoUndDrucken) {
    Starten();
    QTest::mouseClick(E().Internet, Qt::LeftButton);
    ASSERT_EQ(adressen.Adressen.size(), 1u);
    EXPECT_TRUE(adressen.Adressen[0].startsWith("file://"));
    EXPECT_TRUE(adressen.Adressen[0].endsWith("/Lohnwippe-Info.html"));

    Tippen(E().Entgelt[1], "150");
    kalender.Tag = QDate(2013, 2, 28);
    QTest::mouseClick(E().Drucken, Qt::LeftButton);
    ASSERT_EQ(drucker.Berichte.size(), 1u);
    const Berichtsdaten& bericht = drucker.Berichte[0];
    EXPECT_EQ(std::tuple(bericht.Tag, bericht.Monat, bericht.Jahr), std::tuple(28, 2, 2013));
    EXPECT_EQ(bericht.Eingabe.Entgelt[1], Waehrung::AusGanzzahl(150));
    EXPECT_TRUE(meldungen.Eintraege.empty());
}

}  // namespace
}  // namespace lohnwippe::test
