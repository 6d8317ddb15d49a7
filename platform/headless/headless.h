#pragma once
// Test controls of the headless backend: set the screen, inject input, advance
// the clock, and read back what the program showed, wrote and said.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/services/monitors.h"
#include "platform/services/native_window.h"
#include "platform/services/picture.h"
#include "platform/services/types.h"

namespace headless {

// A string drawn on a picture or window. Text is recorded, not rasterised; an
// entry stays until something fills or copies over its origin.
struct TextRecord {
    int x = 0, y = 0;
    std::wstring text;
    std::wstring face;
    float points = 0;
    bool bold = false;
    plat::Color color = 0;
    friend bool operator==(const TextRecord&, const TextRecord&) = default;
};

// A line or an ellipse drawn with a pen: recorded, not rasterised (how a pen
// is shaped is the system's, proved against the real thing). A line keeps its
// ends in `where` (left, top = start; right, bottom = end); an ellipse its
// rectangle. Kept like texts: until something fills or copies over its origin.
struct StrokeRecord {
    bool ellipse = false;
    plat::Rect where;
    plat::Color color = 0;
    int penWidth = 1;
    friend bool operator==(const StrokeRecord&, const StrokeRecord&) = default;
};

struct MsgBoxRecord {
    std::wstring text, title;
    int style = 0;
    friend bool operator==(const MsgBoxRecord&, const MsgBoxRecord&) = default;
};

// Fresh screen (1920 x 1080 white), clock at 0, empty clipboard and logs, default
// pointer, cursor at (0, 0), no quit request, an emptied program folder, and
// every fake service (dialogs, imaging, shell, hotkeys, desktop windows) reset.
// Windows that still exist stay, their timers restarted on the new clock.
void Reset();

// The screen under every window, and what the screen shows now with the
// windows painted over it.
void SetScreen(plat::Picture p);
plat::Picture ScreenPicture();
void SetCursorPos(plat::Point p);
void SetExeDir(std::wstring dir);

// Windows, by the handle their forms report (Form::hWnd).
std::vector<plat::Handle> Windows();  // z-order, bottom first
bool Exists(plat::Handle h);
std::wstring Caption(plat::Handle h);
plat::Rect Bounds(plat::Handle h);
bool Visible(plat::Handle h);
plat::WindowState State(plat::Handle h);
// A copy of the window's client pixels, repainted first if invalid.
plat::Picture Shown(plat::Handle h);
const std::vector<TextRecord>& Texts(const plat::Picture& p);
const std::vector<StrokeRecord>& Strokes(const plat::Picture& p);
plat::Handle FocusedWindow();
// The user closes the window (system menu, Alt+F4). True when it is gone after.
bool CloseWindow(plat::Handle h);

// Input through the window's events, client pixels; each call then lets the
// pending events run as the message loop would. False (nothing sent) when the
// window does not exist or is hidden.
bool MouseDown(plat::Handle h, int button, int x, int y, int shift = 0);
bool MouseMove(plat::Handle h, int buttonsHeld, int x, int y, int shift = 0);
bool MouseUp(plat::Handle h, int button, int x, int y, int shift = 0);
bool DblClick(plat::Handle h, int button, int x, int y, int shift = 0);
bool Click(plat::Handle h, int button, int x, int y, int shift = 0);  // down, up
// A double click as the system delivers it: down, up, double-click, up.
bool DoubleClick(plat::Handle h, int button, int x, int y, int shift = 0);
bool KeyDown(plat::Handle h, int keyCode, int shift = 0);
bool KeyPress(plat::Handle h, int charCode);

// The same input posted to the thread's queue instead: it waits there until
// the program's DoEvents, a wait or a nested loop (the hotkey loop) takes it,
// in the order posted, as the system's message queue works. Input for a
// window that is gone or hidden by then is dropped.
enum class InputKind { MouseDown, MouseMove, MouseUp, DblClick, KeyDown, KeyPress };
void Post(plat::Handle h, InputKind kind, int buttonOrCode, int x = 0, int y = 0, int shift = 0);
// How many posted inputs are still queued.
int QueuedInput();

// What the program's WaitForEvents does when nothing is pending: run this
// handler, which stands for the user's next action (inject it there). Without
// one, the wait moves the clock to the next timer; with no timer either the
// wait could never end, so the test program stops with a message.
void SetIdleHandler(std::function<void()> handler);

// Moves the clock on, firing due timers in time order (set order on ties).
void AdvanceClock(int ms);
long long Now();
int TimerInterval(plat::Handle h, int timerId);  // 0 when not running

// Clipboard: how many times its content was placed, and a switch that makes
// it fail to open as when another program holds it.
int ClipboardWrites();
void SetClipboardBusy(bool busy);

// Screen scale: the DPI the system states, which every window has here.
void SetSystemDpi(int dpi);
// Monitors in virtual-screen pixels, the primary first: the screen becomes a
// black picture of their bounding rectangle (PaintScreen paints on it).
void SetMonitors(std::vector<plat::Monitor> monitors);
// Fills the screen rectangle r (virtual-screen pixels) with c.
void PaintScreen(const plat::Rect& r, plat::Color c);

const std::vector<MsgBoxRecord>& MessageBoxes();
std::optional<int> QuitCode();  // set by QuitMessageLoop

}  // namespace headless
