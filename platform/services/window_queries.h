#pragma once
// Questions about any window on the desktop (the program's own or another
// program's) and the process behind it, plus the few changes the window tools
// make to such windows. Handles may be stale at any time: the window can be
// destroyed between two calls, so every query answers "nothing" for a handle
// that no longer names a window instead of failing.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/services/types.h"

namespace plat::desktop {

// Room for a class name, its terminating NUL included: longer names come out cut.
constexpr int kClassNameRoom = 255;

// The window's class name; nullopt when the query fails (no such window).
std::optional<std::wstring> ClassName(Handle h);

// The length of the window's text as it answers the text-length message; 0
// when it has none, does not answer in time or does not exist. The answer may
// be larger than the text it then hands out.
long TextLength(Handle h);
// The window's text as it answers the get-text message with room for
// `maxChars` characters: at most that many, fewer when it copies fewer. ""
// when it does not answer in time or does not exist.
std::wstring TextByMessage(Handle h, int maxChars);

// The tree of windows. 0 stands for "none" in every answer.
Handle FirstChild(Handle h);   // top of the child z-order
Handle NextSibling(Handle h);  // the sibling below h
Handle Parent(Handle h);       // the parent, or a top-level popup's owner
// The window the system finds at a screen point: the deepest child window
// there, hidden and disabled windows passed over.
Handle WindowAt(Point screen);

// Outer rectangle in screen pixels; nullopt when the window does not exist.
std::optional<Rect> WindowRect(Handle h);
bool IsVisible(Handle h);
bool IsEnabled(Handle h);
bool IsZoomed(Handle h);

// The process that created the window; 0 when the window does not exist.
std::uint32_t ProcessIdOf(Handle h);
// Full path of the process's executable; "" when the process cannot be opened
// or its path cannot be read (system processes, processes of other users).
std::wstring ProcessImagePath(std::uint32_t processId);

// Into (or out of) the band of topmost windows, shown but not activated, its
// position and size kept.
void SetWindowTopmost(Handle h, bool on);
// Lets the user move the window with the mouse as if its caption had been
// grabbed: gives up the mouse capture, then hands the window a caption press
// at the cursor. Returns when the button is released.
void BeginCaptionDrag(Handle h);

}  // namespace plat::desktop
