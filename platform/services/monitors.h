#pragma once
// The monitors of the desktop and the arithmetic of placing things on them:
// which monitor holds a point or a rectangle, and the parts of the virtual
// screen's bounding rectangle that no monitor shows. Plain functions over a
// plain list, so mixed layouts and scales are tested without any display.
#include <vector>

#include "platform/services/dpi.h"
#include "platform/services/types.h"

namespace plat {

struct Monitor {
    Rect bounds;  // in virtual-screen pixels; the primary's top-left is (0, 0)
    Rect work;    // the part not covered by task bars
    int dpi = kBaseDpi;
    friend bool operator==(const Monitor&, const Monitor&) = default;
};
using MonitorList = std::vector<Monitor>;

// Every monitor, the primary first; never empty (the primary screen alone
// when the system names none).
MonitorList Monitors();

// The bounding rectangle of every monitor: the virtual screen.
Rect VirtualBounds(const MonitorList& monitors);
// The list moved by (dx, dy): bounds and work areas alike.
MonitorList OffsetMonitors(const MonitorList& monitors, int dx, int dy);

// The monitor that shows (x, y), else the nearest one. The list must not be empty.
const Monitor& MonitorAt(const MonitorList& monitors, int x, int y);
// The monitor sharing the most area with r, else the one nearest its centre
// (an empty r counts as its top-left point).
const Monitor& MonitorOf(const MonitorList& monitors, const Rect& r);

// The parts of `area` that no monitor shows, as disjoint rectangles.
std::vector<Rect> UncoveredParts(const Rect& area, const MonitorList& monitors);

}  // namespace plat
