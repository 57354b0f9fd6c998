#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

#include "Attrappen.h"
#include "store/SpeicherDatei.h"
#include "ui/main/Hauptfenster.h"

namespace lohnwippe::test {

// A whole file's bytes.
inline std::vector<char> DateiInhalt(const std::filesystem::path& datei) {
    std::ifstream strom(datei, std::ios::binary);
    return {std::istreambuf_iterator<char>(strom), {}};
}

// Every test runs in a fresh folder of its own: the program opens its data
// files by bare name in the working directory.
class FensterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        vorher_ = std::filesystem::current_path();
        ordner_ = std::filesystem::temp_directory_path() /
                  ("lohnwippe_ui_" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(ordner_);
        std::filesystem::current_path(ordner_);
    }
    void TearDown() override {
        fenster.reset();
        std::filesystem::current_path(vorher_);
        std::filesystem::remove_all(ordner_);
    }

    Umgebung Welt() { return {meldungen, signalton, adressen, ordner, kalender, drucker}; }
    Hauptfenster& Starten() {
        fenster = Hauptfenster::Starten(Welt());
        EXPECT_NE(fenster, nullptr);
        return *fenster;
    }
    // Closes the window as the close box would and forgets it.
    void Schliessen() {
        fenster->close();
        fenster.reset();
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
    std::unique_ptr<Hauptfenster> fenster;

  private:
    std::filesystem::path vorher_, ordner_;
};

}  // namespace lohnwippe::test
