#include "platform/services/system.h"

#include <cstdio>
#include <cstdlib>

#include "platform/services/message_pump.h"
#include "platform/services/monitors.h"
#include "platform/headless/headless_picture.h"
#include "platform/headless/headless_state.h"
#include "platform/headless/headless_window.h"

namespace plat {

using headless::detail::St;

int ScreenWidthPx() { return St().monitors.empty() ? St().screen.Width() : St().monitors.front().bounds.Width(); }
int ScreenHeightPx() {
    return St().monitors.empty() ? St().screen.Height() : St().monitors.front().bounds.Height();
}

MonitorList Monitors() {
    if (!St().monitors.empty()) return St().monitors;
    const Rect screen{0, 0, St().screen.Width(), St().screen.Height()};
    return {Monitor{screen, screen, St().dpi}};
}

// Pending here are the input the test posted and paints; timers move only
// with the test's clock.
void DoEvents() {
    headless::detail::DrainInput();
    headless::detail::UpdateAll();
    plat::RunAfterDispatchHooks();
}

void WaitForEvents() {
    auto& s = St();
    if (!s.input.empty()) return;
    for (const auto* w : s.windows)
        if (w->NeedsPaint()) return;  // a paint is pending
    if (s.idle) {
        const auto idle = s.idle;  // the handler may replace itself
        idle();
    } else if (const long long due = headless::detail::NextTimerDue(); due >= 0) {
        headless::detail::AdvanceClock(static_cast<int>(due - s.now));
    } else {
        std::fputs("WaitForEvents: nothing pending and no idle handler set; the wait would never end\n", stderr);
        std::abort();
    }
}

// There is nothing to wait for without a test driving events, so the loop
// runs the pending paints and returns: the quit code if one was asked for
// already, else 0.
int RunMessageLoop() {
    DoEvents();
    return St().quit.value_or(0);
}

void QuitMessageLoop(int code) { St().quit = code; }

void SetMousePointer(MousePointer p) { St().pointer = p; }
MousePointer GetMousePointer() { return St().pointer; }

Point CursorPos() { return St().cursor; }
void SleepMs(int) {}

Picture CaptureScreen(const Rect& r) {
    headless::detail::UpdateAll();
    return headless::detail::Composite(r);
}

Picture CaptureWholeScreen(const Rect& all) { return CaptureScreen(all); }

void PrepareWholeScreenCapture(const Rect&) {}

bool CaptureScreenInto(Canvas& to, int x, int y, const Rect& from) {
    const Picture shot = CaptureScreen(from);
    to.DrawPicture(shot, x, y, Rect{0, 0, shot.Width(), shot.Height()});
    return true;
}

Point MeasureText(std::wstring_view s, const Font& f) { return TextMetric(s, f); }

bool ClipboardPutScreenRect(const Rect& r) {
    if (St().clipboardBusy) return false;
    if (r.Width() <= 0 || r.Height() <= 0) return ClipboardPutPicture(Picture::Create(1, 1, Rgb(0, 0, 0)));
    return ClipboardPutPicture(CaptureScreen(r));
}

// The clipboard keeps its own copy, as the system takes over a bitmap placed
// on it. An empty picture places nothing.
bool ClipboardPutPicture(const Picture& p) {
    auto& s = St();
    if (s.clipboardBusy || p.Empty()) return false;
    s.clipboard = p.Copy();
    s.clipboard.Impl()->Untrack();
    ++s.clipboardWrites;
    return true;
}

Picture ClipboardGetPicture() { return St().clipboard.Copy(); }

void MsgBox(const std::wstring& text, const std::wstring& title, int style) {
    St().msgBoxes.push_back({text, title, style});
}

std::wstring ExeDir() { return St().exeDir; }

ResourceCounts CurrentResourceCounts() {
    const long windows = static_cast<long>(St().windows.size());
    return {LivePictures(), windows, LivePictures() + windows};
}

}  // namespace plat
