// The style bar's pickers: the size picker with its drop-down list and the
// sixteen-colour palette with the current colour's swatch.
#include <array>
#include <string>

#include "editor/snip_editor.h"
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

float Px(float twips) { return twips / plat::kTwipsPerPixel; }
}  // namespace

void SnipEditor::BuildStylePickers() {
    Picture2.SetBackColor(kBarColor);
    Picture2.Move(0, 0, Px(3975), Px(560));
    Picture2.SetVisible(false);

    PicFont.SetBackColor(kBarColor);
    PicFont.Move(Px(60), Px(120), Px(1095), Px(375));
    PicFont.MouseMove = [this](const plat::MouseArgs&) { SetSizeButtonLook(0); };
    Image3.SetPicture(SizeIcon());
    Image3.Move(0, 0);

    Combo1.Move(Px(320), Px(20), Px(735), Px(300));
    for (const wchar_t* s : {L"6", L"8", L"9", L"10", L"11", L"12", L"14", L"18", L"20"}) Combo1.AddItem(s);
    Combo1.SetListIndex(4);  // "11", before Click is wired: the drawing width stays as it is
    Combo1.Click = [this] { Combo1_Click(); };

    for (int look = 0; look < Image4.Count(); ++look) {
        Image4[look].SetPicture(SizeButtonLook(look));
        Image4[look].Move(0, PicFont.Height() + 1);  // stored below the visible part
        Image4[look].SetVisible(false);
    }
    PicCombox.Move(Px(320), 0, Px(750), Px(330));
    SetSizeButtonLook(0);
    PicCombox.MouseMove = [this](const plat::MouseArgs&) { SetSizeButtonLook(1); };
    PicCombox.MouseDown = [this](const plat::MouseArgs&) {
        SetSizeButtonLook(2);
        OpenCombo(Combo1.NativeHandle());
    };
    Text1.Move(Px(60), Px(60), Px(340), Px(200));
    Text1.SetFont(plat::Font{L"Arial", 8.0f, false});
    Text1.SetText(L"11");

    PicColor.SetBackColor(kBarColor);
    PicColor.Move(Px(960), Px(60), Px(2415), Px(440));
    PicColor.MouseMove = [this](const plat::MouseArgs&) { MarkCurrentSwatch(); };
    for (int i = 0; i < kSwatches; ++i) {
        plat::PictureBox& swatch = Pcolor[i];
        if (i == kCurrentColorSwatch) {
            swatch.Move(0, 0, Px(420), Px(420));
            swatch.SetBackColor(plat::Rgb(255, 0, 0));
        } else {
            swatch.Move(Px(480 + 240 * (i % 8)), Px(i < 8 ? 0 : 220), Px(200), Px(200));
            swatch.SetBackColor(kPalette[i]);
        }
        swatch.BorderColor = kSelectionBlue;
        swatch.MouseUp = [this, i](const plat::MouseArgs&) { Pcolor_MouseUp(i); };
        swatch.MouseMove = [this, i](const plat::MouseArgs&) { Pcolor_MouseMove(i); };
    }

    MarkCurrentSwatch();

    Picture3.SetBackColor(kBarColor);
    Picture3.Move(Px(15), Px(15), Px(3930), Px(495));
    Picture3.SetVisible(false);
    Shape4.SetBorder(kOutlineColor, 1);
    Shape4.Move(0, 0, Picture2.Width(), Picture2.Height());
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
