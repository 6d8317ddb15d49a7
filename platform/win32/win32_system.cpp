// Program-wide services on Win32: screen, pending events, pointer, clipboard,
// message boxes.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/services/message_pump.h"
#include "platform/services/system.h"
#include "platform/win32/gdi_canvas.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_internal.h"

namespace plat {
namespace win32 {

std::atomic<long>& OwnedHandleCount() {
    static std::atomic<long> count{0};
    return count;
}

// A few quick tries ride out another program's brief look at the clipboard;
// callers that must not give up retry with events running between tries.
ClipboardSession::ClipboardSession(HWND owner) {
    for (int attempt = 0; attempt < 4 && !open_; ++attempt) {
        open_ = OpenClipboard(owner) != FALSE;
        if (!open_) Sleep(5);
    }
}

namespace {
MousePointer g_pointer = MousePointer::Default;

LPCWSTR CursorId(MousePointer p) {
    switch (p) {
        case MousePointer::Crosshair: return IDC_CROSS;
        case MousePointer::IBeam: return IDC_IBEAM;
        case MousePointer::SizeNESW: return IDC_SIZENESW;
        case MousePointer::SizeNS: return IDC_SIZENS;
        case MousePointer::SizeNWSE: return IDC_SIZENWSE;
        case MousePointer::SizeWE: return IDC_SIZEWE;
        case MousePointer::Hourglass: return IDC_WAIT;
        case MousePointer::SizeAll: return IDC_SIZEALL;
        case MousePointer::Default:
        case MousePointer::Arrow: break;
    }
    return IDC_ARROW;
}


// Puts a bitmap on the clipboard, which then owns it.
bool PlaceBitmap(BitmapOwner bitmap) {
    ClipboardSession clip(GetDesktopWindow());
    if (!clip.IsOpen()) return false;
    EmptyClipboard();
    if (!SetClipboardData(CF_BITMAP, bitmap.Get())) return false;
    bitmap.Release();
    return true;
}
}  // namespace

int ShiftState() {
    int s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= kShiftMask;
    if (GetKeyState(VK_CONTROL) < 0) s |= kCtrlMask;
    if (GetKeyState(VK_MENU) < 0) s |= kAltMask;
    return s;
}

void ReportFailure(const wchar_t* call, unsigned long error) {
#ifndef NDEBUG
    OutputDebugStringW((std::wstring(L"Morrowen Snip: ") + call + L" failed, error " + std::to_wstring(error) + L"\n").c_str());
#else
    (void)call;
    (void)error;
#endif
}

bool RegisterWindowClass(const WNDCLASSEXW& wc) {
    if (RegisterClassExW(&wc)) return true;
    const DWORD error = GetLastError();
    if (error == ERROR_CLASS_ALREADY_EXISTS) return true;
    ReportFailure(L"RegisterClassExW", error);
    return false;
}

int ButtonsHeld(WPARAM wp) {
    int b = 0;
    if (wp & MK_LBUTTON) b |= kLeftButton;
    if (wp & MK_RBUTTON) b |= kRightButton;
    if (wp & MK_MBUTTON) b |= kMiddleButton;
    return b;
}

MouseArgs Mouse(int button, LPARAM lp) {
    MouseArgs a;
    a.button = button;
    a.shift = ShiftState();
    a.x = static_cast<float>(static_cast<short>(LOWORD(lp)));
    a.y = static_cast<float>(static_cast<short>(HIWORD(lp)));
    return a;
}

void ApplyPointer() { SetCursor(LoadCursorW(nullptr, CursorId(g_pointer))); }

namespace {
std::vector<std::function<bool(MSG&)>>& PreDispatchHooks() {
    static std::vector<std::function<bool(MSG&)>> hooks;
    return hooks;
}
}  // namespace

void AddPreDispatchHook(std::function<bool(MSG&)> hook) { PreDispatchHooks().push_back(std::move(hook)); }

namespace {
// Whether any of a control lies inside its top-level window's client area.
bool InSight(HWND control, HWND root) {
    RECT r{}, client{};
    GetWindowRect(control, &r);
    GetClientRect(root, &client);
    MapWindowPoints(root, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return IntersectRect(&r, &r, &client) != FALSE;
}
}  // namespace

bool MoveFocusByTab(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || !msg.hwnd) return false;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    if (!root || !(GetWindowLongPtrW(root, GWL_EXSTYLE) & WS_EX_CONTROLPARENT)) return false;
    // A control that takes Tab itself keeps it, as in a dialog.
    if (msg.hwnd != root &&
        (SendMessageW(msg.hwnd, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&msg)) & DLGC_WANTTAB))
        return false;
    // From the window itself (no control has the focus yet) the walk starts at the first or last stop.
    const HWND from = msg.hwnd == root ? nullptr : msg.hwnd;
    const BOOL back = GetKeyState(VK_SHIFT) < 0 ? TRUE : FALSE;
    // Stops that lie outside the window (kept out of sight on purpose) are passed over.
    HWND next = GetNextDlgTabItem(root, from, back);
    const HWND firstSeen = next;
    while (next && next != from && !InSight(next, root)) {
        next = GetNextDlgTabItem(root, next, back);
        if (next == firstSeen) next = nullptr;
    }
    if (!next || next == from) return next != nullptr;
    SetFocus(next);
    // A text box entered by Tab has its text chosen, so typing replaces it.
    if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(next, EM_SETSEL, 0, -1);
    return true;
}

void Dispatch(MSG& msg) {
    if (MoveFocusByTab(msg)) {
        RunAfterDispatchHooks();
        return;
    }
    bool taken = false;
    for (size_t i = 0; i < PreDispatchHooks().size() && !taken; ++i) taken = PreDispatchHooks()[i](msg);
    if (!taken) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    RunAfterDispatchHooks();
}

}  // namespace win32

