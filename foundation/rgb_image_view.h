#pragma once

#include <cstdint>
#include <span>

namespace qsim {

// Read-only pixels of an image: rows from top to bottom, each pixel three bytes
// (red, green, blue), rows packed without padding.
// REQUIRES: bytes.size() == width * height * 3.
struct RgbImageView {
  int width = 0;
  int height = 0;
  std::span<const std::uint8_t> bytes;
};

}  // namespace qsim
