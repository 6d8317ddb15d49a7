#include "editor/annotation_geometry.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace editor {

PointF HeldToSelection(const Selection& s, float x, float y) {
    const float r = s.Right(), b = s.Bottom();
    return {x > r ? r : (x < s.left ? s.left : x), y > b ? b : (y < s.top ? s.top : y)};
}

plat::Point PixelOf(PointF p) { return {plat::RoundHalfEven(p.x), plat::RoundHalfEven(p.y)}; }

std::optional<std::array<Segment, 3>> ArrowStrokes(PointF tail, PointF tip, float size) {
    // From the tip back towards the tail; all in single precision.
    const float dx = tail.x - tip.x, dy = tail.y - tip.y;
    const float len = std::sqrt(dx * dx + dy * dy);
    if (len <= 1e-10f) return std::nullopt;
    const PointF a{tip.x + size * (dx + dy / 2) / len, tip.y + size * (dy - dx / 2) / len};
    const PointF b{tip.x + size * (dx - dy / 2) / len, tip.y + size * (dy + dx / 2) / len};
    return std::array<Segment, 3>{Segment{a, tip}, Segment{b, tip}, Segment{tail, tip}};
}

namespace {
// The pixel box spanned by two points, both corner pixels inside it.
plat::Rect PixelSpan(plat::Point a, plat::Point b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1};
}

plat::Rect Grown(const plat::Rect& r, int by) { return {r.left - by, r.top - by, r.right + by, r.bottom + by}; }

// How far a pen reaches beyond the geometric path: half its width, and one
// more for the way wide pens split an even width unevenly about the pixel.
int PenOverhang(int penWidth) { return std::max(penWidth, 1) / 2 + 1; }
}  // namespace

plat::Rect EllipseRect(PointF start, PointF end) {
    const plat::Point a = PixelOf(start), b = PixelOf(end);
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

plat::Rect BoxOutlineRect(PointF start, PointF end, int penWidth) {
    const int w = std::max(penWidth, 1);
    const plat::Rect span = PixelSpan(PixelOf(start), PixelOf(end));
    // A band w wide about a pixel column c covers c - w/2 .. c - w/2 + w - 1.
    const int before = w / 2, after = w - 1 - w / 2;
    return {span.left - before, span.top - before, span.right + after, span.bottom + after};
}

plat::Rect ShapeExtent(const RubberBand& shape) {
    const int m = PenOverhang(shape.penWidth);
    switch (shape.kind) {
        case ShapeKind::Arrow: {
            const auto strokes = ArrowStrokes(shape.start, shape.end, kArrowHeadSize);
            if (!strokes) return {};
            plat::Rect r;
            for (const Segment& s : *strokes) r = r.Union(PixelSpan(PixelOf(s.from), PixelOf(s.to)));
            return Grown(r, m);
        }
        case ShapeKind::Ellipse: return Grown(EllipseRect(shape.start, shape.end), m);
        case ShapeKind::Rectangle: break;
    }
    return Grown(PixelSpan(PixelOf(shape.start), PixelOf(shape.end)), m);
}

float GrownTextBoxWidth(float boxWidth, float textWidth) { return textWidth > boxWidth ? textWidth : boxWidth; }

plat::Point TextOrigin(float boxLeft, float boxTop) { return PixelOf({boxLeft, boxTop}); }

namespace {
std::optional<double> DecimalOf(std::wstring_view text) {
    std::string narrow;
    for (wchar_t c : text) {
        if (static_cast<unsigned long>(c) > 127) return std::nullopt;
        narrow += static_cast<char>(c);
    }
    const auto first = narrow.find_first_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    const auto last = narrow.find_last_not_of(' ');
    std::string_view s(narrow.data() + first, last - first + 1);
    // from_chars takes a minus sign but not a plus.
    if (s.front() == '+') {
        s.remove_prefix(1);
        if (s.empty() || s.front() == '-') return std::nullopt;
    }
    double v = 0;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), v);
    if (res.ec != std::errc() || res.ptr != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}
}  // namespace

std::optional<float> SizeValueOf(std::wstring_view text) {
    const auto v = DecimalOf(text);
    if (!v || std::abs(*v) > 3.4e38) return std::nullopt;
    return static_cast<float>(*v);
}

std::optional<int> WholeSizeOf(std::wstring_view text, int lo, int hi) {
    const auto v = DecimalOf(text);
    if (!v) return std::nullopt;
    // Rounded as plat::RoundHalfEven rounds, but checked before narrowing to int.
    const double r = std::nearbyint(*v);
    if (r < lo || r > hi) return std::nullopt;
    return static_cast<int>(r);
}

}  // namespace editor
