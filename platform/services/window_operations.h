#pragma once
// Changes the window tools make to any window on the desktop (the program's
// own or another program's), the work area, and a wait with a time limit for
// loops that poll. Like the queries of window_queries.h, a handle that names
// no window makes every call do nothing.
#include "platform/services/types.h"

namespace plat::desktop {

// How ShowWindowAs shows a window, numbered as the platform numbers them.
enum class ShowCommand : int { Hide = 0, Maximize = 3, ShowNoActivate = 4, ShowMinNoActive = 7, ShowDefault = 10 };
// Returns whether the window was visible before the call.
bool ShowWindowAs(Handle h, ShowCommand how);
// Lets the window take mouse and keyboard input, or stops it.
void EnableWindowInput(Handle h, bool on);
// Moves the window's outer rectangle to (left, top), screen pixels (a child
// window: its parent's client pixels), size and z-order kept.
void MoveWindowTo(Handle h, int left, int top);
// Into the band of topmost windows, at its top; activated, not moved.
void RaiseTopmost(Handle h);
// The part of the primary screen not covered by task bars, screen pixels.
Rect WorkArea();

}  // namespace plat::desktop

namespace plat {

// Sleeps until a message arrives for the thread or `ms` milliseconds pass,
// whichever is first: a polling loop's pause that still answers at once.
void WaitForEventsFor(int ms);

}  // namespace plat
