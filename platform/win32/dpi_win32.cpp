// The DPI of the system and of a window on Win32.
#include "platform/services/dpi.h"

#include <windows.h>

#include "platform/win32/handles.h"

namespace plat {

namespace {
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

// Windows 10 1607 and later only: looked up once, so the program still starts on Windows 7.
GetDpiForWindowFn DpiForWindow() {
    static const GetDpiForWindowFn fn = [] {
        HMODULE user32 = GetModuleHandleW(L"user32.dll");
        FARPROC p = user32 ? GetProcAddress(user32, "GetDpiForWindow") : nullptr;
        return reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(p));
    }();
    return fn;
}
}  // namespace

int SystemDpi() {
    win32::WindowDc screen(nullptr);
    const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : 0;
    return dpi > 0 ? dpi : kBaseDpi;
}

int WindowDpi(Handle window) {
    HWND h = reinterpret_cast<HWND>(window);
    if (h && IsWindow(h))
        if (GetDpiForWindowFn fn = DpiForWindow())
            if (const UINT dpi = fn(h); dpi > 0) return static_cast<int>(dpi);
    return SystemDpi();
}

}  // namespace plat
