// The monitors as the system lists them, with each one's DPI.
#include "platform/services/monitors.h"

#include <windows.h>

namespace plat {

namespace {
// shcore's GetDpiForMonitor (Windows 8.1 and later): looked up once, so the
// program still starts on Windows 7, where every monitor has the system's DPI.
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

GetDpiForMonitorFn DpiForMonitor() {
    static const GetDpiForMonitorFn fn = [] {
        HMODULE shcore = LoadLibraryW(L"shcore.dll");  // kept for the process's life
        FARPROC p = shcore ? GetProcAddress(shcore, "GetDpiForMonitor") : nullptr;
        return reinterpret_cast<GetDpiForMonitorFn>(reinterpret_cast<void*>(p));
    }();
    return fn;
}

Rect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

BOOL CALLBACK AddMonitor(HMONITOR h, HDC, LPRECT, LPARAM data) {
    auto& list = *reinterpret_cast<MonitorList*>(data);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(h, &info)) return TRUE;  // gone meanwhile: skipped
    Monitor m{FromRect(info.rcMonitor), FromRect(info.rcWork), SystemDpi()};
    UINT x = 0, y = 0;
    constexpr int kEffectiveDpi = 0;
    if (GetDpiForMonitorFn fn = DpiForMonitor(); fn && SUCCEEDED(fn(h, kEffectiveDpi, &x, &y)) && x > 0)
        m.dpi = static_cast<int>(x);
    if (info.dwFlags & MONITORINFOF_PRIMARY)
        list.insert(list.begin(), m);
    else
        list.push_back(m);
    return TRUE;
}
}  // namespace

MonitorList Monitors() {
    MonitorList list;
    (void)EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&list));
    if (list.empty()) {
        RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        (void)SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        list.push_back({{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, FromRect(work), SystemDpi()});
    }
    return list;
}

}  // namespace plat
