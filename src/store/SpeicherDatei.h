#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "store/Datei.h"

namespace lohnwippe {

// A data file held in memory, for running the data files without a disk:
// tests and fuzzing. It behaves as a file of the working directory would,
// and its writes can be made to fail as on a full disk.
class SpeicherDatei final : public Datei {
  public:
    explicit SpeicherDatei(std::string name, std::vector<std::byte> inhalt = {})
        : Inhalt(std::move(inhalt)), name_(std::move(name)) {}

    // The bytes of the file, open to the owner between calls.
    std::vector<std::byte> Inhalt;
    // Where each write began, failed ones included.
    std::vector<std::uint64_t> Schreibstellen;
    // While true, every write fails as on a full disk and changes nothing.
    bool Voll = false;

    const std::string& Name() const override { return name_; }
    Erwartet<std::size_t> Lesen(std::uint64_t position, std::span<std::byte> ziel) override;
    Erwartet<void> Schreiben(std::uint64_t position, std::span<const std::byte> quelle) override;
    Erwartet<std::uint64_t> Laenge() override { return Inhalt.size(); }
    Erwartet<void> Kuerzen(std::uint64_t laenge) override;

  private:
    std::string name_;
};

}  // namespace lohnwippe
