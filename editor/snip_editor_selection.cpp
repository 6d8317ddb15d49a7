// Dragging out, moving and resizing the selection; its labels, the toolbar
// beside it, and the double-click copy.
#include "editor/snip_editor.h"

#include <string>

#include "editor/selection_geometry.h"
#include "platform/toolkit/forms.h"
#include "platform/services/system.h"
#include "platform/services/tooltip.h"
#include "shell/frm_main.h"
#include "shell/snip_delivery.h"

namespace editor {

using plat::MousePointer;
using plat::SetMousePointer;

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
    Strip.Hide();

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
    UpdateShade();
}

void SnipEditor::ShowMagnifier(float x, float y) {
    if (!MagnifierOn()) return;
    const plat::Point p{plat::RoundHalfEven(x), plat::RoundHalfEven(y)};
    if (!pointerMoved_ && p == openPointer_) return;
    pointerMoved_ = true;
    const plat::Monitor& m = plat::MonitorAt(monitors_, p.x, p.y);
    Zoom.Follow(p.x, p.y, m.bounds, m.dpi);
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
                                        DesktopWidthF(), DesktopHeightF());
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
    HideBarsForGrab();
    // In screen pixels: the editor's client starts at the virtual screen's top-left.
    const plat::Rect r = SelectionRectOf(CurrentSelection()).Offset(origin_.x, origin_.y);
    const bool copied = ScrnCap(r.left, r.top, r.right, r.bottom);
    copying_ = false;
    if (!Loaded()) return;  // closed by the system while the copy waited
    if (copied) shell::SnipDelivered(lastGrab_, r);
    if (!copied) {
        // Never closed on a failed copy: the user would paste an older picture
        // and the snip would be gone.
        ShowSelectionAgain();
        plat::MsgBox(L"The snip was not copied: another program is holding the clipboard.\n"
                     L"Your selection is still here: copy it again in a moment.",
                     L"Morrowen Snip", plat::kMsgExclamation);
        return;
    }
    Unload();
    if (frmMain* main = plat::LoadedForm<frmMain>()) main->NotifySnipCopied(r.Width(), r.Height());
}

void SnipEditor::HideBarsForGrab() {
    copying_ = true;
    // An open text box is the user's text, not part of the screen: drawn into
    // the picture (or dropped when empty) before the grab, never grabbed as a box.
    if (TextEdit.Visible()) {
        if (TextEdit.Text().empty()) {
            TextEdit.SetVisible(false);
        } else {
            CommitText();
        }
    }
    // Floating aids are no part of the snip either.
    plat::tooltip::HideAll(hWnd());
    Zoom.SetVisible(false);
    Picture1.SetVisible(false);
    Strip.Hide();
    Picture2.SetVisible(false);
    // The screen must be repainted without the bars before it is read.
    plat::SleepMs(10);
    plat::DoEvents();
    Shape1.SetVisible(false);
}

void SnipEditor::ShowSelectionAgain() {
    Shape1.SetVisible(true);
    ImageMove();
    LblPos.SetVisible(true);
    lblInfo.SetVisible(true);
    PlaceAndShowToolbar();
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
    UpdateShade();
}

// Outside a selection the frozen picture shows darker, as in the tools users
// know; on the screen only: the grab reads the selection's pixels alone.
void SnipEditor::UpdateShade() {
    const plat::Rect r = SelectionRectOf(CurrentSelection());
    SetSurfaceShade(r.Empty() ? 0 : kShadePercent, r);
}

// A handle's input in the editor's own pixels.
static plat::MouseArgs OnForm(const plat::Image& handle, plat::MouseArgs a) {
    a.x += handle.Left();
    a.y += handle.Top();
    return a;
}

void SnipEditor::Image1_MouseDown(int index, const plat::MouseArgs& a) {
    // Only the left button resizes. Another button's press on a handle (the
    // pointer rests on one after a resize) is a press on the selection's
    // edge: the right button discards the selection at once.
    if (a.button != plat::kLeftButton) {
        Form_MouseDown(OnForm(Image1[index], a));
        return;
    }
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
    Strip.Hide();
    Picture2.SetVisible(false);
}

void SnipEditor::Image1_MouseMove(int index, const plat::MouseArgs& /*a*/) {
    SetMousePointer(HandlePointerShape(index));
    if (HandleDrag != "Start") return;

    const plat::Point p = FromScreen(plat::CursorPos());
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

void SnipEditor::Image1_MouseUp(int index, const plat::MouseArgs& a) {
    if (a.button != plat::kLeftButton) {
        Form_MouseUp(OnForm(Image1[index], a));
        return;
    }
    HandleDrag = "Stop";
    Zoom.SetVisible(false);
    PlaceAndShowToolbar();
}

void SnipEditor::Picture2_MouseMove(const plat::MouseArgs& /*a*/) { SetMousePointer(MousePointer::Arrow); }

// ---- labels and toolbar ----

void SnipEditor::SetSizeLabel() { LblPos.SetCaption(SizeLabelText(Shape1.Width(), Shape1.Height())); }

// At the selection's inside corner, but never past the screen's edges.
void SnipEditor::PlaceLabels() {
    FollowSelectionScale();
    const float sw = DesktopWidthF(), sh = DesktopHeightF(), gap = Bar(2);
    const float infoTop = KeptInside(Shape1.Top() + gap + LblPos.Height() + gap, lblInfo.Height(), sh);
    LblPos.Move(KeptInside(Shape1.Left() + gap, LblPos.Width(), sw), infoTop - gap - LblPos.Height());
    lblInfo.Move(KeptInside(Shape1.Left() + gap, lblInfo.Width(), sw), infoTop);
}

void SnipEditor::PlaceAndShowToolbar() {
    FollowSelectionScale();
    const Selection s = CurrentSelection();
    PointF o = ToolbarOrigin(s, Picture1.Width(), Picture1.Height(), monitors_);
    Picture1.Move(o.x, o.y);
    Picture1.SetVisible(true);
    Strip.PlaceBeside(Picture1, DesktopWidthF());
}

}  // namespace editor
