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
    out.status = Gdiplus::DllExports::GdipCreateFromHDC(reinterpret_cast<HDC>(pic.Draw().NativeDC()), &g.graphics);
    if (out.status != Gdiplus::Ok) return out;
    out.status = Gdiplus::DllExports::GdipDrawImageRectI(g.graphics, g.image, 0, 0, width, height);
    Gdiplus::DllExports::GdipDeleteGraphics(g.graphics);
    g.graphics = nullptr;
    if (out.status != Gdiplus::Ok) return out;
    GdiFlush();
    // The library leaves alpha in the unused byte; pictures keep it clear.
    for (int y = 0; y < height; ++y) {
        std::uint32_t* row = pic.MutableRow(y);
        for (int x = 0; x < width; ++x) row[x] &= 0xFFFFFFu;
    }
    out.drawn = std::move(pic);
    return out;
}

}  // namespace plat
