#pragma once
// The toolbar's table and the arithmetic of the style bar beside it: plain
// data and functions, so they are tested without a window.
#include <array>

#include "platform/services/types.h"

namespace editor {

// Toolbar button indexes as the buttons are numbered.
enum ToolbarIndex {
    kRevert = 0,
    kSaveToClipboard = 1,
    kSave = 2,
    kExitSnip = 3,
    kAddArrow = 4,
    kAddText = 5,
    kAddEllipse = 6,
    kAddRectangle = 7,
    kRedo = 8,
    kAddFrame = 9,
};

struct ToolbarButton {
    int index;
    // The tooltip, and for the four drawing tools the name the markup code
    // knows the chosen tool by.
    const wchar_t* name;
    int leftTwips;
};

// From left to right.
extern const std::array<ToolbarButton, 10> kToolbarLayout;
// The two separator lines' left edges.
constexpr std::array<int, 2> kSeparatorTwips{1920, 2780};
constexpr float kToolbarButtonTop = 5;
constexpr float kToolbarButtonSize = 16;
constexpr float kHoverSquareSize = 20;

// The tooltip text of button `index`; "" for an index with no button.
const wchar_t* ToolbarButtonName(int index);

// The style bar's top: 3 pixels below the toolbar when the monitor holding
// the toolbar (its bottom edge `monitorBottom`) has room for it there, else 3
// pixels above it.
float StyleBarTop(float toolbarTop, float toolbarHeight, float barHeight, float monitorBottom);

// The logo library window's top-left, in the editor's pixels: its left edge
// on the style bar's, its top 288 pixels above the bar's (its height as the
// editor was designed, and a gap), held inside `monitor`.
plat::Point LibraryWindowOrigin(float barLeft, float barTop, int libraryWidth, const plat::Rect& monitor);

// Whether the style bar shows after a press on button `index`: a hidden bar
// shows, a shown one hides when the same button is pressed again.
bool StyleBarShownAfterPress(bool shown, int index, int lastIndex);

}  // namespace editor
