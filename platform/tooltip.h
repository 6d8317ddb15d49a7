#pragma once
// Tooltips of a form's controls, one tool per control: a native child's own
// window, or a rectangle of the form's client area for a windowless control.
#include <string>

#include "platform/types.h"

namespace plat::tooltip {

// Adds the tool of `key` on the form window, or updates its text and place.
// `child` is the control's native child window, 0 for a windowless control
// (the tool is then `rect`, form client pixels).
void Set(Handle formWindow, const void* key, Handle child, const Rect& rect, const std::wstring& text);
// Removes it; nothing when there is none.
void Remove(Handle formWindow, const void* key, Handle child);

}  // namespace plat::tooltip
