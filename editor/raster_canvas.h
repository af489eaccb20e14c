#pragma once

#include <cstdint>
#include <vector>

#include "editor/rgb_color.h"
#include "foundation/rgb_image_view.h"

namespace qsim {

// The bitmap the model is drawn on: 2048 x 1920 RGB pixels, white when created,
// with the few primitives the drawing needs. x grows to the right, y downwards,
// (0, 0) is the top-left pixel.
//
// Any coordinates are accepted. Whatever falls outside the bitmap is clipped, so no
// call writes outside it. Before a stroke is rasterised its points are pulled in to
// at most kMargin pixels beyond the bitmap on each axis: lines parallel to an axis,
// and every stroke whose points lie within the margin, come out exactly as described
// below; a slanted line or an ellipse that reaches farther out is drawn as if its
// far points lay on the margin.
class RasterCanvas {
 public:
  static constexpr int kWidth = 2048;
  static constexpr int kHeight = 1920;
  // Wide enough that every slanted stroke of a glyph that reaches the bitmap is
  // exact; narrow enough that the ellipse test's products of four spans fit 64 bits.
  static constexpr std::int64_t kMargin = 8192;

  RasterCanvas();

  // Colour of lines and ellipse outlines; black at creation.
  void SetPenColor(RgbColor color) { pen_ = color; }
  // Colour of ellipse interiors; white at creation.
  void SetBrushColor(RgbColor color) { brush_ = color; }

  // Sets the current point without painting; it is (0, 0) at creation.
  void MoveTo(std::int64_t x, std::int64_t y);

  // Paints a line with the pen from the current point up to, but not including,
  // (x, y), which becomes the current point; a line to the current point paints
  // nothing. The line steps one pixel at a time along its longer axis (along x
  // when both are equal) and takes the pixel nearest the exact line on the other;
  // of two pixels equally near, the one towards (x, y) is taken.
  void LineTo(std::int64_t x, std::int64_t y);

  // Paints the ellipse inscribed in the area from (left, top) up to, not including,
  // (right, bottom). A pixel belongs to it when its centre lies inside the ellipse
  // or on it. Pixels of the ellipse with a left, right, upper or lower neighbour
  // outside it form the outline, painted with the pen; the others are filled with
  // the brush. An empty area paints nothing.
  void Ellipse(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);

  void SetPixel(std::int64_t x, std::int64_t y, RgbColor color);

  // Paints the pixels from (left, top) up to, not including, (right, bottom).
  void FillRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                RgbColor color);

  // REQUIRES: 0 <= x < kWidth and 0 <= y < kHeight.
  RgbColor PixelAt(int x, int y) const;

  // All pixels, rows from top to bottom; valid while the canvas lives.
  RgbImageView image() const { return {kWidth, kHeight, bytes_}; }

 private:
  struct Point {
    std::int64_t x;
    std::int64_t y;
  };

  static Point WithinMargin(Point point);
  static bool IsInside(std::int64_t x, std::int64_t y);
  void Paint(std::int64_t x, std::int64_t y, RgbColor color);
  void PaintLine(Point from, Point to);

  std::vector<std::uint8_t> bytes_;
  RgbColor pen_ = kBlack;
  RgbColor brush_ = kWhite;
  Point current_{0, 0};
};

}  // namespace qsim
