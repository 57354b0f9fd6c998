#pragma once

#include <random>

namespace lohnwippe::test {

// Under the sanitizers (tests/CMakeLists.txt) each call costs many times as
// much. The long sweeps (over every read or write call of a session, over
// the recorded traces) then take a seeded sample, the same one in every
// run; the release build sweeps them all.
#ifdef LOHNWIPPE_SANITIZER
inline constexpr bool UnterSanitizern = true;
#else
inline constexpr bool UnterSanitizern = false;
#endif

class Stichprobe {
  public:
    // About one call in `teiler` under the sanitizers.
    explicit Stichprobe(unsigned teiler) : teiler_(teiler) {}
    bool Nehmen() { return !UnterSanitizern || zufall_() % teiler_ == 0; }

  private:
    unsigned teiler_;
    std::minstd_rand zufall_{26};
};

}  // namespace lohnwippe::test
