#include "shell/countdown.h"

#include <algorithm>
#include <string>
#include <utility>

#include "platform/services/system.h"
#include "shell/extra_settings.h"

namespace {

constexpr int kSize = 44;          // the window's side, pixels
constexpr int kPointerGap = 20;    // right of and below the pointer, clear of its arrow
constexpr int kRepaintWaitMs = 120;  // for the windows under it to paint again before the freeze

plat::WindowStyle CountdownStyle() {
    plat::WindowStyle s;
    s.caption = L"Morrowen Snip countdown";
    s.bounds = {0, 0, kSize, kSize};
    s.borderless = true;
    s.topmost = true;
    s.showInTaskbar = false;
    return s;
}

}  // namespace

frmCountdown::frmCountdown() : plat::Form(CountdownStyle()), lblSeconds(*this), Timer1(*this) {
    SetBackColor(plat::Rgb(0, 122, 236));
    lblSeconds.ForeColor = plat::Rgb(255, 255, 255);
    lblSeconds.Transparent = true;
    lblSeconds.ClickThrough = true;
    lblSeconds.SetFont(plat::Font{L"Arial", 18.0f, true});
    lblSeconds.Move(0, 0, kSize, kSize);
    Timer1.SetInterval(1000);
    Timer1.Tick = [this] { Timer1_Timer(); };
}

void frmCountdown::Start(int seconds, std::function<void()> then) {
    left_ = seconds < 1 ? 1 : seconds;
    then_ = std::move(then);
    const plat::Point at = plat::CursorPos();
    // Kept on the screen near its right and bottom edges.
    const int x = std::min(at.x + kPointerGap, plat::ScreenWidthPx() - kSize);
    const int y = std::min(at.y + kPointerGap, plat::ScreenHeightPx() - kSize);
    SetBounds({x, y, x + kSize, y + kSize});
    lblSeconds.SetCaption(std::to_wstring(left_));
    // Centred: the label sizes to its text.
    const plat::Point text = plat::MeasureText(lblSeconds.Caption(), lblSeconds.TextFont);
    lblSeconds.Move(static_cast<float>((kSize - text.x) / 2), static_cast<float>((kSize - text.y) / 2), text.x,
                    text.y);
    ShowNoActivate();
    Timer1.SetEnabled(false);
    Timer1.SetEnabled(true);
}

void frmCountdown::Timer1_Timer() {
    if (--left_ > 0) {
        lblSeconds.SetCaption(std::to_wstring(left_));
        return;
    }
    Timer1.SetEnabled(false);
    std::function<void()> then = std::move(then_);
    then_ = nullptr;
    Unload();
    // The snip must not see this window: the ones under it paint again first.
    plat::DoEvents();
    plat::SleepMs(kRepaintWaitMs);
    plat::DoEvents();
    if (then) then();
}

void frmCountdown::Form_MouseDown(const plat::MouseArgs&) {
    Timer1.SetEnabled(false);
    then_ = nullptr;
    Unload();
}

int DelayedSnipSeconds() { return shell::ReadSettingNumber(L"DelayedSnip", L"Seconds", 3, 1, 10); }

std::wstring DelayedSnipMenuText(int seconds) {
    return L"Region snip in " + std::to_wstring(seconds) + (seconds == 1 ? L" second" : L" seconds");
}
