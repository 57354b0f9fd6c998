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
#include <memory>
#include <random>

#include "Attrappen.h"
#include "Hauptfenster.h"

namespace lohnwippe::test {

// A data file in memory whose writes can be made to fail, for the window's
// handling of a full or read-only disk.
class SpeicherDatei final : public Datei {
  public:
    explicit SpeicherDatei(std::string name) : name_(std::move(name)) {}
    std::vector<std::byte> Inhalt;
    std::vector<std::uint64_t> Schreibstellen;  // where each write began
    bool Voll = false;

    const std::string& Name() const override { return name_; }
    Erwartet<std::size_t> Lesen(std::uint64_t position, std::span<std::byte> ziel) override {
        const std::size_t n =
            position >= Inhalt.size() ? 0 : std::min(ziel.size(), Inhalt.size() - position);
        std::copy_n(Inhalt.begin() + static_cast<std::ptrdiff_t>(position), n, ziel.begin());
        return n;
    }
    Erwartet<void> Schreiben(std::uint64_t position, std::span<const std::byte> quelle) override {
        Schreibstellen.push_back(position);
        if (Voll) {
            return DateiFehler{.Art = DateiFehler::Fehlerart::Schreiben,
                               .Datei = name_,
                               .FehlerNr = ENOSPC,
                               .Position = position};
        }
        Inhalt.resize(std::max<std::size_t>(Inhalt.size(), position + quelle.size()));
        std::copy(quelle.begin(), quelle.end(),
                  Inhalt.begin() + static_cast<std::ptrdiff_t>(position));
        return {};
    }
    Erwartet<std::uint64_t> Laenge() override { return Inhalt.size(); }
    Erwartet<void> Kuerzen(std::uint64_t laenge) override {
        Inhalt.resize(laenge);
        return {};
    }

  private:
    std::string name_;
};

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
