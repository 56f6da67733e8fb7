#pragma once
// Where a window belongs when the desktop spans several monitors: the monitor a rectangle is on, the virtual screen
// they cover together, and moving a rectangle into an area. Pure rules over a list of monitors (ui::Monitors() gives
// the real one), so tests can lay out any desktop.
#include <vector>

#include "ui/forms.h"

namespace velvane::ui {

bool Overlaps(Rect a, Rect b);
// The smallest rectangle that holds both.
Rect Union(Rect a, Rect b);
// The rectangle that holds every monitor; empty for no monitor.
Rect VirtualScreen(const std::vector<Monitor>& monitors);
// The monitor that shows the largest part of the rectangle; when none shows any of it, the nearest one (the first
// of equals). The list must not be empty.
const Monitor& MonitorOf(const std::vector<Monitor>& monitors, Rect r);
// The rectangle moved (not resized) into the area; one larger than the area keeps its right or bottom edge on the
// area's, as the side bar's clamp does.
Rect MoveInto(Rect r, Rect area);

}  // namespace velvane::ui
