#include "editor/save_picture_as.h"

#include <ctime>

#include "editor/save_naming.h"
#include "platform/services/files.h"
#include "platform/services/local_time.h"
#include "platform/services/profile.h"
#include "platform/services/system.h"
#include "shell/rwini.h"

namespace editor {

namespace {
constexpr std::int32_t kJpegQuality = 80;
constexpr std::int32_t kTiffColorDepth = 24;
constexpr std::int32_t kTiffCompressionNone = 6;  // the library's EncoderValueCompressionNone
constexpr int kFileNameChars = 255;
// Where the last save went; written only by a save, never at start.
constexpr wchar_t kSaveSection[] = L"Save";
constexpr wchar_t kLastFolderKey[] = L"LastFolder";

std::wstring LastSaveFolder() { return plat::ProfileGetString(kSaveSection, kLastFolderKey, L"", rwini::IniPath()); }

std::wstring NowSnipName() { return SuggestedSnipName(plat::LocalTime(std::time(nullptr))); }
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
    r.filterIndex = 1;  // PNG
    const std::wstring last = LastSaveFolder();
    r.initialDir =
        SaveStartFolder(last, !last.empty() && plat::FileExists(last), plat::UserPicturesDir(), plat::ExeDir());
    r.fileName = NowSnipName();
    r.defaultExt = L"PNG";
    r.flags = 0;  // no overwrite prompt: an existing file of that name is replaced
    r.bufferChars = kFileNameChars;
    return r;
}

ModSavePic::SaveResult SaveSnipPicture(const plat::Picture& picture, const std::wstring& path) {
    // Only the name's extension decides the format, never the chosen filter.
    ModSavePic::SaveResult saved = ModSavePic::SavePictureFile(picture, path, ModSavePic::FormatWord(path),
                                                               kJpegQuality, kTiffColorDepth, kTiffCompressionNone);
    if (saved.ok)
        if (const std::wstring folder = FolderOf(path); !folder.empty())
            (void)plat::ProfileWriteString(kSaveSection, kLastFolderKey, folder, rwini::IniPath());
    return saved;
}

bool AskAndSavePicture(plat::Handle owner, const plat::Picture& picture) {
    const plat::FileDialogResult answer = plat::ShowSaveFileDialog(SnipSaveDialogRequest(owner));
    if (!answer.Chosen()) return false;
    return SaveSnipPicture(picture, answer.path).ok;
}

}  // namespace editor
