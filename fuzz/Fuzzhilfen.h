#pragma once

// Shared by the fuzz targets and their replay in the normal builds.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

// The entry point libFuzzer calls, and the replay program too.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse);

namespace lohnwippe::fuzz {

// A broken property ends the run like a crash, so that libFuzzer keeps the
// input and the replay fails; `assert` would vanish from release builds.
inline void Pruefen(bool bedingung, const char* eigenschaft) {
    if (!bedingung) {
        (void)std::fprintf(stderr, "Eigenschaft verletzt: %s\n", eigenschaft);
        std::abort();
    }
}

// Reads the input front to back; past its end every read gives zeros, so a
// short input is simply an input whose remaining choices are all zero.
class Leser {
  public:
    Leser(const std::uint8_t* daten, std::size_t groesse) : daten_(daten, groesse) {}

    bool Leer() const { return pos_ >= daten_.size(); }
    std::size_t Rest() const { return Leer() ? 0 : daten_.size() - pos_; }

    std::uint8_t Byte() { return Leer() ? 0 : daten_[pos_++]; }
    std::uint16_t Wort() {
        const std::uint16_t niedrig = Byte();
        return static_cast<std::uint16_t>(niedrig | Byte() << 8);
    }
    // The next `anzahl` bytes, or fewer where the input ends.
    std::span<const std::uint8_t> Bytes(std::size_t anzahl) {
        if (anzahl > Rest()) {
            anzahl = Rest();
        }
        const auto teil = daten_.subspan(pos_, anzahl);
        pos_ += anzahl;
        return teil;
    }

  private:
    std::span<const std::uint8_t> daten_;
    std::size_t pos_ = 0;
};

}  // namespace lohnwippe::fuzz
