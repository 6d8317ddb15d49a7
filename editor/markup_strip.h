#pragma once
// The markup strip: a second bar of five buttons (pixelate, highlighter, pen,
// numbered step, pin to screen) beside the toolbar, placed by the toolbar's
// own rules and shown and hidden with it. The toolbar itself is unchanged.
#include <array>
#include <functional>

#include "editor/selection_geometry.h"
#include "platform/services/dpi.h"
#include "platform/toolkit/controls.h"

namespace editor {

enum MarkupStripIndex {
    kPixelate = 0,
    kHighlighter = 1,
    kPen = 2,
    kNumberedStep = 3,
    kPinToScreen = 4,
};
constexpr int kMarkupStripButtons = 5;
// The tooltip of strip button `index`, also the name the editor knows the
// chosen tool by; "" for an index with no button.
const wchar_t* MarkupToolName(int index);
// The strip button of a tool name, -1 for a name that is none of them.
int MarkupToolIndex(const std::wstring& name);

// At 100 %: buttons 16 pixels on a pitch of 24, as on the toolbar.
constexpr float kStripButtonPitch = 24;
constexpr float kStripButtonLeft = 6;
constexpr float kMarkupStripWidth = 2 * kStripButtonLeft + (kMarkupStripButtons - 1) * kStripButtonPitch + 16;
constexpr float kStripGap = 4;

// The strip's top-left beside the toolbar at `toolbar` (its top-left, as
// ToolbarOrigin places it): level with it and to its left, or to its right
// when the screen has no room on the left.
PointF StripOrigin(PointF toolbar, float toolbarWidth, float stripWidth, float screenWidth);

class MarkupStrip {
public:
    explicit MarkupStrip(plat::Container& form);
    // Moves the strip beside the toolbar control and shows it.
    void PlaceBeside(const plat::Control& toolbar, float screenWidth);
    void Hide();
    // Lays the strip out again at `dpi`, as the toolbar beside it is.
    void ScaleTo(int dpi);

    plat::PictureBox Box;
    plat::ControlArray<plat::Shape> Hover;  // hover squares, behind the buttons
    plat::ControlArray<plat::Image> Buttons;
    plat::Shape Outline;
    // A button was clicked (its index).
    std::function<void(int)> Clicked;

private:
    void Button_MouseMove(int index);
    void HideHover();
    void Layout();
    float Scaled(float px96) const { return px96 * static_cast<float>(dpi_) / plat::kBaseDpi; }
    int dpi_ = plat::kBaseDpi;
};

// The icon of strip button `index`, 16 x 16 at `dpi`, on `background`.
plat::Picture MarkupIcon(int index, plat::Color background, int dpi = plat::kBaseDpi);

}  // namespace editor
