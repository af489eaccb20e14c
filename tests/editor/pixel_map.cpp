#include "pixel_map.h"

#include <algorithm>
#include <cstdint>
#include <span>

namespace qsim::test {
namespace {

char Symbol(RgbColor color) {
  if (color == kWhite)
    return '.';
  if (color == kBlack)
    return '#';
  if (color == kRed)
    return 'r';
  return '?';
}

bool InBitmap(int x, int y) {
  return x >= 0 && x < RasterCanvas::kWidth && y >= 0 && y < RasterCanvas::kHeight;
}

template <typename Wanted>
std::set<Pixel> PixelsWhere(const RasterCanvas& canvas, Wanted wanted) {
  std::set<Pixel> pixels;
  const std::span<const std::uint8_t> bytes = canvas.image().bytes;
  for (std::size_t at = 0; at < bytes.size(); at += 3) {
    if (wanted({bytes[at], bytes[at + 1], bytes[at + 2]})) {
      const int pixel = static_cast<int>(at / 3);
      pixels.insert({pixel % RasterCanvas::kWidth, pixel / RasterCanvas::kWidth});
    }
  }
  return pixels;
}

}  // namespace

std::string PixelMap(const RasterCanvas& canvas, int left, int top, int width, int height) {
  std::string map;
  for (int y = top; y < top + height; ++y) {
    for (int x = left; x < left + width; ++x)
      map += InBitmap(x, y) ? Symbol(canvas.PixelAt(x, y)) : ' ';
    map += '\n';
  }
  return map;
}

std::string Picture(std::initializer_list<std::string> rows) {
  std::string picture;
  for (const std::string& row : rows)
    picture += row + '\n';
  return picture;
}

int PaintedIn(const std::string& picture) {
  return static_cast<int>(std::count_if(picture.begin(), picture.end(),
                                        [](char c) { return c != '.' && c != ' ' && c != '\n'; }));
}

std::set<Pixel> PaintedPixels(const RasterCanvas& canvas) {
  return PixelsWhere(canvas, [](RgbColor color) { return color != kWhite; });
}

std::set<Pixel> RedPixels(const RasterCanvas& canvas) {
  return PixelsWhere(canvas, [](RgbColor color) { return color == kRed; });
}

bool IsAll(const RasterCanvas& canvas, RgbColor color) {
  const std::span<const std::uint8_t> bytes = canvas.image().bytes;
  for (std::size_t at = 0; at < bytes.size(); at += 3) {
    if (RgbColor{bytes[at], bytes[at + 1], bytes[at + 2]} != color)
      return false;
  }
  return true;
}

std::set<Pixel> Row(int y, int x_first, int x_last) {
  std::set<Pixel> pixels;
  for (int x = x_first; x <= x_last; ++x)
    pixels.insert({x, y});
  return pixels;
}

std::set<Pixel> Column(int x, int y_first, int y_last) {
  std::set<Pixel> pixels;
  for (int y = y_first; y <= y_last; ++y)
    pixels.insert({x, y});
  return pixels;
}

std::set<Pixel> Union(std::initializer_list<std::set<Pixel>> parts) {
  std::set<Pixel> all;
  for (const std::set<Pixel>& part : parts)
    all.insert(part.begin(), part.end());
  return all;
}

std::set<Pixel> Shifted(const std::set<Pixel>& pixels, int dx, int dy) {
  std::set<Pixel> moved;
  for (const auto& [x, y] : pixels)
    moved.insert({x + dx, y + dy});
  return moved;
}

std::set<Pixel> WithinBitmap(const std::set<Pixel>& pixels) {
  std::set<Pixel> inside;
  for (const auto& [x, y] : pixels) {
    if (InBitmap(x, y))
      inside.insert({x, y});
  }
  return inside;
}

}  // namespace qsim::test
