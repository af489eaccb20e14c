#include "editor/raster_canvas.h"

#include <algorithm>
#include <cstdlib>

namespace qsim {
namespace {

constexpr std::size_t kBytesPerPixel = 3;

std::int64_t Sign(std::int64_t value) {
  return (value > 0) - (value < 0);
}

// Steps i in [0, steps) of a run from `start` in direction `direction` (+1 or -1)
// whose coordinate start + direction * i lies in [0, size).
struct StepRange {
  std::int64_t first;
  std::int64_t last;  // empty when last < first
};

StepRange VisibleSteps(std::int64_t start, std::int64_t direction, std::int64_t steps,
                       std::int64_t size) {
  const std::int64_t low = direction > 0 ? -start : start - (size - 1);
  const std::int64_t high = direction > 0 ? size - 1 - start : start;
  return {std::max<std::int64_t>(low, 0), std::min(high, steps - 1)};
}

// Membership of pixels in the ellipse inscribed in [left, right) x [top, bottom),
// tested in doubled coordinates so that pixel centres are integers.
class EllipseArea {
 public:
  EllipseArea(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom)
      : x_sum_(left + right),
        y_sum_(top + bottom),
        width_squared_((right - left) * (right - left)),
        height_squared_((bottom - top) * (bottom - top)) {}

  bool Contains(std::int64_t x, std::int64_t y) const {
    const std::int64_t dx = 2 * x + 1 - x_sum_;
    const std::int64_t dy = 2 * y + 1 - y_sum_;
    return dx * dx * height_squared_ + dy * dy * width_squared_ <= width_squared_ * height_squared_;
  }

  bool IsOnOutline(std::int64_t x, std::int64_t y) const {
    return !Contains(x - 1, y) || !Contains(x + 1, y) || !Contains(x, y - 1) || !Contains(x, y + 1);
  }

