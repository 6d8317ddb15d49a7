#pragma once
// Pieces the Win32 backend's files share with each other.

#include <windows.h>

namespace plat::win32 {

// The window class of every form.
constexpr wchar_t kFormClassName[] = L"MorrowenSnipForm";

// The message a notification-area icon sends its window.
constexpr UINT kTrayMessage = WM_APP + 0x51;

// The shift-key state (kShiftMask | kCtrlMask | kAltMask) as input events report it.
int ShiftState();

// Shows the program-wide pointer shape now (called from WM_SETCURSOR too).
void ApplyPointer();

}  // namespace plat::win32
