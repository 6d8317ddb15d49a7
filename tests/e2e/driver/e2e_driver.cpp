// The e2e scripts' driver: runs one road of the real forms inside a program
// of its own, so that a script can act from outside (X keyboard and mouse)
// and read what the program left behind (a.ini, a saved file, its output).
// Usage: e2e_driver.exe first-start | alt-q | hold-file. Exit code 0 when
// the road went as expected; what it saw is printed on stdout.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "hotkeys/chotkey.h"
#include "platform/services/system.h"
#include "platform/toolkit/forms.h"
#include "shell/frm_main.h"

namespace {

// A TIMERPROC of its own, not a lambda: 32-bit builds need the WINAPI convention.
void CALLBACK QuitAfterTimeLimit(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(1); }

void Settle() {
    for (int i = 0; i < 10; ++i) {
        plat::DoEvents();
        Sleep(20);
    }
}

// A first start in a folder without a.ini: no hotkey is registered, and the
// script then finds that the start wrote no settings file.
int FirstStart() {
    frmMain& f = plat::Forms<frmMain>();
    f.Show();
    Settle();
    const int registered = f.cHK->HotKeysCount();
    std::printf("hotkeys registered: %d\n", registered);
    plat::UnloadForm<frmMain>();
    plat::DoEvents();
    return registered == 0 ? 0 : 1;
}

// The folder holds the shipped a.ini; the script clicks the window and types
// Alt+Q on the X keyboard. The one press seen is printed; 30 s without one fails.
int AltQ() {
    frmMain& f = plat::Forms<frmMain>();
    f.Show();
    bool sawAltQ = false;
    int presses = 0;
    f.cHK->HotKeyPress = [&](std::int32_t n, std::int32_t key, bool c, bool a, bool s) {
        ++presses;
        sawAltQ = n == 1 && key == 'Q' && !c && a && !s;
        std::printf("HotKeyPress number=%d key=%d ctrl=%d alt=%d shift=%d\n", n, key, c, a, s);
        std::fflush(stdout);
        f.cHK->StopHotKeys();
        PostQuitMessage(0);
    };
    std::printf("hotkeys registered: %d\n", f.cHK->HotKeysCount());
    std::fflush(stdout);
    const UINT_PTR limit = SetTimer(nullptr, 0, 30000, QuitAfterTimeLimit);
    plat::RunMessageLoop();  // the real loop: the platform's first, the hotkey loop from Timer1 on
    KillTimer(nullptr, limit);
    plat::UnloadForm<frmMain>();
    plat::DoEvents();
    return presses == 1 && sawAltQ ? 0 : 1;
}

// Another program holding a file open (others may read it, not replace it)
// until the file MS_HOLD_RELEASE appears, for a minute at most: the script's
// save over a file in use.
int HoldFile() {
    const wchar_t* file = _wgetenv(L"MS_HOLD_FILE");
    const wchar_t* release = _wgetenv(L"MS_HOLD_RELEASE");
    if (!file || !release) return 1;
    HANDLE held = CreateFileW(file, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (held == INVALID_HANDLE_VALUE) return 1;
    std::printf("holding\n");
    std::fflush(stdout);
    for (int i = 0; i < 600 && GetFileAttributesW(release) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
    CloseHandle(held);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    struct Road {
        const char* name;
        int (*run)();
    };
    static const Road kRoads[] = {{"first-start", FirstStart}, {"alt-q", AltQ}, {"hold-file", HoldFile}};
    if (argc == 2)
        for (const Road& r : kRoads)
            if (std::strcmp(argv[1], r.name) == 0) {
                const int code = r.run();
                std::printf("%s: %s\n", r.name, code == 0 ? "done" : "FAILED");
                return code;
            }
    std::fprintf(stderr, "usage: e2e_driver first-start | alt-q | hold-file\n");
    return 2;
}
