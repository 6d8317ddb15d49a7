// The main window's tray icon: its menu, and what it tells the user.
#include "shell/frm_main.h"

#include <string>
#include <utility>
#include <vector>

#include "platform/services/file_write.h"
#include "platform/services/picture_bytes.h"
#include "platform/services/system.h"
#include "platform/services/tray_menu.h"
#include "platform/toolkit/forms.h"
#include "shell/auto_save.h"
#include "shell/countdown.h"
#include "shell/recent_snips.h"
#include "shell/start_with_windows.h"

namespace {

// Menu ids: the four snip modes are 0..3, as their hotkey rows 1..4.
enum MenuId {
    kSettings = 10,
    kExit,
    kKeepRecent,
    kStartWithWindows,
    kLastRegion,
    kDelayedRegion,
    kAutoSave,
    kStopAutoSave,
    kFreePrintScreen,
    kRecentFirst = 100,  // recent snip i is kRecentFirst + i
};

plat::MenuEntry Item(int id, std::wstring text, bool checked = false, bool enabled = true) {
    plat::MenuEntry e;
    e.id = id;
    e.text = std::move(text);
    e.checked = checked;
    e.enabled = enabled;
    return e;
}
plat::MenuEntry Separator() { return {}; }

std::vector<plat::MenuEntry> RecentSubmenu() {
    std::vector<plat::MenuEntry> sub;
    const auto& entries = shell::Recent().Entries();
    for (size_t i = 0; i < entries.size(); ++i)
        sub.push_back(Item(kRecentFirst + static_cast<int>(i), shell::RecentSnipLabel(entries[i])));
    if (entries.empty()) sub.push_back(Item(-1, L"(none yet)", false, false));
    sub.push_back(Separator());
    sub.push_back(Item(kKeepRecent, L"Keep recent snips", shell::RecentSnipsWanted()));
    return sub;
}

}  // namespace

// The right button's menu: the four snip modes as their hotkeys start them,
// the recent snips, start with Windows, the settings window, and the end of
// the program.
void frmMain::ShowTrayMenu() {
    std::vector<plat::MenuEntry> menu{Item(0, L"Region snip"), Item(1, L"Region snip with logo"),
                                      Item(2, L"Window snip"), Item(3, L"Window snip with logo"),
                                      Item(kDelayedRegion, DelayedSnipMenuText(DelayedSnipSeconds())),
                                      Item(kLastRegion, L"Snip last region again"), Separator()};
    plat::MenuEntry recent = Item(-1, L"Recent snips");
    recent.children = RecentSubmenu();
    menu.push_back(std::move(recent));
    const bool autoSaving = !shell::AutoSaveFolder().empty();
    menu.push_back(Item(kAutoSave, L"Auto-save copies...", autoSaving));
    if (autoSaving) menu.push_back(Item(kStopAutoSave, L"Stop auto-saving"));
    menu.push_back(Item(kStartWithWindows, L"Start with Windows", shell::StartsWithWindows()));
    if (PrintScreenTakenByWindows()) menu.push_back(Item(kFreePrintScreen, kFreePrintScreenText));
    menu.push_back(Separator());
    menu.push_back(Item(kSettings, L"Settings"));
    menu.push_back(Item(kExit, L"Exit"));

    const int chosen = plat::ShowTrayMenuTree(hWnd(), menu);
    if (chosen >= 0 && chosen < 4) {
        StartSnipMode(chosen + 1);
    } else if (chosen == kDelayedRegion) {
        plat::Forms<frmCountdown>().Start(DelayedSnipSeconds(), [] {
            if (frmMain* main = plat::LoadedForm<frmMain>()) main->StartSnipMode(1);
        });
    } else if (chosen == kAutoSave) {
        const std::wstring folder =
            plat::ChooseFolder(hWnd(), L"Every copy is also saved as a PNG file in this folder:");
        if (!folder.empty()) shell::SetAutoSaveFolder(folder);  // cancelled: as it was
    } else if (chosen == kFreePrintScreen) {
        FreePrintScreen();
    } else if (chosen == kStopAutoSave) {
        shell::SetAutoSaveFolder(L"");
    } else if (chosen == kLastRegion) {
        SnipLastRegionAgain();
    } else if (chosen == kSettings) {
        plat::RestoreWindow(hWnd());
    } else if (chosen == kExit) {
        Image3_Click();
    } else if (chosen == kKeepRecent) {
        const bool keep = !shell::RecentSnipsWanted();
        shell::SetRecentSnipsWanted(keep);
        if (!keep) shell::Recent().Clear();  // off means nothing is held
    } else if (chosen == kStartWithWindows) {
        const bool on = !shell::StartsWithWindows();
        if (!shell::SetStartWithWindows(on) && NotifyIcon)
            NotifyIcon->ShowBalloon(L"Morrowen Snip", L"Windows did not let the start-up list change.");
    } else if (chosen >= kRecentFirst) {
        CopyRecentSnipBack(static_cast<size_t>(chosen - kRecentFirst));
    }
}

// Pins do not exist yet: a recent snip goes back to the clipboard.
void frmMain::CopyRecentSnipBack(size_t index) {
    const auto& entries = shell::Recent().Entries();
    if (index >= entries.size()) return;
    plat::Picture picture;
    if (plat::DecodePictureBytes(entries[index].png, picture) && plat::ClipboardPutPicture(picture)) {
        NotifySnipCopied(picture.Width(), picture.Height());
    } else if (NotifyIcon) {
        NotifyIcon->ShowBalloon(L"Morrowen Snip", L"The recent snip could not be copied: the clipboard is busy.");
    }
}

void frmMain::NotifySnipCopied(int width, int height) {
    // Only a notice: without a tray icon nothing else is shown.
    if (!NotifyIcon) return;
    // An auto-save that failed is told here, once: the copy itself worked.
    const std::wstring warning = shell::TakeAutoSaveWarning();
    NotifyIcon->ShowBalloon(L"Morrowen Snip", L"A snip of " + std::to_wstring(width) + L" x " +
                                                  std::to_wstring(height) + L" pixels is on the clipboard." +
                                                  (warning.empty() ? L"" : L"\n" + warning));
}
