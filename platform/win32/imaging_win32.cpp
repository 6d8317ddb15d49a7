#include "platform/win32/imaging_win32.h"

#include <atomic>
#include <climits>
#include <cstddef>
#include <cstring>
#include <utility>

#include "platform/services/pixel_rows.h"
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

// The bits of a library bitmap, locked for the guard's lifetime.
class BitsLock {
public:
    BitsLock(Gdiplus::GpBitmap* bitmap, int width, int height, int mode, Gdiplus::PixelFormat format)
        : bitmap_(bitmap) {
        Gdiplus::GpRect all(0, 0, width, height);
        status_ = Gdiplus::DllExports::GdipBitmapLockBits(bitmap, &all, static_cast<UINT>(mode), format, &data_);
    }
    ~BitsLock() { Release(); }
    BitsLock(const BitsLock&) = delete;
    BitsLock& operator=(const BitsLock&) = delete;
    Gdiplus::Status Status() const { return status_; }
    unsigned char* Row(int y) const {
        return static_cast<unsigned char*>(data_.Scan0) + static_cast<std::ptrdiff_t>(y) * data_.Stride;
    }
    // Unlocks now; a write lock hands its pixels to the bitmap here, so its
    // status is the lock's from then on.
    void Release() {
        if (status_ != Gdiplus::Ok || released_) return;
        released_ = true;
        status_ = Gdiplus::DllExports::GdipBitmapUnlockBits(bitmap_, &data_);
    }

private:
    Gdiplus::GpBitmap* bitmap_;
    Gdiplus::BitmapData data_{};
    Gdiplus::Status status_;
    bool released_ = false;
};

std::atomic<int> gFailPictures{0};

Picture NewLoadedPicture(int width, int height) {
    for (int n = gFailPictures; n > 0; n = gFailPictures)
        if (gFailPictures.compare_exchange_weak(n, n - 1)) return {};
    return Picture::Create(width, height);
}

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
    if (p.Empty()) return Gdiplus::InvalidParameter;
    // The library's own memory, filled from the picture's rows: its bitmap
    // handle stays selected into the picture's DC, which the library's
    // bitmap-handle route must not be given.
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (Gdiplus::Status st = Gdiplus::DllExports::GdipCreateBitmapFromScan0(p.Width(), p.Height(), 0,
                                                                            PixelFormat24bppRGB, nullptr, &bitmap);
        st != Gdiplus::Ok)
        return st;
    ++gBitmaps;
    ++win32::OwnedHandleCount();
    GraphicsBitmap owner(reinterpret_cast<Handle>(bitmap));
    BitsLock lock(bitmap, p.Width(), p.Height(), Gdiplus::ImageLockModeWrite, PixelFormat24bppRGB);
    if (lock.Status() != Gdiplus::Ok) return lock.Status();
    // 24 bits a pixel, blue first: what every encoder writes without loss.
    for (int y = 0; y < p.Height(); ++y) PackRowBgr24(p.Row(y), p.Width(), lock.Row(y));
    lock.Release();
    if (lock.Status() != Gdiplus::Ok) return lock.Status();
    out = std::move(owner);
    return Gdiplus::Ok;
}

int GraphicsBitmap::OverPicture(const Picture& p, GraphicsBitmap& out) {
    if (p.Empty()) return Gdiplus::InvalidParameter;
    // The picture's rows lie top-down one after another, 4 bytes a pixel.
    auto* scan0 = reinterpret_cast<BYTE*>(const_cast<std::uint32_t*>(p.Row(0)));
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (Gdiplus::Status st = Gdiplus::DllExports::GdipCreateBitmapFromScan0(p.Width(), p.Height(), p.Width() * 4,
                                                                            PixelFormat32bppRGB, scan0, &bitmap);
        st != Gdiplus::Ok)
        return st;
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
    if (w == 0 || h == 0 || w > INT_MAX || h > INT_MAX) return Gdiplus::InvalidParameter;
    // The picture first: a large one may not fit (the 32-bit build's address
    // space), and then nothing has been locked yet.
    Picture pic = NewLoadedPicture(static_cast<int>(w), static_cast<int>(h));
    if (pic.Empty()) return Gdiplus::OutOfMemory;
    // 32bppRGB has the picture's own memory order: blue, green, red, unused.
    BitsLock lock(reinterpret_cast<Gdiplus::GpBitmap*>(image.Get()), pic.Width(), pic.Height(),
                  Gdiplus::ImageLockModeRead, PixelFormat32bppRGB);
    if (lock.Status() != Gdiplus::Ok) return lock.Status();
    for (int y = 0; y < pic.Height(); ++y) {
        const auto* src = reinterpret_cast<const std::uint32_t*>(lock.Row(y));
        std::uint32_t* dst = pic.MutableRow(y);
        for (int x = 0; x < pic.Width(); ++x) dst[x] = src[x] & 0xFFFFFFu;
    }
    lock.Release();
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
void FailNextLoadedPictures(int count) { gFailPictures = count; }
long LiveGraphicsInstances() { return gInstances; }
long LiveGraphicsBitmaps() { return gBitmaps; }

}  // namespace win32

}  // namespace plat
