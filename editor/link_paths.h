#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "editor/hit_test.h"
#include "model/model_store.h"

namespace qsim {

// A point of the picture, held in 64 bits so that offsets from any stored
// position stay exact.
struct PicturePoint {
  std::int64_t x = 0;
  std::int64_t y = 0;
};

// The line of one transition as the picture draws it: the pen moves to the first
// point and draws through the others, each line leaving its end point unpainted.
// Transition `number` (1-based) leaves at column xc + 21 + number and enters the
// target's input port (xc - 7, yc + 5); a target that is not strictly to the
// right is reached by a detour below its reference row (25 pixels from a
// generator or a queue, 15 from a device), entering the port from below.
struct LinkPath {
  int number = 0;
  TransitionEntry route;
  std::array<PicturePoint, 4> points{};  // the first `size` are the line's
  std::size_t size = 0;
};

// The number of the element's transitions that have lines: `transfer`, at most 30.
int LinkCount(const ModelStore& store, ElementKind kind, int slot);

// The line of the element's transition `number` (1..LinkCount), whether or not
// the element exists; none when its target slot lies outside 1..150. A
// device's transition of any kind but queue leads to the terminator.
std::optional<LinkPath> LinkOf(const ModelStore& store, ElementKind kind, int slot, int number);

// The lines of all the element's transitions, in their order.
std::vector<LinkPath> OutgoingLinks(const ModelStore& store, ElementKind kind, int slot);

// A transition picked on the picture: slot 0 when none.
struct TransitionHit {
  ElementKind source = ElementKind::Queue;
  int slot = 0;
  int number = 0;
};

// The transition of an existing element whose line passes within `tolerance`
// pixels of the point; where lines share a run, the last drawn (the highest
// slot, then the highest number) wins, as on the picture.
TransitionHit FindTransitionAt(const ModelStore& store, CanvasPoint p, int tolerance);

}  // namespace qsim
