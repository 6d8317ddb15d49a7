#include "editor/magnifier.h"

#include <string>

namespace editor {

namespace {
constexpr plat::Color kFrame = plat::Rgb(0, 122, 236);
constexpr plat::Color kPanel = plat::Rgb(255, 255, 255);
constexpr plat::Color kText = plat::Rgb(40, 60, 90);
const plat::Font kReadoutFont{L"Arial", 9.0f, false};
}  // namespace

PointF MagnifierOrigin(int pointerX, int pointerY, float screenWidth, float screenHeight) {
    float x = static_cast<float>(pointerX + kMagnifierGap), y = static_cast<float>(pointerY + kMagnifierGap);
    if (x + kMagnifierWidth > screenWidth) x = static_cast<float>(pointerX - kMagnifierGap - kMagnifierWidth);
    if (y + kMagnifierHeight > screenHeight) y = static_cast<float>(pointerY - kMagnifierGap - kMagnifierHeight);
    return {x, y};
}

Magnifier::Magnifier(plat::Container& parent, const plat::Picture& source) : Control(parent), source_(source) {
    Move(0, 0, kMagnifierWidth, kMagnifierHeight);
    SetVisible(false);
}

void Magnifier::Follow(int x, int y, float screenWidth, float screenHeight) {
    const bool samePixel = x == x_ && y == y_ && Visible();
    x_ = x;
    y_ = y;
    const PointF o = MagnifierOrigin(x, y, screenWidth, screenHeight);
    if (o.x != Left() || o.y != Top()) {
        Move(o.x, o.y);
    } else if (!samePixel) {
        Invalidate();
    }
    SetVisible(true);
}

void Magnifier::Paint(plat::Canvas& c, int ox, int oy) const {
    const plat::Rect b = Bounds().Offset(ox, oy);
    plat::ClipScope clip(c, b);
    c.FillRect(b, kPanel);
    const int half = kMagnifiedPixels / 2;
    for (int row = 0; row < kMagnifiedPixels; ++row)
        for (int col = 0; col < kMagnifiedPixels; ++col) {
            const int left = b.left + 1 + col * kMagnification, top = b.top + 1 + row * kMagnification;
            // Outside the screen there is nothing to show: the panel's colour.
            const int sx = x_ - half + col, sy = y_ - half + row;
            const bool onScreen = sx >= 0 && sy >= 0 && sx < source_.Width() && sy < source_.Height();
            c.FillRect({left, top, left + kMagnification, top + kMagnification},
                       onScreen ? source_.Pixel(sx, sy) : kPanel);
        }
    // The centre pixel: a dark and a light ring, seen on any colour.
    const int cl = b.left + 1 + half * kMagnification, ct = b.top + 1 + half * kMagnification;
    c.FrameRect({cl - 1, ct - 1, cl + kMagnification + 1, ct + kMagnification + 1}, plat::Rgb(0, 0, 0), 1);
    c.FrameRect({cl, ct, cl + kMagnification, ct + kMagnification}, plat::Rgb(255, 255, 255), 1);
    c.FrameRect(b, kFrame, 1);

    const plat::Color under = source_.Pixel(x_, y_);
    const int textTop = b.top + 2 + kMagnifierZoomSize;
    c.Text(b.left + 5, textTop + 1, std::to_wstring(x_) + L", " + std::to_wstring(y_), kReadoutFont, kText);
    c.Text(b.left + 5, textTop + 17,
           ColorReadoutText(plat::RedOf(under), plat::GreenOf(under), plat::BlueOf(under)), kReadoutFont, kText);
}

}  // namespace editor
