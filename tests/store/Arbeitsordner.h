#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

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

// The bytes of a file, as another program would read them.
inline std::vector<char> Inhalt(const std::filesystem::path& name) {
    std::ifstream datei(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(datei), {}};
}

}  // namespace lohnwippe::test
