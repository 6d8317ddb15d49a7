// Window and process queries on Win32. Any of these windows may belong to
// another program, may hang, or may be destroyed between two calls.
#include "platform/services/window_queries.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "platform/win32/handles.h"

namespace plat::desktop {
namespace {

HWND W(Handle h) { return reinterpret_cast<HWND>(h); }
Handle H(HWND w) { return reinterpret_cast<Handle>(w); }

// A window of another program can hang; its text is not worth freezing the
// picker for. A hung window (no message pumping for 5 s) fails at once.
constexpr UINT kTextTimeoutMs = 200;

// The longest executable path the system hands out (extended-length paths).
constexpr DWORD kPathRoom = 32768;

bool SendForResult(Handle h, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR& result) {
    result = 0;
    return SendMessageTimeoutW(W(h), msg, wp, lp, SMTO_ABORTIFHUNG, kTextTimeoutMs, &result) != 0;
}

}  // namespace

std::optional<std::wstring> ClassName(Handle h) {
    wchar_t buffer[kClassNameRoom + 1] = {};
    const int n = GetClassNameW(W(h), buffer, kClassNameRoom);
    if (n <= 0) return std::nullopt;
    return std::wstring(buffer, wcsnlen(buffer, static_cast<size_t>(n)));
}

long TextLength(Handle h) {
    if (!h) return 0;
    DWORD_PTR n = 0;
    if (!SendForResult(h, WM_GETTEXTLENGTH, 0, 0, n)) return 0;
    // The answer is an LRESULT: a window may return anything, negatives too.
    const auto signedLength = static_cast<LONG_PTR>(n);
    if (signedLength <= 0) return 0;
    return static_cast<long>(std::min<LONG_PTR>(signedLength, 0x7FFFFFFF));
}

std::wstring TextByMessage(Handle h, int maxChars) {
    if (!h || maxChars <= 0) return {};
    // One spare character beyond the limit we pass, in case a window writes its NUL past it.
    std::wstring buffer(static_cast<size_t>(maxChars) + 2, L'\0');
    DWORD_PTR copied = 0;
    if (!SendForResult(h, WM_GETTEXT, static_cast<WPARAM>(maxChars) + 1,
                       reinterpret_cast<LPARAM>(buffer.data()), copied))
        return {};
    // Trust neither the length asked for before nor the count reported now:
    // the text may have shrunk in between.
    const size_t reported = std::min<size_t>(static_cast<size_t>(copied), static_cast<size_t>(maxChars));
    buffer.resize(wcsnlen(buffer.data(), reported));
    return buffer;
}

Handle FirstChild(Handle h) { return h ? H(GetWindow(W(h), GW_CHILD)) : 0; }
Handle NextSibling(Handle h) { return h ? H(GetWindow(W(h), GW_HWNDNEXT)) : 0; }
Handle Parent(Handle h) { return h ? H(GetParent(W(h))) : 0; }

Handle WindowAt(Point screen) { return H(WindowFromPoint(POINT{screen.x, screen.y})); }

std::optional<Rect> WindowRect(Handle h) {
    RECT r{};
    if (!h || !GetWindowRect(W(h), &r)) return std::nullopt;
    return Rect{r.left, r.top, r.right, r.bottom};
}

bool IsVisible(Handle h) { return h && IsWindowVisible(W(h)); }
bool IsEnabled(Handle h) { return h && IsWindowEnabled(W(h)); }
bool IsZoomed(Handle h) { return h && ::IsZoomed(W(h)); }

std::uint32_t ProcessIdOf(Handle h) {
    DWORD pid = 0;
    if (!h || !GetWindowThreadProcessId(W(h), &pid)) return 0;
    return pid;
}

// Asks for the image name rather than enumerating the modules: a 32-bit
// program cannot enumerate a 64-bit process's modules, and the limited access
// right is granted for more processes.
std::wstring ProcessImagePath(std::uint32_t processId) {
    if (processId == 0) return {};
    win32::KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return {};
    std::wstring path(kPathRoom, L'\0');
    DWORD size = kPathRoom;
    if (!QueryFullProcessImageNameW(process.Get(), 0, path.data(), &size)) return {};
    path.resize(std::min<DWORD>(size, kPathRoom));
    return path;
}

void SetWindowTopmost(Handle h, bool on) {
    // Nothing to report to the caller: a window that is gone stays gone.
    (void)SetWindowPos(W(h), on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                       SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

void BeginCaptionDrag(Handle h) {
    if (!h || !IsWindow(W(h))) return;
    // The window's own capture would keep the system's move loop from seeing the mouse.
    (void)ReleaseCapture();
    POINT pt{};
    (void)GetCursorPos(&pt);
    // The press position is the message's own argument (screen coordinates).
    SendMessageW(W(h), WM_NCLBUTTONDOWN, HTCAPTION,
                 MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(pt.x)), static_cast<WORD>(static_cast<SHORT>(pt.y))));
}

}  // namespace plat::desktop