int ScreenWidthPx() { return GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeightPx() { return GetSystemMetrics(SM_CYSCREEN); }

void DoEvents() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the loop that owns it
            break;
        }
        win32::Dispatch(msg);
    }
    RunAfterDispatchHooks();
}

void WaitForEvents() { WaitMessage(); }

int RunMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) win32::Dispatch(msg);
    RunAfterDispatchHooks();
    return static_cast<int>(msg.wParam);
}

void QuitMessageLoop(int code) { PostQuitMessage(code); }

void SetMousePointer(MousePointer p) {
    win32::g_pointer = p;
    // Shown at once over our windows; over another program's window the
    // system shows that program's pointer, so there is no need to ask where
    // the pointer is (a round trip to the display server under Wine).
    win32::ApplyPointer();
}

MousePointer GetMousePointer() { return win32::g_pointer; }

Point CursorPos() {
    POINT pt{};
    GetCursorPos(&pt);
    return {pt.x, pt.y};
}

void SleepMs(int ms) { Sleep(static_cast<DWORD>(ms)); }

bool CaptureScreenInto(Canvas& to, int x, int y, const Rect& from) {
    // The screen's DC counts in virtual-screen pixels from the primary's origin
    // (a display DC made by name counts from the desktop's top-left under Wine).
    win32::WindowDc display(nullptr);
    return BitBlt(reinterpret_cast<HDC>(to.NativeDC()), x, y, from.Width(), from.Height(), display.Get(), from.left,
                  from.top, SRCCOPY) != FALSE;
}

namespace {
// The screen's r copied into p. Its memory may hold an earlier capture: a
// copy the system refuses shows black, never that.
Picture CapturedInto(Picture p, const Rect& r) {
    if (!p.Empty() && !CaptureScreenInto(p.Draw(), 0, 0, r)) p.Draw().FillRect({0, 0, r.Width(), r.Height()}, 0);
    return p;
}
}  // namespace

