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


float StyleBarTop(float toolbarTop, float toolbarHeight, float barHeight, float screenHeight) {
    const float below = toolbarTop + toolbarHeight + 3;
    return screenHeight >= below + barHeight ? below : toolbarTop - barHeight - 3;
}

bool StyleBarShownAfterPress(bool shown, int index, int lastIndex) { return !shown || index != lastIndex; }

}  // namespace editor
