#include "platform/win32/imaging_win32.h"

#include <cstddef>
#include <cstring>
#include <utility>

#include "platform/win32/files_win32.h"
#include "platform/win32/handles.h"

namespace plat {

namespace {

std::atomic<long> gInstances{0};
std::atomic<long> gBitmaps{0};
win32::SaveObserver& Observer() {
    static win32::SaveObserver observer;
    return observer;
}

GUID ToNative(const Guid& g) {
    GUID n;
    static_assert(sizeof(n) == sizeof(g.bytes));
    std::memcpy(&n, g.bytes.data(), sizeof(n));
    return n;
}

Guid FromNative(const GUID& n) {
    Guid g;
    std::memcpy(g.bytes.data(), &n, sizeof(n));
    return g;
}

std::wstring TextAt(const WCHAR* p) { return p ? std::wstring(p) : std::wstring(); }

Gdiplus::GpBitmap* AsBitmap(Handle h) { return reinterpret_cast<Gdiplus::GpBitmap*>(h); }

// Owns a library image for the length of one call.
class ImageOwner {
public:
    ImageOwner() = default;
    ~ImageOwner() {
        if (image_) Gdiplus::DllExports::GdipDisposeImage(image_);
    }
    ImageOwner(const ImageOwner&) = delete;
    ImageOwner& operator=(const ImageOwner&) = delete;
    Gdiplus::GpImage** Out() { return &image_; }
    Gdiplus::GpImage* Get() const { return image_; }

private:
    Gdiplus::GpImage* image_ = nullptr;
};

}  // namespace

bool GuidFromString(std::wstring_view text, Guid& out) {
    std::wstring s(text);  // CLSIDFromString wants a terminated string
    CLSID id;
    if (CLSIDFromString(s.c_str(), &id) != NOERROR) return false;
    out = FromNative(id);
    return true;
}

int GraphicsStartup(GraphicsTokenValue& token) {
    Gdiplus::GdiplusStartupInput input;  // version 1, no callback, nothing suppressed
    ULONG_PTR native = 0;
    const Gdiplus::Status st = Gdiplus::GdiplusStartup(&native, &input, nullptr);
    if (st == Gdiplus::Ok) {
        token = static_cast<GraphicsTokenValue>(native);
        ++gInstances;
        ++win32::OwnedHandleCount();
    }
    return st;
}

void GraphicsShutdown(GraphicsTokenValue token) {
    Gdiplus::GdiplusShutdown(static_cast<ULONG_PTR>(token));
    --gInstances;
    --win32::OwnedHandleCount();
}

int GetImageEncoders(std::vector<ImageEncoder>& out) {
    UINT count = 0, size = 0;
    Gdiplus::DllExports::GdipGetImageEncodersSize(&count, &size);
    if (size < count * sizeof(Gdiplus::ImageCodecInfo)) return Gdiplus::GenericError;
    // The records' texts point into the same buffer, after the records.
    std::vector<unsigned char> buffer(size);
    auto* records = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::Status st = Gdiplus::DllExports::GdipGetImageEncoders(count, size, records); st != Gdiplus::Ok)
        return st;
    out.clear();
    for (UINT i = 0; i < count; ++i) {
        const auto& r = records[i];
        out.push_back({FromNative(r.Clsid), FromNative(r.FormatID), TextAt(r.CodecName),
                       TextAt(r.FilenameExtension), TextAt(r.MimeType)});
    }
    return Gdiplus::Ok;
}

GraphicsBitmap::~GraphicsBitmap() {
    if (handle_) {
        Gdiplus::DllExports::GdipDisposeImage(AsBitmap(handle_));
        --gBitmaps;
        --win32::OwnedHandleCount();
    }
}

GraphicsBitmap& GraphicsBitmap::operator=(GraphicsBitmap&& o) noexcept {
    if (this != &o) {
        GraphicsBitmap old(std::move(*this));
        handle_ = std::exchange(o.handle_, 0);
    }
    return *this;
}

int GraphicsBitmap::FromPicture(const Picture& p, GraphicsBitmap& out) {
    const auto hbm = reinterpret_cast<HBITMAP>(p.NativeBitmap());
    if (!hbm) return Gdiplus::InvalidParameter;
    Gdiplus::GpBitmap* bitmap = nullptr;
    const Gdiplus::Status st = Gdiplus::DllExports::GdipCreateBitmapFromHBITMAP(hbm, nullptr, &bitmap);
    if (st != Gdiplus::Ok) return st;
    ++gBitmaps;
    ++win32::OwnedHandleCount();
    out = GraphicsBitmap(reinterpret_cast<Handle>(bitmap));
    return Gdiplus::Ok;
}

