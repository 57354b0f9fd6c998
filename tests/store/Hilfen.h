#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "Datei.h"

namespace lohnwippe::test {

// The store opens bare file names, so every test runs in a fresh folder of
// its own and leaves nothing behind.
class TempOrdner : public ::testing::Test {
  protected:
    void SetUp() override {
        vorher_ = std::filesystem::current_path();
        ordner_ = std::filesystem::temp_directory_path() /
                  ("lohnwippe_store_" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(ordner_);
        std::filesystem::current_path(ordner_);
    }
    void TearDown() override {
        std::filesystem::current_path(vorher_);
        std::filesystem::remove_all(ordner_);
    }
    static std::vector<std::byte> Inhalt(const char* name) {
        std::ifstream datei(name, std::ios::binary);
        std::vector<std::byte> bytes;
        std::transform(std::istreambuf_iterator<char>(datei), std::istreambuf_iterator<char>(),
                       std::back_inserter(bytes), [](char c) { return std::byte(c); });
        return bytes;
    }

  private:
    std::filesystem::path vorher_, ordner_;
};

// A file in memory that fails on demand: writes stop once `SchreibBudget`
// bytes have been written in total, reads fail while `LeseFehler` is set.
class FehlerDatei final : public Datei {
  public:
    explicit FehlerDatei(std::string name) : name_(std::move(name)) {}

    std::vector<std::byte> Inhalt;
    std::size_t SchreibBudget = SIZE_MAX;
    int SchreibFehler = 0;
    int LeseFehler = 0;
    int Lesevorgaenge = 0;
    int Schreibvorgaenge = 0;

    const std::string& Name() const override { return name_; }

    Erwartet<std::size_t> Lesen(std::uint64_t position, std::span<std::byte> ziel) override {
        ++Lesevorgaenge;
        if (LeseFehler != 0) {
            return DateiFehler{.Art = DateiFehler::Fehlerart::Lesen,
                               .Datei = name_,
                               .FehlerNr = LeseFehler,
                               .Position = position};
        }
        const std::size_t n =
            position >= Inhalt.size() ? 0 : std::min(ziel.size(), Inhalt.size() - position);
        std::copy_n(Inhalt.begin() + static_cast<std::ptrdiff_t>(position), n, ziel.begin());
        return n;
    }

    Erwartet<void> Schreiben(std::uint64_t position, std::span<const std::byte> quelle) override {
        ++Schreibvorgaenge;
        const std::size_t n = std::min(quelle.size(), SchreibBudget);
        SchreibBudget -= n;
        Inhalt.resize(std::max<std::size_t>(Inhalt.size(), position + n));
        std::copy_n(quelle.begin(), n, Inhalt.begin() + static_cast<std::ptrdiff_t>(position));
        if (n < quelle.size()) {
            return DateiFehler{.Art = DateiFehler::Fehlerart::Schreiben,
                               .Datei = name_,
                               .FehlerNr = SchreibFehler,
                               .Position = position + n};
        }
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

}  // namespace lohnwippe::test
