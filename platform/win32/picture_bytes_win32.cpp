// PNG bytes in memory through the graphics library and a COM stream over a
// block of global memory.
#include <windows.h>
#include <objbase.h>
#include <propidl.h>
#include <gdiplus.h>

#include <climits>
#include <cstring>

#include "platform/services/imaging.h"
#include "platform/services/picture_bytes.h"

namespace plat {

namespace {

// A COM stream owned for one call.
class StreamOwner {
public:
    StreamOwner() {
        if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream_))) stream_ = nullptr;
    }
    ~StreamOwner() {
        if (stream_) stream_->Release();
    }
    StreamOwner(const StreamOwner&) = delete;
    StreamOwner& operator=(const StreamOwner&) = delete;
    IStream* Get() const { return stream_; }

private:
    IStream* stream_ = nullptr;
};

// A library image owned for one call.
class GpImageOwner {
public:
    GpImageOwner() = default;
    ~GpImageOwner() {
        if (image_) Gdiplus::DllExports::GdipDisposeImage(image_);
    }
    GpImageOwner(const GpImageOwner&) = delete;
    GpImageOwner& operator=(const GpImageOwner&) = delete;
    Gdiplus::GpImage** Out() { return &image_; }
    Gdiplus::GpImage* Get() const { return image_; }

private:
    Gdiplus::GpImage* image_ = nullptr;
};

bool Rewind(IStream* s) {
    LARGE_INTEGER zero{};
    return SUCCEEDED(s->Seek(zero, STREAM_SEEK_SET, nullptr));
}

bool FindPngEncoder(CLSID& out) {
    std::vector<ImageEncoder> encoders;
    if (GetImageEncoders(encoders) != gp::Ok) return false;
    for (const ImageEncoder& e : encoders) {
        if (e.mimeType == L"image/png") {
            std::memcpy(&out, e.clsid.bytes.data(), sizeof(out));
            return true;
        }
    }
    return false;
}

}  // namespace

bool EncodePngBytes(const Picture& picture, std::vector<std::uint8_t>& out) {
    GraphicsInstance library;
    if (library.Status() != gp::Ok || picture.Empty()) return false;
    GraphicsBitmap bitmap;
    if (GraphicsBitmap::FromPicture(picture, bitmap) != gp::Ok) return false;
    CLSID png;
    if (!FindPngEncoder(png)) return false;
    StreamOwner stream;
    if (!stream.Get()) return false;
    if (Gdiplus::DllExports::GdipSaveImageToStream(reinterpret_cast<Gdiplus::GpImage*>(bitmap.Native()),
                                                    stream.Get(), &png, nullptr) != Gdiplus::Ok)
        return false;
    STATSTG stat{};
    if (FAILED(stream.Get()->Stat(&stat, STATFLAG_NONAME)) || stat.cbSize.QuadPart == 0 ||
        stat.cbSize.QuadPart > ULONG_MAX || !Rewind(stream.Get()))
        return false;
    std::vector<std::uint8_t> bytes(static_cast<size_t>(stat.cbSize.QuadPart));
    ULONG read = 0;
    if (FAILED(stream.Get()->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read)) || read != bytes.size())
        return false;
    out = std::move(bytes);
    return true;
}

bool DecodePictureBytes(std::span<const std::uint8_t> bytes, Picture& out) {
    if (bytes.empty() || bytes.size() > ULONG_MAX) return false;
    GraphicsInstance library;
    if (library.Status() != gp::Ok) return false;
    StreamOwner stream;
    ULONG written = 0;
    if (!stream.Get() || FAILED(stream.Get()->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written)) ||
        written != bytes.size() || !Rewind(stream.Get()))
        return false;
    GpImageOwner image;
    if (Gdiplus::DllExports::GdipLoadImageFromStream(stream.Get(), image.Out()) != Gdiplus::Ok) return false;
    UINT w = 0, h = 0;
    Gdiplus::DllExports::GdipGetImageWidth(image.Get(), &w);
    Gdiplus::DllExports::GdipGetImageHeight(image.Get(), &h);
    if (w == 0 || h == 0 || w > INT_MAX || h > INT_MAX) return false;
    Picture pic = Picture::Create(static_cast<int>(w), static_cast<int>(h));
    if (pic.Empty()) return false;
    auto* bitmap = reinterpret_cast<Gdiplus::GpBitmap*>(image.Get());
    Gdiplus::GpRect all(0, 0, static_cast<INT>(w), static_cast<INT>(h));
    Gdiplus::BitmapData data{};
    // 32bppRGB has the picture's own memory order: blue, green, red, unused.
    if (Gdiplus::DllExports::GdipBitmapLockBits(bitmap, &all, Gdiplus::ImageLockModeRead, PixelFormat32bppRGB,
                                                &data) != Gdiplus::Ok)
        return false;
    for (int y = 0; y < pic.Height(); ++y) {
        const auto* src = reinterpret_cast<const std::uint32_t*>(static_cast<const unsigned char*>(data.Scan0) +
                                                                 static_cast<std::ptrdiff_t>(y) * data.Stride);
        std::uint32_t* dst = pic.MutableRow(y);
        for (int x = 0; x < pic.Width(); ++x) dst[x] = src[x] & 0xFFFFFFu;
    }
    Gdiplus::DllExports::GdipBitmapUnlockBits(bitmap, &data);
    out = std::move(pic);
    return true;
}

}  // namespace plat
