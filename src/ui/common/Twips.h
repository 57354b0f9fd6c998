#pragma once

#include <cmath>

namespace lohnwippe {

// Converts the designed geometry (twips, 1/1440 inch) to pixels at the
// screen's logical resolution: 15 twips a pixel at 96 dpi.
class Twips {
  public:
    explicit Twips(double dpi = 96) : dpi_(dpi > 0 ? dpi : 96) {}

    int Pixel(double twips) const { return static_cast<int>(std::lround(twips * dpi_ / 1440)); }
    int AusPixel(double pixel) const { return static_cast<int>(std::lround(pixel * 1440 / dpi_)); }
    double Dpi() const { return dpi_; }

  private:
    double dpi_;
};

}  // namespace lohnwippe
