#include "editor/toolbar_layout.h"

namespace editor {

const std::array<ToolbarButton, 10> kToolbarLayout{{
    {kAddRectangle, L"Add a rectangle", 120},
    {kAddEllipse, L"Add an ellipse", 480},
    {kAddText, L"Add text", 860},
    {kAddArrow, L"Add the arrow", 1220},
    {kAddFrame, L"Add Frame", 1590},
    {kRevert, L"Revert", 2071},
    {kRedo, L"Redo", 2441},
    {kSave, L"Save", 2810},
    {kExitSnip, L"Exit snip", 3180},
    {kSaveToClipboard, L"Save to clipboard", 3580},
}};

const wchar_t* ToolbarButtonName(int index) {
    for (const ToolbarButton& b : kToolbarLayout)
        if (b.index == index) return b.name;
    return L"";
}


float StyleBarTop(float toolbarTop, float toolbarHeight, float barHeight, float monitorBottom) {
    const float below = toolbarTop + toolbarHeight + 3;
    return monitorBottom >= below + barHeight ? below : toolbarTop - barHeight - 3;
}

plat::Point LibraryWindowOrigin(float barLeft, float barTop, int libraryWidth, const plat::Rect& monitor) {
    int left = plat::RoundHalfEven(barLeft);
    int top = plat::RoundHalfEven(barTop - 281.0f - 100.0f / plat::kTwipsPerPixel);
    if (left + libraryWidth > monitor.right) left = monitor.right - libraryWidth;
    if (left < monitor.left) left = monitor.left;
    if (top < monitor.top) top = monitor.top;
    return {left, top};
}

bool StyleBarShownAfterPress(bool shown, int index, int lastIndex) { return !shown || index != lastIndex; }

}  // namespace editor
