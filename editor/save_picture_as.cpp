#include "editor/save_picture_as.h"

#include "platform/services/system.h"

namespace editor {

namespace {
constexpr std::int32_t kJpegQuality = 80;
constexpr std::int32_t kTiffColorDepth = 24;
constexpr std::int32_t kTiffCompressionNone = 6;  // the library's EncoderValueCompressionNone
constexpr int kFileNameChars = 255;
}  // namespace

plat::FileDialogRequest SnipSaveDialogRequest(plat::Handle owner) {
    plat::FileDialogRequest r;
    r.owner = owner;
    r.title = L"Save";
    r.filters = {
        {L"PNG File(*.PNG)", L"*.PNG"},
        {L"JPEG File(*.jpg;*.jpeg)", L"*.jpg"},
        {L"Bitmap File(*.bmp)", L"*.bmp"},
        {L"GIF File(*.gif)", L"*.gif"},
        {L"TIFF File(*.TIFF)", L"*.tiff"},
        {L"All File(*.*)", L"*.*"},
    };
    r.filterIndex = 1;
    r.initialDir = plat::ExeDir();
    r.defaultExt = L"PNG";
    r.flags = 0;  // no overwrite prompt: an existing file of that name is replaced
    r.bufferChars = kFileNameChars;
    return r;
}

ModSavePic::SaveResult SaveSnipPicture(const plat::Picture& picture, const std::wstring& path) {
    // Only the name's extension decides the format, never the chosen filter.
    return ModSavePic::SavePictureFile(picture, path, ModSavePic::FormatWord(path), kJpegQuality, kTiffColorDepth,
                                       kTiffCompressionNone);
}

bool AskAndSavePicture(plat::Handle owner, const plat::Picture& picture) {
    const plat::FileDialogResult answer = plat::ShowSaveFileDialog(SnipSaveDialogRequest(owner));
    if (!answer.Chosen()) return false;
    return SaveSnipPicture(picture, answer.path).ok;
}

}  // namespace editor
