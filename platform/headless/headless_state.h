#pragma once
// Everything the headless backend fakes for the whole process: screen, windows
// in z-order, clock and timers, clipboard, logs.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/services/monitors.h"
#include "platform/services/native_window.h"
#include "platform/services/picture.h"
#include "platform/services/types.h"

namespace headless::detail {

class HeadlessWindow;

struct TimerEntry {
    plat::Handle hwnd = 0;
    int id = 0;
    int interval = 0;
    long long due = 0;
    long long order = 0;  // set order, to break ties between equal due times
};

struct PostedInput {
    plat::Handle window = 0;
    InputKind kind = InputKind::MouseDown;
    int code = 0, x = 0, y = 0, shift = 0;
};

struct World {
    plat::Picture screen;
    std::vector<HeadlessWindow*> windows;  // z-order, bottom first
    plat::Handle focus = 0, capture = 0;
    long long now = 0;
    long long timerOrder = 0;
    std::vector<TimerEntry> timers;
    plat::Picture clipboard;
    int clipboardWrites = 0;
    bool clipboardBusy = false;
    std::vector<MsgBoxRecord> msgBoxes;
    plat::MousePointer pointer = plat::MousePointer::Default;
    plat::Point cursor;
    std::optional<int> quit;
    std::wstring exeDir;
    std::function<void()> idle;
    std::deque<PostedInput> input;
    int dpi = 96;  // the system's; a window may be told another
    // The monitors a test scripted (none: one, the screen picture's size at
    // (0, 0)); the screen picture then covers their bounding rectangle, whose
    // top-left is screenOrigin.
    std::vector<plat::Monitor> monitors;
    plat::Point screenOrigin;
};

// Hands every posted input to its window, oldest first (DoEvents' part).
void DrainInput();

World& St();
// Back to the start state; windows and their timers are kept.
void ResetState();
// The program folder every process starts with: a temporary folder of its own,
// removed at exit.
const std::wstring& DefaultExeDir();
void EmptyDefaultExeDir();
plat::Picture DefaultScreen();

}  // namespace headless::detail
