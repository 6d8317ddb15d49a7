// The editor's keys: the selection nudged and sized pixel by pixel, the
// toolbar's commands, and the magnifier switched on and off.
#include "editor/snip_editor.h"
#include "editor/toolbar_layout.h"
#include "platform/services/system.h"
#include "shell/rwini.h"

namespace editor {

namespace {
constexpr int kEnter = 13, kLeft = 37, kUp = 38, kRight = 39, kDown = 40;

const wchar_t kMagnifierSection[] = L"Magnifier";
const wchar_t kMagnifierKey[] = L"Show";
}  // namespace

bool SnipEditor::MagnifierOn() {
    if (!magnifierOn_) magnifierOn_ = rwini::ReadIni(kMagnifierSection, kMagnifierKey, L"1") != L"0";
    return *magnifierOn_;
}

void SnipEditor::ToggleMagnifier() {
    magnifierOn_ = !MagnifierOn();
    rwini::WriteIni(kMagnifierSection, kMagnifierKey, *magnifierOn_ ? L"1" : L"0");
    if (!*magnifierOn_) Zoom.SetVisible(false);
}

void SnipEditor::Form_KeyDown(int keyCode, int shift) {
    // Mid-gesture the mouse owns the selection; a copy is under way.
    if (copying_ || ShapeDragging || HandleDrag == "Start") return;
    const bool ctrl = (shift & plat::kCtrlMask) != 0, shifted = (shift & plat::kShiftMask) != 0;
    if (keyCode == 'M' && !ctrl) {
        ToggleMagnifier();
        return;
    }
    if (ModeTag != "move" || !Shape1.Visible()) return;
    if (MarkupKey(keyCode, shift)) return;

    const float step = ctrl ? 10.0f : 1.0f;
    float dx = 0, dy = 0;
    switch (keyCode) {
        case kLeft: dx = -step; break;
        case kRight: dx = step; break;
        case kUp: dy = -step; break;
        case kDown: dy = step; break;
        case kEnter: CopySelectionAndClose(); return;
        case 'C':
            if (ctrl) CopySelectionAndClose();
            return;
        case 'S':
            if (ctrl) Image2_Click(kSave);
            return;
        case 'Z':
            if (ctrl) Image2_Click(shifted ? kRedo : kRevert);
            return;
        case 'Y':
            if (ctrl) Image2_Click(kRedo);
            return;
        default: return;
    }
    SetSelection(NudgedSelection(CurrentSelection(), dx, dy, shifted, DesktopWidthF(), DesktopHeightF()));
    // As after a step of the mouse: labels, handles and the bars follow.
    AnchorX = Shape1.Left();
    AnchorY = Shape1.Top();
    SetSizeLabel();
    PlaceLabels();
    ImageMove();
    Logo.Place();
    LblPos.SetVisible(true);
    lblInfo.SetVisible(true);
    PlaceAndShowToolbar();
    if (Picture2.Visible()) PlaceStyleBar();
}

}  // namespace editor
