#pragma once
// The user's input on the toolkit's native controls under the headless
// backend: each call reaches the control's child window.
#include "platform/headless/fake_native_controls.h"
#include "platform/toolkit/native_controls.h"

namespace fake_native {

inline std::optional<ChildState> Child(const plat::NativeControl& c) { return Child(c.Native()); }
inline bool KeyDown(plat::NativeControl& c, int keyCode, int shift = 0) { return KeyDown(c.Native(), keyCode, shift); }
inline bool KeyPress(plat::NativeControl& c, int charCode) { return KeyPress(c.Native(), charCode); }
inline bool Click(plat::NativeControl& c) { return Click(c.Native()); }
inline bool Type(plat::TextBox& c, const std::wstring& text) { return Type(c.Native(), text); }
inline bool Choose(plat::ListControl& c, int index) { return Choose(c.Native(), index); }
inline bool ClickTick(plat::ListBox& c, int index) { return ClickTick(c.Native(), index); }
inline bool Scroll(plat::ScrollBar& c, plat::ScrollAction a, int track = 0) { return Scroll(c.Native(), a, track); }
inline bool ScriptLines(plat::TextBox& c, std::vector<std::wstring> lines) {
    return ScriptLines(c.Native(), std::move(lines));
}
inline std::optional<Tip> ToolTip(const plat::Control& c) { return ToolTip(c.Parent().HostWindow(), &c); }

}  // namespace fake_native
