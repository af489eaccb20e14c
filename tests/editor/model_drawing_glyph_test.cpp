#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>

#include "editor/model_drawing.h"
#include "pixel_map.h"

namespace qsim {
namespace {

using test::PaintedIn;
using test::PaintedPixels;
using test::Picture;
using test::Pixel;
using test::PixelMap;
using test::Row;
using test::Union;

// Glyphs at (100, 100), pictured from the given top-left corner; '#' black, 'r' red.
class GlyphTest : public ::testing::Test {
 protected:
  // The picture in the window from (left, top) and nothing painted outside it.
  void ExpectOnly(int left, int top, const std::string& picture) {
    const int width = static_cast<int>(picture.find('\n'));
    const int height = static_cast<int>(std::count(picture.begin(), picture.end(), '\n'));
    EXPECT_EQ(PixelMap(canvas_, left, top, width, height), picture);
    EXPECT_EQ(PaintedPixels(canvas_).size(), static_cast<std::size_t>(PaintedIn(picture)));
  }

  template <typename Record>
  static Record& Placed(Record& record, int x, int y) {
    record.exists = true;
    record.xc = x;
    record.yc = y;
    return record;
  }

  void DeviceWithChannels(int k) { Placed(store_->device(1), 100, 100).k = k; }

  std::unique_ptr<ModelStore> store_ = std::make_unique<ModelStore>();
  RasterCanvas canvas_;
};

// Columns of the pictures: x from 92 (offset -8) to 123 (offset +23).
const std::string kSingleChannelDevice = Picture({
    "................................",  // y = 99
    "........################........",  // y = 100
    "........#..............#........",
    "........#..............#........",
    "........#..............#........",
    ".rrr....#..............#........",
    ".###rrr##..............#######..",  // y = 105
    ".rrr....#..............#........",
    "........#..............#........",
    "........#..............#........",
    "........#..............#........",
    "........################........",  // y = 110
    "................................",
});

// Rows from y = 89 (offset -11) to 121 (offset +21); columns as above.
std::string MultiChannelDevice(const std::string& row_of_dots) {
  return Picture({
      "................................",  // y = 89
      "........################........",  // y = 90
      "........#..............#........",    "........#..............#........",
      "........#..............#........",    ".....rr.#..............#........",
      ".######r#..............####.....",  // y = 95
      ".#...rr.#..............#..#.....",    ".#......#..............#..#.....",
      ".#......#..............#..#.....",    ".#......#..............#..#.....",
      ".#......################..#.....",  // y = 100
      ".#........................#.....",    ".#........................#.....",
      ".#........................#.....",    ".#........................#.....",
      ".#......" + row_of_dots + "..####..",  // y = 105
      ".#........................#.....",    ".#........................#.....",
      ".#........................#.....",    ".#........................#.....",
      ".#......################..#.....",  // y = 110
      ".#......#..............#..#.....",    ".#......#..............#..#.....",
      ".#......#..............#..#.....",    ".#...rr.#..............#..#.....",
      ".######r#..............####.....",  // y = 115
      ".....rr.#..............#........",    "........#..............#........",
      "........#..............#........",    "........#..............#........",
      "........################........",  // y = 120
      "................................",
  });
}

TEST_F(GlyphTest, Generator) {
  Placed(store_->generator(1), 100, 100);
  DrawGeneratorGlyph(*store_, 1, DrawPass::Draw, canvas_);
  // Columns: x from 99 (offset -1) to 123 (offset +23).
  ExpectOnly(99, 99,
             Picture({
                 ".........................",  // y = 99
                 ".################........",  // y = 100
                 ".#.......................",
                 ".#.......................",
                 ".#.......................",
                 ".#..............rrr......",
                 ".##################rrr#..",  // y = 105
                 ".#..............rrr......",
                 ".#.......................",
                 ".#.......................",
                 ".#.......................",
                 ".###############.........",  // y = 110
                 ".........................",
             }));
}

TEST_F(GlyphTest, Queue) {
  Placed(store_->queue(1), 100, 100);
  DrawQueueGlyph(*store_, 1, DrawPass::Draw, canvas_);
  // Columns: x from 92 (offset -8) to 123 (offset +23).
  ExpectOnly(92, 99,
             Picture({
                 "................................",  // y = 99
                 "........################........",  // y = 100
                 "...............#.#..#..#........",
                 "...............#.#..#..#........",
                 "...............#.#..#..#........",
                 "........rrr....#.#..#..#........",
                 ".##########rrr##.#..#..#######..",  // y = 105
                 "........rrr....#.#..#..#........",
                 "...............#.#..#..#........",
                 "...............#.#..#..#........",
                 "...............#.#..#..#........",
                 ".........###############........",  // y = 110
                 "................................",
             }));
}

TEST_F(GlyphTest, DeviceWithOneChannel) {
  DeviceWithChannels(1);
  DrawDeviceGlyph(*store_, 1, DrawPass::Draw, canvas_);
  ExpectOnly(92, 99, kSingleChannelDevice);
}

TEST_F(GlyphTest, DeviceWithTwoChannelsShowsTwoBoxesWithoutDots) {
  DeviceWithChannels(2);
  DrawDeviceGlyph(*store_, 1, DrawPass::Draw, canvas_);
  ExpectOnly(92, 89, MultiChannelDevice("................"));
}

TEST_F(GlyphTest, DeviceWithFiveChannelsShowsThreeDotsBetweenTheBoxes) {
  DeviceWithChannels(5);
  DrawDeviceGlyph(*store_, 1, DrawPass::Draw, canvas_);
  ExpectOnly(92, 89, MultiChannelDevice("...#...#..#....."));
}

TEST_F(GlyphTest, DeviceWithThreeChannelsAlreadyShowsTheDots) {
  DeviceWithChannels(3);
  DrawDeviceGlyph(*store_, 1, DrawPass::Draw, canvas_);
  ExpectOnly(92, 89, MultiChannelDevice("...#...#..#....."));
}

TEST_F(GlyphTest, DeviceWithoutChannelsOrWithANegativeCountShowsTwoBoxes) {
  for (const int k : {0, -4}) {
    RasterCanvas canvas;
    DeviceWithChannels(k);
    DrawDeviceGlyph(*store_, 1, DrawPass::Draw, canvas);
    EXPECT_EQ(PixelMap(canvas, 92, 89, 32, 33), MultiChannelDevice("................")) << k;
  }
}

TEST_F(GlyphTest, Terminator) {
  store_->term_x = 100;
  store_->term_y = 100;
  DrawTerminatorGlyph(*store_, DrawPass::Draw, canvas_);
  // Columns: x from 92 (offset -8) to 116 (offset +16).
  ExpectOnly(92, 99,
             Picture({
                 ".........................",  // y = 99
                 "............#######......",  // y = 100
                 "..........##.......##....", ".........#.#.......#.#...",
                 "........#...##...##...#..", ".....rr.#.....#.#.....#..",
                 ".######r#.....###.....#..",  // y = 105
                 ".....rr.#...##...##...#..", ".........#...........#...",
                 "..........##.......##....", "............#######......",
                 ".........................",  // y = 110
             }));
}

TEST_F(GlyphTest, TerminatorFillsItsEllipseWhite) {
  canvas_.FillRect(90, 90, 130, 130, kBlack);
  store_->term_x = 100;
  store_->term_y = 100;
  DrawTerminatorGlyph(*store_, DrawPass::Draw, canvas_);
  EXPECT_EQ(canvas_.PixelAt(102, 104), kWhite);
  EXPECT_EQ(canvas_.PixelAt(112, 105), kWhite);
}

TEST_F(GlyphTest, ArrowheadsAreRed) {
  Placed(store_->generator(1), 100, 100);
  Placed(store_->queue(1), 200, 100);
  Placed(store_->device(1), 300, 100).k = 1;
  Placed(store_->device(2), 400, 100).k = 2;
  store_->term_x = 500;
  store_->term_y = 100;
  DrawModel(*store_, canvas_);
  EXPECT_EQ(test::RedPixels(canvas_),
            Union({
                Row(104, 115, 117), Row(106, 115, 117), Row(105, 118, 120),  // generator
                Row(104, 200, 202), Row(106, 200, 202), Row(105, 203, 205),  // queue
                Row(104, 293, 295), Row(106, 293, 295), Row(105, 296, 298),  // one channel
                Row(94, 397, 398), Row(96, 397, 398), Row(95, 399, 399),     // upper box
                Row(114, 397, 398), Row(116, 397, 398), Row(115, 399, 399),  // lower box
                Row(104, 497, 498), Row(106, 497, 498), Row(105, 499, 499),  // terminator
            }));
}

}  // namespace
}  // namespace qsim
