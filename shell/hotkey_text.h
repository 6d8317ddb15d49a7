#pragma once
// Hotkeys as the main window shows them and as the settings file stores them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace shell {

// What a box shows for a box without a hotkey, and that box's stored form.
inline constexpr std::wstring_view kNotSetHotKey = L"Not set hotkey";
inline constexpr std::wstring_view kNoHotKeyForm = L"46,0,0,0";

// A hotkey as key code and three flags (-1 pressed, 0 not; a hand-edited file
// may hold other values).
struct HotKeyForm {
    std::int32_t keyCode = 46;
    std::int32_t ctrl = 0, alt = 0, shift = 0;
    friend bool operator==(const HotKeyForm&, const HotKeyForm&) = default;
};

// The box's display text: "Not set hotkey" for Delete and Backspace, else the
// modifiers that are -1 ("Ctrl + Alt + Shift") with F1..F13, A..Z or 0..9
// appended; a hint when no modifier is pressed.
std::wstring HotKeyText(std::int32_t keyCode, std::int32_t ctrl, std::int32_t alt, std::int32_t shift);

// "key,ctrl,alt,shift" in decimal, e.g. "81,0,-1,0" for Alt + Q.
std::wstring StoredForm(const HotKeyForm& f);

// The four numbers of a stored form; parts after the fourth are ignored.
// Empty when the text cannot stand for a key: fewer than four parts, a part
// that is not a decimal integer or does not fit 32 bits, or a key code
// outside the platform's virtual keys 1..254.
std::optional<HotKeyForm> ParseStoredForm(std::wstring_view s);

}  // namespace shell
