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

PointF MagnifierOrigin(int pointerX, int pointerY, const plat::Rect& monitor) {
    int x = pointerX + kMagnifierGap, y = pointerY + kMagnifierGap;
    if (x + kMagnifierWidth > monitor.right) x = pointerX - kMagnifierGap - kMagnifierWidth;
    if (y + kMagnifierHeight > monitor.bottom) y = pointerY - kMagnifierGap - kMagnifierHeight;
    return {static_cast<float>(x), static_cast<float>(y)};
}

Magnifier::Magnifier(plat::Container& parent, const plat::Picture& source) : Control(parent), source_(source) {
    Move(0, 0, kMagnifierWidth, kMagnifierHeight);
    SetVisible(false);
}

void Magnifier::Follow(int x, int y, const plat::Rect& monitor) {
    if (x != x_ || y != y_) stale_ = true;
    x_ = x;
    y_ = y;
    const PointF o = MagnifierOrigin(x, y, monitor);
    if (o.x != Left() || o.y != Top()) {
        Move(o.x, o.y);
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
    if (view_.Empty()) view_ = plat::Picture::Create(kMagnifierWidth, kMagnifierHeight, kPanel);
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
        for (int line = 0; line < kMagnification; ++line) {
            std::uint32_t* to = view_.MutableRow(1 + row * kMagnification + line) + 1;
            for (int col = 0; col < kMagnifiedPixels; ++col)
                std::fill(to + col * kMagnification, to + (col + 1) * kMagnification, cells[col]);
        }
    }
    plat::Canvas& c = view_.Draw();
    // The centre pixel: a dark and a light ring, seen on any colour.
    const int centre = 1 + half * kMagnification;
    c.FrameRect({centre - 1, centre - 1, centre + kMagnification + 1, centre + kMagnification + 1},
                plat::Rgb(0, 0, 0), 1);
    c.FrameRect({centre, centre, centre + kMagnification, centre + kMagnification}, plat::Rgb(255, 255, 255), 1);
    c.FrameRect({0, 0, kMagnifierWidth, kMagnifierHeight}, kFrame, 1);

    const int textTop = 2 + kMagnifierZoomSize;
    c.FillRect({1, textTop, kMagnifierWidth - 1, kMagnifierHeight - 1}, kPanel);
    const plat::Color under = source_.Pixel(x_, y_);
    c.Text(5, textTop + 1, std::to_wstring(x_) + L", " + std::to_wstring(y_), kReadoutFont, kText);
    c.Text(5, textTop + 17, ColorReadoutText(plat::RedOf(under), plat::GreenOf(under), plat::BlueOf(under)),
           kReadoutFont, kText);
}

}  // namespace editor
