#pragma once

namespace qsim::gui {

// The scale at which the canvas view shows the picture, in percent, and the
// mapping between the view's pixels and the picture's. A view pixel stands for
// the picture pixel under its centre, as a scaled drawing samples it, so a
// click hits what the view shows there at every scale; at 100 % the two are
// the same pixels.
inline constexpr int kMinZoom = 25;
inline constexpr int kMaxZoom = 400;
inline constexpr int kNoZoom = 100;

// The next scale step up or down (25, 50, 75, 100, 150, 200, 300, 400 %),
// stopping at the bounds.
int ZoomedIn(int percent);
int ZoomedOut(int percent);

// The picture pixel that view pixel `view` shows (negative before the picture).
int ViewToCanvas(int view, int percent);

// The first view pixel that shows picture pixel `canvas` or one after it; the
// view pixels of a picture pixel run up to the first of the next one.
int CanvasToView(int canvas, int percent);

}  // namespace qsim::gui
