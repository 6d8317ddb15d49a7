// Keeps Wine's desktop up between the start-up benchmark's starts, as a
// Windows user's shell is always up: a process with a window (never shown)
// that waits. Without it, Wine starts its desktop process anew with every
// program and each measured start shares the machine with that one.
// Ends by itself after ten minutes, should the benchmark not end it.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.lpszClassName = L"DesktopKeeper";
    RegisterClassW(&wc);
    HWND keeper = CreateWindowExW(0, wc.lpszClassName, L"Desktop keeper", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  instance, nullptr);
    if (!keeper) return 1;
    SetTimer(keeper, 1, 10 * 60 * 1000, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER) break;
        DispatchMessageW(&msg);
    }
    return 0;
}
