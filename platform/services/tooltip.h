#pragma once
// Tooltips of a form's controls, one tool per control: a native child's own
// window, or a rectangle of its host window (the form, or a windowed box)
// for a windowless control. One tip window per form serves them all.
#include <string>

#include "platform/services/types.h"

namespace plat::tooltip {

// Adds the tool of `key` on the host window, or updates its text and place.
// `child` is the control's native child window, 0 for a windowless control
// (the tool is then `rect`, host client pixels).
void Set(Handle hostWindow, const void* key, Handle child, const Rect& rect, const std::wstring& text);
// Removes it; nothing when there is none.
void Remove(Handle hostWindow, const void* key, Handle child);
// Takes down a tip the form `formWindow` shows now (before its screen is grabbed).
void HideAll(Handle formWindow);

}  // namespace plat::tooltip
