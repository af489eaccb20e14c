#include "app/canvas_zoom.h"

#include <algorithm>
#include <array>

namespace qsim::gui {
namespace {

constexpr std::array kSteps = {25, 50, 75, 100, 150, 200, 300, 400};

long long FloorDiv(long long a, long long b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

}  // namespace

int ZoomedIn(int percent) {
  const auto* next = std::upper_bound(kSteps.begin(), kSteps.end(), percent);
  return next == kSteps.end() ? kMaxZoom : *next;
}

int ZoomedOut(int percent) {
  const auto* first_not_below = std::lower_bound(kSteps.begin(), kSteps.end(), percent);
  return first_not_below == kSteps.begin() ? kMinZoom : *(first_not_below - 1);
}

// The centre of view pixel v, v + 1/2, scaled back: floor((2v + 1) * 100 / (2p)).
int ViewToCanvas(int view, int percent) {
  return int(FloorDiv((2LL * view + 1) * 100, 2LL * percent));
}

// The least v whose centre lies at or after c: v >= c * p / 100 - 1/2.
int CanvasToView(int canvas, int percent) {
  return int(-FloorDiv(-(2LL * canvas * percent - 100), 200));
}

}  // namespace qsim::gui
