#pragma once
// Writing a picture to a file through the graphics library's image encoders.
// The format is named by a format word, in practice the file name's extension.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/services/imaging.h"
#include "platform/services/picture.h"

namespace ModSavePic {

// Encoder parameter GUIDs, kept as text and turned into GUIDs just before use.
inline constexpr wchar_t kQualityGuidText[] = L"{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}";
inline constexpr wchar_t kCompressionGuidText[] = L"{E09D739D-CCD4-44EE-8EBA-3FBF8BE4FC58}";
inline constexpr wchar_t kColorDepthGuidText[] = L"{66087055-AD66-4C7C-9A18-38A2310B8337}";

// The save error box: its title and the head of its text.
inline constexpr wchar_t kErrorTitle[] = L"错误";
inline constexpr wchar_t kErrorHead[] = L"在保存图片的过程中发生错误:";

// ASCII letters to lower case, everything else as it is.
std::wstring LowerCase(std::wstring_view s);

// The text after the path's last "." (the whole path when it has none),
// letter case unchanged.
std::wstring FormatWord(std::wstring_view path);

// The first encoder, in the list's order, whose lower-cased extension list
// contains the lower-cased format word anywhere. On a match clsid receives its
// class identifier; otherwise clsid is left as it was.
bool FindEncoderByExtension(const std::wstring& format, std::span<const plat::ImageEncoder> encoders,
                            plat::Guid& clsid);
// The same over the library's own list (needs a started library instance).
bool FindEncoderByExtension(const std::wstring& format, plat::Guid& clsid);

// Encoder parameters for a format word: quality for "jpg"; compression then
// colour depth for "tiff"; none for any other word ("jpeg" and "tif" included).
// The records point at the arguments themselves, which must outlive the save.
using EncoderParameterBlock = std::vector<plat::EncoderParameter>;
EncoderParameterBlock BuildEncoderParameters(const std::wstring& format, const std::int32_t& quality,
                                             const std::int32_t& colorDepth, const std::int32_t& compression);

// Whether the file was written and, when not, the error number (a graphics
// library status) and a description naming the file and the reason.
struct SaveResult {
    bool ok = false;
    int errorNumber = 0;
    std::wstring description;
};

// The save error box's text.
std::wstring SaveErrorText(int errorNumber, const std::wstring& description);

// Writes picture to fileName with the encoder for format. The pointer shows
// busy for the whole save. The picture is written to a new file beside
// fileName, which replaces fileName only when complete; when anything fails
// that file is removed, fileName is left as it was, and the save error box
// tells the user which file and why.
SaveResult SavePictureFile(const plat::Picture& picture, std::wstring fileName, const std::wstring& format,
                           std::int32_t quality, std::int32_t colorDepth, std::int32_t compression);

// SavePictureFile without the box: the caller tells the user (a command-line
// run prints the description).
SaveResult WritePictureFile(const plat::Picture& picture, std::wstring fileName, const std::wstring& format,
                            std::int32_t quality, std::int32_t colorDepth, std::int32_t compression);

}  // namespace ModSavePic
