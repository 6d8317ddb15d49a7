#include "window/window_picker.h"

#include <chrono>
#include <random>

#include "platform/services/system.h"
#include "platform/services/window_operations.h"
#include "window/picking.h"
#include "window/window_forms.h"
#include "window/window_inspector.h"

namespace window {

namespace {

plat::WindowStyle OverlayStyle() {
    plat::WindowStyle s;
    s.caption = L"Form2";
    // The design's client size, 4680 x 3195 twips, at the screen's origin.
    s.bounds = {0, 0, 4680 / plat::kTwipsPerPixel, 3195 / plat::kTwipsPerPixel};
    s.borderless = true;
    s.topmost = true;
    s.showInTaskbar = false;
    return s;
}

// The cursor: the tracker's reading when it is fresher than a pulse tick.
plat::Point CursorNow() {
    constexpr std::chrono::milliseconds kFresh{5};
    if (std::chrono::steady_clock::now() - PolledCursorAt < kFresh) return PolledCursor;
    return plat::CursorPos();
}

double NextRandom() {
    static std::minstd_rand generator(
        static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
    return std::uniform_real_distribution<double>(0.0, 1.0)(generator);
}

}  // namespace

WindowPicker::WindowPicker() : plat::Form(OverlayStyle()), Line1(*this), Line2(*this), Timer1(*this), Timer2(*this) {
    SetBackColor(plat::Rgb(255, 0, 0));
    SetScaleMode(plat::ScaleMode::Pixels);
    for (plat::Line* l : {&Line1, &Line2}) l->BorderWidth = 4;
    Timer1.SetInterval(10);
    Timer1.Tick = [this] { Timer1_Timer(); };
    Timer2.SetInterval(300);
    Timer2.SetEnabled(true);
    Timer2.Tick = [this] { Timer2_Timer(); };
}

void WindowPicker::Form_Load() {
    // No kept picture: the shape is drawn straight on the window at each
    // pulse, and a repaint draws it again (Form_Paint).
    SetAutoRedraw(false);
    GlowRed = 85;
    GlowFactor = 1.02f;
    MarkerSize = 3;
    Line1.BorderColor = kBorderGreen;
    Line2.BorderColor = kBorderGreen;
    SetOpacity(kOpacity);
    Form_Resize();
}

void WindowPicker::BeginPick() {
    ended_ = false;
    cancelled_ = false;
}

// Escape ends a pick as Windows users expect of any pick or drag: nothing is
// taken, and no editor opens.
void WindowPicker::Form_KeyDown(int keyCode, int /*shift*/) {
    constexpr int kEscape = 27;
    if (keyCode != kEscape || ended_ || releasing_) return;
    cancelled_ = true;
    EndPick(false);
}

void WindowPicker::PlaceOn(const plat::Rect& windowRect) {
    SetBounds(OverlayBounds(windowRect));
    plat::desktop::RaiseTopmost(hWnd());
    Form_Resize();
    Timer1.SetEnabled(true);
    Timer2.SetInterval(100);
}

// The frame and the marker under the cursor. A region equal to the one in
// force is not applied again: the pulse rebuilds it every 10 ms, and most
// ticks find the cursor where it was.
void WindowPicker::Form_Resize() {
    const int sw = ClientWidth(), sh = ClientHeight();
    std::vector<plat::Rect> region =
        OverlayRegion(sw, sh, PickCursorX - PickedRect.left, PickCursorY - PickedRect.top, MarkerSize);
    if (region != appliedRegion_) {
        appliedRegion_ = region;
        SetWindowRegion(region);
    }
    // Only the shape is ever seen: it alone takes the pulse's colour, drawn
    // straight on the window with the running segment over it, so a big
    // overlay draws a few thin strips, not its area.
    Form_Paint();
    const plat::Rect outer = Bounds();
    Perimeter = BorderPerimeter(outer.Width(), outer.Height());
    Timer2.SetEnabled(true);
}

void WindowPicker::Form_Paint() {
    DrawOnSurface([this](plat::Canvas& c) { PaintShape(c); }, {});
}

void WindowPicker::PaintShape(plat::Canvas& c) const {
    for (const plat::Rect& part : appliedRegion_) c.FillRect(part, glowColor_);
    for (const plat::Line* l : {&Line1, &Line2})
        if (l->Visible()) l->Paint(c, 0, 0);
}

void WindowPicker::Timer1_Timer() {
    // Its own pending events may hold its next tick: that one is skipped.
    if (pulsing_) return;
    pulsing_ = true;
    plat::DoEvents();
    pulsing_ = false;
    if (!Loaded()) return;
    Glow g{GlowRed, GlowGreen, GlowBlue, GlowFactor};
    const auto color = GlowStep(g, &NextRandom);
    GlowRed = g.red;
    GlowGreen = g.green;
    GlowBlue = g.blue;
    GlowFactor = g.factor;
    // The pulse steps every tick; it is painted when it shows another colour,
    // at most at the rate a screen shows frames.
    if (!color || *color == glowColor_) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastPulsePaint_ < kPulseFrame) return;
    lastPulsePaint_ = now;
    glowColor_ = *color;
    // The marker goes where the cursor is. Only a tick that paints asks:
    // between two, the tracker's passes keep the position current.
    const plat::Point p = CursorNow();
    PickCursorX = p.x;
    PickCursorY = p.y;
    Form_Resize();
}

void WindowPicker::Timer2_Timer() {
    if (Timer2.Interval() > 50) Timer2.SetInterval(NextBorderInterval(Timer2.Interval()));
    BorderStep = NextBorderStep(BorderStep);
    AnimateBorder(BorderStep);
}

void WindowPicker::AnimateBorder(std::int32_t step) {
    const plat::Rect outer = Bounds();
    const BorderChange c = window::AnimateBorder(step, Perimeter, outer.Width(), outer.Height());
    if (c.line2) Line2.SetEnds(c.line2->x1, c.line2->y1, c.line2->x2, c.line2->y2);
    if (c.line2Visible) Line2.SetVisible(*c.line2Visible);
    if (c.line1) Line1.SetEnds(c.line1->x1, c.line1->y1, c.line1->x2, c.line1->y2);
}

void WindowPicker::Form_MouseMove(const plat::MouseArgs& a) {
    PickCursorX = plat::RoundHalfEven(a.x + PickCursorX - LastMouseX + 1);
    PickCursorY = plat::RoundHalfEven(a.y + PickCursorY - LastMouseY + 1);
    LastMouseX = a.x;
    LastMouseY = a.y;
}

// Any button picks. The crop is made here, after the pick is marked ended,
// whatever order the platform delivers the focus change of the capture's
// shows in: a pick by release always fills the picture pane.
void WindowPicker::Form_MouseUp(const plat::MouseArgs&) {
    if (ended_ || releasing_) return;
    releasing_ = true;
    getDeskImage::CaptureDesktop();
    PickStop = true;
    plat::DoEvents();
    if (!Loaded()) return;
    releasing_ = false;
    if (!ended_) EndPick(true);
    if (WindowInspector* inspector = RunningInspector()) {
        inspector->SetWindowState(plat::WindowState::Normal);
        inspector->ShowNoActivate();
    }
}

// Another program activated (or the user closed the pick): the pick ends
// without a capture, unless a release already ended it.
void WindowPicker::Form_LostFocus() {
    plat::DoEvents();
    if (!Loaded() || releasing_ || ended_) return;
    EndPick(PickStop);
}

void WindowPicker::EndPick(bool crop) {
    ended_ = true;
    if (crop)
        if (WindowInspector* inspector = RunningInspector()) inspector->ShowCrop(PickedRect);
    Hide();
    plat::DoEvents();
    PickStop = true;
}

}  // namespace window
