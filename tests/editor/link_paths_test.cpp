#include "editor/link_paths.h"

#include <gtest/gtest.h>

#include <memory>

#include "editor/model_edits.h"
#include "tests/support/placed_elements.h"

namespace qsim {
namespace {

using test_support::PlaceDevice;
using test_support::PlaceGenerator;
using test_support::PlaceQueue;

class LinkPathsTest : public ::testing::Test {
 protected:
  LinkPathsTest() {
    PlaceGenerator(*store_, 1, 100, 100);
    PlaceQueue(*store_, 1, 200, 100);
    PlaceDevice(*store_, 1, 300, 100, 1);
    PlaceDevice(*store_, 2, 150, 300, 1);  // to the left of the queue: a detour
    AppendTransition(*store_, ElementKind::Generator, 1, TargetKind::Queue, 1, 1);
    AppendTransition(*store_, ElementKind::Queue, 1, TargetKind::Device, 1, 0.25);
    AppendTransition(*store_, ElementKind::Queue, 1, TargetKind::Device, 2, 0.75);
    store_->term_x = 400;
    store_->term_y = 100;
  }
  std::unique_ptr<ModelStore> store_ = std::make_unique<ModelStore>();
};

TEST_F(LinkPathsTest, LinesRunAsTheyAreDrawn) {
  const std::vector<LinkPath> links = OutgoingLinks(*store_, ElementKind::Queue, 1);
  ASSERT_EQ(links.size(), 2u);
  using Point = std::pair<std::int64_t, std::int64_t>;
  const auto xy = [](const PicturePoint& p) { return Point(p.x, p.y); };
  // To the right: an L into the input port.
  EXPECT_EQ(links[0].size, 3u);
  EXPECT_EQ(xy(links[0].points[0]), Point(222, 105));
  EXPECT_EQ(xy(links[0].points[2]), Point(293, 105));
  // To the left: 25 pixels below the target, into the port from below.
  ASSERT_EQ(links[1].size, 4u);
  EXPECT_EQ(xy(links[1].points[1]), Point(223, 325));
  EXPECT_EQ(xy(links[1].points[3]), Point(143, 305));
  EXPECT_EQ(links[1].route.prob, 0.75);
}

TEST_F(LinkPathsTest, ATransitionIsPickedOnItsLine) {
  struct Case {
    CanvasPoint p;
    int slot;
    int number;
  };
  const Case cases[] = {
      {{223, 200}, 1, 2},  // the second line's vertical run
      {{250, 106}, 1, 1},  // one pixel off the first line's run
      {{180, 324}, 1, 2},  // the detour below device 2
      {{250, 110}, 0, 0},  // too far from every line
  };
  for (const Case& c : cases) {
    const TransitionHit hit = FindTransitionAt(*store_, c.p, 2);
    EXPECT_EQ(hit.slot, c.slot) << c.p.x << "," << c.p.y;
    EXPECT_EQ(hit.number, c.number) << c.p.x << "," << c.p.y;
  }
  EXPECT_EQ(FindTransitionAt(*store_, {150, 105}, 2).source, ElementKind::Generator);
}

TEST_F(LinkPathsTest, TheModelExtentHoldsEveryGlyph) {
  const CanvasBox extent = ModelExtent(*store_);
  EXPECT_EQ(extent.left, 100);
  EXPECT_EQ(extent.top, 100);
  EXPECT_EQ(extent.right, 415);
  EXPECT_EQ(extent.bottom, 310);
}

}  // namespace
}  // namespace qsim
