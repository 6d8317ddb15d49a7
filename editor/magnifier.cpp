#include "editor/magnifier.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace editor {

namespace {
constexpr plat::Color kFrame = plat::Rgb(0, 122, 236);
constexpr plat::Color kPanel = plat::Rgb(255, 255, 255);
constexpr plat::Color kText = plat::Rgb(40, 60, 90);
const plat::Font kReadoutFont{L"Arial", 9.0f, false};
}  // namespace

namespace {
// Whole screen pixels a magnified pixel takes at `dpi`.
int CellSize(int dpi) { return std::max(1, plat::ScaledPx(kMagnification, dpi)); }
int TextHeight(int dpi) { return plat::ScaledPx(kMagnifierTextHeight, dpi); }
}  // namespace

plat::Point MagnifierSize(int dpi) {
    const int zoom = kMagnifiedPixels * CellSize(dpi);
    return {zoom + 2, zoom + 2 + TextHeight(dpi)};
}

PointF MagnifierOrigin(int pointerX, int pointerY, const plat::Rect& monitor, int dpi) {
    const plat::Point size = MagnifierSize(dpi);
    const int gap = plat::ScaledPx(kMagnifierGap, dpi);
    int x = pointerX + gap, y = pointerY + gap;
    if (x + size.x > monitor.right) x = pointerX - gap - size.x;
    if (y + size.y > monitor.bottom) y = pointerY - gap - size.y;
    return {static_cast<float>(x), static_cast<float>(y)};
}

Magnifier::Magnifier(plat::Container& parent, const plat::Picture& source) : Control(parent), source_(source) {
    Move(0, 0, kMagnifierWidth, kMagnifierHeight);
    SetVisible(false);
}

void Magnifier::Follow(int x, int y, const plat::Rect& monitor, int dpi) {
    if (x != x_ || y != y_) stale_ = true;
    x_ = x;
    y_ = y;
    if (dpi != dpi_) {
        dpi_ = dpi;
        view_ = {};
        stale_ = true;
    }
    const PointF o = MagnifierOrigin(x, y, monitor, dpi);
    const plat::Point size = MagnifierSize(dpi);
    if (o.x != Left() || o.y != Top() || size.x != plat::RoundHalfEven(Width())) {
        Move(o.x, o.y, static_cast<float>(size.x), static_cast<float>(size.y));
    } else if (stale_) {
        Invalidate();
    }
    SetVisible(true);
}

void Magnifier::Paint(plat::Canvas& c, int ox, int oy) const {
    if (stale_ || view_.Empty()) Render();
    c.DrawPicture(view_, ox + plat::RoundHalfEven(Left()), oy + plat::RoundHalfEven(Top()));
}

void Magnifier::Render() const {
    const plat::Point size = MagnifierSize(dpi_);
    const int cell = CellSize(dpi_), zoom = kMagnifiedPixels * cell;
    if (view_.Empty()) view_ = plat::Picture::Create(size.x, size.y, kPanel);
    if (view_.Empty()) return;
    stale_ = false;
    const int half = kMagnifiedPixels / 2;
    const std::uint32_t panel = plat::PixelFromColor(kPanel);
    for (int row = 0; row < kMagnifiedPixels; ++row) {
        // Outside the screen there is nothing to show: the panel's colour.
        const int sy = y_ - half + row;
        const std::uint32_t* from = sy >= 0 && sy < source_.Height() ? source_.Row(sy) : nullptr;
        std::uint32_t cells[kMagnifiedPixels];
        for (int col = 0; col < kMagnifiedPixels; ++col) {
            const int sx = x_ - half + col;
            cells[col] = from && sx >= 0 && sx < source_.Width() ? from[sx] : panel;
        }
        for (int line = 0; line < cell; ++line) {
            std::uint32_t* to = view_.MutableRow(1 + row * cell + line) + 1;
            for (int col = 0; col < kMagnifiedPixels; ++col) std::fill(to + col * cell, to + (col + 1) * cell, cells[col]);
        }
    }
    plat::Canvas& c = view_.Draw();
    // The centre pixel: a dark and a light ring, seen on any colour.
    const int centre = 1 + half * cell;
    c.FrameRect({centre - 1, centre - 1, centre + cell + 1, centre + cell + 1}, plat::Rgb(0, 0, 0), 1);
    c.FrameRect({centre, centre, centre + cell, centre + cell}, plat::Rgb(255, 255, 255), 1);
    c.FrameRect({0, 0, size.x, size.y}, kFrame, 1);

    const int textTop = 2 + zoom;
    c.FillRect({1, textTop, size.x - 1, size.y - 1}, kPanel);
    const plat::Font font = plat::FontAtDpi(kReadoutFont, dpi_);
    const plat::Color under = source_.Pixel(x_, y_);
    c.Text(plat::ScaledPx(5, dpi_), textTop + plat::ScaledPx(1, dpi_), std::to_wstring(x_) + L", " + std::to_wstring(y_),
           font, kText);
    c.Text(plat::ScaledPx(5, dpi_), textTop + plat::ScaledPx(17, dpi_),
           ColorReadoutText(plat::RedOf(under), plat::GreenOf(under), plat::BlueOf(under)), font, kText);
}

}  // namespace editor
