#pragma once
// The backend's top-level window. Forms (form.h) sit on top of it; nothing else
// should need it directly.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/services/picture.h"
#include "platform/services/types.h"

namespace plat {

enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

struct WindowStyle {
    std::wstring caption;
    Rect bounds{0, 0, 320, 240};  // outer rectangle: screen pixels, or the parent's client pixels
    bool borderless = false;
    bool topmost = false;
    bool showInTaskbar = true;
    bool resizable = false;
    bool minimizeBox = true;
    Handle parent = 0;  // a child window of this one; 0: a top-level window
    bool tabNavigation = false;  // Tab and Shift+Tab move the focus between its controls, as in a dialog
};

// What a window tells its owner. Coordinates are client pixels.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    // A large repaint may come as several calls, one band of `dirty` each,
    // with c clipped to it.
    virtual void OnPaint(Canvas& c, const Rect& dirty) = 0;
    // The picture whose pixels, at the same places, are all that OnPaint
    // would paint in `area`, or nullptr: the window then copies them to the
    // screen itself, without a back buffer.
    virtual const Picture* PlainPicture(const Rect& /*area*/) { return nullptr; }
    virtual void OnMouseDown(const MouseArgs& a) = 0;
    virtual void OnMouseMove(const MouseArgs& a) = 0;
    virtual void OnMouseUp(const MouseArgs& a) = 0;
    virtual void OnDblClick(const MouseArgs& a) = 0;
    virtual void OnKeyDown(int keyCode, int shift) = 0;
    // The mouse wheel turned: `delta` in the system's units (120 a notch, away
    // from the user positive), shift state as for keys.
    virtual void OnMouseWheel(int /*delta*/, int /*shift*/) {}
    virtual void OnKeyPress(int charCode) = 0;
    virtual void OnTimer(int timerId) = 0;
    // The user asked to close (system menu, Alt+F4). Return true to cancel.
    virtual bool OnCloseRequest() = 0;
    // The user's own close command (close box, Alt+F4, the taskbar's Close),
    // before it becomes a close request: true when the window dealt with it.
    virtual bool OnCloseCommand() { return false; }
    // The window lost the mouse capture to something else (a system move loop,
    // another window): the buttons it saw pressed will not be released to it.
    virtual void OnCaptureLost() {}
    // Mouse activity over the window's notification-area icon.
    virtual void OnTrayNotify(int /*mouseMessage*/) {}
    // The window lost the keyboard focus.
    virtual void OnFocusLost() {}
    // The system moved the window (a drag by its caption, a move command):
    // its new outer rectangle, in the coordinates of WindowStyle::bounds.
    virtual void OnMovedBySystem(const Rect& /*bounds*/) {}
    // The window now shows at another DPI (moved to another monitor, or the
    // scale changed); `suggested` is the outer rectangle the system proposes.
    virtual void OnDpiChanged(int /*dpi*/, const Rect& /*suggested*/) {}
    // The window is gone (destroyed by its owner or the system).
    virtual void OnDestroyed() = 0;
};

class NativeWindow {
public:
    static std::unique_ptr<NativeWindow> Create(WindowEvents& events, const WindowStyle& style);
    virtual ~NativeWindow() = default;

    virtual Handle Hwnd() const = 0;
    virtual Rect Bounds() const = 0;  // outer rectangle, screen pixels
    virtual void SetBounds(const Rect& r) = 0;
    virtual Rect ClientRect() const = 0;  // (0, 0, width, height)
    virtual void SetCaption(const std::wstring& s) = 0;
    virtual void Show(WindowState state) = 0;
    // Shown in its current state without taking the activation or the focus.
    virtual void ShowNoActivate() = 0;
    virtual void Hide() = 0;
    virtual bool Visible() const = 0;
    virtual WindowState State() const = 0;
    virtual void Invalidate(const Rect& clientRect) = 0;
    virtual void InvalidateAll() = 0;
    virtual void Update() = 0;  // repaint invalid parts now
    // Draws straight onto the window, not kept: the next repaint covers it.
    virtual void DrawDirect(const std::function<void(Canvas&)>& draw) = 0;
    virtual void Focus() = 0;
    virtual void SetTimer(int timerId, int intervalMs) = 0;
    virtual void KillTimer(int timerId) = 0;
    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;
    // The window's shape: the union of these rectangles (window pixels); an
    // empty list gives back the whole rectangle.
    virtual void SetRegion(const std::vector<Rect>& parts) = 0;
    // Layered opacity 0..255 (255 opaque).
    virtual void SetOpacity(int alpha) = 0;
};

}  // namespace plat
