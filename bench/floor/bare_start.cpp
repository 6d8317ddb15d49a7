// The least a program does to start as ours does: one borderless window of the
// main window's size, centred on the screen, the four hotkeys of the shipped
// a.ini registered to it, shown and painted once. The start-up benchmark
// times it against the program. With MS_STARTUP_TRACE naming a file it writes "hotkeys" and
// "painted" lines as the program's own trace does.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

namespace {

void Trace(const char* phase) {
    static const char* const path = std::getenv("MS_STARTUP_TRACE");
    if (!path || !*path) return;
    FILETIME ft;
    GetSystemTimePreciseAsFileTime(&ft);
    const unsigned long long ticks = (static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    const long long us = static_cast<long long>((ticks - 116444736000000000ull) / 10);  // since 1970
    if (std::FILE* f = std::fopen(path, "a")) {
        std::fprintf(f, "%s %lld\n", phase, us);
        std::fclose(f);
    }
}

bool g_painted = false;

LRESULT CALLBACK BareStartProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
            EndPaint(h, &ps);
            if (!g_painted) Trace("painted");
            g_painted = true;
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(h, msg, wp, lp);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    Trace("main");
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = BareStartProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"BareStart";
    RegisterClassExW(&wc);
    // The main window's client size: 6660 x 5145 twips at 15 twips a pixel.
    const int w = 444, h = 343;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    HWND main = CreateWindowExW(0, L"BareStart", L"Bare start", WS_POPUP, x, y, w, h, nullptr, nullptr, instance,
                                nullptr);
    if (!main) return 1;
    // The four hotkeys the shipped a.ini gives the program.
    int id = 0;
    for (const UINT key : {'Q', 'A', 'Z', 'X'})
        if (!RegisterHotKey(main, ++id, MOD_ALT, key)) return 1;
    Trace("hotkeys");
    ShowWindow(main, SW_SHOW);
    UpdateWindow(main);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
