#pragma once
// The floor benchmarks' bare window: it paints one captured bitmap and does
// nothing else, the least a program needs to show a frozen screen; Escape
// closes it.
#include <windows.h>

namespace bench {

// The memory DC holding the captured screen the window shows.
inline HDC g_shot = nullptr;

inline LRESULT CALLBACK BareProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_KEYDOWN:
            if (wp == VK_ESCAPE) DestroyWindow(h);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            const RECT& r = ps.rcPaint;
            BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, g_shot, r.left, r.top, SRCCOPY);
            EndPaint(h, &ps);
            return 0;
        }
        default:
            return DefWindowProcW(h, msg, wp, lp);
    }
}

}  // namespace bench
