#pragma once
// A Canvas over a Win32 device context.
#include <windows.h>

#include "platform/services/picture.h"

namespace plat::win32 {

class GdiCanvas : public Canvas {
public:
    GdiCanvas(HDC dc, int width, int height) : dc_(dc), width_(width), height_(height) {}
    void Retarget(HDC dc, int width, int height) {
        dc_ = dc;
        width_ = width;
        height_ = height;
    }
    // Where the target's pixel (0, 0) lies in the coordinates drawn in, so a
    // buffer can stand for one band of a larger surface (clips follow it).
    void SetOrigin(int x, int y);

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void FillRect(const Rect& r, Color c) override;
    void FrameRect(const Rect& r, Color c, int penWidth) override;
    void Line(int x1, int y1, int x2, int y2, Color c, int penWidth) override;
    void Ellipse(const Rect& r, Color c, int penWidth) override;
    void Text(int x, int y, std::wstring_view s, const Font& f, Color c) override;
    Point TextSize(std::wstring_view s, const Font& f) override;
    using Canvas::DrawPicture;
    void DrawPicture(const Picture& src, int x, int y, const Rect& from) override;
    Color Pixel(int x, int y) const override;
    void Shade(const Rect& r, int percent) override;
    void SetClip(const Rect& r) override;
    void ResetClip() override;
    Handle NativeDC() override { return reinterpret_cast<Handle>(dc_); }

private:
    HDC dc_;
    int width_, height_;
    int originX_ = 0, originY_ = 0;
};

// A cached font for f (fonts live for the whole run, so drawing text creates
// no GDI objects after the first use of a font).
HFONT FontFor(const Font& f);

// The memory DC that holds a picture's bitmap (Win32 backend only).
HDC PictureDc(const Picture& p);

}  // namespace plat::win32
