#include "editor/model_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <limits>
#include <memory>
#include <set>
#include <span>
#include <vector>

#include "language/model_text_reader.h"
#include "language/text_file.h"
#include "pixel_map.h"
#include "tests/support/placed_elements.h"

namespace qsim {
namespace {

using test::Column;
using test::PaintedPixels;
using test::Pixel;
using test::Row;
using test::Union;

std::vector<std::uint8_t> Bytes(const RasterCanvas& canvas) {
  const std::span<const std::uint8_t> bytes = canvas.image().bytes;
  return {bytes.begin(), bytes.end()};
}

class ModelDrawingTest : public ::testing::Test {
 protected:
  GeneratorRecord& Generator(int slot, int x, int y) {
    return test_support::PlaceGenerator(*store_, slot, x, y);
  }
  QueueRecord& Queue(int slot, int x, int y) {
    return test_support::PlaceQueue(*store_, slot, x, y);
  }
  DeviceRecord& Device(int slot, int x, int y, int k) {
    return test_support::PlaceDevice(*store_, slot, x, y, k);
  }
  template <typename Record>
  static void Route(Record& source, TargetKind kind, int slot) {
    source.transitions[++source.transfer] = {1, kind, slot};
  }

  // Pixels that the links of a glyph add to the glyph: the glyph routine is run
  // once without and once with the element's transitions.
  template <typename Record, typename GlyphRoutine>
  std::set<Pixel> LinkPixels(Record& source, int slot, GlyphRoutine glyph) {
    const std::int32_t transfer = source.transfer;
    RasterCanvas bare;
    source.transfer = 0;
    glyph(*store_, slot, DrawPass::Draw, bare);
    source.transfer = transfer;
    RasterCanvas linked;
    glyph(*store_, slot, DrawPass::Draw, linked);
    const std::set<Pixel> with = PaintedPixels(linked);
    std::set<Pixel> links;
    std::ranges::set_difference(with, PaintedPixels(bare), std::inserter(links, links.end()));
    return links;
  }

  // A crowded model: glyphs and links of every kind, overlapping one another.
  void FillCrowdedModel() {
    for (int slot = 1; slot <= 40; ++slot) {
      GeneratorRecord& generator = Generator(slot, (slot * 37) % 600, (slot * 53) % 500);
      Route(generator, TargetKind::Queue, 41 - slot);
      QueueRecord& queue = Queue(slot, (slot * 71) % 600, (slot * 29) % 500);
      Route(queue, TargetKind::Device, slot);
      Route(queue, TargetKind::Device, 41 - slot);
      DeviceRecord& device = Device(slot, (slot * 43) % 600, (slot * 61) % 500, slot % 6);
      Route(device, TargetKind::Queue, (slot * 7) % 40 + 1);
      Route(device, TargetKind::Terminator, 1);
    }
    store_->term_x = 300;
    store_->term_y = 250;
  }

