// The main window's tray icon: its menu, and what it tells the user.
#include <string>
#include <vector>

#include "shell/frm_main.h"

// The right button's menu: the four snip modes as their hotkeys start them,
// the settings window, and the end of the program.
void frmMain::ShowTrayMenu() {
    const std::vector<std::wstring> items{L"Region snip", L"Region snip with logo", L"Window snip",
                                          L"Window snip with logo", L"", L"Settings", L"Exit"};
    const int chosen = plat::ShowTrayMenu(hWnd(), items);
    if (chosen >= 0 && chosen < 4) {
        StartSnipMode(chosen + 1);
    } else if (chosen == 5) {
        plat::RestoreWindow(hWnd());
    } else if (chosen == 6) {
        Image3_Click();
    }
}

void frmMain::NotifySnipCopied(int width, int height) {
    // Only a notice: without a tray icon nothing else is shown.
    if (!NotifyIcon) return;
    NotifyIcon->ShowBalloon(L"Morrowen Snip",
                            L"A snip of " + std::to_wstring(width) + L" x " + std::to_wstring(height) +
                                L" pixels is on the clipboard.");
}
