#include "editor/link_paths.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace qsim {
namespace {

constexpr int kLinkColumn = 21;
constexpr int kPortRow = 5;
constexpr int kInputPortColumn = -7;
constexpr int kDetourFromGeneratorOrQueue = 25;
constexpr int kDetourFromDevice = 15;

// Transition `number` leaves at column xc + 21 + number of the source's port row.
LinkPath LinkPoints(PicturePoint source, PicturePoint target, int number, int detour) {
  const std::int64_t column = source.x + kLinkColumn + number;
  const std::int64_t port_x = target.x + kInputPortColumn;
  LinkPath link;
  if (source.x < target.x) {
    link.points = {{{column, source.y + kPortRow},
                    {column, target.y + kPortRow},
                    {port_x, target.y + kPortRow}}};
    link.size = 3;
  } else {
    link.points = {{{column, source.y + kPortRow},
                    {column, target.y + detour},
                    {port_x, target.y + detour},
                    {port_x, target.y + kPortRow}}};
    link.size = 4;
  }
  link.number = number;
  return link;
}

std::optional<PicturePoint> QueueAt(const ModelStore& store, int slot) {
  if (!ModelStore::IsValidSlot(slot))
    return std::nullopt;
  return PicturePoint{store.queue(slot).xc, store.queue(slot).yc};
}

std::optional<PicturePoint> DeviceAt(const ModelStore& store, int slot) {
  if (!ModelStore::IsValidSlot(slot))
    return std::nullopt;
  return PicturePoint{store.device(slot).xc, store.device(slot).yc};
}

std::optional<PicturePoint> TargetOf(const ModelStore& store, ElementKind kind,
                                     const TransitionEntry& route) {
  switch (kind) {
    case ElementKind::Generator:
      return QueueAt(store, route.index);
    case ElementKind::Queue:
      return DeviceAt(store, route.index);
    case ElementKind::Device:
      break;
  }
  if (route.kind == TargetKind::Queue)
    return QueueAt(store, route.index);
  return PicturePoint{store.term_x, store.term_y};
}

// The element's transitions, the source point of their lines and their detour.
struct Source {
  const TransitionTable& transitions;
  std::int32_t transfer;
  PicturePoint at;
  int detour;
};

Source SourceOf(const ModelStore& store, ElementKind kind, int slot) {
  switch (kind) {
    case ElementKind::Generator: {
      const GeneratorRecord& g = store.generator(slot);
      return {g.transitions, g.transfer, {g.xc, g.yc}, kDetourFromGeneratorOrQueue};
    }
    case ElementKind::Queue: {
      const QueueRecord& q = store.queue(slot);
      return {q.transitions, q.transfer, {q.xc, q.yc}, kDetourFromGeneratorOrQueue};
    }
    case ElementKind::Device:
      break;
  }
  const DeviceRecord& d = store.device(slot);
  return {d.transitions, d.transfer, {d.xc, d.yc}, kDetourFromDevice};
}

// The distance along the axes from the point to the segment, which runs along
// one axis.
std::int64_t DistanceToSegment(CanvasPoint p, PicturePoint a, PicturePoint b) {
  const std::int64_t x = std::clamp<std::int64_t>(p.x, std::min(a.x, b.x), std::max(a.x, b.x));
  const std::int64_t y = std::clamp<std::int64_t>(p.y, std::min(a.y, b.y), std::max(a.y, b.y));
  return std::max(std::abs(p.x - x), std::abs(p.y - y));
}

bool Passes(const LinkPath& link, CanvasPoint p, int tolerance) {
  for (std::size_t i = 1; i < link.size; ++i) {
    if (DistanceToSegment(p, link.points[i - 1], link.points[i]) <= tolerance)
      return true;
  }
  return false;
}

}  // namespace

int LinkCount(const ModelStore& store, ElementKind kind, int slot) {
  return std::clamp<std::int32_t>(SourceOf(store, kind, slot).transfer, 0, kMaxTransitions);
}

std::optional<LinkPath> LinkOf(const ModelStore& store, ElementKind kind, int slot, int number) {
  const Source source = SourceOf(store, kind, slot);
  const TransitionEntry& route = source.transitions[number];
  const std::optional<PicturePoint> target = TargetOf(store, kind, route);
  if (!target)
    return std::nullopt;
  LinkPath link = LinkPoints(source.at, *target, number, source.detour);
  link.route = route;
  return link;
}

std::vector<LinkPath> OutgoingLinks(const ModelStore& store, ElementKind kind, int slot) {
  std::vector<LinkPath> links;
  for (int number = 1; number <= LinkCount(store, kind, slot); ++number) {
    if (std::optional<LinkPath> link = LinkOf(store, kind, slot, number))
      links.push_back(*link);
  }
  return links;
}

TransitionHit FindTransitionAt(const ModelStore& store, CanvasPoint p, int tolerance) {
  TransitionHit hit;
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    for (const ElementKind kind :
         {ElementKind::Queue, ElementKind::Device, ElementKind::Generator}) {
      if (!store.InUse(kind, slot))
        continue;
      for (const LinkPath& link : OutgoingLinks(store, kind, slot)) {
        if (Passes(link, p, tolerance))
          hit = {kind, slot, link.number};
      }
    }
  }
  return hit;
}

}  // namespace qsim
