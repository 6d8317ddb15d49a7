#pragma once
// The main window's pictures, drawn by the program itself: the background
// with its title band and right-hand card, the hide and exit buttons of the
// title line and the rows' help icons.
#include "platform/picture.h"

namespace shell {

// The title band's height; the left panel starts right below it.
constexpr int kTitleBandHeight = 48;
constexpr plat::Color kTitleBlue = plat::Rgb(0, 122, 236);
constexpr plat::Color kWindowBody = plat::Rgb(244, 247, 251);
constexpr plat::Color kCardColor = plat::Rgb(255, 255, 255);
// The card behind the right column (logo preview and position), client pixels.
constexpr plat::Rect kRightCard{284, kTitleBandHeight + 6, 440, 335};
// The title band's colour on row y, which the title buttons share.
plat::Color TitleBandColor(int y);

plat::Picture MainBackgroundPicture(int width, int height);
plat::Picture HideButtonPicture();  // 33 x 41, a white bar on the title band
plat::Picture ExitButtonPicture();  // 33 x 41, a white cross on the title band
plat::Picture HelpIconPicture();    // 16 x 16, a question mark in a blue disc

}  // namespace shell
