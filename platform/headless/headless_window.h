#pragma once
// The headless top-level window: bounds, visibility and a picture of what its
// client area shows, painted through its owner's events.
#include <functional>
#include <string>
#include <vector>

#include "platform/services/native_window.h"
#include "platform/services/picture.h"
#include "platform/services/types.h"

namespace headless::detail {

class HeadlessWindow final : public plat::NativeWindow {
public:
    HeadlessWindow(plat::WindowEvents& events, const plat::WindowStyle& style);
    ~HeadlessWindow() override;
    HeadlessWindow(const HeadlessWindow&) = delete;
    HeadlessWindow& operator=(const HeadlessWindow&) = delete;

    plat::Handle Hwnd() const override { return hwnd_; }
    plat::Rect Bounds() const override { return bounds_; }
    void SetBounds(const plat::Rect& r) override;
    plat::Rect ClientRect() const override;
    void SetCaption(const std::wstring& s) override;
    void Show(plat::WindowState state) override;
    void ShowNoActivate() override;
    void Hide() override;
    bool Visible() const override { return visible_; }
    plat::WindowState State() const override { return state_; }
    void Invalidate(const plat::Rect& clientRect) override;
    void InvalidateAll() override;
    void Update() override;
    void DrawDirect(const std::function<void(plat::Canvas&)>& draw) override;
    void Focus() override;
    void SetTimer(int timerId, int intervalMs) override;
    void KillTimer(int timerId) override;
    void CaptureMouse() override;
    void ReleaseMouse() override;
    // How the shape and opacity look is the system's business, proved under
    // Wine; the shape is kept for the window queries' hit test.
    void SetRegion(const std::vector<plat::Rect>& parts) override { region_ = parts; }
    void SetOpacity(int) override {}
    // The screen point lies on the window: inside its rectangle and its shape.
    bool Hits(plat::Point screen) const;

    bool NeedsPaint() const { return alive_ && visible_ && !dirty_.Empty() && !shown_.Empty(); }
    plat::WindowEvents& Events() const { return events_; }
    const std::wstring& Caption() const { return style_.caption; }
    bool Topmost() const { return style_.topmost; }
    // What the client area shows; empty while it has no area.
    const plat::Picture& Surface() const { return shown_; }
    // The system destroyed the window: it leaves the screen, its handle dies and
    // the owner hears OnDestroyed. The object stays until its owner drops it.
    void DestroyBySystem();

private:
    void Detach();
    void Place(const plat::Rect& r);

    plat::WindowEvents& events_;
    plat::WindowStyle style_;
    plat::Handle hwnd_;
    plat::Rect bounds_;
    plat::Rect restore_;  // bounds to go back to from maximized
    bool zoomed_ = false;
    plat::WindowState state_ = plat::WindowState::Normal;
    bool visible_ = false;
    bool alive_ = true;
    plat::Rect dirty_;
    plat::Picture shown_;
    std::vector<plat::Rect> region_;  // window pixels; empty: the whole window
};

HeadlessWindow* Find(plat::Handle h);
// Paints every visible window that has invalid parts, bottom first.
void UpdateAll();
// What the screen shows in r: black outside the screen.
plat::Picture Composite(const plat::Rect& r);
void AdvanceClock(int ms);
// When the earliest timer is due; -1 when none runs.
long long NextTimerDue();

}  // namespace headless::detail
