#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

namespace lohnwippe::test {

// The store opens bare file names, so every test on real files runs in a
// fresh folder of its own and leaves nothing behind.
class ArbeitsordnerTest : public ::testing::Test {
  protected:
    ArbeitsordnerTest() {
        std::filesystem::create_directories(ordner_);
        std::filesystem::current_path(ordner_);
    }
    ~ArbeitsordnerTest() override {
        std::filesystem::current_path(vorher_);
        std::filesystem::remove_all(ordner_);
    }

  private:
    const std::filesystem::path vorher_ = std::filesystem::current_path();
    const std::filesystem::path ordner_ =
        std::filesystem::temp_directory_path() /
        ("lohnwippe_store_" + std::to_string(std::random_device{}()));
};

}  // namespace lohnwippe::test
