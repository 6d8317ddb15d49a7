#pragma once
// Plain value types shared by every layer. Nothing here knows about a window system.
#include <cmath>
#include <cstdint>

namespace plat {

// A native handle (HWND, HBITMAP...) as it crosses the portable interface.
using Handle = std::uintptr_t;

// 0x00BBGGRR: red in the low byte, as the system's colour values are stored.
using Color = std::uint32_t;

constexpr Color Rgb(int r, int g, int b) {
    return static_cast<Color>((r & 255) | ((g & 255) << 8) | ((b & 255) << 16));
}
constexpr int RedOf(Color c) { return static_cast<int>(c & 255); }
constexpr int GreenOf(Color c) { return static_cast<int>((c / 256) & 255); }
constexpr int BlueOf(Color c) { return static_cast<int>((c / 65536) & 255); }

// Single-precision to whole pixels: nearest, halves to the even neighbour.
inline std::int32_t RoundHalfEven(double v) {
    double r = std::nearbyint(v);  // default rounding mode is to-nearest-even
    return static_cast<std::int32_t>(r);
}

constexpr int kTwipsPerPixel = 15;

struct Point {
    int x = 0, y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Right and bottom are exclusive.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool Empty() const { return right <= left || bottom <= top; }
    // Left and top edges inside, right and bottom outside.
    constexpr bool Contains(int x, int y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
    constexpr Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    Rect Intersect(const Rect& o) const;
    Rect Union(const Rect& o) const;
    friend bool operator==(const Rect&, const Rect&) = default;
};

inline Rect Rect::Intersect(const Rect& o) const {
    Rect r{left > o.left ? left : o.left, top > o.top ? top : o.top,
           right < o.right ? right : o.right, bottom < o.bottom ? bottom : o.bottom};
    if (r.Empty()) return {};
    return r;
}
inline Rect Rect::Union(const Rect& o) const {
    if (Empty()) return o;
    if (o.Empty()) return *this;
    return {left < o.left ? left : o.left, top < o.top ? top : o.top,
            right > o.right ? right : o.right, bottom > o.bottom ? bottom : o.bottom};
}

// The parts of `area` outside `hole`: at most four bands (above, below, left,
// right), none empty; `area` itself when they do not meet.
struct RectBands {
    Rect part[4];
    int count = 0;
};
inline RectBands RectsOutside(const Rect& area, const Rect& hole) {
    RectBands out;
    const Rect h = area.Intersect(hole);
    auto add = [&out](const Rect& r) {
        if (!r.Empty()) out.part[out.count++] = r;
    };
    if (h.Empty()) {
        add(area);
        return out;
    }
    add({area.left, area.top, area.right, h.top});
    add({area.left, h.bottom, area.right, area.bottom});
    add({area.left, h.top, h.left, h.bottom});
    add({h.right, h.top, area.right, h.bottom});
    return out;
}

// Program-wide pointer shapes, numbered as the toolkit numbers them.
enum class MousePointer : int {
    Default = 0,
    Arrow = 1,
    Crosshair = 2,
    IBeam = 3,
    SizeNESW = 6,
    SizeNS = 7,
    SizeNWSE = 8,
    SizeWE = 9,
    Hourglass = 11,
    SizeAll = 15,
};

// Mouse buttons and shift state as the form events report them.
enum MouseButton : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
enum ShiftState : int { kShiftMask = 1, kCtrlMask = 2, kAltMask = 4 };

struct MouseArgs {
    int button = 0;  // the button pressed/released; for a move the set of buttons held
    int shift = 0;
    float x = 0, y = 0;  // in the receiving form's or control's pixels
};

struct Font {
    const wchar_t* face = L"Arial";
    float points = 9.0f;
    bool bold = false;
    // Dots an inch the points are drawn at; 0 is the base 96 (platform/dpi.h).
    int dpi = 0;
    friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace plat
