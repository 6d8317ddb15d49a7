// frmMain: the hotkey configuration (key capture, mode check boxes, loading,
// saving and applying the hotkeys).
#include <string>

#include "platform/services/system.h"
#include "platform/services/types.h"
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

namespace {
// What each row starts, as the user knows it from the row captions.
std::wstring RowName(int row) {
    static const wchar_t* const kNames[] = {L"region snip", L"region snip with logo", L"window snip",
                                            L"window snip with logo"};
    return row < 4 ? std::wstring(kNames[row]) : L"row " + std::to_wstring(row + 1);
}
}  // namespace

// A hotkey that cannot be registered keeps the user's stored form (the box
// says it is not registered; the next apply or start tries it again), so a
// second program holding the combination never costs the user a setting.
void frmMain::ApplyHotKeys() {
    RefusedHotKeys.clear();
    if (!cHK) return;
    cHK->ClsAllHotKey();
    // The pending events run by ClsAllHotKey may have unloaded this window.
    if (!Loaded() || !cHK) return;
    HotKeyIds.assign(static_cast<size_t>(txtHotKey.Count()), -1);
    for (int i = 0; i < txtHotKey.Count(); ++i) {
        plat::TextBox& box = txtHotKey[i];
        if (box.Text() == shell::kNotSetHotKey) continue;
        const auto f = shell::ParseStoredForm(box.Tag);
        if (!f) continue;
        const bool ctrl = f->ctrl != 0, alt = f->alt != 0, shift = f->shift != 0;
        const std::int32_t sameAs = cHK->FindHotKey(f->keyCode, ctrl, alt, shift);
        // A box showing the hint holds a key without modifiers: it is registered as it is.
        const std::int32_t id = sameAs == -1 ? cHK->AddHotKey(f->keyCode, ctrl, alt, shift) : -1;
        HotKeyIds[static_cast<size_t>(i)] = id;
        const std::wstring keys = shell::HotKeyText(f->keyCode, f->ctrl, f->alt, f->shift);
        if (id != -1) {
            box.SetText(keys);  // no longer marked, if an earlier apply refused it
            continue;
        }
        box.SetText(keys + L" (in use)");
        std::wstring why = L"is taken by another program";
        for (int row = 0; row < i && sameAs != -1; ++row)
            if (HotKeyIds[static_cast<size_t>(row)] == sameAs) why = L"is already used by " + RowName(row);
        RefusedHotKeys.push_back(keys + L" (" + RowName(i) + L") " + why + L".");
    }
    AddRepeatRegionHotKey();
    MarkPrintScreenRows();
    cHK->StartHotKeys(Timer1);
}

// Once per start and after each apply, and only when something was refused.
void frmMain::ReportRefusedHotKeys() {
    if (RefusedHotKeys.empty()) return;
    std::wstring text;
    for (const std::wstring& line : RefusedHotKeys) text += (text.empty() ? L"" : L"\n") + line;
    const std::wstring title = RefusedHotKeys.size() == 1 ? L"A hotkey is not registered" : L"Hotkeys not registered";
    if (NotifyIcon && NotifyIcon->ShowBalloon(title, text)) return;
    plat::MsgBox(text, L"Morrowen Snip: " + title, plat::kMsgExclamation);
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
    // Leaving use mode applies too, and unregisters at once: nothing to tell then.
    if (Loaded() && optTestHotKey.Value() == 1) ReportRefusedHotKeys();
}
