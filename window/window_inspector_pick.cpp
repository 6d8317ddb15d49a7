// WindowInspector: the pick (start, tracking loop, placement) and the
// refresh of every field for the window under the pointer.
#include "window/window_inspector.h"

#include <string>

#include "platform/services/system.h"
#include "platform/services/window_operations.h"
#include "platform/services/window_queries.h"
#include "window/picker_geometry.h"
#include "window/picking.h"
#include "window/window_picker.h"
#include "window/window_utils.h"

namespace window {

namespace desktop = plat::desktop;

namespace {
// The tracker's pause between two passes that found the same window: the
// pulse's 10 ms ticks wake it as often anyway, and the overlay still
// follows a new window well within 30 ms.
constexpr int kTrackPauseMs = 10;
// With the pointer still on the same window, the child walk (and the events
// run around it) is repeated at most this often; every pass still asks for
// the window under the pointer, so a new one is followed at once.
constexpr std::chrono::milliseconds kStillWalkEvery{30};
}  // namespace

bool WindowInspector::Command1_Click() {
    // Kept alive through the pick: the pending events may unload this form.
    HandlerScope running(*this);
    Show();
    if (!Loaded()) return false;
    SetBounds({0, 0, 0, 0});
    plat::DoEvents();
    if (!Loaded()) return false;
    FRM_SpyWindow();
    if (!Loaded()) return false;
    if (PickCancelled()) {
        Hide();
        return false;
    }
    ShowEditor();
    return true;
}

bool WindowInspector::PickCancelled() {
    const WindowPicker* overlay = LoadedOverlay();
    return overlay && overlay->Cancelled();
}

void WindowInspector::StartPick() { Command1_Click(); }

void WindowInspector::CmdAction_MouseDown(const plat::MouseArgs&) {
    plat::DoEvents();
    if (!Loaded()) return;
    FRM_SpyWindow();
    if (!Loaded()) return;
    if (PickCancelled()) return;
    ShowEditor();
}

// The pick is marked running once, here: a pick that ends while the loop lets
// events run between two waits (a release just after a placement) stays ended.
void WindowInspector::FRM_SpyWindow() {
    HandlerScope running(*this);
    PickStop = false;
    parentRect_ = {};
    Overlay().Show();
    if (WindowPicker* overlay = LoadedOverlay()) overlay->BeginPick();
    plat::Handle current = 0;
    bool again = true;  // step 2 runs before each pass except after skipping this inspector
    for (;;) {
        if (again) {
            plat::DoEvents();
            if (!Loaded()) return;
            if (PickStop) break;
            // Minimised without taking the activation: the overlay keeps the
            // focus, whose loss ends the pick.
            desktop::ShowWindowAs(hWnd(), desktop::ShowCommand::ShowMinNoActive);
        }
        const plat::Handle r = TrackMouse(current);
        current = r;
        if (!Loaded()) return;
        if (PickStop || r == 0) break;
        // The inspector and the overlay itself are never picked: the overlay
        // placed around its own frame would grow by 2 pixels at each pass.
        const WindowPicker* overlay = LoadedOverlay();
        if (r == hWnd() || (overlay && r == overlay->hWnd())) {
            again = false;
            continue;
        }
        again = true;
        ShowWindowRect(r);
        RefreshFor(r);
    }
    SetTopmost(hWnd(), false);
}

plat::Handle WindowInspector::TrackMouse(plat::Handle last) {
    HandlerScope running(*this);
    for (;;) {
        const plat::Point cursor = plat::CursorPos();
        PickCursorX = cursor.x;
        PickCursorY = cursor.y;
        PolledCursor = cursor;
        PolledCursorAt = std::chrono::steady_clock::now();
        const plat::Handle w = desktop::WindowAt(ProbePoint(cursor));
        const auto now = PolledCursorAt;
        // The walk of the window found at this very spot a moment ago still
        // holds: only its events run.
        const bool still =
            w == last && last != 0 && cursor == lastWalkCursor_ && now - lastWalk_ < kStillWalkEvery;
        plat::DoEvents();
        if (!Loaded()) return 0;
        if (!still) {
            if (const plat::Handle c = FindChildAtPoint(PickCursorX, PickCursorY)) return c;
            plat::DoEvents();
            ChildIndex = -1;
            CollectChildren(w);
            lastWalk_ = now;
            lastWalkCursor_ = cursor;
            plat::DoEvents();
            if (!Loaded()) return 0;
        }
        if (w != last || PickStop) return PickStop ? 0 : w;
        // Nothing changed: wait for a message or the pause, not a busy poll.
        plat::WaitForEventsFor(kTrackPauseMs);
    }
}

void WindowInspector::ShowWindowRect(plat::Handle h) {
    PickedRect = desktop::WindowRect(h).value_or(PickedRect);
    TxtX.SetText(std::to_wstring(PickedRect.left));
    TxtY.SetText(std::to_wstring(PickedRect.top));
    TxtW.SetText(std::to_wstring(PickedRect.Width()));
    TxtH.SetText(std::to_wstring(PickedRect.Height()));
    TxtRect.SetText(RectText(LeadingNumber(TxtX.Text()), LeadingNumber(TxtY.Text()), LeadingNumber(TxtW.Text()),
                             LeadingNumber(TxtH.Text())));
    if (WindowPicker* overlay = LoadedOverlay()) overlay->PlaceOn(PickedRect);
}

void WindowInspector::frm_Info(plat::Handle h) {
    ChkVisible.SetValue(desktop::IsVisible(h) ? 1 : 0);
    ChkEnable.SetValue(desktop::IsEnabled(h) ? 1 : 0);
    ChkZoom.SetValue(desktop::IsZoomed(h) ? 1 : 0);
}

void WindowInspector::ShowProcessInfo(plat::Handle h) {
    const std::uint32_t pid = desktop::ProcessIdOf(h);
    Text12.SetText(std::to_wstring(pid));
    Text13.SetText(GetProcessPath(pid, TxtProName));
}

void WindowInspector::GetChildInfo(plat::Handle child) {
    List1.AddItem(L"  Handle: " + std::to_wstring(child));
    List1.AddItem(L"  Class: " + GetWindowInfoText(child, kClassNameInfo));
    List1.AddItem(L"  Caption:" + GetWindowInfoText(child, kCaptionInfo));
    List1.AddItem(L"   ");
}

void WindowInspector::RefreshFor(plat::Handle h) {
    frm_Info(h);
    ShowProcessInfo(h);
    TxtHwnd.SetText(std::to_wstring(h));
    TxtHex.SetText(HexText(h));
    TxtClss.SetText(GetWindowInfoText(h, kClassNameInfo));
    TxtWndCap.SetText(GetWindowInfoText(h, kCaptionInfo));
    const plat::Handle p = desktop::Parent(h);
    TxtFaHwnd.SetText(std::to_wstring(p));
    TxtFaHex.SetText(HexText(p));
    if (p != 0) {
        TxtFaClss.SetText(GetWindowInfoText(p, kClassNameInfo));
        TxtFaWndCap.SetText(GetWindowInfoText(p, kCaptionInfo));
    }
    parentRect_ = desktop::WindowRect(p).value_or(parentRect_);
    TxtFaRect.SetText(RectText(parentRect_.left, parentRect_.top, parentRect_.Width(), parentRect_.Height()));

    List1.Clear();
    List1.AddItem(L"当前窗体:");
    List1.AddItem(L"  Handle: " + std::to_wstring(h));
    List1.AddItem(L"  Class: " + TxtClss.Text());
    List1.AddItem(L"  Caption:" + TxtWndCap.Text());
    List1.AddItem(L" ");
    List1.AddItem(L"父 窗 体:");
    List1.AddItem(L"  Handle: " + std::to_wstring(p));
    List1.AddItem(L"  Class: " + TxtFaClss.Text());
    List1.AddItem(L"  Caption:" + TxtFaWndCap.Text());
    List1.AddItem(L" ");
    List1.AddItem(L"子 窗 体:");
    ChildIndex = -1;
    CollectChildren(h);
    // A copy: the walk's pending events may start another walk meanwhile.
    const std::vector<plat::Handle> children = ChildHandles;
    for (plat::Handle c : children) GetChildInfo(c);
}

}  // namespace window