  std::unique_ptr<ModelStore> store_ = std::make_unique<ModelStore>();
  RasterCanvas canvas_;
};

TEST_F(ModelDrawingTest, ALinkToTheRightRunsDownThenIntoTheInputPort) {
  GeneratorRecord& generator = Generator(1, 100, 100);
  Queue(1, 200, 150);
  Route(generator, TargetKind::None, 1);  // a generator's routes lead to queues whatever the kind
  EXPECT_EQ(LinkPixels(generator, 1, DrawGeneratorGlyph),
            Union({Column(122, 105, 154), Row(155, 122, 192)}));
}

TEST_F(ModelDrawingTest, ALinkToATargetLevelWithTheSourceDetours25PixelsBelowIt) {
  QueueRecord& queue = Queue(1, 300, 100);
  Device(1, 300, 160, 1);
  Route(queue, TargetKind::Device, 1);
  EXPECT_EQ(LinkPixels(queue, 1, DrawQueueGlyph),
            Union({Column(322, 105, 184), Row(185, 294, 322), Column(293, 166, 185)}));
}

TEST_F(ModelDrawingTest, ALinkToATargetOnTheLeftDetoursBelowIt) {
  GeneratorRecord& generator = Generator(1, 400, 100);
  Queue(1, 200, 50);
  Route(generator, TargetKind::Queue, 1);
  EXPECT_EQ(LinkPixels(generator, 1, DrawGeneratorGlyph),
            Union({Column(422, 76, 105), Row(75, 194, 422), Column(193, 56, 75)}));
}

TEST_F(ModelDrawingTest, LinksFromADeviceDetour15PixelsBelowTheTarget) {
  DeviceRecord& device = Device(1, 400, 300, 1);
  Queue(1, 200, 250);
  Route(device, TargetKind::Queue, 1);
  EXPECT_EQ(LinkPixels(device, 1, DrawDeviceGlyph),
            Union({Column(422, 266, 305), Row(265, 194, 422), Column(193, 256, 265)}));

  device.transfer = 0;
  Route(device, TargetKind::Terminator, 1);
  store_->term_x = 400;
  store_->term_y = 400;
  EXPECT_EQ(LinkPixels(device, 1, DrawDeviceGlyph),
            Union({Column(422, 305, 414), Row(415, 394, 422), Column(393, 406, 415)}));
}

TEST_F(ModelDrawingTest, FurtherLinksOfOneElementLeaveOnePixelFurtherRightEach) {
  DeviceRecord& device = Device(1, 100, 100, 1);
  Queue(1, 300, 40);
  Queue(2, 300, 200);
  store_->term_x = 300;
  store_->term_y = 100;
  Route(device, TargetKind::Queue, 1);
  Route(device, TargetKind::Queue, 2);
  Route(device, TargetKind::Device, 7);  // any kind but a queue leads to the terminator
  EXPECT_EQ(LinkPixels(device, 1, DrawDeviceGlyph),
            Union({Column(122, 46, 105), Row(45, 122, 292),    // up to queue 1
                   Column(123, 105, 204), Row(205, 123, 292),  // down to queue 2
                   Row(105, 124, 292)}));                      // straight to the terminator
}

TEST_F(ModelDrawingTest, TransitionsWithoutATargetSlotAreNotDrawn) {
  GeneratorRecord& generator = Generator(1, 100, 100);
  Queue(1, 300, 200);
  Route(generator, TargetKind::Queue, 0);
  Route(generator, TargetKind::Queue, 151);
  for (int number = 3; number <= 30; ++number)
    Route(generator, TargetKind::Queue, 1);
  generator.transfer = 31;  // beyond the table: only its 30 entries count
  ASSERT_NO_THROW(DrawModel(*store_, canvas_));
  EXPECT_EQ(canvas_.PixelAt(122, 150), kWhite);
  EXPECT_EQ(canvas_.PixelAt(123, 150), kWhite);
  for (int x = 124; x <= 151; ++x)
    EXPECT_EQ(canvas_.PixelAt(x, 150), kBlack) << x;
  EXPECT_EQ(canvas_.PixelAt(152, 150), kWhite);

  generator.transfer = -5;
  RasterCanvas bare;
  ASSERT_NO_THROW(DrawModel(*store_, bare));
  EXPECT_EQ(bare.PixelAt(124, 150), kWhite);
}

TEST_F(ModelDrawingTest, AnEmptyModelShowsOnlyTheTerminator) {
  store_->term_x = 300;
  store_->term_y = 400;
  Generator(4, 10, 10).exists = false;  // a freed slot keeps its position
  DrawModel(*store_, canvas_);
  RasterCanvas terminator;
  DrawTerminatorGlyph(*store_, DrawPass::Draw, terminator);
  EXPECT_EQ(Bytes(canvas_), Bytes(terminator));
  EXPECT_EQ(canvas_.PixelAt(293, 405), kBlack);
}

TEST_F(ModelDrawingTest, WithinASlotTheQueueComesFirstAndTheGeneratorLast) {
  // All three glyphs on one spot: the device's arrowhead covers the queue's input
  // line, the generator's arrowhead covers the right edge of both boxes.
  Queue(1, 100, 100);
  Device(1, 100, 100, 1);
  Generator(1, 100, 100);
  DrawModel(*store_, canvas_);
  EXPECT_EQ(canvas_.PixelAt(96, 105), kRed);
  EXPECT_EQ(canvas_.PixelAt(115, 104), kRed);

  Queue(2, 100, 100);  // a later slot paints over all of slot 1
  DrawModel(*store_, canvas_);
  EXPECT_EQ(canvas_.PixelAt(96, 105), kBlack);
  EXPECT_EQ(canvas_.PixelAt(115, 104), kBlack);
}

TEST_F(ModelDrawingTest, TheTerminatorIsPaintedLast) {
  Generator(150, 100, 100);
  store_->term_x = 100;
  store_->term_y = 100;
  DrawModel(*store_, canvas_);
  EXPECT_EQ(canvas_.PixelAt(103, 105), kWhite);  // inside the terminator's ellipse
  EXPECT_EQ(canvas_.PixelAt(107, 105), kBlack);  // its cross
}

TEST_F(ModelDrawingTest, EraseThenDrawOnAnUnchangedModelRestoresThePicture) {
  FillCrowdedModel();
  // A tinted background shows any pixel that the erase pass paints and the draw
  // pass does not.
  canvas_.FillRect(0, 0, RasterCanvas::kWidth, RasterCanvas::kHeight, {200, 220, 255});
  DrawModel(*store_, canvas_);
  const std::vector<std::uint8_t> drawn = Bytes(canvas_);
  EraseModel(*store_, canvas_);
  EXPECT_NE(Bytes(canvas_), drawn);
  DrawModel(*store_, canvas_);
  EXPECT_EQ(Bytes(canvas_), drawn);
}

TEST_F(ModelDrawingTest, EraseAfterDrawOnAWhiteCanvasLeavesItWhite) {
  FillCrowdedModel();
  DrawModel(*store_, canvas_);
  EXPECT_GT(PaintedPixels(canvas_).size(), 1000u);
  EraseModel(*store_, canvas_);
  EXPECT_TRUE(test::IsAll(canvas_, kWhite));
}

TEST_F(ModelDrawingTest, TheBundledExampleDrawsAndErases) {
  std::vector<std::string> lines = ReadTextLines(QSIM_EXAMPLES_DIR "/two_desks.txt");
  ReadModelText(lines, *store_, NumberFormat{'.'});
  DrawModel(*store_, canvas_);
  EXPECT_EQ(canvas_.PixelAt(60, 80), kBlack);    // generator 1
  EXPECT_EQ(canvas_.PixelAt(253, 165), kBlack);  // input bus of the two-channel device 2
  EXPECT_EQ(canvas_.PixelAt(559, 125), kRed);    // the terminator's arrowhead tip
  EraseModel(*store_, canvas_);
  EXPECT_TRUE(test::IsAll(canvas_, kWhite));
}

TEST_F(ModelDrawingTest, GlyphsPartlyOutsideTheBitmapAreClipped) {
  GeneratorRecord& generator = Generator(1, -10, -4);
  Queue(1, 2040, 1915);
  Device(1, -3, 1912, 3);
  Device(2, 2035, -5, 1);
  Route(generator, TargetKind::Queue, 1);
  Route(store_->queue(1), TargetKind::Device, 1);
  Route(store_->device(1), TargetKind::Terminator, 1);
  store_->term_x = -8;
  store_->term_y = 1915;
  DrawModel(*store_, canvas_);
  EXPECT_EQ(canvas_.PixelAt(0, 1), kBlack);  // generator's output line
  EXPECT_EQ(canvas_.PixelAt(2047, 1915), kBlack);
  EraseModel(*store_, canvas_);
  EXPECT_TRUE(test::IsAll(canvas_, kWhite));
}

TEST_F(ModelDrawingTest, AClippedGlyphKeepsItsVisiblePixels) {
  Device(1, 100, 100, 4);
  store_->term_x = 5000;
  DrawModel(*store_, canvas_);
  store_->device(1).xc = -9;
  store_->device(1).yc = 1905;
  RasterCanvas clipped;
  DrawModel(*store_, clipped);
  EXPECT_EQ(PaintedPixels(clipped),
            test::WithinBitmap(test::Shifted(PaintedPixels(canvas_), -109, 1805)));
}

TEST_F(ModelDrawingTest, ExtremePositionsAreClippedWithoutOverflow) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  GeneratorRecord& generator = Generator(1, kMax, kMin);
  Queue(1, 100, 100);
  DeviceRecord& device = Device(1, kMin, kMax, 9);
  Route(generator, TargetKind::Queue, 1);
  Route(device, TargetKind::Queue, 1);
  Route(device, TargetKind::Terminator, 1);
  store_->term_x = kMax;
  store_->term_y = kMax;
  DrawModel(*store_, canvas_);
  EXPECT_EQ(canvas_.PixelAt(2047, 125), kBlack);  // the generator's link detours below queue 1
  EXPECT_EQ(canvas_.PixelAt(93, 125), kBlack);
  EXPECT_EQ(canvas_.PixelAt(0, 105), kBlack);  // the device's link runs into queue 1
  EXPECT_EQ(canvas_.PixelAt(92, 105), kBlack);
  EraseModel(*store_, canvas_);
  EXPECT_TRUE(test::IsAll(canvas_, kWhite));
}

}  // namespace
}  // namespace qsim
