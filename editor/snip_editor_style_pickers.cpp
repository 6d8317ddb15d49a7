// The style bar's pickers: the size picker with its drop-down list and the
// sixteen-colour palette with the current colour's swatch.
#include "editor/snip_editor.h"

#include <array>
#include <string>

#include "editor/toolbar_icons.h"

namespace editor {

namespace {
constexpr plat::Color kBarColor = plat::Rgb(222, 238, 255);
constexpr plat::Color kOutlineColor = plat::Rgb(128, 128, 255);

constexpr std::array<plat::Color, 16> kPalette{
    plat::Rgb(0, 0, 0),       plat::Rgb(128, 128, 128), plat::Rgb(192, 0, 0),   plat::Rgb(192, 192, 0),
    plat::Rgb(0, 128, 0),     plat::Rgb(0, 0, 128),     plat::Rgb(128, 0, 128), plat::Rgb(0, 128, 128),
    plat::Rgb(255, 255, 255), plat::Rgb(192, 192, 192), plat::Rgb(255, 0, 0),   plat::Rgb(255, 255, 0),
    plat::Rgb(0, 255, 0),     plat::Rgb(0, 0, 255),     plat::Rgb(255, 0, 255), plat::Rgb(0, 255, 255),
};

// The combo box's own messages: is the list shown, show or hide it.
constexpr unsigned kGetDroppedState = 0x0157;
constexpr unsigned kShowDropDown = 0x014F;
}  // namespace

void SnipEditor::BuildStylePickers() {
    Picture2.SetBackColor(kBarColor);
    Picture2.SetVisible(false);

    PicFont.SetBackColor(kBarColor);
    PicFont.MouseMove = [this](const plat::MouseArgs&) { SetSizeButtonLook(0); };

    for (const wchar_t* s : {L"6", L"8", L"9", L"10", L"11", L"12", L"14", L"18", L"20"}) Combo1.AddItem(s);
    Combo1.SetListIndex(4);  // "11", before Click is wired: the drawing width stays as it is
    Combo1.Click = [this] { Combo1_Click(); };

    for (int look = 0; look < Image4.Count(); ++look) Image4[look].SetVisible(false);
    PicCombox.MouseMove = [this](const plat::MouseArgs&) { SetSizeButtonLook(1); };
    PicCombox.MouseDown = [this](const plat::MouseArgs&) {
        SetSizeButtonLook(2);
        OpenCombo(Combo1.NativeHandle());
    };
    Text1.SetText(L"11");

    PicColor.SetBackColor(kBarColor);
    PicColor.MouseMove = [this](const plat::MouseArgs&) { MarkCurrentSwatch(); };
    for (int i = 0; i < kSwatches; ++i) {
        plat::PictureBox& swatch = Pcolor[i];
        swatch.SetBackColor(i == kCurrentColorSwatch ? plat::Rgb(255, 0, 0) : kPalette[i]);
        swatch.BorderColor = kSelectionBlue;
        swatch.MouseUp = [this, i](const plat::MouseArgs&) { Pcolor_MouseUp(i); };
        swatch.MouseMove = [this, i](const plat::MouseArgs&) { Pcolor_MouseMove(i); };
    }
    MarkCurrentSwatch();

    Picture3.SetBackColor(kBarColor);
    Picture3.SetVisible(false);
    LayoutStylePickers();
}

// The style bar and its pickers at barDpi_, in twips as the bar was designed.
void SnipEditor::LayoutStylePickers() {
    Picture2.Move(Picture2.Left(), Picture2.Top(), BarPx(3975), BarPx(560));
    PicFont.Move(BarPx(60), BarPx(120), BarPx(1095), BarPx(375));
    Image3.SetPicture(SizeIcon(barDpi_));
    Image3.Move(0, 0);
    Combo1.Move(BarPx(320), BarPx(20), BarPx(735), BarPx(300));
    for (int look = 0; look < Image4.Count(); ++look) {
        Image4[look].SetPicture(SizeButtonLook(look, barDpi_));
        Image4[look].Move(0, PicFont.Height() + 1);  // stored below the visible part
    }
    PicCombox.Move(BarPx(320), 0, BarPx(750), BarPx(330));
    SetSizeButtonLook(0);
    Text1.Move(BarPx(60), BarPx(60), BarPx(340), BarPx(200));
    Text1.SetFont(plat::FontAtDpi(plat::Font{L"Arial", 8.0f, false}, barDpi_));

    PicColor.Move(BarPx(960), BarPx(60), BarPx(2415), BarPx(440));
    for (int i = 0; i < kSwatches; ++i) {
        if (i == kCurrentColorSwatch)
            Pcolor[i].Move(0, 0, BarPx(420), BarPx(420));
        else
            Pcolor[i].Move(BarPx(480 + 240 * (i % 8)), BarPx(i < 8 ? 0 : 220), BarPx(200), BarPx(200));
    }
    Picture3.Move(BarPx(15), BarPx(15), BarPx(3930), BarPx(495));
}

plat::Color SnipEditor::CurrentColor() const { return Pcolor[kCurrentColorSwatch].BackColor; }

void SnipEditor::Pcolor_MouseUp(int index) {
    Pcolor[kCurrentColorSwatch].SetBackColor(Pcolor[index].BackColor);
    MarkCurrentSwatch();
}

// Hovering marks nothing: the one outline says which colour draws, wherever
// the pointer went before (an outline left on a hovered swatch read as chosen).
void SnipEditor::Pcolor_MouseMove(int /*index*/) { MarkCurrentSwatch(); }

void SnipEditor::MarkCurrentSwatch() {
    const plat::Color current = CurrentColor();
    bool marked = false;
    for (int i = 0; i < kCurrentColorSwatch; ++i) {
        const bool on = !marked && Pcolor[i].BackColor == current;
        marked = marked || on;
        if (Pcolor[i].BorderLine() != on) Pcolor[i].SetBorderLine(on);
    }
}

void SnipEditor::SetSizeButtonLook(int look) {
    if (PicCombox.GetPicture().Impl() == Image4[look].GetPicture().Impl()) return;
    PicCombox.SetPicture(Image4[look].GetPicture());
    // The size box is part of the button's look.
    Text1.SetColors(SizeButtonFill(look), Text1.ForeColor());
}

void SnipEditor::OpenCombo(plat::Handle combo) {
    const bool shown = plat::SendWindowMessage(combo, kGetDroppedState, 0, 0) != 0;
    plat::SendWindowMessage(combo, kShowDropDown, shown ? 0 : ~std::uintptr_t{0}, 0);
}

void SnipEditor::Combo1_Click() {
    const std::wstring chosen = Combo1.List(Combo1.ListIndex());
    Text1.SetText(chosen);
    if (auto w = WholeSizeOf(chosen, kDrawWidthMin, kDrawWidthMax)) DrawWidth = *w;
}

void SnipEditor::PresetSizes(const std::vector<std::wstring>& sizes, const std::wstring& current) {
    Text1.SetText(current);
    Combo1.Clear();
    for (const std::wstring& s : sizes) Combo1.AddItem(s);
}

}  // namespace editor
