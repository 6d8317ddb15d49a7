#pragma once
// The save dialog every snip window shows, and writing a picture to the name
// chosen in it, in the format of the name's extension.
#include "encoding/ModSavePic.h"
#include "platform/services/dialogs.h"
#include "platform/services/picture.h"

namespace editor {

// The "Save" dialog, owned by `owner` (an unowned dialog would open behind a
// topmost window): PNG chosen, a name from the time now, in the folder last
// saved to (else Pictures, else the program's folder).
plat::FileDialogRequest SnipSaveDialogRequest(plat::Handle owner);

// Writes the picture to `path` in the format its extension names; a save that
// worked remembers its folder for the next dialog.
ModSavePic::SaveResult SaveSnipPicture(const plat::Picture& picture, const std::wstring& path);

// Asks for a name and saves the picture there; false when the user cancelled
// or the save failed (the user has been told why).
bool AskAndSavePicture(plat::Handle owner, const plat::Picture& picture);

}  // namespace editor
