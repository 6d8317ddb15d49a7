#include "encoding/ModSavePic.h"

#include <new>
#include <stdexcept>
#include <utility>

#include "platform/services/files.h"
#include "platform/services/system.h"
#include "platform/services/types.h"

namespace ModSavePic {

namespace {

// The program-wide busy pointer for as long as the guard lives.
class BusyPointer {
public:
    BusyPointer() { plat::SetMousePointer(plat::MousePointer::Hourglass); }
    ~BusyPointer() { plat::SetMousePointer(plat::MousePointer::Default); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

plat::Guid ParameterGuid(const wchar_t* text) {
    plat::Guid g;
    plat::GuidFromString(text, g);
    return g;
}

std::wstring Quoted(const std::wstring& s) { return L"\"" + s + L"\""; }

SaveResult Failure(int number, const std::wstring& fileName, const std::wstring& reason) {
    return {false, number, L"Could not save " + Quoted(fileName) + L": " + reason};
}

std::wstring StatusInBrackets(int status) { return L" (" + plat::gp::StatusName(status) + L")"; }

std::wstring Widen(const char* s) {
    std::wstring w;
    for (; *s; ++s) w.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*s)));
    return w;
}

// The system's message usually ends with a full stop and a line break.
std::wstring Trimmed(std::wstring s) {
    while (!s.empty() && (s.back() == L'\r' || s.back() == L'\n' || s.back() == L' ' || s.back() == L'.'))
        s.pop_back();
    return s;
}

std::wstring Reason(const std::wstring& systemMessage, int status) {
    return Trimmed(systemMessage) + StatusInBrackets(status) + L".";
}

// The file the picture is written to before it takes the target's place:
// removed on every way out, a failure or a fault (once it has become the
// target there is nothing left under its name).
class TempFile {
public:
    explicit TempFile(std::wstring path) : path_(std::move(path)) {}
    ~TempFile() {
        // A scanner or indexer may hold a new file for a moment.
        for (int attempt = 0; attempt < 5; ++attempt) {
            if (plat::RemoveFile(path_) || !plat::FileExists(path_)) return;
            plat::SleepMs(20);
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};

bool IsPngEncoder(const plat::Guid& encoder, std::span<const plat::ImageEncoder> encoders) {
    for (const auto& e : encoders)
        if (e.clsid == encoder) return LowerCase(e.mimeType) == L"image/png";
    return false;
}

SaveResult SaveSteps(const plat::Picture& picture, const std::wstring& fileName, const std::wstring& format,
                     const std::int32_t& quality, const std::int32_t& colorDepth,
                     const std::int32_t& compression) {
    // A private instance, so saving works whether or not anything else has
    // the library started.
    plat::GraphicsInstance library;
    if (library.Status() != plat::gp::Ok)
        return Failure(library.Status(), fileName,
                       L"the graphics library did not start" + StatusInBrackets(library.Status()) + L".");

    if (picture.Empty())
        return Failure(plat::gp::InvalidParameter, fileName, L"there is no picture to save.");
    std::vector<plat::ImageEncoder> encoders;
    if (int st = plat::GetImageEncoders(encoders); st != plat::gp::Ok)
        return Failure(st, fileName, L"the list of image encoders could not be read" + StatusInBrackets(st) + L".");
    plat::Guid encoder;
    if (!FindEncoderByExtension(format, encoders, encoder))
        return Failure(plat::gp::UnknownImageFormat, fileName,
                       L"no image encoder writes the format " + Quoted(format) + L".");

    // PNG writes pixels without alpha as 24 bits: it is handed the picture's
    // own pixels. The others get a 24-bit copy: BMP and TIFF files take the
    // depth of the bitmap they are given, and JPEG encodes a 24-bit bitmap
    // faster than the copy costs.
    plat::GraphicsBitmap bitmap;
    const int st = IsPngEncoder(encoder, encoders) ? plat::GraphicsBitmap::OverPicture(picture, bitmap)
                                                     : plat::GraphicsBitmap::FromPicture(picture, bitmap);
    if (st != plat::gp::Ok)
        return Failure(st, fileName, L"the picture could not be read" + StatusInBrackets(st) + L".");

    const EncoderParameterBlock params = BuildEncoderParameters(format, quality, colorDepth, compression);
    // The picture goes to a new file beside the target, which takes the
    // target's place only once it is complete: a failed save never costs the
    // user the file that was there.
    const TempFile temp(plat::TempNameBeside(fileName));
    plat::GraphicsFailure failure = bitmap.SaveToFile(temp.Path(), encoder, params);

    if (failure.status != plat::gp::Ok)
        return Failure(failure.status, fileName,
                       failure.systemMessage.empty()
                           ? L"the file could not be written" + StatusInBrackets(failure.status) + L"."
                           : Reason(failure.systemMessage, failure.status));
    if (const auto size = plat::FileSize(temp.Path()); !size || *size == 0)
        // An encoder can report success and still leave nothing behind.
        return Failure(plat::gp::Win32Error, fileName, L"the encoder reported success but wrote no file.");
    if (const plat::FileError error = plat::ReplaceFileWith(temp.Path(), fileName))
        return Failure(plat::gp::Win32Error, fileName, Reason(error.message, plat::gp::Win32Error));
    return {true, 0, {}};
}

}  // namespace

std::wstring LowerCase(std::wstring_view s) {
    std::wstring out(s);
    for (auto& c : out)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return out;
}

std::wstring FormatWord(std::wstring_view path) {
    const auto dot = path.rfind(L'.');
    return std::wstring(dot == std::wstring_view::npos ? path : path.substr(dot + 1));
}

bool FindEncoderByExtension(const std::wstring& format, std::span<const plat::ImageEncoder> encoders,
                            plat::Guid& clsid) {
    const std::wstring word = LowerCase(format);
    for (const auto& e : encoders) {
        // A substring test, not a comparison of whole extensions: "tif" and
        // "tiff" both find "*.tif;*.tiff".
        if (LowerCase(e.filenameExtension).find(word) != std::wstring::npos) {
            clsid = e.clsid;
            return true;
        }
    }
    return false;
}

bool FindEncoderByExtension(const std::wstring& format, plat::Guid& clsid) {
    std::vector<plat::ImageEncoder> encoders;
    if (plat::GetImageEncoders(encoders) != plat::gp::Ok) return false;
    return FindEncoderByExtension(format, encoders, clsid);
}

EncoderParameterBlock BuildEncoderParameters(const std::wstring& format, const std::int32_t& quality,
                                             const std::int32_t& colorDepth, const std::int32_t& compression) {
    const std::wstring word = LowerCase(format);
    if (word == L"jpg") return {{ParameterGuid(kQualityGuidText), 1, plat::kEncoderValueTypeLong, &quality}};
    if (word == L"tiff")
        return {{ParameterGuid(kCompressionGuidText), 1, plat::kEncoderValueTypeLong, &compression},
                {ParameterGuid(kColorDepthGuidText), 1, plat::kEncoderValueTypeLong, &colorDepth}};
    return {};
}

std::wstring SaveErrorText(int errorNumber, const std::wstring& description) {
    return std::wstring(kErrorHead) + L"\r\n\r\n" + L"错误号: " + std::to_wstring(errorNumber) + L"\r\n" +
           L"错误描述: " + description;
}

SaveResult WritePictureFile(const plat::Picture& picture, std::wstring fileName, const std::wstring& format,
                            std::int32_t quality, std::int32_t colorDepth, std::int32_t compression) {
    SaveResult result;
    {
        BusyPointer busy;
        try {
            result = SaveSteps(picture, fileName, format, quality, colorDepth, compression);
        } catch (const std::bad_alloc&) {
            result = Failure(plat::gp::OutOfMemory, fileName, L"out of memory.");
        } catch (const std::exception& e) {
            result = Failure(plat::gp::GenericError, fileName, Widen(e.what()) + L".");
        }
    }
    return result;
}

SaveResult SavePictureFile(const plat::Picture& picture, std::wstring fileName, const std::wstring& format,
                           std::int32_t quality, std::int32_t colorDepth, std::int32_t compression) {
    const SaveResult result =
        WritePictureFile(picture, std::move(fileName), format, quality, colorDepth, compression);
    // The pointer is back to normal before the box appears.
    if (!result.ok) plat::MsgBox(SaveErrorText(result.errorNumber, result.description), kErrorTitle,
                                 plat::kMsgInformation | plat::kMsgOk);
    return result;
}

}  // namespace ModSavePic
