// Hotkey display text and the stored form, without any window.
#include <gtest/gtest.h>

#include "shell/hotkey_text.h"

namespace {

using shell::HotKeyForm;
using shell::HotKeyText;
using shell::ParseStoredForm;
using shell::StoredForm;

TEST(HotKeyText, ModifiersComeInCtrlAltShiftOrderJoinedByPlus) {
    EXPECT_EQ(HotKeyText(114, -1, -1, 0), L"Ctrl + Alt + F3");
    EXPECT_EQ(HotKeyText(81, 0, -1, 0), L"Alt + Q");
    EXPECT_EQ(HotKeyText(81, -1, 0, 0), L"Ctrl + Q");
    EXPECT_EQ(HotKeyText(113, -1, 0, -1), L"Ctrl + Shift + F2");
    EXPECT_EQ(HotKeyText(65, 0, -1, -1), L"Alt + Shift + A");
    EXPECT_EQ(HotKeyText(90, -1, -1, -1), L"Ctrl + Alt + Shift + Z");
    EXPECT_EQ(HotKeyText(48, 0, 0, -1), L"Shift + 0");
    EXPECT_EQ(HotKeyText(57, 0, -1, 0), L"Alt + 9");
}

TEST(HotKeyText, DeleteAndBackspaceMeanNoHotkeyWhateverTheFlags) {
    for (int key : {46, 8}) {
        EXPECT_EQ(HotKeyText(key, 0, 0, 0), L"Not set hotkey");
        EXPECT_EQ(HotKeyText(key, -1, -1, -1), L"Not set hotkey");
        EXPECT_EQ(HotKeyText(key, 7, 0, 0), L"Not set hotkey");
    }
}

TEST(HotKeyText, FunctionKeysRunF1ToF13AndStopThere) {
    EXPECT_EQ(HotKeyText(112, -1, 0, 0), L"Ctrl + F1");
    EXPECT_EQ(HotKeyText(123, -1, 0, 0), L"Ctrl + F12");
    EXPECT_EQ(HotKeyText(124, 0, -1, 0), L"Alt + F13");
    // The keypad's divide key (111) and F14 (125) show the modifiers alone.
    EXPECT_EQ(HotKeyText(111, -1, 0, 0), L"Ctrl");
    EXPECT_EQ(HotKeyText(125, -1, 0, 0), L"Ctrl");
}

TEST(HotKeyText, OtherKeysShowTheModifiersAlone) {
    EXPECT_EQ(HotKeyText(32, 0, 0, -1), L"Shift");  // space
    EXPECT_EQ(HotKeyText(17, -1, 0, 0), L"Ctrl");   // Ctrl pressed alone
    EXPECT_EQ(HotKeyText(18, 0, -1, 0), L"Alt");    // Alt pressed alone
    EXPECT_EQ(HotKeyText(64, -1, 0, 0), L"Ctrl");   // just below A
    EXPECT_EQ(HotKeyText(91, -1, 0, 0), L"Ctrl");   // just above Z
    EXPECT_EQ(HotKeyText(47, -1, 0, 0), L"Ctrl");   // just below 0
    EXPECT_EQ(HotKeyText(58, -1, 0, 0), L"Ctrl");   // just above 9
}

TEST(HotKeyText, WithoutAModifierOfValueMinusOneTheHintShows) {
    const std::wstring hint = L"(ALT+? or CTRL+? or SHIFT+? )";
    EXPECT_EQ(HotKeyText(81, 0, 0, 0), hint);
    // Only -1 counts as pressed: a hand-edited 1 does not.
    EXPECT_EQ(HotKeyText(81, 1, 0, 0), hint);
    EXPECT_EQ(HotKeyText(81, 0, 1, 1), hint);
}

TEST(StoredForm, RoundTripsEveryFormAKeyPressMakes) {
    const HotKeyForm forms[] = {{81, 0, -1, 0}, {113, -1, 0, -1}, {46, 0, 0, 0}, {18, 0, -1, 0}, {254, -1, -1, -1}};
    for (const HotKeyForm& f : forms) {
        const std::wstring text = StoredForm(f);
        ASSERT_EQ(ParseStoredForm(text), f) << std::string(text.begin(), text.end());
    }
    EXPECT_EQ(StoredForm({81, 0, -1, 0}), L"81,0,-1,0");
    EXPECT_EQ(StoredForm({113, -1, 0, -1}), L"113,-1,0,-1");
}

TEST(StoredForm, HandEditedButReadableFormsAreKept) {
    EXPECT_EQ(ParseStoredForm(L"81,1,0,0"), (HotKeyForm{81, 1, 0, 0}));
    EXPECT_EQ(ParseStoredForm(L" 81 , 0 , -1 , 0 "), (HotKeyForm{81, 0, -1, 0}));
    EXPECT_EQ(ParseStoredForm(L"81,0,-1,0,"), (HotKeyForm{81, 0, -1, 0}));  // parts after the fourth are ignored
    EXPECT_EQ(ParseStoredForm(L"81,0,-1,0,junk"), (HotKeyForm{81, 0, -1, 0}));
    EXPECT_EQ(ParseStoredForm(L"+81,0,-1,0"), (HotKeyForm{81, 0, -1, 0}));
}

TEST(StoredForm, FormsThatCannotStandForAKeyAreRejected) {
    const wchar_t* bad[] = {
        L"",                       // empty
        L"81,0,-1",                // three numbers
        L"81",                     // one
        L"81,,-1,0",               // an empty part
        L"Q,0,-1,0",               // not a number
        L"81,0,yes,0",             // a flag that is not a number
        L"81.5,0,-1,0",            // not an integer
        L"0x51,0,-1,0",            // not decimal
        L"99999999999,0,-1,0",     // does not fit 32 bits
        L"81,0,-4294967297,0",     // a flag that does not fit
        L"0,0,-1,0",               // key code 0 is no key
        L"-81,0,-1,0",             // nor is a negative one
        L"255,0,-1,0",             // beyond the virtual keys
        L"100000,-1,0,0",          // fits 32 bits but names no key
    };
    for (const wchar_t* s : bad) EXPECT_FALSE(ParseStoredForm(s).has_value()) << std::string(s, s + wcslen(s));
    // The limits themselves: the full 32-bit range of a flag is readable.
    EXPECT_EQ(ParseStoredForm(L"1,-2147483648,2147483647,0"), (HotKeyForm{1, INT32_MIN, INT32_MAX, 0}));
}

}  // namespace
