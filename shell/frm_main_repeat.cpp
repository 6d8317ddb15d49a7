// frmMain: "Snip last region again", from the tray menu or the region hotkey
// with Shift.
#include "shell/frm_main.h"

#include "editor/variants.h"
#include "platform/toolkit/forms.h"
#include "shell/hotkey_text.h"
#include "shell/snip_delivery.h"

// Only when the region row holds a hotkey without Shift and nothing else
// uses the combination with Shift; a refusal is not told: it is an extra.
void frmMain::AddRepeatRegionHotKey() {
    RepeatRegionHotKeyId = -1;
    if (!cHK || HotKeyIds.empty() || HotKeyIds[0] == -1) return;
    const auto f = shell::ParseStoredForm(txtHotKey[0].Tag);
    if (!f || f->shift != 0) return;
    const bool ctrl = f->ctrl != 0, alt = f->alt != 0;
    if (cHK->FindHotKey(f->keyCode, ctrl, alt, true) != -1) return;
    RepeatRegionHotKeyId = cHK->AddHotKey(f->keyCode, ctrl, alt, true);
}

void frmMain::SnipLastRegionAgain() {
    const std::optional<plat::Rect> last = shell::LastSnipRect();
    StartSnipMode(1);
    if (!last) return;
    if (aaa* editor = plat::LoadedForm<aaa>()) editor->PresetSelection(*last);
}
