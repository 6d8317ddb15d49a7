#include "editor/selection_geometry.h"

#include <charconv>
#include <string>

namespace editor {

std::optional<Selection> DraggedSelection(float ax, float ay, float x, float y) {
    if (x == ax || y == ay) return std::nullopt;
    Selection s;
    s.left = x > ax ? ax : x;
    s.top = y > ay ? ay : y;
    s.width = x > ax ? x - ax : ax - x;
    s.height = y > ay ? y - ay : ay - y;
    return s;
}

PointF MovedSelectionOrigin(float anchorX, float anchorY, float pressX, float pressY, float x, float y,
                            float width, float height, float screenWidth, float screenHeight) {
    PointF p{anchorX - (pressX - x), anchorY - (pressY - y)};
    if (p.x < 0) p.x = 0;
    if (p.y < 0) p.y = 0;
    // Checked after the zero clamp: a selection wider than the screen ends up
    // partly off its left edge rather than off its right one.
    if (screenWidth < p.x + width) p.x = screenWidth - width;
    if (screenHeight < p.y + height) p.y = screenHeight - height;
    return p;
}

plat::Rect SelectionRectOf(const Selection& s) {
    return {plat::RoundHalfEven(s.left), plat::RoundHalfEven(s.top), plat::RoundHalfEven(s.left + s.width),
            plat::RoundHalfEven(s.top + s.height)};
}

bool StrictlyInside(const Selection& s, float x, float y) {
    return s.left < x && x < s.Right() && s.top < y && y < s.Bottom();
}

PointF HandleOrigin(int i, const Selection& s, float hw, float hh) {
    const float l = s.left, t = s.top, r = s.Right(), b = s.Bottom();
    const float mx = s.left + s.width / 2, my = s.top + s.height / 2;
    switch (i) {
        case 0: return {l - hw / 2, t - hh / 2};
        case 1: return {mx - hw / 2, t - hh / 2};
        // Two thirds of the handle left of the right edge, not half.
        case 2: return {r - hw / 1.5f, t - hh / 2};
        case 3: return {l - hw / 2, my - hh / 2};
        case 4: return {l - hw / 2, b - hh / 2};
        case 5: return {mx - hw / 2, b - hh / 2};
        case 6: return {r - hw / 2, b - hh / 2};
        default: return {r - hw / 2, my - hh / 2};
    }
}

plat::MousePointer HandlePointerShape(int i) {
    switch (i) {
        case 0:
        case 6: return plat::MousePointer::SizeNWSE;
        case 2:
        case 4: return plat::MousePointer::SizeNESW;
        case 1:
        case 5: return plat::MousePointer::SizeNS;
        default: return plat::MousePointer::SizeWE;
    }
}

std::optional<Selection> ResizedByHandle(int i, float px, float py, const GrabEdges& g) {
    constexpr float h = 2;  // half the handle's size
    float l = g.left, t = g.top, r = g.right, b = g.bottom;
    switch (i) {
        case 0: l = px + h; t = py + h; break;
        case 1: t = py + h; break;
        case 2: t = py + h; r = px + h; break;
        case 3: l = px + h; break;
        case 4: l = px + h; b = py; break;
        case 5: b = py; break;
        case 6: r = px; b = py; break;
        default: r = px; break;
    }
    if (r - l < 0 || b - t < 0) return std::nullopt;
    return Selection{l, t, r - l, b - t};
}

PointF ToolbarOrigin(const Selection& s, float tw, float th, const plat::MonitorList& monitors) {
    const plat::Rect m = ToolbarMonitor(s, monitors);
    const float inside = s.Bottom() - th - 4;
    PointF p{s.Right() - tw, static_cast<float>(m.bottom) >= s.Bottom() + 4 + th ? s.Bottom() + 4 : inside};
    auto shown = [&](PointF o) {
        const plat::Rect r = SelectionRectOf({o.x, o.y, tw, th});
        return plat::UncoveredParts(r, monitors).empty();
    };
    if (!shown(p)) {
        if (p.x + tw > static_cast<float>(m.right)) p.x = static_cast<float>(m.right) - tw;
        if (p.x < static_cast<float>(m.left)) p.x = static_cast<float>(m.left);
    }
    // Below, beside a shorter neighbour monitor: inside instead.
    if (!shown(p)) p.y = inside;
    return p;
}

plat::Rect ToolbarMonitor(const Selection& s, const plat::MonitorList& monitors) {
    // The corner pixel itself: the right and bottom edges are exclusive.
    const plat::Rect r = SelectionRectOf(s);
    return plat::MonitorAt(monitors, r.right > r.left ? r.right - 1 : r.left, r.bottom > r.top ? r.bottom - 1 : r.top)
        .bounds;
}

const plat::Monitor& SelectionMonitor(const Selection& s, const plat::MonitorList& monitors) {
    return plat::MonitorOf(monitors, SelectionRectOf(s));
}

PointF LogoOrigin(LogoPosition pos, const Selection& s, float lw, float lh) {
    switch (pos) {
        case LogoPosition::Middle: return {s.left + (s.width - lw) / 2, s.top + (s.height - lh) / 2};
        case LogoPosition::UpperLeft: return {s.left, s.top};
        case LogoPosition::LowerLeft: return {s.left, s.Bottom() - lh};
        case LogoPosition::UpperRight: return {s.Right() - lw, s.top};
        case LogoPosition::LowerRight: break;
    }
    return {s.Right() - lw, s.Bottom() - lh};
}

namespace {
std::wstring ShortestDecimal(float v) {
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::wstring(buf, res.ptr);
}
}  // namespace

std::wstring SizeLabelText(float width, float height) {
    return ShortestDecimal(width) + L"x" + ShortestDecimal(height);
}

std::wstring ColorReadoutText(int red, int green, int blue) {
    return L"RGB(" + std::to_wstring(red) + L"," + std::to_wstring(green) + L"," + std::to_wstring(blue) + L")";
}

Selection NudgedSelection(const Selection& s, float dx, float dy, bool resize, float screenWidth,
                          float screenHeight) {
    auto held = [](float v, float lo, float hi) { return v < lo ? lo : (v > hi ? hi : v); };
    Selection n = s;
    if (resize) {
        n.width = held(s.width + dx, 0, screenWidth - s.left);
        n.height = held(s.height + dy, 0, screenHeight - s.top);
    } else {
        n.left = held(s.left + dx, 0, screenWidth - s.width);
        n.top = held(s.top + dy, 0, screenHeight - s.height);
    }
    return n;
}



float KeptInside(float want, float size, float limit) {
    if (want + size > limit) want = limit - size;
    return want < 0 ? 0 : want;
}

}  // namespace editor
