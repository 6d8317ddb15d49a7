// The editor's save command: ask for a file name, then write the grabbed
// picture, in the format of the name's extension. The clipboard is not touched.
#include "editor/snip_editor.h"

#include "editor/save_picture_as.h"
#include "platform/services/dialogs.h"

namespace editor {

bool SnipEditor::CutdSave(const plat::Picture& snip) {
    // Owned by the editor: the editor stays on top of every window, and an
    // unowned dialog would open hidden behind it.
    const plat::FileDialogResult answer = plat::ShowSaveFileDialog(SnipSaveDialogRequest(hWnd()));
    // Cancel and a failed dialog alike: nothing written.
    if (!answer.Chosen()) return false;
    return SaveSnipPicture(snip, answer.path).ok;
}

}  // namespace editor
