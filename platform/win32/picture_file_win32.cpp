#include "platform/services/picture_file.h"

#include <climits>

#include "platform/services/imaging.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/imaging_win32.h"

namespace plat {

namespace {

// Owns the library objects of one drawing.
struct GraphicsObjects {
    Gdiplus::GpImage* image = nullptr;
    Gdiplus::GpGraphics* graphics = nullptr;
    ~GraphicsObjects() {
        if (graphics) Gdiplus::DllExports::GdipDeleteGraphics(graphics);
        if (image) Gdiplus::DllExports::GdipDisposeImage(image);
    }
};

Gdiplus::Status DrawOnto(Picture& pic, GraphicsObjects& g, int width, int height) {
    Gdiplus::Status status =
        Gdiplus::DllExports::GdipCreateFromHDC(reinterpret_cast<HDC>(pic.Draw().NativeDC()), &g.graphics);
    if (status != Gdiplus::Ok) return status;
    status = Gdiplus::DllExports::GdipDrawImageRectI(g.graphics, g.image, 0, 0, width, height);
    Gdiplus::DllExports::GdipDeleteGraphics(g.graphics);
    g.graphics = nullptr;
    GdiFlush();
    // The library leaves alpha in the unused byte; pictures keep it clear.
    for (int y = 0; y < pic.Height(); ++y) {
        std::uint32_t* row = pic.MutableRow(y);
        for (int x = 0; x < pic.Width(); ++x) row[x] &= 0xFFFFFFu;
    }
    return status;
}

// Over white a pixel of opacity a shows c*a + 255*(1-a), over black c*a: the
// two differ by 255*(1-a) in every channel. More than half see-through is see-through.
// Empty when nothing is see-through (a file without transparency).
Picture SeeThroughMask(const Picture& overWhite, const Picture& overBlack) {
    Picture mask = Picture::Create(overWhite.Width(), overWhite.Height(), Rgb(0, 0, 0));
    if (mask.Empty()) return mask;
    bool any = false;
    for (int y = 0; y < mask.Height(); ++y) {
        const std::uint32_t* w = overWhite.Row(y);
        const std::uint32_t* b = overBlack.Row(y);
        std::uint32_t* m = mask.MutableRow(y);
        for (int x = 0; x < mask.Width(); ++x) {
            const int gap = static_cast<int>((w[x] >> 8) & 255) - static_cast<int>((b[x] >> 8) & 255);
            if (gap > 127) {
                m[x] = 0xFFFFFFu;
                any = true;
            }
        }
    }
    return any ? mask : Picture();
}

}  // namespace

DrawnPictureFile DrawPictureFile(const std::wstring& path, int width, int height) {
    DrawnPictureFile out;
    GraphicsInstance library;
    if ((out.status = library.Status()) != Gdiplus::Ok) return out;
    GraphicsObjects g;
    out.status = Gdiplus::DllExports::GdipLoadImageFromFile(win32::ExtendedPath(path).c_str(), &g.image);
    if (out.status != Gdiplus::Ok) return out;
    UINT w = 0, h = 0;
    Gdiplus::DllExports::GdipGetImageWidth(g.image, &w);
    Gdiplus::DllExports::GdipGetImageHeight(g.image, &h);
    if (w == 0 || h == 0 || w > INT_MAX / 2 || h > INT_MAX / 2) {
        out.status = Gdiplus::InvalidParameter;
        return out;
    }
    out.naturalWidth = static_cast<int>(w);
    out.naturalHeight = static_cast<int>(h);
    if (width <= 0 || height <= 0) {
        width = out.naturalWidth;
        height = out.naturalHeight;
    }
    Picture pic = Picture::Create(width, height, Rgb(255, 255, 255));
    if (pic.Empty()) {
        out.status = Gdiplus::OutOfMemory;
        return out;
    }
    if ((out.status = DrawOnto(pic, g, width, height)) != Gdiplus::Ok) return out;
    // A file with transparency shows it only over another ground: drawn over
    // black too, the pixels that differ much are the see-through ones. (The
    // library's alpha flag is not asked: a GIF's transparent colour may not set it.)
    Picture overBlack = Picture::Create(width, height, Rgb(0, 0, 0));
    if (!overBlack.Empty() && DrawOnto(overBlack, g, width, height) == Gdiplus::Ok)
        out.seeThrough = SeeThroughMask(pic, overBlack);
    out.drawn = std::move(pic);
    return out;
}

}  // namespace plat
