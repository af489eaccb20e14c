#pragma once

#include <cstdint>

namespace qsim {

// A colour of the raster canvas, eight bits per channel.
struct RgbColor {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  friend bool operator==(const RgbColor&, const RgbColor&) = default;
};

inline constexpr RgbColor kBlack{0, 0, 0};
inline constexpr RgbColor kWhite{255, 255, 255};
inline constexpr RgbColor kRed{255, 0, 0};

}  // namespace qsim
