#pragma once

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>

#include "Attrappen.h"
#include "FallTest.h"
#include "store/SpeicherDatei.h"
#include "ui/main/Hauptfenster.h"

namespace lohnwippe::test {

// The main window in a fresh folder of its own (see FallTest), with the
// world outside it recorded.
class FensterTest : public FallTest {
  protected:
    ~FensterTest() override { fenster.reset(); }

    Umgebung Welt() {
        return {meldungen, signalton, adressen, ordner, kalender, drucker, homepage};
    }
    Hauptfenster& Starten() {
        fenster = Hauptfenster::Starten(Welt());
        EXPECT_NE(fenster, nullptr);
        return *fenster;
    }
    const Steuerelemente& E() const { return fenster->Elemente(); }

    static void Fokus(QWidget* feld, bool hinein, Qt::FocusReason grund = Qt::TabFocusReason) {
        QFocusEvent ereignis(hinein ? QEvent::FocusIn : QEvent::FocusOut, grund);
        QApplication::sendEvent(feld, &ereignis);
    }
    // Enters the field, types `tasten` and, if asked, presses Enter.
    static void Tippen(QLineEdit* feld, const QString& tasten, bool enter = true) {
        Fokus(feld, true);
        QTest::keyClicks(feld, tasten);
        if (enter) {
            QTest::keyClick(feld, Qt::Key_Return);
        }
    }
    // Picks an entry as the user would.
    static void Auswaehlen(QComboBox* liste, int position) {
        liste->setCurrentIndex(position);
        emit liste->activated(position);
    }

    MeldungenAttrappe meldungen;
    SignaltonAttrappe signalton;
    AdressoeffnerAttrappe adressen;
    OrdnerprueferAttrappe ordner;
    KalenderAttrappe kalender;
    DruckausgabeAttrappe drucker;
    // As a build with an address sets it; empty, nothing opens at closing.
    QString homepage = "https://lohnwippe.example/";
    std::unique_ptr<Hauptfenster> fenster;
};

}  // namespace lohnwippe::test
