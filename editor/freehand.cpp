#include "editor/freehand.h"

#include <algorithm>
#include <cmath>

namespace editor {

int PenWidth(int sizeValue) { return std::max(1, sizeValue); }

int HighlighterWidth(int sizeValue) { return std::max(kMinHighlighterWidth, 3 * sizeValue); }

plat::Rect CapsuleExtent(PointF a, PointF b, int width) {
    const float r = (width < 1 ? 0.5f : static_cast<float>(width) / 2) + 1;
    return {static_cast<int>(std::floor(std::min(a.x, b.x) - r)), static_cast<int>(std::floor(std::min(a.y, b.y) - r)),
            static_cast<int>(std::ceil(std::max(a.x, b.x) + r)) + 1,
            static_cast<int>(std::ceil(std::max(a.y, b.y) + r)) + 1};
}

// Pointer positions are pixel coordinates: the pixel (x, y) is the square
// from (x, y) to (x + 1, y + 1), so the segment runs between pixel centres.
bool InsideCapsule(PointF a, PointF b, float radius, float px, float py) {
    const float ax = a.x + 0.5f, ay = a.y + 0.5f, dx = b.x - a.x, dy = b.y - a.y;
    const float len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / len2 : 0;
    t = std::clamp(t, 0.0f, 1.0f);
    const float ex = px - (ax + t * dx), ey = py - (ay + t * dy);
    // A hair over the radius: a one-pixel pen along a diagonal keeps every step.
    return ex * ex + ey * ey <= radius * radius + 0.01f;
}

std::uint32_t MultiplyPixel(std::uint32_t under, plat::Color c) {
    auto ch = [](std::uint32_t u, int k) { return (u * static_cast<std::uint32_t>(k) + 127) / 255; };
    return (ch((under >> 16) & 255, plat::RedOf(c)) << 16) | (ch((under >> 8) & 255, plat::GreenOf(c)) << 8) |
           ch(under & 255, plat::BlueOf(c));
}

StrokeMask::StrokeMask(const plat::Rect& area)
    : area_(area),
      taken_(area.Empty() ? 0 : static_cast<std::size_t>(area.Width()) * static_cast<std::size_t>(area.Height())) {}

bool StrokeMask::Take(int x, int y) {
    if (!area_.Contains(x, y)) return false;
    std::uint8_t& t = taken_[static_cast<std::size_t>(y - area_.top) * static_cast<std::size_t>(area_.Width()) +
                             static_cast<std::size_t>(x - area_.left)];
    if (t) return false;
    t = 1;
    return true;
}

plat::Rect PaintStrokeSegment(plat::Picture& p, PointF a, PointF b, int width, plat::Color c,
                              const plat::Rect& clip, StrokeMask* mask) {
    const plat::Rect area = CapsuleExtent(a, b, width).Intersect(clip).Intersect({0, 0, p.Width(), p.Height()});
    if (area.Empty()) return {};
    const std::uint32_t ink = plat::PixelFromColor(c);
    int rowY = -1;
    std::uint32_t* row = nullptr;
    ForEachCapsulePixel(a, b, width, area, [&](int x, int y) {
        if (y != rowY) {
            row = p.MutableRow(y);
            rowY = y;
        }
        if (!mask) {
            row[x] = ink;
        } else if (mask->Take(x, y)) {
            row[x] = MultiplyPixel(row[x], c);
        }
    });
    return area;
}

}  // namespace editor
