#pragma once
// The main window's pictures, drawn by the program itself: the background,
// the hide and exit buttons of the title line and the rows' help icons.
#include "platform/picture.h"

namespace shell {

// The title band's height; the left panel starts below it.
constexpr int kTitleBandHeight = 44;
constexpr plat::Color kTitleBlue = plat::Rgb(0, 122, 236);
constexpr plat::Color kWindowBody = plat::Rgb(244, 247, 251);

plat::Picture MainBackgroundPicture(int width, int height);
plat::Picture HideButtonPicture();  // 33 x 41, a white bar on the title blue
plat::Picture ExitButtonPicture();  // 33 x 41, a white cross on the title blue
plat::Picture HelpIconPicture();    // 16 x 16, a question mark in a blue disc

}  // namespace shell
