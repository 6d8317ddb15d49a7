#include "editor/markup_strip.h"

#include <string>

#include "editor/toolbar_icons.h"
#include "editor/toolbar_layout.h"
#include "platform/services/system.h"

namespace editor {

namespace {
constexpr std::array<const wchar_t*, kMarkupStripButtons> kNames{
    L"Pixelate", L"Highlighter", L"Pen", L"Numbered step", L"Pin to screen"};

// Map characters as toolbar_icons.cpp draws them.
constexpr IconRows kPixelateMap{
    "................",
    ".##############.",
    ".#++++oooo====#.",
    ".#++++oooo====#.",
    ".#++++oooo====#.",
    ".#++++oooo====#.",
    ".#::::++++oooo#.",
    ".#::::++++oooo#.",
    ".#::::++++oooo#.",
    ".#::::++++oooo#.",
    ".#oooo====++++#.",
    ".#oooo====++++#.",
    ".#oooo====++++#.",
    ".#oooo====++++#.",
    ".##############.",
    "................",
};
constexpr IconRows kHighlighterMap{
    "................",
    "..........=##...",
    ".........=#ww#..",
    "........=#wwww#.",
    ".......=#wwww#=.",
    "......=#wwww#=..",
    ".....=#wwww#=...",
    "....=#++ww#=....",
    "....#++++#=.....",
    "....#+++#=......",
    "...:#++#=.......",
    "...-*##=........",
    "..------........",
    ".---------------",
    ".---------------",
    "................",
};
constexpr IconRows kPenMap{
    "................",
    "............:#=.",
    "...........:###.",
    "..........:###=.",
    ".........:###=..",
    "........:###=...",
    ".......:###=....",
    "......:###=.....",
    ".....:###=......",
    "....:###=.......",
    "....=##=........",
    "...+*==.........",
    "..++*...........",
    ".++.............",
    ".+..............",
    "................",
};
constexpr IconRows kStepMap{
    "................",
    ".....-*++*-.....",
    "...-++++++++-...",
    "..*++++ww++++*..",
    "..+++++ww++++*..",
    ".*++++www+++++*.",
    ".+++++www+++++*.",
    ".++++++ww++++++.",
    ".++++++ww++++++.",
    ".*+++++ww+++++*.",
    ".*+++++ww+++++*.",
    "..++++wwww+++*..",
    "..*+++wwww+++*..",
    "...-++++++++-...",
    ".....-*++*-.....",
    "................",
};
constexpr IconRows kPinMap{
    "................",
    "......######....",
    ".......#++#.....",
    ".......#++#.....",
    ".......#++#.....",
    "......#++++#....",
    ".....#++++++#...",
    "....############",
    "........##......",
    "........##......",
    "........##......",
    "........=#......",
    "........:=......",
    "................",
    "................",
    "................",
};
constexpr std::array<const IconRows*, kMarkupStripButtons> kMaps{&kPixelateMap, &kHighlighterMap, &kPenMap,
                                                                  &kStepMap, &kPinMap};
}  // namespace

const wchar_t* MarkupToolName(int index) {
    return index >= 0 && index < kMarkupStripButtons ? kNames[static_cast<std::size_t>(index)] : L"";
}

int MarkupToolIndex(const std::wstring& name) {
    for (int i = 0; i < kMarkupStripButtons; ++i)
        if (name == kNames[static_cast<std::size_t>(i)]) return i;
    return -1;
}

PointF StripOrigin(PointF toolbar, float toolbarWidth, float stripWidth, float screenWidth) {
    const float left = toolbar.x - kStripGap - stripWidth;
    if (left >= 0) return {left, toolbar.y};
    const float right = toolbar.x + toolbarWidth + kStripGap;
    return {right + stripWidth <= screenWidth ? right : 0, toolbar.y};
}

plat::Picture MarkupIcon(int index, plat::Color background, int dpi) {
    if (index < 0 || index >= kMarkupStripButtons) return {};
    return IconFromMap(*kMaps[static_cast<std::size_t>(index)], background, dpi);
}

MarkupStrip::MarkupStrip(plat::Container& form)
    : Box(form), Hover(Box, kMarkupStripButtons), Buttons(Box, kMarkupStripButtons), Outline(Box) {
    Box.SetBackColor(kToolbarBackground);
    Box.SetVisible(false);
    Box.MouseMove = [this](const plat::MouseArgs&) {
        HideHover();
        plat::SetMousePointer(plat::MousePointer::Arrow);
    };
    for (int i = 0; i < kMarkupStripButtons; ++i) {
        Hover[i].SetBorder(plat::Rgb(36, 143, 251), 1);
        Hover[i].SetFill(kToolbarHoverFill, plat::FillStyle::Solid);
        Hover[i].SetVisible(false);
        Buttons[i].SetToolTipText(MarkupToolName(i));
        Buttons[i].Click = [this, i] {
            if (Clicked) Clicked(i);
        };
        Buttons[i].MouseMove = [this, i](const plat::MouseArgs&) { Button_MouseMove(i); };
    }
    Outline.SetBorder(plat::Rgb(128, 128, 255), 1);
    Layout();
}

void MarkupStrip::ScaleTo(int dpi) {
    if (dpi <= 0) dpi = plat::kBaseDpi;
    if (dpi == dpi_) return;
    dpi_ = dpi;
    Layout();
}

// The box, hover squares and buttons (icons drawn at the scale) at dpi_.
void MarkupStrip::Layout() {
    Box.Move(Box.Left(), Box.Top(), Scaled(kMarkupStripWidth), Scaled(26));
    for (int i = 0; i < kMarkupStripButtons; ++i) {
        const float left = Scaled(kStripButtonLeft + kStripButtonPitch * static_cast<float>(i));
        const float top = Scaled(kToolbarButtonTop);
        const float inset = Scaled((kHoverSquareSize - kToolbarButtonSize) / 2);
        Hover[i].Move(left - inset, top - inset, Scaled(kHoverSquareSize), Scaled(kHoverSquareSize));
        Buttons[i].SetPicture(MarkupIcon(i, Hover[i].Visible() ? kToolbarHoverFill : kToolbarBackground, dpi_));
        Buttons[i].Move(left, top);
    }
    Outline.Move(0, 0, Box.Width(), Box.Height());
}

void MarkupStrip::PlaceBeside(const plat::Control& toolbar, float screenWidth) {
    const PointF o = StripOrigin({toolbar.Left(), toolbar.Top()}, toolbar.Width(), Box.Width(), screenWidth);
    Box.Move(o.x, o.y);
    Box.SetVisible(true);
}

void MarkupStrip::Hide() {
    HideHover();
    Box.SetVisible(false);
}

void MarkupStrip::Button_MouseMove(int index) {
    plat::SetMousePointer(plat::MousePointer::Arrow);
    if (Hover[index].Visible()) return;
    HideHover();
    Hover[index].SetVisible(true);
    Buttons[index].SetPicture(MarkupIcon(index, kToolbarHoverFill, dpi_));
}

void MarkupStrip::HideHover() {
    for (int i = 0; i < kMarkupStripButtons; ++i) {
        if (!Hover[i].Visible()) continue;
        Hover[i].SetVisible(false);
        Buttons[i].SetPicture(MarkupIcon(i, kToolbarBackground, dpi_));
    }
}

}  // namespace editor
