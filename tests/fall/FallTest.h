#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "calc/Entgelteingabe.h"
#include "fall/OffenerFall.h"

namespace lohnwippe::test {

// A window that stays where it is put.
class Fensterattrappe final : public Fensterlage {
  public:
    Fensterposition Ort{};
    Fensterposition Position() const override { return Ort; }
    void Verschieben(Fensterposition position) override { Ort = position; }
};

// Every test runs in a fresh folder of its own: the files are opened by
// bare name in the working directory.
class FallTest : public ::testing::Test {
  protected:
    FallTest() {
        std::filesystem::create_directories(ordner_);
        std::filesystem::current_path(ordner_);
    }
    ~FallTest() override {
        fall.reset();
        std::filesystem::current_path(vorher_);
        std::filesystem::remove_all(ordner_);
    }

    // Starts on the files of the folder; the messages of the start are kept.
    OffenerFall& Starten() {
        auto daten = Datenbestand::Oeffnen();
        EXPECT_TRUE(daten.HatWert());
        OffenerFall::Start start = OffenerFall::Starten(std::move(daten).Wert(), fenster);
        gemeldet = start.Anzeige.Meldungen;
        fall = std::move(start.Fall);
        EXPECT_NE(fall, nullptr);
        return *fall;
    }
    void Beenden() {
        const OffenerFall::Schluss schluss = fall->Schliessen();
        EXPECT_FALSE(schluss.Frage) << *schluss.Frage;
        gemeldet = schluss.Meldungen;
        fall.reset();
    }

    // Enters the amount box, types `tasten` through its key filter and, if
    // asked, presses Enter: what the window does for each key.
    Aenderung Tippen(int job, const std::string& tasten, bool enter = true) {
        fall->EntgeltfeldBetreten(job);
        std::string text;
        for (const char zeichen : tasten) {
            const Tastenwirkung wirkung =
                EntgeltTaste(text, static_cast<char32_t>(static_cast<unsigned char>(zeichen)));
            if (wirkung == Tastenwirkung::Einfuegen) {
                text += zeichen;
            }
            if (wirkung != Tastenwirkung::Verwerfen) {
                fall->EntgeltGetippt(job, text);
            }
        }
        return enter ? fall->EntgeltEingeben(job, text) : Aenderung{};
    }

    Fensterattrappe fenster;
    std::unique_ptr<OffenerFall> fall;
    std::vector<Meldung> gemeldet;

  private:
    const std::filesystem::path vorher_ = std::filesystem::current_path();
    const std::filesystem::path ordner_ =
        std::filesystem::temp_directory_path() /
        ("lohnwippe_fall_" + std::to_string(std::random_device{}()));
};

}  // namespace lohnwippe::test
