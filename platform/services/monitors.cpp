#include "platform/services/monitors.h"

#include <algorithm>
#include <cstdlib>

namespace plat {

Rect VirtualBounds(const MonitorList& monitors) {
    Rect r;
    for (const Monitor& m : monitors) r = r.Union(m.bounds);
    return r;
}

MonitorList OffsetMonitors(const MonitorList& monitors, int dx, int dy) {
    MonitorList out = monitors;
    for (Monitor& m : out) {
        m.bounds = m.bounds.Offset(dx, dy);
        m.work = m.work.Offset(dx, dy);
    }
    return out;
}

namespace {
// Squared distance from (x, y) to the nearest pixel of r.
long long DistanceSq(const Rect& r, int x, int y) {
    const long long dx = x < r.left ? r.left - x : (x >= r.right ? x - (r.right - 1) : 0);
    const long long dy = y < r.top ? r.top - y : (y >= r.bottom ? y - (r.bottom - 1) : 0);
    return dx * dx + dy * dy;
}

long long Area(const Rect& r) { return r.Empty() ? 0 : static_cast<long long>(r.Width()) * r.Height(); }
}  // namespace

const Monitor& MonitorAt(const MonitorList& monitors, int x, int y) {
    const Monitor* best = &monitors.front();
    long long bestDistance = DistanceSq(best->bounds, x, y);
    for (const Monitor& m : monitors) {
        const long long d = DistanceSq(m.bounds, x, y);
        if (d < bestDistance) {
            best = &m;
            bestDistance = d;
        }
    }
    return *best;
}

const Monitor& MonitorOf(const MonitorList& monitors, const Rect& r) {
    const Monitor* best = nullptr;
    long long bestArea = 0;
    for (const Monitor& m : monitors) {
        const long long a = Area(m.bounds.Intersect(r));
        if (a > bestArea) {
            best = &m;
            bestArea = a;
        }
    }
    if (best) return *best;
    if (r.Empty()) return MonitorAt(monitors, r.left, r.top);
    return MonitorAt(monitors, r.left + r.Width() / 2, r.top + r.Height() / 2);
}

std::vector<Rect> UncoveredParts(const Rect& area, const MonitorList& monitors) {
    std::vector<Rect> parts;
    if (area.Empty()) return parts;
    parts.push_back(area);
    // Each monitor cuts every remaining part into at most four pieces around it.
    for (const Monitor& m : monitors) {
        std::vector<Rect> next;
        for (const Rect& p : parts) {
            const Rect cut = p.Intersect(m.bounds);
            if (cut.Empty()) {
                next.push_back(p);
                continue;
            }
            const Rect pieces[] = {{p.left, p.top, p.right, cut.top},
                                   {p.left, cut.bottom, p.right, p.bottom},
                                   {p.left, cut.top, cut.left, cut.bottom},
                                   {cut.right, cut.top, p.right, cut.bottom}};
            for (const Rect& piece : pieces)
                if (!piece.Empty()) next.push_back(piece);
        }
        parts = std::move(next);
    }
    return parts;
}

}  // namespace plat
