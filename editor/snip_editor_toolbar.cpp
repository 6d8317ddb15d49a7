// The toolbar beside the selection: its buttons and hover squares, the
// commands, the history steps and the style bar's place and toggle.
#include "editor/snip_editor.h"

#include <string>

#include "editor/toolbar_icons.h"
#include "editor/toolbar_layout.h"
#include "platform/toolkit/forms.h"
#include "platform/services/system.h"
#include "shell/frm_main.h"

namespace editor {

namespace {
constexpr plat::Color kHoverBorder = plat::Rgb(36, 143, 251);
constexpr plat::Color kSeparatorColor = plat::Rgb(128, 128, 255);
constexpr float kSeparatorTop = 4, kSeparatorBottom = 22;

}  // namespace

void SnipEditor::BuildToolbar() {
    for (const ToolbarButton& b : kToolbarLayout) {
        plat::Shape& square = Shape3[b.index];
        square.SetBorder(kHoverBorder, 1);
        square.SetFill(kToolbarHoverFill, plat::FillStyle::Solid);
        square.SetVisible(false);

        plat::Image& button = Image2[b.index];
        button.SetToolTipText(b.name);
        const int i = b.index;
        button.Click = [this, i] { Image2_Click(i); };
        button.MouseMove = [this, i](const plat::MouseArgs&) { Image2_MouseMove(i); };
    }
    for (plat::Line* separator : {&Line1, &Line2}) separator->BorderColor = kSeparatorColor;
    LayoutToolbar();
}

// The strip, its buttons (icons drawn at the scale), hover squares and separators at barDpi_.
void SnipEditor::LayoutToolbar() {
    Picture1.Move(Picture1.Left(), Picture1.Top(), Bar(kToolbarWidth), Bar(kToolbarHeight));
    Shape2.Move(0, 0, Picture1.Width(), Picture1.Height());
    for (const ToolbarButton& b : kToolbarLayout) {
        const float left = BarPx(static_cast<float>(b.leftTwips)), top = Bar(kToolbarButtonTop);
        const float inset = Bar((kHoverSquareSize - kToolbarButtonSize) / 2);
        Shape3[b.index].Move(left - inset, top - inset, Bar(kHoverSquareSize), Bar(kHoverSquareSize));
        plat::Image& button = Image2[b.index];
        button.SetPicture(ToolbarIcon(b.index, Shape3[b.index].Visible() ? kToolbarHoverFill : kToolbarBackground,
                                      barDpi_));
        button.Move(left, top);
    }
    plat::Line* separators[] = {&Line1, &Line2};
    for (int k = 0; k < 2; ++k) {
        const float x = BarPx(static_cast<float>(kSeparatorTwips[k]));
        separators[k]->SetEnds(x, Bar(kSeparatorTop), x, Bar(kSeparatorBottom));
    }
}

void SnipEditor::Image2_MouseMove(int index) {
    if (Shape3[index].Visible()) return;
    HideHoverSquares();
    Shape3[index].SetVisible(true);
    // The icon is drawn on the square's colour while the square shows.
    Image2[index].SetPicture(ToolbarIcon(index, kToolbarHoverFill, barDpi_));
    plat::SetMousePointer(plat::MousePointer::Arrow);
}

void SnipEditor::HideHoverSquares() {
    for (int i = 0; i < kToolbarButtons; ++i) {
        if (!Shape3[i].Visible()) continue;
        Shape3[i].SetVisible(false);
        Image2[i].SetPicture(ToolbarIcon(i, kToolbarBackground, barDpi_));
    }
}

void SnipEditor::Picture1_MouseMove(const plat::MouseArgs& /*a*/) {
    HideHoverSquares();
    plat::SetMousePointer(plat::MousePointer::Arrow);
}

void SnipEditor::Image2_Click(int index) {
    if (copying_) return;
    lblInfo.SetVisible(false);
    LblPos.SetVisible(false);
    switch (index) {
        case kSaveToClipboard:
            CopySelectionAndClose();
            HideLogoLibrary();
            break;
        case kSave: SaveSelection(); break;
        case kExitSnip:
            HideLogoLibrary();
            Unload();
            break;
        case kAddArrow:
        case kAddText:
        case kAddEllipse:
        case kAddRectangle:
            EndMarkupTool();
            ChooseTool(index);
            break;
        case kAddFrame: AddFrame(); break;
        case kRevert: RevertStep(); break;
        case kRedo: RedoStep(); break;
        default: break;
    }
    LastToolbarButton = index;
}

void SnipEditor::SaveSelection() {
    const bool barShown = Picture2.Visible();
    HideBarsForGrab();
    const plat::Rect r = SelectionRectOf(CurrentSelection()).Offset(origin_.x, origin_.y);
    // The snip is held here, not on the clipboard: the clipboard stays as the
    // user had it, and nothing another program puts there while the dialog is
    // open can take the snip's place.
    const plat::Picture snip = GrabScreenRect(r.left, r.top, r.right, r.bottom);
    copying_ = false;
    if (!Loaded()) return;
    Picture1.SetVisible(true);
    Strip.PlaceBeside(Picture1, DesktopWidthF());
    if (barShown) Picture2.SetVisible(true);
    Shape1.SetVisible(true);
    const bool saved = CutdSave(snip);
    // The dialog may have let the system close the editor already.
    if (!Loaded()) return;
    if (saved) {
        Unload();
        return;
    }
    // Cancelled, or the save failed and the user was told why: the snip is
    // nowhere else, so the editor stays with it, to be saved again or copied.
    ShowSelectionAgain();
}

void SnipEditor::ChooseTool(int index) {
    Picture3.SetVisible(false);
    if (index == kAddText) {
        PresetSizes({L"5", L"8", L"10", L"11", L"12", L"13"}, L"8");
    } else {
        PresetSizes({L"1", L"2", L"3", L"4", L"5", L"6"}, L"3");
        if (auto w = WholeSizeOf(Text1.Text(), kDrawWidthMin, kDrawWidthMax)) DrawWidth = *w;
    }
    PlaceStyleBar();
    ToggleStyleBar(index);
    ToolActive = true;
    CurrentTool = ToolbarButtonName(index);
}

void SnipEditor::AddFrame() {
    // The logo library reads it to know which editor a chosen logo goes to.
    if (frmMain* main = plat::LoadedForm<frmMain>()) main->qqq.SetText(std::to_wstring(traits_.frameNumber));
    Frames.DrawButtons();
    Picture3.SetVisible(true);
    PlaceStyleBar();
    ToggleStyleBar(kAddFrame);
}

void SnipEditor::PlaceStyleBar() {
    Picture2.SetLeft(Picture1.Left());
    Picture2.SetTop(StyleBarTop(Picture1.Top(), Picture1.Height(), Picture2.Height(),
                            static_cast<float>(ToolbarMonitor(CurrentSelection(), monitors_).bottom)));
    // The frames panel covers the pickers; their native boxes would show through it.
    PicFont.SetVisible(!Picture3.Visible());
    PicColor.SetLeft(BarPx(1180));
    Picture2.SetWidth(BarPx(3620));
    Shape4.Move(0, 0, Picture2.Width(), Picture2.Height());
}

void SnipEditor::ToggleStyleBar(int index) {
    Picture2.SetVisible(StyleBarShownAfterPress(Picture2.Visible(), index, LastToolbarButton));
}

// ---- history ----

void SnipEditor::PushHistory() { HistoryEntries.Push(BackgroundPicture()); }

void SnipEditor::ShowPicture(plat::Picture p) {
    // The surface shows it and the next shapes are drawn on it.
    SetPersistentImage(p);
    Bake();
}

void SnipEditor::RevertStep() {
    if (HistoryEntries.Position() > 1) {
        // The history steps its own pixels in place once the surface lets go of them.
        ReleaseSurface();
        ShowPicture(*HistoryEntries.Revert());
        return;
    }
    // Before the first entry: back to no selection, the picture as it is.
    ModeTag = "draw";
    Shape1.SetVisible(false);
    Picture1.SetVisible(false);
    Strip.Hide();
    Picture2.SetVisible(false);
    LblPos.SetVisible(false);
    lblInfo.SetVisible(false);
    Shape1.Move(Shape1.Left(), Shape1.Top(), 0, 0);
    Image1.ForEach([](plat::Image& h) { h.SetVisible(false); });
    ToolActive = false;
    UpdateShade();
}

void SnipEditor::RedoStep() {
    if (HistoryEntries.Position() >= HistoryEntries.Top()) return;
    ReleaseSurface();
    ShowPicture(*HistoryEntries.Redo());
}

}  // namespace editor
