#include "editor/step_badges.h"

#include <algorithm>
#include <string>

namespace editor {

int BadgeDiameter(int sizeValue) { return std::clamp(12 + 4 * sizeValue, 16, 72); }

plat::Rect BadgeCircle(PointF at, int diameter) {
    const plat::Point c = {plat::RoundHalfEven(at.x), plat::RoundHalfEven(at.y)};
    // The centre pixel in the middle: an odd side shares the rest evenly.
    const int left = c.x - diameter / 2, top = c.y - diameter / 2;
    return {left, top, left + diameter, top + diameter};
}

plat::Point BadgeTextOrigin(const plat::Rect& circle, plat::Point textSize) {
    return {circle.left + (circle.Width() - textSize.x) / 2, circle.top + (circle.Height() - textSize.y) / 2};
}

plat::Font BadgeFont(int diameter) {
    // Points at the base 96 dots an inch: 3 points make 4 pixels.
    return plat::Font{L"Arial", static_cast<float>(diameter) * 0.42f, true};
}

void FillDisc(plat::Picture& p, const plat::Rect& circle, plat::Color c, const plat::Rect& clip) {
    const plat::Rect area = circle.Intersect(clip).Intersect({0, 0, p.Width(), p.Height()});
    const float cx = static_cast<float>(circle.left + circle.right) / 2;
    const float cy = static_cast<float>(circle.top + circle.bottom) / 2;
    const float r = static_cast<float>(circle.Width()) / 2;
    const std::uint32_t ink = plat::PixelFromColor(c);
    for (int y = area.top; y < area.bottom; ++y) {
        std::uint32_t* row = p.MutableRow(y);
        const float dy = static_cast<float>(y) + 0.5f - cy;
        for (int x = area.left; x < area.right; ++x) {
            const float dx = static_cast<float>(x) + 0.5f - cx;
            if (dx * dx + dy * dy <= r * r) row[x] = ink;
        }
    }
}

void DrawStepBadge(plat::Picture& p, const plat::Rect& circle, int number, plat::Color c, const plat::Rect& clip) {
    FillDisc(p, circle, c, clip);
    const std::wstring text = std::to_wstring(number);
    const plat::Font font = BadgeFont(circle.Width());
    plat::Canvas& canvas = p.Draw();
    const plat::Point at = BadgeTextOrigin(circle, canvas.TextSize(text, font));
    canvas.SetClip(clip);
    canvas.Text(at.x, at.y, text, font, plat::Rgb(255, 255, 255));
    canvas.ResetClip();
}

}  // namespace editor
