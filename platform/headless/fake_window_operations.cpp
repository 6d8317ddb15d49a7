// The headless window operations: fake windows change their recorded state,
// the program's own forms their headless windows.
#include "platform/headless/fake_window_operations.h"

#include <algorithm>

#include "platform/headless/fake_window_queries.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_state.h"
#include "platform/headless/headless_window.h"
#include "platform/services/single_instance.h"
#include "platform/services/window_operations.h"

namespace fake_window_operations {
namespace {
struct State {
    std::optional<plat::Rect> workArea;
    bool otherInstance = false;
};
State& S() {
    static State s;
    return s;
}
}  // namespace

void Reset() { S() = State{}; }
void SetWorkArea(plat::Rect r) { S().workArea = r; }
void SetOtherInstance(bool running) { S().otherInstance = running; }

}  // namespace fake_window_operations

namespace plat::desktop {
namespace {
headless::detail::HeadlessWindow* Form(Handle h) { return h ? headless::detail::Find(h) : nullptr; }
}  // namespace

bool ShowWindowAs(Handle h, ShowCommand how) {
    if (auto* f = Form(h)) {
        const bool was = f->Visible();
        if (how == ShowCommand::Hide) {
            f->Hide();
        } else {
            const Handle focus = headless::detail::St().focus;
            f->Show(how == ShowCommand::Maximize          ? WindowState::Maximized
                    : how == ShowCommand::ShowMinNoActive ? WindowState::Minimized
                                                          : WindowState::Normal);
            if (how != ShowCommand::Maximize) headless::detail::St().focus = focus;
        }
        return was;
    }
    if (!fake_windows::Exists(h)) return false;
    fake_windows::Window w = fake_windows::Get(h);
    const bool was = w.visible;
    w.visible = how != ShowCommand::Hide;
    if (how == ShowCommand::Maximize) w.zoomed = true;
    if (how == ShowCommand::ShowDefault) w.zoomed = false;
    fake_windows::Update(h, w);
    return was;
}

void EnableWindowInput(Handle h, bool on) {
    if (!fake_windows::Exists(h)) return;
    fake_windows::Window w = fake_windows::Get(h);
    w.enabled = on;
    fake_windows::Update(h, w);
}

void MoveWindowTo(Handle h, int left, int top) {
    if (auto* f = Form(h)) {
        const Rect b = f->Bounds();
        f->SetBounds(b.Offset(left - b.left, top - b.top));
        return;
    }
    if (!fake_windows::Exists(h)) return;
    fake_windows::Window w = fake_windows::Get(h);
    w.rect = w.rect.Offset(left - w.rect.left, top - w.rect.top);
    fake_windows::Update(h, w);
}

void RaiseTopmost(Handle) {}  // z-order bands are not modelled here

Rect WorkArea() {
    const auto& s = headless::detail::St();
    return fake_window_operations::S().workArea.value_or(Rect{0, 0, s.screen.Width(), s.screen.Height()});
}

}  // namespace plat::desktop

namespace plat {

bool OtherInstanceHolds(const std::wstring&) { return fake_window_operations::S().otherInstance; }

// A test's idle handler stands for whatever happens next; without one the
// clock moves on by the pause or to the next timer, whichever is sooner.
void WaitForEventsFor(int ms) {
    auto& s = headless::detail::St();
    if (!s.input.empty()) return;
    for (const auto* w : s.windows)
        if (w->NeedsPaint()) return;
    if (s.idle) {
        const auto idle = s.idle;
        idle();
        return;
    }
    long long step = ms;
    if (const long long due = headless::detail::NextTimerDue(); due >= 0) step = std::min(step, due - s.now);
    headless::detail::AdvanceClock(static_cast<int>(std::max(0LL, step)));
}

}  // namespace plat
