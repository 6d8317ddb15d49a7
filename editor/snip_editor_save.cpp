// The editor's save command: ask for a file name, then write the picture that
// the screen grab left on the clipboard, in the format of the name's extension.
#include "editor/snip_editor.h"

#include <ctime>

#include "editor/save_naming.h"
#include "encoding/ModSavePic.h"
#include "platform/services/dialogs.h"
#include "platform/services/files.h"
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

std::wstring NowSnipName() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return editor::SuggestedSnipName(local);
}

plat::FileDialogRequest SaveDialogRequest(plat::Handle owner) {
    plat::FileDialogRequest r;
    // Owned by the editor: the editor stays on top of every window, and an
    // unowned dialog would open hidden behind it.
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
    r.initialDir = editor::SaveStartFolder(last, !last.empty() && plat::FileExists(last), plat::UserPicturesDir(),
                                           plat::ExeDir());
    r.fileName = NowSnipName();
    r.defaultExt = L"PNG";
    r.flags = 0;  // no overwrite prompt: an existing file of that name is replaced
    r.bufferChars = kFileNameChars;
    return r;
}

}  // namespace

void SnipEditor::CutdSave() {
    const plat::FileDialogResult answer = plat::ShowSaveFileDialog(SaveDialogRequest(hWnd()));
    // Cancel and a failed dialog alike: nothing written, the snip stays on the clipboard.
    if (!answer.Chosen()) return;

    // Only the name's extension decides the format, never the chosen filter.
    const std::wstring format = ModSavePic::FormatWord(answer.path);
    const plat::Picture snip = plat::ClipboardGetPicture();
    const ModSavePic::SaveResult saved =
        ModSavePic::SavePictureFile(snip, answer.path, format, kJpegQuality, kTiffColorDepth, kTiffCompressionNone);
    // After a failed save the user has been told why; the snip stays on the
    // clipboard so that it is not lost.
    if (!saved.ok) return;
    plat::ClipboardClear();
    if (const std::wstring folder = editor::FolderOf(answer.path); !folder.empty())
        (void)plat::ProfileWriteString(kSaveSection, kLastFolderKey, folder, rwini::IniPath());
}

}  // namespace editor
