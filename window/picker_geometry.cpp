#include "window/picker_geometry.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <limits>

namespace window {

plat::Point ProbePoint(plat::Point cursor) {
    return {cursor.x > 3 ? cursor.x - 3 : cursor.x, cursor.y > 3 ? cursor.y - 3 : cursor.y};
}

plat::Rect OverlayBounds(const plat::Rect& w) { return {w.left - 2, w.top - 2, w.right, w.bottom}; }

namespace {

// A rectangle given by any two corners, as the platform's regions take them.
plat::Rect Normalized(int x1, int y1, int x2, int y2) {
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

// a minus b as up to four rectangles that do not overlap: the bands above
// and below b, then the parts left and right of it.
void Subtract(const plat::Rect& a, const plat::Rect& b, std::vector<plat::Rect>& out) {
    if (a.Empty()) return;
    const plat::Rect cut = a.Intersect(b);
    if (cut.Empty()) {
        out.push_back(a);
        return;
    }
    if (cut.top > a.top) out.push_back({a.left, a.top, a.right, cut.top});
    if (cut.left > a.left) out.push_back({a.left, cut.top, cut.left, cut.bottom});
    if (cut.right < a.right) out.push_back({cut.right, cut.top, a.right, cut.bottom});
    if (cut.bottom < a.bottom) out.push_back({a.left, cut.bottom, a.right, a.bottom});
}

}  // namespace

std::vector<plat::Rect> OverlayRegion(int sw, int sh, int markerX, int markerY, int marker) {
    const plat::Rect outer = Normalized(0, 0, sw, sh);
    const plat::Rect inner = Normalized(4, 4, sw - 4, sh - 4);
    std::vector<plat::Rect> frame;  // outer XOR inner
    Subtract(outer, inner, frame);
    Subtract(inner, outer, frame);
    // The marker joins the frame: only its part outside the frame is added,
    // so the parts never overlap.
    std::vector<plat::Rect> parts = frame;
    std::vector<plat::Rect> rest{Normalized(markerX, markerY, markerX + marker, markerY + marker)};
    for (const plat::Rect& f : frame) {
        std::vector<plat::Rect> next;
        for (const plat::Rect& r : rest) Subtract(r, f, next);
        rest = std::move(next);
    }
    parts.insert(parts.end(), rest.begin(), rest.end());
    std::stable_sort(parts.begin(), parts.end(), [](const plat::Rect& a, const plat::Rect& b) {
        return a.top != b.top ? a.top < b.top : a.left < b.left;
    });
    return parts;
}

std::int32_t BorderPerimeter(int outerWidth, int outerHeight) {
    const double twips = (static_cast<double>(outerWidth) + outerHeight) * plat::kTwipsPerPixel;
    return plat::RoundHalfEven(twips * 2 / plat::kTwipsPerPixel);
}

int NextBorderInterval(int intervalMs) {
    return intervalMs > 50 ? plat::RoundHalfEven(intervalMs / 1.1) : intervalMs;
}

std::int32_t NextBorderStep(std::int32_t step) { return step + 1 > 100 ? 0 : step + 1; }

BorderChange AnimateBorder(std::int32_t k, std::int32_t perimeter, double wp, double hp) {
    const double p = perimeter;
    const double a = plat::RoundHalfEven(p / 100 * k);
    const double half = p / 2;
    auto ends = [](double x1, double y1, double x2, double y2) {
        return LineEnds{static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2),
                        static_cast<float>(y2)};
    };
    BorderChange c;
    if (a < 50) {
        c.line2Visible = true;
        c.line2 = ends(2, 50 - a, 2, 0);
        c.line1 = ends(2, 0, a, 0);
    } else if (a <= wp) {
        c.line2Visible = false;
        c.line1 = ends(a - 52, 2, a - 2, 2);
    } else if (a < wp + 50) {
        c.line2 = ends(a - 50, 0, wp, 0);
        c.line2Visible = true;
        c.line1 = ends(wp - 2, 0, wp - 2, a - wp);
    } else if (a <= half) {
        c.line2Visible = false;
        c.line1 = ends(wp - 2, a - wp, wp - 2, a - 50 - wp);
    } else if (a < half + 50) {
        c.line2Visible = true;
        c.line2 = ends(wp - 2, a - 50 - wp, wp - 2, hp);
        c.line1 = ends(wp - 2, hp - 2, wp - 2 - (a - half), hp - 2);
    } else if (a <= 2 * wp + hp) {
        c.line2Visible = false;
        c.line1 = ends(wp - a + half, hp - 2, wp - a + half + 50, hp - 2);
    } else if (a < wp + half + 50) {
        c.line2 = ends(wp + half + 52 - a, hp - 2, 2, hp - 2);
        c.line2Visible = true;
        c.line1 = ends(2, hp - 2, 2, p - a);
    } else if (a < p) {
        c.line2Visible = false;
        c.line1 = ends(2, p - a, 2, p - a + 50);
    }
    return c;
}

namespace {
std::int16_t ToInt16(double v) {
    const std::int32_t r = plat::RoundHalfEven(v);
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(r, -32768, 32767));
}
int Part(std::int16_t v) { return std::clamp<int>(v, 0, 255); }
}  // namespace

