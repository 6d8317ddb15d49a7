// The least a program does on the hotkey path: a visible main window that
// registers Alt+Q; on WM_HOTKEY it captures the whole virtual screen (every
// monitor) and shows it in a window covering it, until Escape. The hotkey
// benchmark times it against the program.
#include <windows.h>

#include "bench/floor/bare_window.h"

namespace {

using bench::BareProc;
using bench::g_shot;

void CaptureAndShow() {
    const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int w = GetSystemMetrics(SM_CXVIRTUALSCREEN), h = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    static HGDIOBJ s_first = nullptr;  // the DC's own bitmap, put back before it goes
    if (g_shot) {                      // the previous snip's picture
        DeleteObject(SelectObject(g_shot, s_first));
        DeleteDC(g_shot);
    }
    HDC display = GetDC(nullptr);
    g_shot = CreateCompatibleDC(display);
    s_first = SelectObject(g_shot, CreateCompatibleBitmap(display, w, h));
    BitBlt(g_shot, 0, 0, w, h, display, x, y, SRCCOPY);
    ReleaseDC(nullptr, display);
    HWND shot = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"MinimalSnipShot", L"Minimal snip editor", WS_POPUP,
                                x, y, w, h, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(shot, SW_SHOW);
    SetForegroundWindow(shot);
    UpdateWindow(shot);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = BareProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"MinimalSnipShot";
    RegisterClassExW(&wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"MinimalSnipMain";
    RegisterClassExW(&wc);
    HWND main = CreateWindowExW(0, L"MinimalSnipMain", L"Minimal snip", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 480,
                                360, nullptr, nullptr, instance, nullptr);
    if (!main || !RegisterHotKey(main, 1, MOD_ALT, 'Q')) return 1;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_HOTKEY) {
            CaptureAndShow();
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
