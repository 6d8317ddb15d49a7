#include "platform/headless/headless_window.h"

#include <algorithm>
#include <utility>

#include "platform/headless/headless_picture.h"
#include "platform/headless/headless_state.h"
#include "platform/services/system.h"

namespace plat {

std::unique_ptr<NativeWindow> NativeWindow::Create(WindowEvents& events, const WindowStyle& style) {
    return std::make_unique<headless::detail::HeadlessWindow>(events, style);
}

}  // namespace plat

namespace headless::detail {

using plat::Picture;
using plat::Rect;

namespace {
plat::Handle NextHandle() {
    static plat::Handle next = 0x10000;
    return next += 4;  // never reused, so a stale handle finds nothing
}
}  // namespace

HeadlessWindow::HeadlessWindow(plat::WindowEvents& events, const plat::WindowStyle& style)
    : events_(events), style_(style), hwnd_(NextHandle()) {
    Place(style.bounds);
    St().windows.push_back(this);
}

HeadlessWindow::~HeadlessWindow() {
    if (alive_) Detach();
}

void HeadlessWindow::Detach() {
    World& s = St();
    alive_ = false;
    visible_ = false;
    std::erase(s.windows, this);
    std::erase_if(s.timers, [&](const TimerEntry& t) { return t.hwnd == hwnd_; });
    if (s.focus == hwnd_) s.focus = 0;
    if (s.capture == hwnd_) s.capture = 0;
}

void HeadlessWindow::DestroyBySystem() {
    plat::WindowEvents& events = events_;
    Detach();
    events.OnDestroyed();  // may delete this
}

// The client area is the whole window: there is no frame to leave out.
Rect HeadlessWindow::ClientRect() const {
    return {0, 0, std::max(0, bounds_.Width()), std::max(0, bounds_.Height())};
}

void HeadlessWindow::Place(const Rect& r) {
    bounds_ = r;
    const Rect client = ClientRect();
    if (client.Width() == shown_.Width() && client.Height() == shown_.Height()) return;
    Picture next = Picture::Create(client.Width(), client.Height());
    if (!next.Empty()) {
        next.Impl()->Untrack();
        next.Draw().DrawPicture(shown_, 0, 0, Rect{0, 0, shown_.Width(), shown_.Height()});
    }
    shown_ = next;
    InvalidateAll();
}

bool HeadlessWindow::Hits(plat::Point p) const {
    if (!bounds_.Contains(p.x, p.y)) return false;
    if (region_.empty()) return true;
    for (const Rect& r : region_)
        if (r.Contains(p.x - bounds_.left, p.y - bounds_.top)) return true;
    return false;
}

void HeadlessWindow::SetBounds(const Rect& r) {
    if (alive_) Place(r);
}

void HeadlessWindow::SetCaption(const std::wstring& s) { style_.caption = s; }

void HeadlessWindow::Show(plat::WindowState state) {
    if (!alive_) return;
    const World& s = St();
    if (state == plat::WindowState::Maximized) {
        if (!zoomed_) restore_ = bounds_, zoomed_ = true;
        Place({0, 0, s.screen.Width(), s.screen.Height()});
    } else if (state == plat::WindowState::Normal && zoomed_) {
        zoomed_ = false;
        Place(restore_);
    }
    state_ = state;
    if (!visible_) InvalidateAll();
    visible_ = true;
    // Showing brings the window to the front of its layer and activates it.
    std::erase(St().windows, this);
    St().windows.push_back(this);
    if (state != plat::WindowState::Minimized) St().focus = hwnd_;
}

void HeadlessWindow::ShowNoActivate() {
    if (!alive_ || visible_) return;
    const plat::Handle focus = St().focus;
    Show(state_);
    St().focus = focus;
}

void HeadlessWindow::Hide() {
    visible_ = false;
    if (St().focus == hwnd_) St().focus = 0;
}

void HeadlessWindow::Invalidate(const Rect& clientRect) {
    dirty_ = dirty_.Union(clientRect.Intersect(ClientRect()));
}

void HeadlessWindow::InvalidateAll() { dirty_ = ClientRect(); }

void HeadlessWindow::Update() {
    if (!NeedsPaint()) return;
    const Rect dirty = std::exchange(dirty_, Rect{});
    const Picture surface = shown_;  // outlives this window if the paint destroys it
    plat::PictureCanvas canvas(*surface.Impl());
    plat::ClipScope clip(canvas, dirty);
    events_.OnPaint(canvas, dirty);
}

void HeadlessWindow::DrawDirect(const std::function<void(plat::Canvas&)>& draw) {
    if (!alive_ || shown_.Empty()) return;
    const Picture surface = shown_;
    plat::PictureCanvas canvas(*surface.Impl());
    draw(canvas);
}

void HeadlessWindow::Focus() {
    if (alive_) St().focus = hwnd_;
}

void HeadlessWindow::SetTimer(int timerId, int intervalMs) {
    if (!alive_) return;
    World& s = St();
    // The system's shortest timer interval is 10 ms.
    const int interval = std::max(10, intervalMs);
    auto it = std::find_if(s.timers.begin(), s.timers.end(),
                           [&](const TimerEntry& t) { return t.hwnd == hwnd_ && t.id == timerId; });
    if (it == s.timers.end()) it = s.timers.insert(s.timers.end(), TimerEntry{hwnd_, timerId, 0, 0, 0});
    it->interval = interval;
    it->due = s.now + interval;
    it->order = ++s.timerOrder;
}

void HeadlessWindow::KillTimer(int timerId) {
    std::erase_if(St().timers, [&](const TimerEntry& t) { return t.hwnd == hwnd_ && t.id == timerId; });
}

void HeadlessWindow::CaptureMouse() {
    if (alive_) St().capture = hwnd_;
}

void HeadlessWindow::ReleaseMouse() {
    if (St().capture == hwnd_) St().capture = 0;
}

HeadlessWindow* Find(plat::Handle h) {
    for (HeadlessWindow* w : St().windows)
        if (w->Hwnd() == h) return w;
    return nullptr;
}

void UpdateAll() {
    std::vector<plat::Handle> handles;
    for (HeadlessWindow* w : St().windows) handles.push_back(w->Hwnd());
    // A paint may create or destroy windows: look each one up again.
    for (plat::Handle h : handles)
        if (HeadlessWindow* w = Find(h)) w->Update();
}

Picture Composite(const Rect& r) {
    const World& s = St();
    Picture out = s.screen.Crop(r.Offset(-s.screenOrigin.x, -s.screenOrigin.y));
    if (out.Empty()) return out;
    plat::Canvas& c = out.Draw();
    c.SetClip(Rect{0, 0, s.screen.Width(), s.screen.Height()}.Offset(s.screenOrigin.x - r.left,
                                                                        s.screenOrigin.y - r.top));
    for (bool topmostLayer : {false, true})
        for (const HeadlessWindow* w : s.windows) {
            if (w->Topmost() != topmostLayer || !w->Visible() || w->State() == plat::WindowState::Minimized) continue;
            const Rect b = w->Bounds();
            c.DrawPicture(w->Surface(), b.left - r.left, b.top - r.top, w->ClientRect());
        }
    c.ResetClip();
    return out;
}

long long NextTimerDue() {
    long long due = -1;
    for (const TimerEntry& t : St().timers)
        if (due < 0 || t.due < due) due = t.due;
    return due;
}

void AdvanceClock(int ms) {
    World& s = St();
    const long long target = s.now + std::max(0, ms);
    // Each round picks the earliest due timer afresh, so a tick may set or kill
    // any timer, its own included, or destroy windows.
    for (;;) {
        auto next = s.timers.end();
        for (auto it = s.timers.begin(); it != s.timers.end(); ++it)
            if (it->due <= target && (next == s.timers.end() || it->due < next->due ||
                                      (it->due == next->due && it->order < next->order)))
                next = it;
        if (next == s.timers.end()) break;
        s.now = next->due;
        next->due += next->interval;
        const plat::Handle h = next->hwnd;
        const int id = next->id;
        if (HeadlessWindow* w = Find(h)) w->Events().OnTimer(id);
        plat::DoEvents();
    }
    s.now = target;
}

}  // namespace headless::detail
