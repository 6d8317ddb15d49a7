#pragma once
// Pictures of the headless backend: plain pixel buffers, and a canvas that
// fills rectangles and copies pictures into them and records text, lines and
// ellipses instead of drawing them.
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/services/picture.h"
#include "platform/services/types.h"

namespace plat {

class PictureCanvas final : public Canvas {
public:
    explicit PictureCanvas(PictureImpl& target) : t_(target) {}
    using Canvas::DrawPicture;
    int Width() const override;
    int Height() const override;
    void FillRect(const Rect& r, Color c) override;
    void FrameRect(const Rect& r, Color c, int penWidth) override;
    void Line(int x1, int y1, int x2, int y2, Color c, int penWidth) override;
    void Ellipse(const Rect& r, Color c, int penWidth) override;
    void Text(int x, int y, std::wstring_view s, const Font& f, Color c) override;
    Point TextSize(std::wstring_view s, const Font& f) override;
    void DrawPicture(const Picture& src, int x, int y, const Rect& from) override;
    Color Pixel(int x, int y) const override;
    void Shade(const Rect& r, int percent) override;
    void SetClip(const Rect& r) override;
    void ResetClip() override;
    Handle NativeDC() override { return 0; }

private:
    Rect Drawable() const;  // clip within the picture
    void Fill(const Rect& r, std::uint32_t px);  // r already clipped
    void EraseRecords(const Rect& area);
    PictureImpl& t_;
    Rect clip_;
    bool clipped_ = false;
};

struct PictureImpl {
    PictureImpl(int w, int h, std::uint32_t fill);
    ~PictureImpl();
    PictureImpl(const PictureImpl&) = delete;
    PictureImpl& operator=(const PictureImpl&) = delete;
    // Not the program's own object (the screen, a window surface, the
    // clipboard's bitmap): left out of the resource counts.
    void Untrack();

    int width, height;
    std::vector<std::uint32_t> pixels;
    std::vector<headless::TextRecord> texts;
    std::vector<headless::StrokeRecord> strokes;
    bool tracked = true;
    PictureCanvas canvas{*this};
};

long LivePictures();
// The text metric of the backend: an em of points * 96 / 72 pixels; each
// character 0.6 em wide; a line 1.15 em high.
Point TextMetric(std::wstring_view s, const Font& f);

}  // namespace plat
