#include "ui/monitors.h"

#include <algorithm>
#include <cstdint>

namespace velvane::ui {

namespace {

std::int64_t OverlapArea(Rect a, Rect b) {
  const std::int64_t w = std::min(a.x + a.w, b.x + b.w) - std::max(a.x, b.x);
  const std::int64_t h = std::min(a.y + a.h, b.y + b.h) - std::max(a.y, b.y);
  return w > 0 && h > 0 ? w * h : 0;
}

// The gap between two rectangles along one axis; 0 when they overlap on it.
std::int64_t Gap(int aStart, int aLength, int bStart, int bLength) {
  if (aStart + aLength <= bStart) return static_cast<std::int64_t>(bStart) - (aStart + aLength);
  if (bStart + bLength <= aStart) return static_cast<std::int64_t>(aStart) - (bStart + bLength);
  return 0;
}

int MoveIntoAxis(int position, int length, int start, int areaLength) {
  if (position < start) return start;
  const int last = start + areaLength - length;
  return last >= position ? position : last;
}

}  // namespace

bool Overlaps(Rect a, Rect b) { return OverlapArea(a, b) > 0; }

Rect Union(Rect a, Rect b) {
  const int left = std::min(a.x, b.x), top = std::min(a.y, b.y);
  return {left, top, std::max(a.x + a.w, b.x + b.w) - left, std::max(a.y + a.h, b.y + b.h) - top};
}

Rect VirtualScreen(const std::vector<Monitor>& monitors) {
  if (monitors.empty()) return {};
  Rect all = monitors.front().bounds;
  for (const Monitor& m : monitors) all = Union(all, m.bounds);
  return all;
}

const Monitor& MonitorOf(const std::vector<Monitor>& monitors, Rect r) {
  const Monitor* best = &monitors.front();
  std::int64_t bestOverlap = -1;
  for (const Monitor& m : monitors) {
    const std::int64_t overlap = OverlapArea(m.bounds, r);
    if (overlap > bestOverlap) best = &m, bestOverlap = overlap;
  }
  if (bestOverlap > 0) return *best;
  std::int64_t bestDistance = -1;
  for (const Monitor& m : monitors) {
    const std::int64_t dx = Gap(r.x, r.w, m.bounds.x, m.bounds.w), dy = Gap(r.y, r.h, m.bounds.y, m.bounds.h);
    const std::int64_t distance = dx * dx + dy * dy;
    if (bestDistance < 0 || distance < bestDistance) best = &m, bestDistance = distance;
  }
  return *best;
}

Rect MoveInto(Rect r, Rect area) {
  return {MoveIntoAxis(r.x, r.w, area.x, area.w), MoveIntoAxis(r.y, r.h, area.y, area.h), r.w, r.h};
}

}  // namespace velvane::ui
