// Pictures on the Win32 backend: a top-down 32-bit DIB section selected into
// its own memory DC, so GDI draws into it and its pixels read directly.
#include <windows.h>

#include <cstring>
#include <map>
#include <utility>

#include "platform/services/picture.h"
#include "platform/win32/gdi_canvas.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_internal.h"

namespace plat {

struct PictureImpl {
    int width = 0, height = 0;
    std::uint32_t* bits = nullptr;
    win32::DcOwner dc;
    win32::BitmapOwner bitmap;
    HGDIOBJ oldBitmap = nullptr;
    win32::GdiCanvas canvas{nullptr, 0, 0};

    // toOverwrite: the caller writes every pixel, so the memory may be the
    // spare's, as it was left; otherwise it is new and zero-filled.
    PictureImpl(int w, int h, bool toOverwrite = false) : width(w), height(h) {
        if (!toOverwrite || !Spare().TakeInto(*this)) {
            BITMAPINFO bi{};
            bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
            bi.bmiHeader.biWidth = w;
            bi.bmiHeader.biHeight = -h;  // top-down rows
            bi.bmiHeader.biPlanes = 1;
            bi.bmiHeader.biBitCount = 32;
            bi.bmiHeader.biCompression = BI_RGB;
            void* p = nullptr;
            bitmap = win32::BitmapOwner(win32::Checked(
                CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0), L"CreateDIBSection"));
            bits = static_cast<std::uint32_t*>(p);
        }
        dc = win32::DcOwner(CreateCompatibleDC(nullptr));
        if (!bitmap || !dc) {
            // Out of GDI resources: an empty picture rather than a crash.
            width = height = 0;
            bits = nullptr;
            return;
        }
        oldBitmap = SelectObject(dc.Get(), bitmap.Get());
        canvas.Retarget(dc.Get(), w, h);
        ++Spare().alive[{w, h}];
    }
    ~PictureImpl() {
        if (oldBitmap) SelectObject(dc.Get(), oldBitmap);
        if (bits) Spare().Gone(*this);
    }
    PictureImpl(const PictureImpl&) = delete;
    PictureImpl& operator=(const PictureImpl&) = delete;

    // The memory the last picture of the whole screen's size left, once no
    // other picture of that size is alive (no editor open): the next capture
    // of the whole screen is made in it, in place of new memory the system
    // hands out page by page as it is first written.
    struct SpareBitmap {
        std::map<std::pair<int, int>, int> alive;  // live pictures by size
        std::pair<int, int> wanted{0, 0};          // the whole screen's size at the last capture of it
        win32::BitmapOwner bitmap;
        std::uint32_t* bits = nullptr;
        std::pair<int, int> size{0, 0};

        bool TakeInto(PictureImpl& p) {
            if (!bitmap || size != std::pair{p.width, p.height}) return false;
            p.bitmap = std::move(bitmap);
            p.bits = bits;
            return true;
        }
        void Gone(PictureImpl& p) {
            const std::pair<int, int> s{p.width, p.height};
            if (const auto it = alive.find(s); it != alive.end() && --it->second == 0) {
                alive.erase(it);
                if (s == wanted) {
                    bitmap = std::move(p.bitmap);
                    bits = p.bits;
                    size = s;
                }
            }
        }
    };
    static SpareBitmap& Spare() {
        static SpareBitmap* spare = new SpareBitmap;  // never destroyed: pictures may outlive statics
        return *spare;
    }
};

namespace {
// A drawing target for empty pictures, so callers need no special case.
Canvas& NullCanvas() {
    static win32::GdiCanvas canvas{nullptr, 0, 0};
    return canvas;
}

// The one way a picture is made: empty when the size or the system says no.
std::shared_ptr<PictureImpl> MakeImpl(int width, int height, bool toOverwrite) {
    if (width <= 0 || height <= 0) return nullptr;
    auto impl = std::make_shared<PictureImpl>(width, height, toOverwrite);
    return impl->bits ? impl : nullptr;
}
}  // namespace

Picture Picture::Create(int width, int height, Color fill) {
    auto impl = MakeImpl(width, height, false);
    if (!impl) return {};
    const std::uint32_t px = PixelFromColor(fill);
    const size_t n = static_cast<size_t>(width) * static_cast<size_t>(height);
    // A new DIB section's memory comes zero-filled from the system: black
    // needs no pass over it.
    if (px != 0)
        for (size_t i = 0; i < n; ++i) impl->bits[i] = px;
    return Picture(std::move(impl));
}

namespace win32 {
Picture WholeScreenToOverwrite(int width, int height) {
    PictureImpl::Spare().wanted = {width, height};
    auto impl = MakeImpl(width, height, true);
    return impl ? Picture(std::move(impl)) : Picture();
}
}  // namespace win32

int Picture::Width() const { return impl_ ? impl_->width : 0; }
int Picture::Height() const { return impl_ ? impl_->height : 0; }

Color Picture::Pixel(int x, int y) const {
    if (!impl_ || x < 0 || y < 0 || x >= impl_->width || y >= impl_->height) return 0;
    GdiFlush();
    return ColorFromPixel(impl_->bits[static_cast<size_t>(y) * static_cast<size_t>(impl_->width) + static_cast<size_t>(x)]);
}

const std::uint32_t* Picture::Row(int y) const {
    if (!impl_ || y < 0 || y >= impl_->height) return nullptr;
    GdiFlush();
    return impl_->bits + static_cast<size_t>(y) * static_cast<size_t>(impl_->width);
}

std::uint32_t* Picture::MutableRow(int y) { return const_cast<std::uint32_t*>(Row(y)); }

Picture Picture::Copy() const { return Crop(Rect{0, 0, Width(), Height()}); }

Picture Picture::Crop(const Rect& r) const {
    if (r.Empty()) return {};
    // The rectangle's size; whatever lies outside this picture stays black.
    Picture out = Create(r.Width(), r.Height(), 0);
    Rect area = r.Intersect(Rect{0, 0, Width(), Height()});
    if (out.Empty() || area.Empty()) return out;
    BitBlt(out.impl_->dc.Get(), area.left - r.left, area.top - r.top, area.Width(), area.Height(), impl_->dc.Get(),
           area.left, area.top, SRCCOPY);
    return out;
}

Canvas& Picture::Draw() { return impl_ ? static_cast<Canvas&>(impl_->canvas) : NullCanvas(); }

Handle Picture::NativeBitmap() const { return impl_ ? reinterpret_cast<Handle>(impl_->bitmap.Get()) : 0; }

namespace win32 {
HDC PictureDc(const Picture& p) { return p.Impl() ? p.Impl()->dc.Get() : nullptr; }
}  // namespace win32

}  // namespace plat
