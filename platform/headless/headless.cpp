#include "platform/headless/headless.h"

#include <utility>

#include "platform/headless/fake_cli_services.h"
#include "platform/headless/fake_dialogs.h"
#include "platform/headless/fake_hotkeys.h"
#include "platform/headless/fake_imaging.h"
#include "platform/headless/fake_network.h"
#include "platform/headless/fake_profile.h"
#include "platform/headless/fake_shell.h"
#include "platform/headless/fake_window_operations.h"
#include "platform/headless/fake_window_queries.h"
#include "platform/headless/headless_picture.h"
#include "platform/headless/headless_state.h"
#include "platform/headless/headless_window.h"
#include "platform/services/system.h"

namespace headless {

using detail::Find;
using detail::HeadlessWindow;
using detail::St;

void Reset() {
    detail::ResetState();
    // Every fake service starts fresh too, so no test inherits another's script.
    plat::fake::ResetDialogs();
    plat::fake::ResetImaging();
    plat::fake::ResetShell();
    fake_hotkeys::Reset();
    fake_profile::Reset();
    fake_windows::Reset();
    fake_window_operations::Reset();
    plat::fake::ResetNetwork();
    plat::fake::ResetCliServices();
}

void SetScreen(plat::Picture p) {
    p = p.Copy();
    if (!p.Empty()) p.Impl()->Untrack();
    St().screen = std::move(p);
}

plat::Picture ScreenPicture() {
    detail::UpdateAll();
    const plat::Point o = St().screenOrigin;
    return detail::Composite({o.x, o.y, o.x + St().screen.Width(), o.y + St().screen.Height()});
}

void SetCursorPos(plat::Point p) { St().cursor = p; }
void SetExeDir(std::wstring dir) { St().exeDir = std::move(dir); }

std::vector<plat::Handle> Windows() {
    std::vector<plat::Handle> out;
    for (const HeadlessWindow* w : St().windows) out.push_back(w->Hwnd());
    return out;
}

bool Exists(plat::Handle h) { return Find(h) != nullptr; }

std::wstring Caption(plat::Handle h) {
    const HeadlessWindow* w = Find(h);
    return w ? w->Caption() : std::wstring();
}

plat::Rect Bounds(plat::Handle h) {
    const HeadlessWindow* w = Find(h);
    return w ? w->Bounds() : plat::Rect{};
}

bool Visible(plat::Handle h) {
    const HeadlessWindow* w = Find(h);
    return w && w->Visible();
}

plat::WindowState State(plat::Handle h) {
    const HeadlessWindow* w = Find(h);
    return w ? w->State() : plat::WindowState::Normal;
}

plat::Picture Shown(plat::Handle h) {
    if (HeadlessWindow* w = Find(h)) w->Update();
    const HeadlessWindow* w = Find(h);
    return w ? w->Surface().Copy() : plat::Picture();
}

const std::vector<TextRecord>& Texts(const plat::Picture& p) {
    static const std::vector<TextRecord> none;
    return p.Empty() ? none : p.Impl()->texts;
}

const std::vector<StrokeRecord>& Strokes(const plat::Picture& p) {
    static const std::vector<StrokeRecord> none;
    return p.Empty() ? none : p.Impl()->strokes;
}

plat::Handle FocusedWindow() { return St().focus; }

bool CloseWindow(plat::Handle h) {
    HeadlessWindow* w = Find(h);
    if (!w) return true;
    const bool cancelled = w->Events().OnCloseRequest();
    // The owner may have destroyed the window while it answered.
    if (HeadlessWindow* still = Find(h); still && !cancelled) still->DestroyBySystem();
    plat::DoEvents();
    return !Find(h);
}

namespace {
// Hands one input to a shown window; false when there is none to take it.
bool Send(const detail::PostedInput& in) {
    HeadlessWindow* w = Find(in.window);
    if (!w || !w->Visible()) return false;
    plat::WindowEvents& e = w->Events();
    plat::MouseArgs a;
    a.button = in.code;
    a.shift = in.shift;
    a.x = static_cast<float>(in.x);
    a.y = static_cast<float>(in.y);
    if (in.kind <= InputKind::DblClick) St().cursor = {w->Bounds().left + in.x, w->Bounds().top + in.y};
    switch (in.kind) {
        case InputKind::MouseDown: e.OnMouseDown(a); break;
        case InputKind::MouseMove: e.OnMouseMove(a); break;
        case InputKind::MouseUp: e.OnMouseUp(a); break;
        case InputKind::DblClick: e.OnDblClick(a); break;
        case InputKind::KeyDown: e.OnKeyDown(in.code, in.shift); break;
        case InputKind::KeyPress: e.OnKeyPress(in.code); break;
    }
    return true;
}

// Sends one input now, then lets the pending events run.
bool Deliver(plat::Handle h, InputKind kind, int code, int x = 0, int y = 0, int shift = 0) {
    if (!Send({h, kind, code, x, y, shift})) return false;
    plat::DoEvents();
    return true;
}
}  // namespace

void detail::DrainInput() {
    auto& queue = St().input;
    while (!queue.empty()) {
        const detail::PostedInput in = queue.front();
        queue.pop_front();
        Send(in);
    }
}

void Post(plat::Handle h, InputKind kind, int buttonOrCode, int x, int y, int shift) {
    St().input.push_back({h, kind, buttonOrCode, x, y, shift});
}

int QueuedInput() { return static_cast<int>(St().input.size()); }

bool MouseDown(plat::Handle h, int button, int x, int y, int shift) {
    return Deliver(h, InputKind::MouseDown, button, x, y, shift);
}
bool MouseMove(plat::Handle h, int buttonsHeld, int x, int y, int shift) {
    return Deliver(h, InputKind::MouseMove, buttonsHeld, x, y, shift);
}
bool MouseUp(plat::Handle h, int button, int x, int y, int shift) {
    return Deliver(h, InputKind::MouseUp, button, x, y, shift);
}
bool DblClick(plat::Handle h, int button, int x, int y, int shift) {
    return Deliver(h, InputKind::DblClick, button, x, y, shift);
}

bool Click(plat::Handle h, int button, int x, int y, int shift) {
    return MouseDown(h, button, x, y, shift) && MouseUp(h, button, x, y, shift);
}

bool DoubleClick(plat::Handle h, int button, int x, int y, int shift) {
    return MouseDown(h, button, x, y, shift) && MouseUp(h, button, x, y, shift) &&
           DblClick(h, button, x, y, shift) && MouseUp(h, button, x, y, shift);
}

bool KeyDown(plat::Handle h, int keyCode, int shift) { return Deliver(h, InputKind::KeyDown, keyCode, 0, 0, shift); }

bool KeyPress(plat::Handle h, int charCode) { return Deliver(h, InputKind::KeyPress, charCode); }

void SetIdleHandler(std::function<void()> handler) { St().idle = std::move(handler); }

void AdvanceClock(int ms) { detail::AdvanceClock(ms); }
long long Now() { return St().now; }

int TimerInterval(plat::Handle h, int timerId) {
    for (const auto& t : St().timers)
        if (t.hwnd == h && t.id == timerId) return t.interval;
    return 0;
}

int ClipboardWrites() { return St().clipboardWrites; }
void SetClipboardBusy(bool busy) { St().clipboardBusy = busy; }

const std::vector<MsgBoxRecord>& MessageBoxes() { return St().msgBoxes; }
std::optional<int> QuitCode() { return St().quit; }

}  // namespace headless
