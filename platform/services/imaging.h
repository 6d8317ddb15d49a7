#pragma once
// The platform's graphics library (GDI+ on Win32): starting and stopping an
// instance, its image encoders, library bitmaps made from pictures, saving
// them through an encoder, and loading picture files.
#include <array>
#include <cstdint>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/services/picture.h"
#include "platform/services/types.h"

namespace plat {

// A 16-byte GUID in the platform's memory layout (first three fields little-endian).
struct Guid {
    std::array<std::uint8_t, 16> bytes{};
    bool IsZero() const {
        for (auto b : bytes)
            if (b) return false;
        return true;
    }
    friend bool operator==(const Guid&, const Guid&) = default;
};

// "{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}" to its GUID (CLSIDFromString on
// Win32). False, and out unchanged, when the text is not a GUID in braces.
bool GuidFromString(std::wstring_view text, Guid& out);

// Status values as the graphics library numbers them; 0 is success.
namespace gp {
enum Status : int {
    Ok = 0,
    GenericError = 1,
    InvalidParameter = 2,
    OutOfMemory = 3,
    ObjectBusy = 4,
    InsufficientBuffer = 5,
    NotImplemented = 6,
    Win32Error = 7,
    WrongState = 8,
    Aborted = 9,
    FileNotFound = 10,
    ValueOverflow = 11,
    AccessDenied = 12,
    UnknownImageFormat = 13,
    FontFamilyNotFound = 14,
    FontStyleNotFound = 15,
    NotTrueTypeFont = 16,
    UnsupportedGdiplusVersion = 17,
    GdiplusNotInitialized = 18,
    PropertyNotFound = 19,
    PropertyNotSupported = 20,
};
// The status's name, "Win32Error" for 7; "Status N" for values outside the table.
inline std::wstring StatusName(int status) {
    static constexpr const wchar_t* kNames[] = {
        L"Ok", L"GenericError", L"InvalidParameter", L"OutOfMemory", L"ObjectBusy",
        L"InsufficientBuffer", L"NotImplemented", L"Win32Error", L"WrongState", L"Aborted",
        L"FileNotFound", L"ValueOverflow", L"AccessDenied", L"UnknownImageFormat",
        L"FontFamilyNotFound", L"FontStyleNotFound", L"NotTrueTypeFont",
        L"UnsupportedGdiplusVersion", L"GdiplusNotInitialized", L"PropertyNotFound",
        L"PropertyNotSupported"};
    if (status >= 0 && status < static_cast<int>(std::size(kNames))) return kNames[status];
    return L"Status " + std::to_wstring(status);
}
}  // namespace gp

// Token of one started library instance.
using GraphicsTokenValue = std::uintptr_t;

// Starts an instance: version 1, no debug callback, background thread and
// external codecs not suppressed, no output record. Returns the status and,
// on success, fills token.
int GraphicsStartup(GraphicsTokenValue& token);
void GraphicsShutdown(GraphicsTokenValue token);

// A private library instance for one piece of work, shut down on scope exit.
class GraphicsInstance {
public:
    GraphicsInstance() : status_(GraphicsStartup(token_)) {}
    ~GraphicsInstance() {
        if (status_ == gp::Ok) GraphicsShutdown(token_);
    }
    GraphicsInstance(const GraphicsInstance&) = delete;
    GraphicsInstance& operator=(const GraphicsInstance&) = delete;
    int Status() const { return status_; }

private:
    GraphicsTokenValue token_ = 0;
    int status_;
};

// One image encoder as the library lists it.
struct ImageEncoder {
    Guid clsid;
    Guid formatId;
    std::wstring codecName;
    std::wstring filenameExtension;  // e.g. "*.JPG;*.JPEG;*.JPE;*.JFIF"
    std::wstring mimeType;
};

// The encoders in the library's own order. Needs a started instance.
int GetImageEncoders(std::vector<ImageEncoder>& out);

// One encoder parameter, the library's EncoderParameter record as plain data.
// value points at the caller's numberOfValues values of the given type, which
// must stay valid until the save call has returned.
constexpr std::uint32_t kEncoderValueTypeLong = 4;  // 32-bit unsigned integers
struct EncoderParameter {
    Guid guid;
    std::uint32_t numberOfValues = 1;
    std::uint32_t type = kEncoderValueTypeLong;
    const void* value = nullptr;
};

// What a failed library call left behind, for telling the user why.
struct GraphicsFailure {
    int status = gp::Ok;
    std::uint32_t systemError = 0;  // the system's error code when it gave one, else 0
    std::wstring systemMessage;     // the system's text for systemError, else empty
};

// A library bitmap owned by this object; released when it goes.
class GraphicsBitmap {
public:
    GraphicsBitmap() = default;
    ~GraphicsBitmap();
    GraphicsBitmap(GraphicsBitmap&& o) noexcept : handle_(o.handle_) { o.handle_ = 0; }
    GraphicsBitmap& operator=(GraphicsBitmap&& o) noexcept;
    GraphicsBitmap(const GraphicsBitmap&) = delete;
    GraphicsBitmap& operator=(const GraphicsBitmap&) = delete;

    // A library bitmap of the picture's pixels, 24 bits each, no palette.
    // Needs a started instance; an empty picture fails with InvalidParameter.
    static int FromPicture(const Picture& p, GraphicsBitmap& out);
    // A library bitmap over the picture's own pixels, 32 bits each with no
    // alpha, made without a copy: for an encoder that writes such pixels as
    // 24 bits (PNG). The picture must outlive the bitmap, unchanged.
    static int OverPicture(const Picture& p, GraphicsBitmap& out);

    // Writes the bitmap with the encoder; no parameters passes none at all.
    GraphicsFailure SaveToFile(const std::wstring& path, const Guid& encoder,
                               std::span<const EncoderParameter> params) const;

    bool Valid() const { return handle_ != 0; }
    Handle Native() const { return handle_; }

private:
    explicit GraphicsBitmap(Handle h) : handle_(h) {}
    Handle handle_ = 0;
};

// Writes the picture as a Windows bitmap file (24 bits a pixel, rows bottom-up)
// through the library's BMP encoder, whatever path's extension says. It goes
// to a new file beside path, which takes path's place only once complete: on
// failure (an empty picture, an unwritable folder, a read-only file) it
// returns false and whatever was at path is untouched. Starts its own instance.
bool SavePictureAsBmp(const Picture& p, const std::wstring& path);

// Decodes a picture file (any format the library reads) into a new picture.
// Starts its own instance. Returns the status; out is set only on success.
int LoadPictureFile(const std::wstring& path, Picture& out);

}  // namespace plat