 private:
  std::int64_t x_sum_;
  std::int64_t y_sum_;
  std::int64_t width_squared_;
  std::int64_t height_squared_;
};

}  // namespace

RasterCanvas::RasterCanvas() : bytes_(kBytesPerPixel * kWidth * kHeight, 0xFF) {}

void RasterCanvas::MoveTo(std::int64_t x, std::int64_t y) {
  current_ = {x, y};
}

void RasterCanvas::LineTo(std::int64_t x, std::int64_t y) {
  PaintLine(WithinMargin(current_), WithinMargin({x, y}));
  current_ = {x, y};
}

void RasterCanvas::Ellipse(std::int64_t left, std::int64_t top, std::int64_t right,
                           std::int64_t bottom) {
  const Point top_left = WithinMargin({left, top});
  const Point bottom_right = WithinMargin({right, bottom});
  if (bottom_right.x <= top_left.x || bottom_right.y <= top_left.y)
    return;
  const EllipseArea area(top_left.x, top_left.y, bottom_right.x, bottom_right.y);
  const std::int64_t first_x = std::max<std::int64_t>(top_left.x, 0);
  const std::int64_t end_x = std::min<std::int64_t>(bottom_right.x, kWidth);
  const std::int64_t first_y = std::max<std::int64_t>(top_left.y, 0);
  const std::int64_t end_y = std::min<std::int64_t>(bottom_right.y, kHeight);
  for (std::int64_t y = first_y; y < end_y; ++y) {
    for (std::int64_t x = first_x; x < end_x; ++x) {
      if (area.Contains(x, y))
        Paint(x, y, area.IsOnOutline(x, y) ? pen_ : brush_);
    }
  }
}

void RasterCanvas::SetPixel(std::int64_t x, std::int64_t y, RgbColor color) {
  if (IsInside(x, y))
    Paint(x, y, color);
}

void RasterCanvas::FillRect(std::int64_t left, std::int64_t top, std::int64_t right,
                            std::int64_t bottom, RgbColor color) {
  const std::int64_t first_x = std::max<std::int64_t>(left, 0);
  const std::int64_t end_x = std::min<std::int64_t>(right, kWidth);
  const std::int64_t first_y = std::max<std::int64_t>(top, 0);
  const std::int64_t end_y = std::min<std::int64_t>(bottom, kHeight);
  for (std::int64_t y = first_y; y < end_y; ++y) {
    for (std::int64_t x = first_x; x < end_x; ++x)
      Paint(x, y, color);
  }
}

RgbColor RasterCanvas::PixelAt(int x, int y) const {
  const std::size_t offset = kBytesPerPixel * (static_cast<std::size_t>(y) * kWidth + x);
  return {bytes_[offset], bytes_[offset + 1], bytes_[offset + 2]};
}

RasterCanvas::Point RasterCanvas::WithinMargin(Point point) {
  return {std::clamp(point.x, -kMargin, kWidth - 1 + kMargin),
          std::clamp(point.y, -kMargin, kHeight - 1 + kMargin)};
}

bool RasterCanvas::IsInside(std::int64_t x, std::int64_t y) {
  return x >= 0 && x < kWidth && y >= 0 && y < kHeight;
}

// REQUIRES: IsInside(x, y).
void RasterCanvas::Paint(std::int64_t x, std::int64_t y, RgbColor color) {
  const std::size_t offset = kBytesPerPixel * static_cast<std::size_t>(y * kWidth + x);
  bytes_[offset] = color.red;
  bytes_[offset + 1] = color.green;
  bytes_[offset + 2] = color.blue;
}

// Pixel i of the line, 0 <= i < steps along the longer axis, is offset on the other
// axis by round(i * rise / steps) with halves rounded up, that is by
// floor((2 * i * rise + steps) / (2 * steps)). Only the steps whose coordinate on
// the longer axis falls in the bitmap are walked; the Bresenham error term starts
// from that formula at the first of them, so the pixels do not depend on clipping.
void RasterCanvas::PaintLine(Point from, Point to) {
  if (std::max(from.x, to.x) < 0 || std::min(from.x, to.x) >= kWidth ||
      std::max(from.y, to.y) < 0 || std::min(from.y, to.y) >= kHeight)
    return;
  const std::int64_t dx = to.x - from.x;
  const std::int64_t dy = to.y - from.y;
  const bool along_x = std::abs(dx) >= std::abs(dy);
  const std::int64_t steps = along_x ? std::abs(dx) : std::abs(dy);
  const std::int64_t rise = along_x ? std::abs(dy) : std::abs(dx);
  if (steps == 0)
    return;
  const std::int64_t major_start = along_x ? from.x : from.y;
  const std::int64_t minor_start = along_x ? from.y : from.x;
  const std::int64_t major_direction = Sign(along_x ? dx : dy);
  const std::int64_t minor_direction = Sign(along_x ? dy : dx);

  const StepRange range =
      VisibleSteps(major_start, major_direction, steps, along_x ? kWidth : kHeight);
  const std::int64_t twice_steps = 2 * steps;
  const std::int64_t numerator = 2 * range.first * rise + steps;
  std::int64_t offset = numerator / twice_steps;
  std::int64_t error = numerator % twice_steps;
  // The pixel bytes and the pen are held in locals: the stores through a byte
  // pointer could alias them, and reloading both for every pixel halves the speed
  // of a long line.
  std::uint8_t* const pixels = bytes_.data();
  const RgbColor pen = pen_;
  const std::int64_t minor_size = along_x ? kHeight : kWidth;
  const std::int64_t major_stride = along_x ? 1 : kWidth;
  const std::int64_t minor_stride = along_x ? kWidth : 1;
  for (std::int64_t i = range.first; i <= range.last; ++i) {
    const std::int64_t major = major_start + major_direction * i;
    const std::int64_t minor = minor_start + minor_direction * offset;
    if (minor >= 0 && minor < minor_size) {
      std::uint8_t* const pixel =
          pixels +
          kBytesPerPixel * static_cast<std::size_t>(major * major_stride + minor * minor_stride);
      pixel[0] = pen.red;
      pixel[1] = pen.green;
      pixel[2] = pen.blue;
    }
    error += 2 * rise;
    if (error >= twice_steps) {
      error -= twice_steps;
      ++offset;
    }
  }
}

}  // namespace qsim
