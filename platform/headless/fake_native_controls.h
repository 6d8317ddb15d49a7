#pragma once
// The headless backend's native child windows, driven as a test drives them:
// the user's keys and clicks on a child, and what it holds. Tests reach these
// through tests/unit/native_input.h, which takes the controls themselves.
#include <optional>
#include <string>
#include <vector>

#include "platform/services/native_child.h"
#include "platform/services/types.h"

namespace fake_native {

// What a child window holds now.
struct ChildState {
    std::wstring text;
    plat::Rect bounds;
    bool visible = false;
    bool enabled = false;
    bool readOnly = false;
    int check = 0;
    plat::Font font;
    plat::Handle parent = 0;
    std::vector<std::wstring> items;
    int listIndex = -1;
    plat::ScrollRange scroll;
};
// Empty for no child (its form is not loaded).
std::optional<ChildState> Child(const plat::NativeChild* c);

// The user's input on a child, then the pending events run as the message
// loop would. False (nothing sent) when the child could not take it: none,
// the child or its form hidden, or the child disabled.
bool KeyDown(plat::NativeChild* c, int keyCode, int shift = 0);
bool KeyPress(plat::NativeChild* c, int charCode);
// A click on a button-like child, which notifies its form as the system does.
bool Click(plat::NativeChild* c);
// The user types into a text box (not locked): its text becomes `text`.
bool Type(plat::NativeChild* c, const std::wstring& text);
// The user chooses an entry of a combo or list box (its text, not its tick box).
bool Choose(plat::NativeChild* c, int index);
// The user clicks an entry's tick box.
bool ClickTick(plat::NativeChild* c, int index);
// The user presses a scroll bar's arrow, page area or drags its thumb to `track`.
bool Scroll(plat::NativeChild* c, plat::ScrollAction a, int track = 0);
// The lines a text box's child answers (the system's word wrap is not imitated).
bool ScriptLines(plat::NativeChild* c, std::vector<std::wstring> lines);

// A tooltip tool on a host window (keyed by its control), as last set.
struct Tip {
    std::wstring text;
    plat::Rect rect;
    plat::Handle child = 0;
};
std::optional<Tip> ToolTip(plat::Handle host, const void* key);

}  // namespace fake_native
