#pragma once
// The main window's pictures, drawn by the program itself at the window's DPI
// (shapes and text drawn at the scaled size, never a stretched bitmap): the
// background with its title band and right-hand card, the hide and exit
// buttons of the title line and the rows' help icons. Sizes and places here
// are twips, as the window's layout is written.
#include "platform/services/picture.h"

namespace shell {

// The title band's height; the left panel starts below it.
constexpr int kTitleBandTwips = 720;
constexpr plat::Color kTitleBlue = plat::Rgb(0, 122, 236);
constexpr plat::Color kWindowBody = plat::Rgb(244, 247, 251);
constexpr plat::Color kCardColor = plat::Rgb(255, 255, 255);
// The card behind the right column (logo preview and position), client twips.
constexpr plat::Rect kRightCardTwips{4260, kTitleBandTwips + 90, 6600, 5025};
// The title band's colour on pixel row y of a band `bandHeight` pixels high;
// the title buttons share it.
plat::Color TitleBandColor(int y, int bandHeight);

plat::Picture MainBackgroundPicture(int width, int height, int dpi);
plat::Picture HideButtonPicture(int dpi);  // 495 x 615 twips, a white bar on the title band
plat::Picture ExitButtonPicture(int dpi);  // 495 x 615 twips, a white cross on the title band
plat::Picture HelpIconPicture(int dpi);    // 240 x 240 twips, a question mark in a blue disc

}  // namespace shell
