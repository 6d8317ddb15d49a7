// The editor's save command: ask for a file name, then write the picture that
// the screen grab left on the clipboard, in the format of the name's extension.
#include "editor/snip_editor.h"

#include "editor/save_picture_as.h"
#include "platform/services/dialogs.h"
#include "platform/services/system.h"

namespace editor {

void SnipEditor::CutdSave() {
    // Owned by the editor: the editor stays on top of every window, and an
    // unowned dialog would open hidden behind it.
    const plat::FileDialogResult answer = plat::ShowSaveFileDialog(SnipSaveDialogRequest(hWnd()));
    // Cancel and a failed dialog alike: nothing written, the snip stays on the clipboard.
    if (!answer.Chosen()) return;

    const plat::Picture snip = plat::ClipboardGetPicture();
    const ModSavePic::SaveResult saved = SaveSnipPicture(snip, answer.path);
    // After a failed save the user has been told why; the snip stays on the
    // clipboard so that it is not lost.
    if (saved.ok) plat::ClipboardClear();
}

}  // namespace editor
