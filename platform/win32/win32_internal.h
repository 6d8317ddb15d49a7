#pragma once
// Pieces the Win32 backend's files share with each other.

#include <windows.h>

#include <functional>

#include "platform/services/picture.h"
#include "platform/services/types.h"

namespace plat::win32 {

// The window class of every form.
constexpr wchar_t kFormClassName[] = L"MorrowenSnipForm";

// The message a notification-area icon sends its window.
constexpr UINT kTrayMessage = WM_APP + 0x51;

// A picture of the whole screen's size whose pixels the caller writes every
// one of (a capture): made in the memory the last picture of that size left
// once none is alive, so that writing it needs no new pages. Empty when it
// cannot be made.
Picture WholeScreenToOverwrite(int width, int height);

// The shift-key state (kShiftMask | kCtrlMask | kAltMask) as input events report it.
int ShiftState();

// The buttons a mouse message says are held, as kLeftButton | ...
int ButtonsHeld(WPARAM wp);
// A mouse message's arguments: `button` (or the buttons held, for a move),
// client coordinates, the shift state now.
MouseArgs Mouse(int button, LPARAM lp);

// The one dispatch routine of every loop: the pre-dispatch hooks (a true
// answer takes the message), then translation and dispatch, then the
// toolkit's after-dispatch hooks.
void Dispatch(MSG& msg);
// Tab and Shift+Tab in a window that asks for it (WS_EX_CONTROLPARENT on its
// top-level window) move the focus to the next or previous visible, enabled
// tab stop, wrapping at the ends. True when the key was taken.
bool MoveFocusByTab(const MSG& msg);
void AddPreDispatchHook(std::function<bool(MSG&)> hook);

// The hub: a parent's notification about one of its native children
// (WM_COMMAND, WM_CTLCOLOR*, WM_DRAWITEM, the scroll messages) handed back to
// that child's control, which answers every one of them (a WM_DRAWITEM only
// for the owner-drawn list). False when the message is not about one of ours;
// `result` is the answer otherwise. WM_NOTIFY and WM_MEASUREITEM are not
// routed: no child sends the first, and the second arrives while the list is
// being created, before its owner is attached (its entries' height is set
// afterwards).
bool ReflectToChild(HWND parent, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

// A failed creation call whose failure matters: traced for the debugger in
// debug builds (the caller degrades visibly: no window, no control, no tip,
// an empty picture).
void ReportFailure(const wchar_t* call, unsigned long error);

// The one check of such a call: hands its result back, reporting it first
// when it is null or zero.
template <class T>
T Checked(T result, const wchar_t* call) {
    if (!result) ReportFailure(call, GetLastError());
    return result;
}

// Registers a window class; one already registered (a second try) is no
// failure. False when the class cannot be had.
bool RegisterWindowClass(const WNDCLASSEXW& wc);

// Shows the program-wide pointer shape now (called from WM_SETCURSOR too).
void ApplyPointer();

}  // namespace plat::win32
