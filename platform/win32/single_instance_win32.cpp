// The instance marker is a named mutex in the session's own namespace
// ("Local\"), so each logged-on user runs one copy; it is never released by
// hand: the system drops it when the process ends, however it ends.
#include <windows.h>

#include "platform/services/single_instance.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_internal.h"

namespace plat {

namespace {
bool g_claimed = false;  // this process holds the marker
}  // namespace

bool ClaimSingleInstance(const std::wstring& name) {
    static win32::KernelHandle marker;
    const std::wstring full = L"Local\\" + name;
    HANDLE mutex = CreateMutexW(nullptr, FALSE, full.c_str());
    const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
    // Without a marker (no rights to the namespace) the program runs rather
    // than refusing to start.
    if (!mutex) return true;
    marker = win32::KernelHandle(mutex);
    g_claimed = !existed;
    return !existed;
}

bool OtherInstanceHolds(const std::wstring& name) {
    if (g_claimed) return false;
    const std::wstring full = L"Local\\" + name;
    win32::KernelHandle other(OpenMutexW(SYNCHRONIZE, FALSE, full.c_str()));
    return static_cast<bool>(other);
}

bool ActivateRunningInstance(const std::wstring& mainCaption) {
    // The first copy may still be starting: give its window a moment to appear.
    for (int attempt = 0; attempt < 50; ++attempt) {
        HWND main = FindWindowW(win32::kFormClassName, mainCaption.c_str());
        if (main) {
            // Hidden to the tray or minimised: shown as its tray icon would show it.
            ShowWindowAsync(main, SW_RESTORE);
            SetForegroundWindow(main);
            return true;
        }
        Sleep(100);
    }
    return false;
}

}  // namespace plat
