#pragma once
// The logo library's and the caption editor's small buttons, drawn by the
// program as pixel art (no stored pictures): 16 x 16 caption buttons, 20 x 20
// slot icons ("Replace the image", "Select it"), the help and close icons.
#include "platform/services/picture.h"

namespace logo {

enum class CaptionButtonArt { Font, Colour, Wider, Narrower, Higher, Lower };
plat::Picture CaptionButtonPicture(CaptionButtonArt kind);

// Each `px` pixels square.
plat::Picture ReplaceIconPicture(int px);  // a folder with an arrow
plat::Picture SelectIconPicture(int px);   // a check mark in a green disc
plat::Picture HelpIconPicture(int px);     // a question mark in a blue disc
plat::Picture CloseIconPicture(int px);    // a cross in a red disc
// The frames panel's buttons of the four frames (0 "1.PNG", 1 "2.PNG",
// 2 "3.PNG", 3 "5.PNG"), drawn small rather than shrunk from the pictures,
// whose thin borders would fade away at 16 pixels.
plat::Picture FrameButtonPicture(int frame, int px);
// The frames panel's library and delete buttons.
plat::Picture LibraryIconPicture(int width, int height);  // three stacked pictures
plat::Picture DeleteIconPicture(int width, int height);   // a picture crossed out

}  // namespace logo