GraphicsFailure GraphicsBitmap::SaveToFile(const std::wstring& path, const Guid& encoder,
                                           std::span<const EncoderParameter> params) const {
    if (!handle_) return {Gdiplus::InvalidParameter, 0, {}};
    const std::vector<unsigned char> record = win32::EncoderParametersRecord(params);
    const auto* native =
        record.empty() ? nullptr : reinterpret_cast<const Gdiplus::EncoderParameters*>(record.data());
    const CLSID clsid = ToNative(encoder);
    const std::wstring file = win32::ExtendedPath(path);
    if (Observer()) Observer()({file.c_str(), &clsid, native});

    SetLastError(0);
    const Gdiplus::Status st =
        Gdiplus::DllExports::GdipSaveImageToFile(AsBitmap(handle_), file.c_str(), &clsid, native);
    if (st == Gdiplus::Ok) return {};
    // The file layer's own code says more than the library's status
    // (path not found, access denied, disk full).
    const DWORD err = GetLastError();
    return {st, static_cast<std::uint32_t>(err), err ? win32::SystemErrorText(err) : std::wstring()};
}

int LoadPictureFile(const std::wstring& path, Picture& out) {
    GraphicsInstance library;
    if (library.Status() != Gdiplus::Ok) return library.Status();
    ImageOwner image;
    if (Gdiplus::Status st = Gdiplus::DllExports::GdipLoadImageFromFile(win32::ExtendedPath(path).c_str(), image.Out());
        st != Gdiplus::Ok)
        return st;
    UINT w = 0, h = 0;
    Gdiplus::DllExports::GdipGetImageWidth(image.Get(), &w);
    Gdiplus::DllExports::GdipGetImageHeight(image.Get(), &h);
    if (w == 0 || h == 0) return Gdiplus::InvalidParameter;
    auto* bitmap = reinterpret_cast<Gdiplus::GpBitmap*>(image.Get());
    Gdiplus::GpRect all(0, 0, static_cast<INT>(w), static_cast<INT>(h));
    Gdiplus::BitmapData data{};
    // 32bppRGB has the picture's own memory order: blue, green, red, unused.
    if (Gdiplus::Status st = Gdiplus::DllExports::GdipBitmapLockBits(bitmap, &all, Gdiplus::ImageLockModeRead,
                                                                     PixelFormat32bppRGB, &data);
        st != Gdiplus::Ok)
        return st;
    Picture pic = Picture::Create(static_cast<int>(w), static_cast<int>(h));
    for (UINT y = 0; y < h; ++y) {
        const auto* src = reinterpret_cast<const std::uint32_t*>(static_cast<const unsigned char*>(data.Scan0) +
                                                                 static_cast<std::ptrdiff_t>(y) * data.Stride);
        std::uint32_t* dst = pic.MutableRow(static_cast<int>(y));
        for (UINT x = 0; x < w; ++x) dst[x] = src[x] & 0xFFFFFFu;
    }
    Gdiplus::DllExports::GdipBitmapUnlockBits(bitmap, &data);
    out = std::move(pic);
    return Gdiplus::Ok;
}

namespace win32 {

// The 32-bit release hands the library records of 32 bytes (one parameter) and 60 (two).
static_assert(sizeof(void*) != 4 || (offsetof(Gdiplus::EncoderParameters, Parameter) == 4 &&
                                     sizeof(Gdiplus::EncoderParameter) == 28));

std::vector<unsigned char> EncoderParametersRecord(std::span<const EncoderParameter> params) {
    if (params.empty()) return {};
    const size_t head = offsetof(Gdiplus::EncoderParameters, Parameter);
    std::vector<unsigned char> buffer(head + params.size() * sizeof(Gdiplus::EncoderParameter));
    auto* record = reinterpret_cast<Gdiplus::EncoderParameters*>(buffer.data());
    record->Count = static_cast<UINT>(params.size());
    for (size_t i = 0; i < params.size(); ++i) {
        Gdiplus::EncoderParameter& p = record->Parameter[i];
        p.Guid = ToNative(params[i].guid);
        p.NumberOfValues = params[i].numberOfValues;
        p.Type = params[i].type;
        p.Value = const_cast<void*>(params[i].value);  // the library's record is not const-correct
    }
    return buffer;
}

void SetSaveObserver(SaveObserver observer) { Observer() = std::move(observer); }
long LiveGraphicsInstances() { return gInstances; }
long LiveGraphicsBitmaps() { return gBitmaps; }

}  // namespace win32

}  // namespace plat
