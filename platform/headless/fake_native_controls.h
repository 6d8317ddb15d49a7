#pragma once
// Test controls for the native controls of the headless backend: the user's
// keys and clicks on them, and what their child windows hold.
#include <optional>
#include <string>
#include <vector>

#include "platform/native_controls.h"
#include "platform/types.h"

namespace fake_native {

// What a control's child window holds now.
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
// Empty while the control has no child (its form is not loaded).
std::optional<ChildState> Child(const plat::NativeControl& c);

// The user's input on a control, then the pending events run as the message
// loop would. False (nothing sent) when the control could not take it: no
// child, the child or its form hidden, or the child disabled.
bool KeyDown(plat::NativeControl& c, int keyCode, int shift = 0);
bool KeyPress(plat::NativeControl& c, int charCode);
// A click on a button-like control, which notifies its form as the system does.
bool Click(plat::NativeControl& c);
// The user types into a text box (not locked): its text becomes `text`.
bool Type(plat::TextBox& c, const std::wstring& text);
// The user chooses an entry of a combo or list box (its text, not its tick box).
bool Choose(plat::ListControl& c, int index);
// The user clicks an entry's tick box.
bool ClickTick(plat::ListBox& c, int index);
// The user presses a scroll bar's arrow, page area or drags its thumb to `track`.
bool Scroll(plat::ScrollBar& c, plat::ScrollAction a, int track = 0);
// The lines a text box's child answers (the system's word wrap is not imitated).
bool ScriptLines(plat::TextBox& c, std::vector<std::wstring> lines);

// A control's tooltip tool on its form's window, as last set.
struct Tip {
    std::wstring text;
    plat::Rect rect;
    plat::Handle child = 0;
};
std::optional<Tip> ToolTip(const plat::Control& c);

}  // namespace fake_native
