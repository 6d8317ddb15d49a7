#include "platform/toolkit/face_button.h"

namespace plat {

void FaceButton::SetCaption(std::wstring s) {
    caption_ = std::move(s);
    Invalidate();
}

void FaceButton::SetFace(Color face) {
    FaceColor = face;
    Invalidate();
}

void FaceButton::SetFont(const Font& f) {
    TextFont = f;
    Invalidate();
}

void FaceButton::Paint(Canvas& c, int ox, int oy) const {
    const Rect b = Bounds().Offset(ox, oy);
    if (b.Empty()) return;
    ClipScope clip(c, b);
    c.FillRect(b, FaceColor);
    // Raised: light on the top and left, dark on the bottom and right.
    c.FillRect({b.left, b.top, b.right, b.top + 1}, Rgb(255, 255, 255));
    c.FillRect({b.left, b.top, b.left + 1, b.bottom}, Rgb(255, 255, 255));
    c.FillRect({b.left, b.bottom - 1, b.right, b.bottom}, Rgb(64, 64, 64));
    c.FillRect({b.right - 1, b.top, b.right, b.bottom}, Rgb(64, 64, 64));
    const Point size = c.TextSize(caption_, TextFont);
    c.Text(b.left + (b.Width() - size.x) / 2, b.top + (b.Height() - size.y) / 2, caption_, TextFont, ForeColor);
}

void FaceButton::AssignFrom(const Control& src) {
    Control::AssignFrom(src);
    if (const auto* s = dynamic_cast<const FaceButton*>(&src)) {
        FaceColor = s->FaceColor;
        ForeColor = s->ForeColor;
        TextFont = s->TextFont;
        caption_ = s->caption_;
    }
}

}  // namespace plat
