// The editor's save command: ask for a file name, then write the grabbed
// picture, in the format of the name's extension. The clipboard is not touched.
#include "editor/snip_editor.h"

#include "encoding/ModSavePic.h"
#include "platform/services/dialogs.h"
#include "platform/services/system.h"

namespace editor {

namespace {

constexpr std::int32_t kJpegQuality = 80;
constexpr std::int32_t kTiffColorDepth = 24;
constexpr std::int32_t kTiffCompressionNone = 6;  // the library's EncoderValueCompressionNone
constexpr int kFileNameChars = 255;

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
    r.filterIndex = 1;
    r.initialDir = plat::ExeDir();
    r.defaultExt = L"PNG";
    r.flags = 0;  // no overwrite prompt: an existing file of that name is replaced
    r.bufferChars = kFileNameChars;
    return r;
}

}  // namespace

bool SnipEditor::CutdSave(const plat::Picture& snip) {
    const plat::FileDialogResult answer = plat::ShowSaveFileDialog(SaveDialogRequest(hWnd()));
    // Cancel and a failed dialog alike: nothing written.
    if (!answer.Chosen()) return false;

    // Only the name's extension decides the format, never the chosen filter.
    const std::wstring format = ModSavePic::FormatWord(answer.path);
    return ModSavePic::SavePictureFile(snip, answer.path, format, kJpegQuality, kTiffColorDepth, kTiffCompressionNone)
        .ok;
}

}  // namespace editor
