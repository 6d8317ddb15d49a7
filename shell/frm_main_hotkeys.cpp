// frmMain: the hotkey configuration (key capture, mode check boxes, loading,
// saving and applying the hotkeys).
#include <string>

#include "platform/types.h"
#include "shell/frm_main.h"
#include "shell/hotkey_text.h"
#include "shell/rwini.h"

namespace {
constexpr std::int32_t Flag(int shift, int mask) { return (shift & mask) ? -1 : 0; }
const shell::HotKeyForm kNoHotKey{};
}  // namespace

void frmMain::ShowHotKey(std::int32_t index, std::int32_t keyCode, std::int32_t ctrl, std::int32_t alt,
                         std::int32_t shift) {
    plat::TextBox& box = txtHotKey[index];
    box.SetText(shell::HotKeyText(keyCode, ctrl, alt, shift));
    box.Tag = shell::StoredForm({keyCode, ctrl, alt, shift});
}

// Every key-down counts, a modifier's alone too; the last one wins.
void frmMain::txtHotKey_KeyDown(int index, int keyCode, int shift) {
    ShowHotKey(index, keyCode, Flag(shift, plat::kCtrlMask), Flag(shift, plat::kAltMask),
               Flag(shift, plat::kShiftMask));
}

// A stored form that cannot stand for a key (hand-edited, cut short) shows as
// no hotkey, so nothing made of it is ever registered.
void frmMain::LoadHotKeys() {
    for (int i = 0; i < txtHotKey.Count(); ++i) {
        const std::wstring stored = rwini::ReadIni(L"HotKey", std::to_wstring(i), std::wstring(shell::kNoHotKeyForm));
        const shell::HotKeyForm f = shell::ParseStoredForm(stored).value_or(kNoHotKey);
        ShowHotKey(i, f.keyCode, f.ctrl, f.alt, f.shift);
    }
}

void frmMain::SaveHotKeys() {
    for (int i = 0; i < txtHotKey.Count(); ++i) rwini::WriteIni(L"HotKey", std::to_wstring(i), txtHotKey[i].Tag);
}

void frmMain::cmdSave_Click() { SaveHotKeys(); }

void frmMain::ApplyHotKeys() {
    if (!cHK) return;
    cHK->ClsAllHotKey();
    // The pending events run by ClsAllHotKey may have unloaded this window.
    if (!Loaded() || !cHK) return;
    HotKeyIds.resize(static_cast<size_t>(txtHotKey.Count()), -1);
    for (int i = 0; i < txtHotKey.Count(); ++i) {
        HotKeyIds[static_cast<size_t>(i)] = -1;
        if (txtHotKey[i].Text() == shell::kNotSetHotKey) continue;
        const auto f = shell::ParseStoredForm(txtHotKey[i].Tag);
        // A box showing the hint holds a key without modifiers: it is registered as it is.
        const std::int32_t id = f ? cHK->AddHotKey(f->keyCode, f->ctrl != 0, f->alt != 0, f->shift != 0) : -1;
        HotKeyIds[static_cast<size_t>(i)] = id;
        if (id == -1) ShowHotKey(i, kNoHotKey.keyCode, 0, 0, 0);
    }
    cHK->StartHotKeys(Timer1);
}

// Edit mode: the boxes take key presses and no hotkey is registered.
void frmMain::optSetHotKey_Click() {
    if (optSetHotKey.Value() == 1) optTestHotKey.SetValue(0);
    const bool editing = optSetHotKey.Value() == 1;
    txtHotKey.ForEach([editing](plat::TextBox& box) { box.SetEnabled(editing); });
    if (cHK) cHK->ClsAllHotKey();
}

// Use mode: the forms are saved and the hotkeys applied.
void frmMain::optTestHotKey_Click() {
    if (optTestHotKey.Value() == 1) optSetHotKey.SetValue(0);
    cmdSave_Click();
    optSetHotKey_Click();
    ApplyHotKeys();
}
