#include "editor/raster_canvas.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <set>

#include "pixel_map.h"

namespace qsim {
namespace {

using test::Column;
using test::PaintedPixels;
using test::Picture;
using test::Pixel;
using test::PixelMap;
using test::Row;
using test::Shifted;
using test::Union;
using test::WithinBitmap;

// Pixels painted by one line on a fresh canvas.
std::set<Pixel> LinePixels(Pixel from, Pixel to) {
  RasterCanvas canvas;
  canvas.MoveTo(from.first, from.second);
  canvas.LineTo(to.first, to.second);
  return PaintedPixels(canvas);
}

TEST(RasterCanvasTest, ANewCanvasIsWhite) {
  RasterCanvas canvas;
  const RgbImageView image = canvas.image();
  EXPECT_EQ(image.width, 2048);
  EXPECT_EQ(image.height, 1920);
  ASSERT_EQ(image.bytes.size(), 2048u * 1920u * 3u);
  EXPECT_TRUE(test::IsAll(canvas, kWhite));
}

TEST(LineTest, StartsAtTheOriginWithABlackPen) {
  RasterCanvas canvas;
  canvas.LineTo(3, 0);
  EXPECT_EQ(PaintedPixels(canvas), Row(0, 0, 2));
  EXPECT_EQ(canvas.PixelAt(0, 0), kBlack);
}

TEST(LineTest, EndPointIsLeftUnpaintedAndBecomesTheCurrentPoint) {
  RasterCanvas canvas;
  canvas.MoveTo(10, 10);
  canvas.LineTo(14, 10);
  canvas.LineTo(14, 7);
  EXPECT_EQ(PixelMap(canvas, 9, 6, 7, 6), Picture({
                                              ".......",
                                              ".......",
                                              ".....#.",
                                              ".....#.",
                                              ".#####.",
                                              ".......",
                                          }));
}

TEST(LineTest, MoveToAndALineToTheCurrentPointPaintNothing) {
  RasterCanvas canvas;
  canvas.MoveTo(50, 60);
  canvas.LineTo(50, 60);
  canvas.MoveTo(10, 10);
  EXPECT_TRUE(PaintedPixels(canvas).empty());
  canvas.LineTo(10, 12);
  EXPECT_EQ(PaintedPixels(canvas), Column(10, 10, 11));
}

TEST(LineTest, TakesThePixelNearestTheExactLine) {
  EXPECT_EQ(LinePixels({3, 2}, {11, 7}),
            (std::set<Pixel>{{3, 2}, {4, 3}, {5, 3}, {6, 4}, {7, 5}, {8, 5}, {9, 6}, {10, 6}}));
  EXPECT_EQ(LinePixels({11, 2}, {3, 7}),
            (std::set<Pixel>{{11, 2}, {10, 3}, {9, 3}, {8, 4}, {7, 5}, {6, 5}, {5, 6}, {4, 6}}));
}

TEST(LineTest, TiesGoToThePixelTowardsTheEndPoint) {
  // Halfway along a rise of one pixel over six the two rows are equally near.
  EXPECT_EQ(LinePixels({0, 0}, {6, 1}), Union({Row(0, 0, 2), Row(1, 3, 5)}));
  EXPECT_EQ(LinePixels({6, 1}, {0, 0}), Union({Row(1, 4, 6), Row(0, 1, 3)}));
  EXPECT_EQ(LinePixels({0, 6}, {6, 5}), Union({Row(6, 0, 2), Row(5, 3, 5)}));
}

TEST(LineTest, SteepLinesStepAlongY) {
  EXPECT_EQ(LinePixels({0, 0}, {1, 6}), Union({Column(0, 0, 2), Column(1, 3, 5)}));
  EXPECT_EQ(LinePixels({1, 6}, {0, 0}), Union({Column(1, 4, 6), Column(0, 1, 3)}));
}

TEST(LineTest, DiagonalsTakeOnePixelPerStep) {
  EXPECT_EQ(LinePixels({10, 10}, {6, 6}), (std::set<Pixel>{{10, 10}, {9, 9}, {8, 8}, {7, 7}}));
  EXPECT_EQ(LinePixels({0, 3}, {3, 0}), (std::set<Pixel>{{0, 3}, {1, 2}, {2, 1}}));
}

TEST(ClippingTest, LinesKeepTheirPixelsWhereTheyCrossTheEdge) {
  const int w = RasterCanvas::kWidth;
  const int h = RasterCanvas::kHeight;
  struct Case {
    Pixel from, to;
    int dx, dy;  // moves the line wholly into the bitmap
  };
  for (const Case& c :
       {Case{{-30, -7}, {20, 13}, 40, 40}, Case{{20, 13}, {-30, -7}, 40, 40},
        Case{{-3, 50}, {4, -17}, 10, 30}, Case{{w - 20, h - 3}, {w + 9, h + 8}, -40, -40},
        Case{{w + 30, 100}, {w - 50, 111}, -100, 0}, Case{{5, h + 60}, {12, h - 9}, 0, -100}}) {
    const std::set<Pixel> whole = LinePixels({c.from.first + c.dx, c.from.second + c.dy},
                                             {c.to.first + c.dx, c.to.second + c.dy});
    EXPECT_EQ(LinePixels(c.from, c.to), WithinBitmap(Shifted(whole, -c.dx, -c.dy)))
        << c.from.first << "," << c.from.second << " to " << c.to.first << "," << c.to.second;
  }
}

TEST(ClippingTest, FarCoordinatesNeitherOverflowNorTakeLong) {
  constexpr std::int64_t kFar = std::int64_t{1} << 40;
  constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
  RasterCanvas canvas;
  canvas.MoveTo(-kFar, 7);
  canvas.LineTo(kFar, 7);
  canvas.MoveTo(5, kInt32Max + 30);
  canvas.LineTo(5, -kInt32Max - 30);
  canvas.MoveTo(-kFar, -kFar);  // wholly outside
  canvas.LineTo(kFar, -kFar + 3);
  canvas.Ellipse(kFar, kFar, kFar + 15, kFar + 10);
  canvas.SetPixel(-kFar, 3, kBlack);
  EXPECT_EQ(PaintedPixels(canvas), Union({Row(7, 0, 2047), Column(5, 0, 1919)}));
}

TEST(ClippingTest, OnlyPixelsInsideTheBitmapAreSet) {
  RasterCanvas canvas;
  canvas.SetPixel(-1, 0, kBlack);
  canvas.SetPixel(0, -1, kBlack);
  canvas.SetPixel(2048, 5, kBlack);
  canvas.SetPixel(5, 1920, kBlack);
  EXPECT_TRUE(PaintedPixels(canvas).empty());
  canvas.SetPixel(2047, 1919, kRed);
  EXPECT_EQ(canvas.PixelAt(2047, 1919), kRed);
}

TEST(FillRectTest, LeavesTheRightAndBottomEdgesOut) {
  RasterCanvas canvas;
  canvas.FillRect(2, 3, 5, 5, kBlack);
  EXPECT_EQ(PaintedPixels(canvas), Union({Row(3, 2, 4), Row(4, 2, 4)}));
}

TEST(FillRectTest, IsClippedToTheBitmap) {
  RasterCanvas canvas;
  canvas.FillRect(-5, -5, 2, 1, kBlack);
  canvas.FillRect(2046, 1919, 3000, 3000, kBlack);
  canvas.FillRect(10, 10, 5, 20, kBlack);  // empty
  EXPECT_EQ(PaintedPixels(canvas), (std::set<Pixel>{{0, 0}, {1, 0}, {2046, 1919}, {2047, 1919}}));
  canvas.FillRect(std::numeric_limits<std::int64_t>::min(), -1,
                  std::numeric_limits<std::int64_t>::max(), 5000, kRed);
  EXPECT_TRUE(test::IsAll(canvas, kRed));
}

TEST(EllipseTest, OutlinesWithThePenAndFillsWithTheBrush) {
  RasterCanvas canvas;
  canvas.SetBrushColor(kRed);
  canvas.Ellipse(100, 200, 115, 210);
  EXPECT_EQ(PixelMap(canvas, 99, 199, 17, 12), Picture({
                                                   ".................",
                                                   ".....#######.....",
                                                   "...##rrrrrrr##...",
                                                   "..#rrrrrrrrrrr#..",
                                                   ".#rrrrrrrrrrrrr#.",
                                                   ".#rrrrrrrrrrrrr#.",
                                                   ".#rrrrrrrrrrrrr#.",
                                                   ".#rrrrrrrrrrrrr#.",
                                                   "..#rrrrrrrrrrr#..",
                                                   "...##rrrrrrr##...",
                                                   ".....#######.....",
                                                   ".................",
                                               }));
}

TEST(EllipseTest, BrushIsWhiteAtCreation) {
  RasterCanvas canvas;
  canvas.FillRect(0, 0, 30, 30, kRed);
  canvas.Ellipse(10, 10, 15, 15);
  EXPECT_EQ(canvas.PixelAt(12, 12), kWhite);
  EXPECT_EQ(canvas.PixelAt(10, 12), kBlack);
}

TEST(EllipseTest, AnEmptyAreaPaintsNothing) {
  RasterCanvas canvas;
  canvas.Ellipse(10, 10, 10, 20);
  canvas.Ellipse(10, 10, 20, 10);
  canvas.Ellipse(20, 20, 10, 10);
  EXPECT_TRUE(PaintedPixels(canvas).empty());
  canvas.Ellipse(10, 10, 11, 11);
  EXPECT_EQ(PaintedPixels(canvas), (std::set<Pixel>{{10, 10}}));
}

TEST(EllipseTest, IsClippedWithoutChangingItsPixels) {
  RasterCanvas inside;
  inside.Ellipse(33, 35, 48, 45);
  for (const Pixel& corner : {Pixel{-7, -5}, Pixel{2040, 1915}, Pixel{-3, 1912}}) {
    RasterCanvas clipped;
    clipped.Ellipse(corner.first, corner.second, corner.first + 15, corner.second + 10);
    EXPECT_EQ(PaintedPixels(clipped),
              WithinBitmap(Shifted(PaintedPixels(inside), corner.first - 33, corner.second - 35)));
  }
}

TEST(EllipseTest, OneReachingFarOutIsDrawnInsideTheMargin) {
  constexpr std::int64_t kFar = std::int64_t{1} << 40;
  RasterCanvas canvas;
  canvas.SetBrushColor(kRed);
  canvas.Ellipse(-kFar, -kFar, kFar, kFar);
  EXPECT_TRUE(test::IsAll(canvas, kRed));
}

}  // namespace
}  // namespace qsim
