// Window operations on Win32. Their results are not examined: a window that
// is gone, or that refuses, stays as it is.
#include "platform/services/window_operations.h"

#include <windows.h>

namespace plat::desktop {
namespace {
HWND W(Handle h) { return reinterpret_cast<HWND>(h); }
}  // namespace

bool ShowWindowAs(Handle h, ShowCommand how) {
    if (!h || !IsWindow(W(h))) return false;
    return ShowWindow(W(h), static_cast<int>(how)) != FALSE;
}

void EnableWindowInput(Handle h, bool on) {
    if (h) (void)EnableWindow(W(h), on ? TRUE : FALSE);
}

void MoveWindowTo(Handle h, int left, int top) {
    if (h) (void)SetWindowPos(W(h), nullptr, left, top, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
}

void RaiseTopmost(Handle h) {
    if (h) (void)SetWindowPos(W(h), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

Rect WorkArea() {
    RECT r{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0))
        return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return {r.left, r.top, r.right, r.bottom};
}

}  // namespace plat::desktop

namespace plat {

void WaitForEventsFor(int ms) {
    (void)MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(ms < 0 ? 0 : ms), QS_ALLINPUT,
                                      MWMO_INPUTAVAILABLE);
}

}  // namespace plat