std::optional<plat::Color> GlowStep(Glow& g, double (*random)()) {
    if (g.red > 255 || g.green > 255 || g.blue > 255) g.factor = 1.0f / g.factor;
    if (g.red < 80 && g.green < 80 && g.blue < 80) {
        g.factor = 1.0f / g.factor;
        // In this order: green, red, blue, each from a new number.
        g.green = ToInt16(std::floor(random() * 256) / 2);
        g.red = ToInt16(std::floor(random() * 256) / 2 + 30);
        g.blue = ToInt16(std::floor(random() * 256) / 2);
        return std::nullopt;
    }
    // A part times the single-precision factor is a single-precision product.
    g.red = ToInt16(static_cast<float>(g.red) * g.factor);
    g.green = ToInt16(static_cast<float>(g.green) * g.factor);
    g.blue = ToInt16(static_cast<float>(g.blue) * g.factor);
    return GlowColor(g);
}

plat::Color GlowColor(const Glow& g) { return plat::Rgb(Part(g.red), Part(g.green), Part(g.blue)); }

namespace {
std::wstring Field4(long long v) {
    std::wstring s = std::to_wstring(v);
    if (s.size() < 4) s.insert(0, 4 - s.size(), L' ');
    return s;
}
}  // namespace

std::wstring RectText(long long left, long long top, long long width, long long height) {
    return L"(" + Field4(left) + L"," + Field4(top) + L")(" + Field4(width) + L"," + Field4(height) + L")";
}

std::wstring HexText(std::uint64_t value) {
    static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring digits;
    do {
        digits.insert(digits.begin(), kDigits[value & 15]);
        value >>= 4;
    } while (value);
    return L"&H" + digits;
}

long long LeadingNumber(const std::wstring& text) {
    size_t i = 0;
    while (i < text.size() && std::iswspace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
    long long n = 0;
    constexpr long long kMax = std::numeric_limits<long long>::max();
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        const int d = text[i] - L'0';
        if (n > (kMax - d) / 10) return negative ? -kMax : kMax;  // beyond any handle: held at the limit
        n = n * 10 + d;
    }
    return negative ? -n : n;
}

plat::Point PaneAfterKey(const PaneGeometry& g, int keyCode) {
    int left = g.pictureLeft, top = g.pictureTop;
    switch (keyCode) {
        case 33:  // Page Up
            top = top < -g.pageHeight ? top + g.pageHeight : 0;
            break;
        case 34:  // Page Down
            if (g.pageHeight - g.pictureHeight < top) top -= g.pageHeight;
            break;
        case 37:
            if (left < 30) left += 30;
            break;
        case 38:
            if (top < 30) top += 30;
            break;
        case 39:
            if (g.pageWidth - g.pictureWidth + 10 < left) left -= 30;
            break;
        case 40:
            if (g.pageHeight - g.pictureHeight + 10 < top) top -= 30;
            break;
        default:
            break;
    }
    return {left, top};
}

int PaneOffset(int size, int page, int barMax, int barValue, int current) {
    if (size <= page) return current;
    if (barMax == 0) return 0;  // a bar without a range cannot move the picture
    return plat::RoundHalfEven(-static_cast<double>(size - page) / barMax * barValue);
}

}  // namespace window
