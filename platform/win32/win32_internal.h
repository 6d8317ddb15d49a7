#pragma once
// Pieces the Win32 backend's files share with each other.

#include <windows.h>

#include <functional>

#include "platform/services/types.h"

namespace plat::win32 {

// The window class of every form.
constexpr wchar_t kFormClassName[] = L"MorrowenSnipForm";

// The message a notification-area icon sends its window.
constexpr UINT kTrayMessage = WM_APP + 0x51;

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
void AddPreDispatchHook(std::function<bool(MSG&)> hook);

// The hub: a parent's notification about one of its native children
// (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM, WM_MEASUREITEM, the
// scroll messages) handed back to that child's control. False when the
// message is not about one of ours; `result` is the answer otherwise.
bool ReflectToChild(HWND parent, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

// A failed creation call whose failure matters: said to the debugger (the
// caller degrades visibly).
void ReportFailure(const wchar_t* call, unsigned long error);

// Shows the program-wide pointer shape now (called from WM_SETCURSOR too).
void ApplyPointer();

}  // namespace plat::win32
