#pragma once
// The editor's small pictures: the ten toolbar button icons, the size
// picker's icon and the three looks of its drop-down button. They are drawn
// by the program from pixel maps and whole-pixel rectangles, so they need no
// resource files, stay sharp and come out the same on every backend. The
// sizes below are at 100 %; the bars draw them at their monitor's scale.
#include <array>

#include "platform/services/dpi.h"
#include "platform/services/picture.h"

namespace editor {

constexpr int kToolbarIconSize = 16;
constexpr int kToolbarIconCount = 10;
// The toolbar strip's colour, and the hover square's fill behind a button.
constexpr plat::Color kToolbarBackground = plat::Rgb(222, 238, 255);
constexpr plat::Color kToolbarHoverFill = plat::Rgb(148, 217, 255);

// The icon of toolbar button `index` (0 "Revert" ... 9 "Add Frame"),
// 16 x 16, drawn on `background` wherever the icon leaves the strip showing
// (the toolbar has no transparency: an icon over the hover square is drawn
// on kToolbarHoverFill). Empty for an index outside 0 to 9.
// At `dpi` each map pixel covers its scaled cell: drawn at that size, not
// stretched afterwards.
plat::Picture ToolbarIcon(int index, plat::Color background = kToolbarBackground, int dpi = plat::kBaseDpi);

// An icon from a pixel map, one string of kToolbarIconSize map characters a
// row (the legend is in toolbar_icons.cpp), each map pixel drawn as its
// scaled cell at `dpi`. Other strips draw their icons with it, so every
// icon of the editor comes from the same generator. Icons are drawn once and
// kept (by the map's address, so `rows` must live as long as the program).
using IconRows = std::array<const char*, kToolbarIconSize>;
plat::Picture IconFromMap(const IconRows& rows, plat::Color background, int dpi = plat::kBaseDpi);

// The size picker's icon: three lines of growing thickness, 20 x 20.
constexpr int kSizeIconSize = 20;
plat::Picture SizeIcon(int dpi = plat::kBaseDpi);

// The looks of the size picker's button, 50 x 22: a box with a drop-down
// triangle at its right. The size box lies over kSizeTextArea, which every
// look leaves one plain colour.
enum SizeButtonLookIndex : int { kSizeButtonNormal = 0, kSizeButtonHover = 1, kSizeButtonPressed = 2 };
constexpr int kSizeButtonWidth = 50;
constexpr int kSizeButtonHeight = 22;
constexpr plat::Rect kSizeTextArea{4, 4, 4 + 23, 4 + 13};
// Empty for a look outside 0 to 2.
plat::Picture SizeButtonLook(int look, int dpi = plat::kBaseDpi);
// The colour of kSizeTextArea in that look, for the size box's own
// background to match it (white for a look outside 0 to 2).
plat::Color SizeButtonFill(int look);

}  // namespace editor
