#include "platform/services/timer.h"

#include <algorithm>

#include "platform/services/native_window.h"

namespace plat {

int TimerHost::Register(Timer* t) {
    timers_.push_back(t);
    return nextTimerId_++;
}

void TimerHost::Unregister(Timer* t) { timers_.erase(std::remove(timers_.begin(), timers_.end(), t), timers_.end()); }

void TimerHost::AttachTimers(NativeWindow* window) {
    timerWindow_ = window;
    for (Timer* t : timers_) t->Apply();
}

void TimerHost::DetachTimers() {
    if (timerWindow_)
        for (Timer* t : timers_) timerWindow_->KillTimer(t->id_);
    timerWindow_ = nullptr;
}

void TimerHost::FireTimer(int timerId) {
    for (Timer* t : timers_) {
        if (t->id_ == timerId && t->enabled_) {
            if (t->Tick) t->Tick();
            return;
        }
    }
}

Timer::Timer(TimerHost& host) : host_(host), id_(host.Register(this)) {}

Timer::~Timer() {
    if (enabled_ && host_.timerWindow_) host_.timerWindow_->KillTimer(id_);
    host_.Unregister(this);
}

void Timer::SetInterval(int ms) {
    interval_ = ms;
    Apply();
}

// Enabling a running timer keeps its beat (a timer is restarted by turning
// it off and on): a caller that enables it at every event must not hold it off.
void Timer::SetEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    Apply();
}

void Timer::Apply() {
    NativeWindow* w = host_.timerWindow_;
    if (!w) return;
    if (enabled_ && interval_ > 0)
        w->SetTimer(id_, interval_);
    else
        w->KillTimer(id_);
}

}  // namespace plat
