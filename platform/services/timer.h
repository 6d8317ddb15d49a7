#pragma once
// Timers that tick on the UI thread through a window's timer messages. A
// TimerHost (every form is one) numbers its timers and arms them while its
// window exists; a Timer belongs to one host for its whole life.
#include <functional>
#include <vector>

namespace plat {

class NativeWindow;
class Timer;

class TimerHost {
public:
    TimerHost() = default;
    TimerHost(const TimerHost&) = delete;
    TimerHost& operator=(const TimerHost&) = delete;

protected:
    ~TimerHost() = default;
    // The window came: every enabled timer starts ticking through it.
    void AttachTimers(NativeWindow* window);
    // The window goes: every timer stops; they keep their settings.
    void DetachTimers();
    // A timer message for `timerId`: runs that timer's Tick if it is enabled.
    void FireTimer(int timerId);

private:
    friend class Timer;
    int Register(Timer* t);
    void Unregister(Timer* t);

    NativeWindow* timerWindow_ = nullptr;
    std::vector<Timer*> timers_;
    int nextTimerId_ = 1;
};

// Ticks on the UI thread while enabled, every Interval milliseconds.
class Timer {
public:
    explicit Timer(TimerHost& host);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    int Interval() const { return interval_; }
    bool Enabled() const { return enabled_; }
    void SetInterval(int ms);
    void SetEnabled(bool on);
    std::function<void()> Tick;

private:
    friend class TimerHost;
    void Apply();
    TimerHost& host_;
    int id_;
    int interval_ = 0;
    bool enabled_ = false;
};

}  // namespace plat
