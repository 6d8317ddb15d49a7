// What the main window's tray icon tells the user.
#include <string>

#include "shell/frm_main.h"

void frmMain::NotifySnipCopied(int width, int height) {
    // Only a notice: without a tray icon nothing else is shown.
    if (!NotifyIcon) return;
    NotifyIcon->ShowBalloon(L"Morrowen Snip",
                            L"Snip copied: " + std::to_wstring(width) + L" x " + std::to_wstring(height));
}
