#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace lohnwippe {

// The program opens its files by bare name, so every benchmark on real
// files runs in a fresh folder of its own for as long as this lives.
class Arbeitsordner {
  public:
    Arbeitsordner()
        : vorher_(std::filesystem::current_path()),
          ordner_(std::filesystem::temp_directory_path() /
                  ("lohnwippe_bench_" + std::to_string(std::random_device{}()))) {
        std::filesystem::create_directories(ordner_);
        std::filesystem::current_path(ordner_);
    }
    ~Arbeitsordner() {
        std::filesystem::current_path(vorher_);
        std::filesystem::remove_all(ordner_);
    }
    Arbeitsordner(const Arbeitsordner&) = delete;
    Arbeitsordner& operator=(const Arbeitsordner&) = delete;

  private:
    std::filesystem::path vorher_, ordner_;
};

}  // namespace lohnwippe