Picture CaptureScreen(const Rect& r) { return CapturedInto(Picture::Create(r.Width(), r.Height(), 0), r); }

void PrepareWholeScreenCapture(const Rect& all) {
    Picture p = win32::WholeScreenToOverwrite(all.Width(), all.Height());
    if (p.Empty()) return;
    // One write to each page makes the system hand it out now rather than at
    // the capture; the picture, gone, leaves its memory to that capture.
    std::uint32_t* pixels = p.MutableRow(0);
    const std::size_t count = static_cast<std::size_t>(p.Width()) * static_cast<std::size_t>(p.Height());
    for (std::size_t i = 0; i < count; i += 1024) pixels[i] = 0;
}

Picture CaptureWholeScreen(const Rect& all) {
    return CapturedInto(win32::WholeScreenToOverwrite(all.Width(), all.Height()), all);
}

namespace {
// Copies w x h pixels at (x, y) of `source` into a new display-compatible
// bitmap and puts it on the clipboard. A zero-sized copy gives a 1 x 1
// monochrome bitmap, as the system does for a zero-sized compatible bitmap;
// made here, because the system's is a shared stock object that must not be
// handed to the clipboard.
bool PlaceCopy(HDC display, HDC source, int x, int y, int w, int h) {
    win32::DcOwner mem(CreateCompatibleDC(display));
    win32::BitmapOwner bitmap(w == 0 || h == 0 ? CreateBitmap(1, 1, 1, 1, nullptr)
                                               : CreateCompatibleBitmap(display, w, h));
    {
        win32::SelectGuard sel(mem.Get(), bitmap.Get());
        BitBlt(mem.Get(), 0, 0, w, h, source, x, y, SRCCOPY);
    }  // deselected: the clipboard takes only a free bitmap
    return win32::PlaceBitmap(std::move(bitmap));
}
}  // namespace

bool ClipboardPutScreenRect(const Rect& r) {
    win32::WindowDc display(nullptr);
    return PlaceCopy(display.Get(), display.Get(), r.left, r.top, r.Width() < 0 ? 0 : r.Width(),
                     r.Height() < 0 ? 0 : r.Height());
}

bool ClipboardPutPicture(const Picture& p) {
    if (p.Empty()) return false;
    win32::WindowDc display(nullptr);
    return PlaceCopy(display.Get(), win32::PictureDc(p), 0, 0, p.Width(), p.Height());
}

Picture ClipboardGetPicture() {
    win32::ClipboardSession clip(nullptr);
    if (!clip.IsOpen()) return {};
    auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    if (!bitmap) return {};
    BITMAP info{};
    if (!GetObjectW(bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return {};
    Picture p = Picture::Create(info.bmWidth, info.bmHeight, 0);
    if (p.Empty()) return {};
    win32::DcOwner mem(CreateCompatibleDC(nullptr));
    win32::SelectGuard sel(mem.Get(), bitmap);  // the clipboard still owns it
    BitBlt(win32::PictureDc(p), 0, 0, info.bmWidth, info.bmHeight, mem.Get(), 0, 0, SRCCOPY);
    return p;
}

void MsgBox(const std::wstring& text, const std::wstring& title, int style) {
    MessageBoxW(GetActiveWindow(), text.c_str(), title.c_str(), static_cast<UINT>(style) | MB_OK);
}

std::wstring ExeDir() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

Point MeasureText(std::wstring_view s, const Font& f) {
    win32::DcOwner dc(CreateCompatibleDC(nullptr));
    win32::GdiCanvas canvas(dc.Get(), 0, 0);
    return canvas.TextSize(s, f);
}

ResourceCounts CurrentResourceCounts() {
    ResourceCounts c;
    c.gdiObjects = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    c.userObjects = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    c.ownedHandles = win32::OwnedHandleCount().load();
    return c;
}

}  // namespace plat
