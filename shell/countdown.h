#pragma once
// frmCountdown: the seconds left before a delayed snip, in a small window
// beside the pointer. It is gone from the screen before the snip freezes it;
// a click on it calls the snip off.
#include <functional>

#include "platform/toolkit/controls.h"
#include "platform/toolkit/form.h"
#include "platform/services/timer.h"

class frmCountdown : public plat::Form {
public:
    frmCountdown();

    // Counts `seconds` down (1 or more), then unloads itself and runs `then`
    // once its window has left the screen. A countdown already running is
    // replaced.
    void Start(int seconds, std::function<void()> then);

    plat::Label lblSeconds;
    plat::Timer Timer1;  // one tick a second

protected:
    void Form_MouseDown(const plat::MouseArgs& a) override;

private:
    void Timer1_Timer();
    int left_ = 0;
    std::function<void()> then_;
};

// The delay of "Region snip in N seconds": a.ini [DelayedSnip] Seconds, 1..10, default 3.
int DelayedSnipSeconds();
// The menu's words for it: "Region snip in 3 seconds", "Region snip in 1 second".
std::wstring DelayedSnipMenuText(int seconds);
