#pragma once
// A raster picture and the canvas that draws into pictures and windows.
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/services/types.h"

namespace plat {

class Picture;

// Drawing operations shared by pictures and window surfaces. Coordinates are
// pixels of the target; pen widths are in pixels.
class Canvas {
public:
    virtual ~Canvas() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void FillRect(const Rect& r, Color c) = 0;
    // Outline drawn inside r, penWidth pixels thick.
    virtual void FrameRect(const Rect& r, Color c, int penWidth) = 0;
    virtual void Line(int x1, int y1, int x2, int y2, Color c, int penWidth) = 0;
    virtual void Ellipse(const Rect& r, Color c, int penWidth) = 0;
    virtual void Text(int x, int y, std::wstring_view s, const Font& f, Color c) = 0;
    virtual Point TextSize(std::wstring_view s, const Font& f) = 0;
    // Copies src's area `from` to `to`'s top-left corner, 1:1.
    virtual void DrawPicture(const Picture& src, int x, int y, const Rect& from) = 0;
    void DrawPicture(const Picture& src, int x, int y);
    virtual Color Pixel(int x, int y) const = 0;
    // Darkens what r shows: each channel keeps (100 - percent) % of its value.
    virtual void Shade(const Rect& r, int percent) = 0;
    // Clip every later operation to r (target pixels); ResetClip lifts it.
    virtual void SetClip(const Rect& r) = 0;
    virtual void ResetClip() = 0;
    // A device context for platform drawing calls (0 on the headless backend).
    virtual Handle NativeDC() = 0;

private:
    friend class ClipScope;
    std::optional<Rect> scopedClip_;  // the clip ClipScopes have put in force
};

// Narrows a canvas's clip to r within the clip already in force, and puts the
// earlier clip back when it ends, so nested containers never paint outside
// their parents.
class ClipScope {
public:
    ClipScope(Canvas& c, const Rect& r);
    ~ClipScope();
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;

private:
    Canvas& canvas_;
    std::optional<Rect> previous_;
};

struct PictureImpl;  // defined by each backend

// A shared, reference-counted raster image: 32 bits a pixel, top-down rows,
// memory order blue, green, red, unused. Copy() makes an independent picture;
// owners that hand out copies of the handle and draw on may copy on write
// (Shared()), as forms do with their persistent image.
class Picture {
public:
    Picture() = default;
    // Empty when width or height is not positive.
    static Picture Create(int width, int height, Color fill = Rgb(255, 255, 255));

    bool Empty() const { return !impl_; }
    // More than one handle refers to these pixels.
    bool Shared() const { return impl_.use_count() > 1; }
    int Width() const;
    int Height() const;
    Color Pixel(int x, int y) const;  // 0 outside the picture
    Picture Copy() const;
    // A picture of r's size; parts of r outside this picture are black.
    Picture Crop(const Rect& r) const;
    Canvas& Draw();  // draws into this picture (shared by every copy of the handle)
    const std::uint32_t* Row(int y) const;
    std::uint32_t* MutableRow(int y);
    Handle NativeBitmap() const;  // HBITMAP on Win32, 0 headless

    explicit Picture(std::shared_ptr<PictureImpl> impl) : impl_(std::move(impl)) {}
    PictureImpl* Impl() const { return impl_.get(); }

private:
    std::shared_ptr<PictureImpl> impl_;
};

// Pixel value in a picture row (0x00RRGGBB) to a colour (0x00BBGGRR) and back.
constexpr Color ColorFromPixel(std::uint32_t p) { return Rgb((p >> 16) & 255, (p >> 8) & 255, p & 255); }
constexpr std::uint32_t PixelFromColor(Color c) {
    return (static_cast<std::uint32_t>(RedOf(c)) << 16) | (static_cast<std::uint32_t>(GreenOf(c)) << 8) |
           static_cast<std::uint32_t>(BlueOf(c));
}

// True when both pictures have the same size and the same pixels.
bool SamePixels(const Picture& a, const Picture& b);

}  // namespace plat
