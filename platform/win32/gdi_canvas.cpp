#include "platform/win32/gdi_canvas.h"

#include <map>
#include <string>
#include <tuple>

#include "platform/services/dpi.h"
#include "platform/win32/handles.h"

namespace plat::win32 {

namespace {
COLORREF Ref(Color c) { return static_cast<COLORREF>(c & 0xFFFFFF); }
}  // namespace

HFONT FontFor(const Font& f) {
    using Key = std::tuple<std::wstring, int, bool>;
    static std::map<Key, FontOwner> cache;
    // Points to pixels at the font's DPI (the base 96 unless it names one).
    int height = -FontPixelHeight(f);
    Key key{f.face ? f.face : L"Arial", height, f.bold};
    auto it = cache.find(key);
    if (it != cache.end()) return it->second.Get();
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(lf.lfFaceName, std::get<0>(key).c_str(), LF_FACESIZE);
    auto [pos, inserted] = cache.emplace(key, FontOwner(CreateFontIndirectW(&lf)));
    (void)inserted;
    return pos->second.Get();
}

void GdiCanvas::FillRect(const Rect& r, Color c) {
    if (r.Empty()) return;
    // SetBkColor + ExtTextOut fills without creating a brush.
    COLORREF old = SetBkColor(dc_, Ref(c));
    RECT rc{r.left, r.top, r.right, r.bottom};
    ExtTextOutW(dc_, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    SetBkColor(dc_, old);
}

void GdiCanvas::FrameRect(const Rect& r, Color c, int penWidth) {
    if (r.Empty()) return;
    int w = penWidth < 1 ? 1 : penWidth;
    if (2 * w >= r.Width() || 2 * w >= r.Height()) {
        FillRect(r, c);
        return;
    }
    FillRect({r.left, r.top, r.right, r.top + w}, c);
    FillRect({r.left, r.bottom - w, r.right, r.bottom}, c);
    FillRect({r.left, r.top + w, r.left + w, r.bottom - w}, c);
    FillRect({r.right - w, r.top + w, r.right, r.bottom - w}, c);
}

void GdiCanvas::Line(int x1, int y1, int x2, int y2, Color c, int penWidth) {
    PenOwner pen(CreatePen(PS_SOLID, penWidth < 1 ? 1 : penWidth, Ref(c)));
    SelectGuard sel(dc_, pen.Get());
    MoveToEx(dc_, x1, y1, nullptr);
    LineTo(dc_, x2, y2);
}

void GdiCanvas::Ellipse(const Rect& r, Color c, int penWidth) {
    PenOwner pen(CreatePen(PS_SOLID, penWidth < 1 ? 1 : penWidth, Ref(c)));
    SelectGuard selPen(dc_, pen.Get());
    SelectGuard selBrush(dc_, GetStockObject(NULL_BRUSH));
    ::Ellipse(dc_, r.left, r.top, r.right, r.bottom);
}

void GdiCanvas::Text(int x, int y, std::wstring_view s, const Font& f, Color c) {
    SelectGuard sel(dc_, FontFor(f));
    int oldMode = SetBkMode(dc_, TRANSPARENT);
    COLORREF oldColor = SetTextColor(dc_, Ref(c));
    TextOutW(dc_, x, y, s.data(), static_cast<int>(s.size()));
    SetTextColor(dc_, oldColor);
    SetBkMode(dc_, oldMode);
}

Point GdiCanvas::TextSize(std::wstring_view s, const Font& f) {
    SelectGuard sel(dc_, FontFor(f));
    SIZE sz{};
    if (s.empty()) {
        TEXTMETRICW tm{};
        GetTextMetricsW(dc_, &tm);
        return {0, tm.tmHeight};
    }
    GetTextExtentPoint32W(dc_, s.data(), static_cast<int>(s.size()), &sz);
    return {sz.cx, sz.cy};
}

void GdiCanvas::DrawPicture(const Picture& src, int x, int y, const Rect& from) {
    if (src.Empty() || from.Empty()) return;
    BitBlt(dc_, x, y, from.Width(), from.Height(), PictureDc(src), from.left, from.top, SRCCOPY);
}

Color GdiCanvas::Pixel(int x, int y) const {
    COLORREF c = GetPixel(dc_, x, y);
    return c == CLR_INVALID ? 0 : static_cast<Color>(c);
}

// Black blended over r at `percent` opacity: one stretched pixel, no
// screen-sized buffer.
void GdiCanvas::Shade(const Rect& r, int percent) {
    if (r.Empty() || percent <= 0) return;
    static const Picture black = Picture::Create(1, 1, Rgb(0, 0, 0));
    BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(percent >= 100 ? 255 : percent * 255 / 100), 0};
    GdiAlphaBlend(dc_, r.left, r.top, r.Width(), r.Height(), PictureDc(black), 0, 0, 1, 1, blend);
}

void GdiCanvas::SetOrigin(int x, int y) {
    originX_ = x;
    originY_ = y;
    SetViewportOrgEx(dc_, -x, -y, nullptr);
}

void GdiCanvas::SetClip(const Rect& r) {
    // Clip regions are in device pixels, which the origin does not move.
    RegionOwner rgn(CreateRectRgn(r.left - originX_, r.top - originY_, r.right - originX_, r.bottom - originY_));
    SelectClipRgn(dc_, rgn.Get());  // the DC keeps its own copy
}

void GdiCanvas::ResetClip() { SelectClipRgn(dc_, nullptr); }

}  // namespace plat::win32
