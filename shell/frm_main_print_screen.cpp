// frmMain: a hotkey on the Print Screen key while Windows keeps that key for
// its own screen capture. The row and the tray say so, and the tray menu
// offers to switch Windows' setting off; nothing changes without that click.
#include "shell/frm_main.h"

#include "platform/services/run_key.h"
#include "shell/hotkey_text.h"

namespace {
constexpr std::int32_t kPrintScreenKey = 0x2C;  // the platform's VK_SNAPSHOT
}  // namespace

namespace {
// In place of the key's name, which the box is too narrow to show with a note.
constexpr wchar_t kPrintScreenRowNote[] = L"Windows has PrtSc";
}  // namespace

bool frmMain::PrintScreenTakenByWindows() const {
    bool onPrintScreen = false;
    for (int i = 0; i < txtHotKey.Count(); ++i) {
        const auto f = shell::ParseStoredForm(txtHotKey[i].Tag);
        // Windows' capture takes the key alone; with a modifier it is ours.
        if (f && f->keyCode == kPrintScreenKey && f->ctrl == 0 && f->alt == 0 && f->shift == 0) onPrintScreen = true;
    }
    return onPrintScreen && plat::ReadPrintScreenForSnipping().value_or(0) == 1;
}

void frmMain::MarkPrintScreenRows() {
    if (!PrintScreenTakenByWindows()) return;
    for (int i = 0; i < txtHotKey.Count(); ++i) {
        plat::TextBox& box = txtHotKey[i];
        const auto f = shell::ParseStoredForm(box.Tag);
        if (!f || f->keyCode != kPrintScreenKey || f->ctrl != 0 || f->alt != 0 || f->shift != 0) continue;
        box.SetText(kPrintScreenRowNote);
    }
    RefusedHotKeys.push_back(L"Print Screen opens Windows' own screen capture while its setting is on. "
                             L"To give the key to Morrowen Snip, choose \"" +
                             std::wstring(kFreePrintScreenText) + L"\" in the tray menu.");
}

void frmMain::FreePrintScreen() {
    const bool done = plat::WritePrintScreenForSnipping(0);
    if (NotifyIcon)
        NotifyIcon->ShowBalloon(L"Morrowen Snip",
                                done ? L"Windows' Print Screen capture is switched off for you. If the key still "
                                       L"opens it, the change takes effect at your next sign-in."
                                     : L"Windows did not let its Print Screen setting change.");
    if (done && optSetHotKey.Value() != 1) ApplyHotKeys();  // the rows lose their note
}
