#pragma once
// Window utilities of the picker, the inspectors and the main window: class
// names and captions of any window, the executable behind it, the walk over
// its child windows, the child under a point, topmost state, a list box kept
// in step with a set of texts, and the caption drag of a borderless form.
#include <concepts>
#include <cstdint>
#include <string>

#include "platform/toolkit/form.h"
#include "platform/toolkit/native_controls.h"
#include "platform/services/types.h"
#include "window/picking.h"

namespace window {

enum WindowInfoKind : int { kClassNameInfo = 0, kCaptionInfo = 1 };

// The class name (kind 0) or caption (kind 1) of any window; "" for any other
// kind and whenever the query fails.
std::wstring GetWindowInfoText(plat::Handle h, int kind);

// The window's text as it answers the text messages; "" when it has none, in
// which case the get-text message is never sent.
std::wstring GetWindowTextByMessage(plat::Handle h);
// A window may claim any text length; the get-text buffer is never larger.
constexpr long kMaxWindowTextChars = 1L << 20;

// Full path of the process's executable, or "SYSTEM  " when it cannot be
// read. Writes the file-name part of the path ("" when nothing was read) into
// the calling inspector's process-name field.
std::wstring GetProcessPath(std::uint32_t processId, plat::TextBox& TxtProName);

// Appends every descendant of h to ChildHandles: h's children in sibling order
// (top of the z-order first), then the descendants of each child in turn.
// Set ChildIndex to -1 first to start a fresh walk, which empties the list.
// Pending events run between siblings. The walk stops once the list holds
// kMaxChildHandles handles.
void CollectChildren(plat::Handle h);

// A handle from ChildHandles whose window contains the screen point, edges
// excluded, or 0. Only the trailing run of entries that all contain the point
// can answer: within it, the last entry whose Left exceeded every Left seen
// before among entries containing the point. A window whose rectangle cannot
// be read counts with the previous entry's rectangle.
plat::Handle FindChildAtPoint(int x, int y);

// Into or out of the topmost band, shown, not activated, not moved.
void SetTopmost(plat::Handle h, bool on);

// What the list helpers need of a list box: the toolkit's entry count, entry
// text, append and remove.
template <class L>
concept ListEntries = requires(L& list, const L& view, int i, const std::wstring& s) {
    { view.ListCount() } -> std::convertible_to<int>;
    { view.List(i) } -> std::convertible_to<std::wstring>;
    list.AddItem(s);
    list.RemoveItem(i);
};

// Index of the first entry equal to text (exactly: case and length), or -1.
template <ListEntries L>
int FindListItem(const L& list, const std::wstring& text) {
    const int count = list.ListCount();
    for (int i = 0; i < count; ++i)
        if (std::wstring(list.List(i)) == text) return i;
    return -1;
}

// add: append text as the last entry unless it is listed already.
// !add: remove the first entry equal to text, if any.
template <ListEntries L>
void SyncListItem(L& list, const std::wstring& text, bool add) {
    const int found = FindListItem(list, text);
    if (add) {
        if (found < 0) list.AddItem(text);
    } else if (found >= 0) {
        list.RemoveItem(found);
    }
}

// Lets the user drag the form by any point, as by its caption; nothing while
// the form is maximised. Call it from a mouse-down handler.
void DragMoveForm(plat::Form& form);

}  // namespace window
