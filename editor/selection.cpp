// Dragging out, moving and resizing the selection; its labels, the toolbar
// beside it, and the double-click copy.
#include <string>

#include "editor/selection_geometry.h"
#include "editor/snip_editor.h"
#include "platform/toolkit/forms.h"
#include "platform/services/system.h"
#include "shell/frm_main.h"
#include "shell/snip_delivery.h"

namespace editor {

using plat::MousePointer;
using plat::SetMousePointer;

namespace {
float ScreenWidthF() { return static_cast<float>(plat::ScreenWidthTwips()) / plat::kTwipsPerPixel; }
float ScreenHeightF() { return static_cast<float>(plat::ScreenHeightTwips()) / plat::kTwipsPerPixel; }
}  // namespace

void SnipEditor::WireSelectionEvents() {
    for (int i = 0; i < Image1.Count(); ++i) {
        Image1[i].MouseDown = [this, i](const plat::MouseArgs& a) { Image1_MouseDown(i, a); };
        Image1[i].MouseMove = [this, i](const plat::MouseArgs& a) { Image1_MouseMove(i, a); };
        Image1[i].MouseUp = [this, i](const plat::MouseArgs& a) { Image1_MouseUp(i, a); };
    }
    Picture1.MouseMove = [this](const plat::MouseArgs& a) { Picture1_MouseMove(a); };
    Picture2.MouseMove = [this](const plat::MouseArgs& a) { Picture2_MouseMove(a); };
}

Selection SnipEditor::CurrentSelection() const {
    return {Shape1.Left(), Shape1.Top(), Shape1.Width(), Shape1.Height()};
}

void SnipEditor::SetSelection(const Selection& s) { Shape1.Move(s.left, s.top, s.width, s.height); }

void SnipEditor::Form_MouseDown(const plat::MouseArgs& a) {
    if (copying_) return;
    Logo.PlaceAtPress();
    pressCanCopy_ = false;
    if (ToolActive) {  // presses draw shapes while a tool is chosen
        ShapePress(a);
        return;
    }
    Picture1.SetVisible(false);

    if (ModeTag == "draw") {
        Shape1.SetVisible(true);
        AnchorX = a.x;
        AnchorY = a.y;
        SetSelection({AnchorX, AnchorY, 0, 0});
        if (a.button == plat::kRightButton) CloseGuard = 0;
        return;
    }

    SetMousePointer(MousePointer::Crosshair);
    SelectionRect = SelectionRectOf(CurrentSelection());
    const bool inside = SelectionRect.Contains(plat::RoundHalfEven(a.x), plat::RoundHalfEven(a.y));
    if (inside) {
        PressX = a.x;
        PressY = a.y;
        if (a.button != plat::kRightButton) {
            pressCanCopy_ = a.button == plat::kLeftButton;
            return;
        }
    }
    DiscardSelection(a.x, a.y);
}

void SnipEditor::DiscardSelection(float x, float y) {
    AnchorX = x;
    AnchorY = y;
    SetSelection({x, y, 0, 0});
    Shape1.SetVisible(false);
    LblPos.SetVisible(false);
    lblInfo.SetVisible(false);
    Image1.ForEach([](plat::Image& h) { h.SetVisible(false); });
    SetMousePointer(MousePointer::Default);
    ModeTag = "draw";
    CloseGuard = 1;
}

void SnipEditor::ShowMagnifier(float x, float y) {
    if (!magnifierOn_) return;
    const plat::Point p{plat::RoundHalfEven(x), plat::RoundHalfEven(y)};
    if (!pointerMoved_ && p == openPointer_) return;
    pointerMoved_ = true;
    Zoom.Follow(p.x, p.y, ScreenWidthF(), ScreenHeightF());
}

void SnipEditor::ShowColorUnder(float x, float y) {
    int r = 0, g = 0, b = 0;
    // The surface's picture, not the controls floating above it.
    SplitColor(SurfacePixel(plat::RoundHalfEven(x), plat::RoundHalfEven(y)), r, g, b);
    lblInfo.SetCaption(ColorReadoutText(r, g, b));
}

void SnipEditor::Form_MouseMove(const plat::MouseArgs& a) {
    if (copying_) return;
    ShowColorUnder(a.x, a.y);
    if (ToolActive) {
        ShapeMove(a);
        return;
    }
    // Placing a selection: before the first press and while dragging one out.
    if (ModeTag == "draw") {
        ShowMagnifier(a.x, a.y);
    } else {
        Zoom.SetVisible(false);
    }

    const Selection sel = CurrentSelection();
    SetMousePointer(StrictlyInside(sel, a.x, a.y) ? MousePointer::SizeAll : MousePointer::Crosshair);
    if (a.button != plat::kLeftButton) return;

    Shape1.SetVisible(false);
    LblPos.SetVisible(false);
    lblInfo.SetVisible(false);

    if (ModeTag == "move") {
        SetMousePointer(MousePointer::SizeAll);
        PointF o = MovedSelectionOrigin(AnchorX, AnchorY, PressX, PressY, a.x, a.y, sel.width, sel.height,
                                        ScreenWidthF(), ScreenHeightF());
        Shape1.Move(o.x, o.y);
        PlaceLabels();
    } else if (ModeTag == "draw") {
        if (auto dragged = DraggedSelection(AnchorX, AnchorY, a.x, a.y)) SetSelection(*dragged);
        SetSizeLabel();
        PlaceLabels();
        SetMousePointer(MousePointer::Crosshair);
    }

    ImageMove();
    Logo.Place();
    Shape1.SetVisible(true);
    LblPos.SetVisible(true);
    lblInfo.SetVisible(true);
}

void SnipEditor::Form_MouseUp(const plat::MouseArgs& a) {
    if (copying_) return;
    Zoom.SetVisible(false);
    if (ToolActive) ShapeRelease(a);
    if (a.button == plat::kLeftButton) {
        if (ModeTag == "draw") ModeTag = "move";
        AnchorX = Shape1.Left();
        AnchorY = Shape1.Top();
        PlaceAndShowToolbar();
    } else if (CloseGuard == 0) {
        Unload();
        return;
    }
    Picture2.SetVisible(false);
}

void SnipEditor::Form_DblClick() {
    if (copying_ || !pressCanCopy_ || ToolActive || ModeTag != "move") return;
    pressCanCopy_ = false;
    CopySelectionAndClose();
}

void SnipEditor::CopySelectionAndClose() {
    if (!GrabSelection()) return;
    const plat::Rect r = SelectionRectOf(CurrentSelection());
    Unload();
    if (frmMain* main = plat::LoadedForm<frmMain>()) main->NotifySnipCopied(r.Width(), r.Height());
}

bool SnipEditor::GrabSelection() {
    copying_ = true;
    Picture1.SetVisible(false);
    Picture2.SetVisible(false);
    // The screen must be repainted without the bars before it is read.
    plat::SleepMs(10);
    plat::DoEvents();
    Shape1.SetVisible(false);
    const plat::Rect r = SelectionRectOf(CurrentSelection());
    const bool copied = ScrnCap(r.left, r.top, r.right, r.bottom);
    copying_ = false;
    if (!Loaded()) return false;  // closed by the system while the copy waited
    if (copied) {
        // Kept in screen pixels: the next editor may lie elsewhere on the desktop.
        const plat::Rect window = Bounds();
        shell::SnipDelivered(plat::ClipboardGetPicture(), r.Offset(window.left, window.top));
        return true;
    }
    // Never closed on a failed copy: the user would paste an older picture
    // and the snip would be gone.
    Shape1.SetVisible(true);
    ImageMove();
    LblPos.SetVisible(true);
    lblInfo.SetVisible(true);
    PlaceAndShowToolbar();
    plat::MsgBox(L"The snip was not copied: another program is holding the clipboard.\n"
                 L"Your selection is still here: copy it again in a moment.",
                 L"Morrowen Snip", plat::kMsgExclamation);
    return false;
}

// ---- handles ----

void SnipEditor::ImageMove() {
    const Selection s = CurrentSelection();
    for (int i = 0; i < Image1.Count(); ++i) {
        plat::Image& h = Image1[i];
        PointF o = HandleOrigin(i, s, h.Width(), h.Height());
        h.Move(o.x, o.y);
        h.SetVisible(true);
    }
}

void SnipEditor::Image1_MouseDown(int /*index*/, const plat::MouseArgs& /*a*/) {
    // Until a shape is committed a handle may still resize the preset selection.
    if (HistoryEntries.Position() == 1) ToolActive = false;
    if (ToolActive) return;
    if (ModeTag != "move") return;
    HandleDrag = "Start";
    // What the picture shows now stays in it: "Revert" no longer reaches back.
    HistoryEntries.Cut();
    const Selection s = CurrentSelection();
    GrabLeft = s.left;
    GrabTop = s.top;
    GrabRight = s.Right();
    GrabBottom = s.Bottom();
    Picture1.SetVisible(false);
    Picture2.SetVisible(false);
}

void SnipEditor::Image1_MouseMove(int index, const plat::MouseArgs& /*a*/) {
    SetMousePointer(HandlePointerShape(index));
    if (HandleDrag != "Start") return;

    const plat::Point p = plat::CursorPos();
    HandlePointer = p;
    ShowMagnifier(static_cast<float>(p.x), static_cast<float>(p.y));
    const auto px = static_cast<float>(p.x), py = static_cast<float>(p.y);
    Image1[index].Move(px, py);
    if (auto resized = ResizedByHandle(index, px, py, GrabEdges{GrabLeft, GrabTop, GrabRight, GrabBottom}))
        SetSelection(*resized);
    ImageMove();  // also snaps the dragged handle back onto its point
    Logo.Place();
    SetSizeLabel();
    PlaceLabels();
    AnchorX = Shape1.Left();
    AnchorY = Shape1.Top();
}

void SnipEditor::Image1_MouseUp(int /*index*/, const plat::MouseArgs& /*a*/) {
    HandleDrag = "Stop";
    Zoom.SetVisible(false);
    PlaceAndShowToolbar();
}

void SnipEditor::Picture2_MouseMove(const plat::MouseArgs& /*a*/) { SetMousePointer(MousePointer::Arrow); }

// ---- labels and toolbar ----

void SnipEditor::SetSizeLabel() { LblPos.SetCaption(SizeLabelText(Shape1.Width(), Shape1.Height())); }

void SnipEditor::PlaceLabels() {
    LblPos.Move(Shape1.Left() + 2, Shape1.Top() + 2);
    lblInfo.Move(Shape1.Left() + 2, LblPos.Top() + LblPos.Height() + 2);
}

void SnipEditor::PlaceAndShowToolbar() {
    PointF o = ToolbarOrigin(CurrentSelection(), Picture1.Width(), Picture1.Height(), ScreenHeightF());
    Picture1.Move(o.x, o.y);
    Picture1.SetVisible(true);
}

}  // namespace editor
