// Top-level windows on Win32: a window procedure thunked to a typed owner,
// double-buffered painting, mouse, keys, timers and the program-wide pointer.
#include <windows.h>
#include <windowsx.h>

#include <algorithm>

#include "platform/services/native_window.h"
#include "platform/win32/gdi_canvas.h"
#include "platform/win32/handles.h"
#include "platform/win32/instance_request_win32.h"
#include "platform/win32/win32_internal.h"

namespace plat::win32 {
namespace {

class Win32Window final : public NativeWindow {
public:
    Win32Window(WindowEvents& events, const WindowStyle& style)
        : events_(events), borderless_(style.borderless), child_(style.parent != 0) {
        RegisterClassOnce();
        HWND parent = reinterpret_cast<HWND>(style.parent);
        DWORD ws = style.borderless ? WS_POPUP : (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU);
        if (child_) ws = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (style.borderless ? 0 : WS_CAPTION);
        if (!style.borderless && style.minimizeBox && !child_) ws |= WS_MINIMIZEBOX;
        if (style.resizable) ws |= WS_THICKFRAME | (child_ ? 0 : WS_MAXIMIZEBOX);
        DWORD ex = 0;
        if (style.topmost && !child_) ex |= WS_EX_TOPMOST;
        if (!style.showInTaskbar && !child_) ex |= WS_EX_TOOLWINDOW;
        // Marks a window whose tab stops the dispatch routine walks (see MoveFocusByTab).
        if (style.tabNavigation) ex |= WS_EX_CONTROLPARENT;
        // The parent paints around its child windows, not over them.
        if (child_ && parent) SetWindowLongPtrW(parent, GWL_STYLE, GetWindowLongPtrW(parent, GWL_STYLE) | WS_CLIPCHILDREN);
        const Rect& b = style.bounds;
        // The window procedure keeps the handle in hwnd_ from WM_NCCREATE on; the
        // form checks it (a window of 0 is no window).
        Checked(CreateWindowExW(ex, kFormClassName, style.caption.c_str(), ws, b.left, b.top, b.Width(), b.Height(),
                                parent, nullptr, GetModuleHandleW(nullptr), this),
                L"CreateWindowExW (form)");
        // A new child window goes below its siblings; a box made later lies
        // over the controls made before it, as windowless ones paint.
        if (hwnd_ && child_) SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    ~Win32Window() override {
        if (hwnd_) {
            // Detach first: the destroy messages must not reach the owner being torn down.
            SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
            HWND h = hwnd_;
            hwnd_ = nullptr;
            DestroyWindow(h);
        }
    }

    Handle Hwnd() const override { return reinterpret_cast<Handle>(hwnd_); }

    Rect Bounds() const override {
        RECT r{};
        GetWindowRect(hwnd_, &r);
        return {r.left, r.top, r.right, r.bottom};
    }
    void SetBounds(const Rect& r) override {
        settingBounds_ = true;
        SetWindowPos(hwnd_, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        settingBounds_ = false;
    }
    Rect ClientRect() const override {
        RECT r{};
        GetClientRect(hwnd_, &r);
        return {0, 0, r.right, r.bottom};
    }
    void SetCaption(const std::wstring& s) override { SetWindowTextW(hwnd_, s.c_str()); }

    void Show(WindowState state) override {
        int cmd = state == WindowState::Maximized   ? SW_SHOWMAXIMIZED
                  : state == WindowState::Minimized ? SW_SHOWMINIMIZED
                                                    : SW_SHOWNORMAL;
        ShowWindow(hwnd_, cmd);
        if (state != WindowState::Minimized && !child_) Focus();
    }
    void ShowNoActivate() override { ShowWindow(hwnd_, IsZoomed(hwnd_) ? SW_SHOWMAXIMIZED : SW_SHOWNA); }
    void Hide() override { ShowWindow(hwnd_, SW_HIDE); }
    bool Visible() const override { return IsWindowVisible(hwnd_) != FALSE; }
    WindowState State() const override {
        if (IsZoomed(hwnd_)) return WindowState::Maximized;
        if (IsIconic(hwnd_)) return WindowState::Minimized;
        return WindowState::Normal;
    }
    // A hidden window is painted whole when shown: marking parts of it dirty
    // meanwhile costs a call into the system each and changes nothing.
    void Invalidate(const Rect& r) override {
        if (!IsWindowVisible(hwnd_)) return;
        RECT rc{r.left, r.top, r.right, r.bottom};
        InvalidateRect(hwnd_, &rc, FALSE);
    }
    void InvalidateAll() override { InvalidateRect(hwnd_, nullptr, FALSE); }
    void Update() override { UpdateWindow(hwnd_); }
    void DrawDirect(const std::function<void(Canvas&)>& draw) override {
        WindowDc dc(hwnd_);
        Rect c = ClientRect();
        GdiCanvas canvas(dc.Get(), c.Width(), c.Height());
        draw(canvas);
    }
    void Focus() override {
        SetForegroundWindow(hwnd_);
        SetFocus(hwnd_);
    }
    void SetTimer(int id, int ms) override { ::SetTimer(hwnd_, static_cast<UINT_PTR>(id), static_cast<UINT>(ms), nullptr); }
    void KillTimer(int id) override { ::KillTimer(hwnd_, static_cast<UINT_PTR>(id)); }
    void SetRegion(const std::vector<Rect>& parts) override {
        const bool wasShaped = shaped_;
        shaped_ = !parts.empty();
        if (!shaped_) {
            // A window never shaped has no region to drop (dropping one moves the window anew).
            if (wasShaped) SetWindowRgn(hwnd_, nullptr, TRUE);
            return;
        }
        RegionOwner shape(CreateRectRgn(0, 0, 0, 0));
        for (const Rect& r : parts) {
            RegionOwner part(CreateRectRgn(r.left, r.top, r.right, r.bottom));
            CombineRgn(shape.Get(), shape.Get(), part.Get(), RGN_OR);
        }
        // The window owns the region from here on.
        if (SetWindowRgn(hwnd_, shape.Get(), TRUE)) (void)shape.Release();
    }
    void SetOpacity(int alpha) override {
        SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) | WS_EX_LAYERED);
        SetLayeredWindowAttributes(hwnd_, 0, static_cast<BYTE>(alpha), LWA_ALPHA);
    }
    void CaptureMouse() override { SetCapture(hwnd_); }
    void ReleaseMouse() override {
        if (GetCapture() == hwnd_) ReleaseCapture();
    }

private:
    static void RegisterClassOnce() {
        static bool done = false;
        if (done) return;
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &Win32Window::Thunk;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
        wc.hCursor = nullptr;  // the program-wide pointer is set in WM_SETCURSOR
        wc.lpszClassName = kFormClassName;
        done = RegisterWindowClass(wc);  // tried again by the next window when it failed
    }

    static LRESULT CALLBACK Thunk(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_NCCREATE) {
            auto* self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
            self->hwnd_ = h;
            SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(h, GWLP_USERDATA));
        if (!self) return DefWindowProcW(h, msg, wp, lp);
        return self->HandleMessage(msg, wp, lp);
    }

    // After a call into events_ the owner may have destroyed this object:
    // every such call is the last thing its branch does.
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
        // Kept apart from hwnd_: the branches that fall through to the default
        // handling may have called into events_ first.
        const HWND hwnd = hwnd_;
        if (LRESULT reflected = 0; ReflectToChild(hwnd, msg, wp, lp, reflected)) return reflected;
        switch (msg) {
            case WM_ERASEBKGND:
                return 1;
            case WM_PAINT:
                Paint();
                return 0;
            case WM_GETMINMAXINFO:
                if (borderless_) {
                    // A borderless window maximises over the whole screen, not the work area.
                    auto* mm = reinterpret_cast<MINMAXINFO*>(lp);
                    mm->ptMaxPosition = {0, 0};
                    mm->ptMaxSize = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
                    return 0;
                }
                break;
            case WM_SETCURSOR:
                if (LOWORD(lp) == HTCLIENT) {
                    ApplyPointer();
                    return TRUE;
                }
                break;
            case WM_LBUTTONDOWN:
                events_.OnMouseDown(Mouse(kLeftButton, lp));
                return 0;
            case WM_RBUTTONDOWN:
                events_.OnMouseDown(Mouse(kRightButton, lp));
                return 0;
            case WM_MBUTTONDOWN:
                events_.OnMouseDown(Mouse(kMiddleButton, lp));
                return 0;
            case WM_LBUTTONUP:
                events_.OnMouseUp(Mouse(kLeftButton, lp));
                return 0;
            case WM_RBUTTONUP:
                events_.OnMouseUp(Mouse(kRightButton, lp));
                return 0;
            case WM_MBUTTONUP:
                events_.OnMouseUp(Mouse(kMiddleButton, lp));
                return 0;
            case WM_LBUTTONDBLCLK:
                events_.OnDblClick(Mouse(kLeftButton, lp));
                return 0;
            case WM_RBUTTONDBLCLK:
                events_.OnDblClick(Mouse(kRightButton, lp));
                return 0;
            case WM_MBUTTONDBLCLK:
                events_.OnDblClick(Mouse(kMiddleButton, lp));
                return 0;
            case WM_MOUSEMOVE:
                events_.OnMouseMove(Mouse(ButtonsHeld(wp), lp));
                return 0;
            case WM_KEYDOWN:
                events_.OnKeyDown(static_cast<int>(wp), ShiftState());
                return 0;
            case WM_SYSKEYDOWN:
                if (wp != VK_F4) {
                    events_.OnKeyDown(static_cast<int>(wp), ShiftState());
                    return 0;
                }
                break;
            case WM_MOUSEWHEEL:
                events_.OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wp), ShiftState());
                return 0;
            case WM_CHAR:
                events_.OnKeyPress(static_cast<int>(wp));
                return 0;
            case WM_KILLFOCUS: {
                // The focus moving to one of the window's own children is not a loss.
                const HWND next = reinterpret_cast<HWND>(wp);
                if (!next || (next != hwnd_ && !IsChild(hwnd_, next))) events_.OnFocusLost();
                return 0;
            }
            case WM_WINDOWPOSCHANGED: {
                // Moved by the system (a caption drag, a move command), not by
                // SetBounds: the owner's position follows.
                const auto* pos = reinterpret_cast<const WINDOWPOS*>(lp);
                if (!(pos->flags & SWP_NOMOVE) && !settingBounds_) {
                    Rect r = Bounds();
                    if (child_) {
                        POINT tl{r.left, r.top};
                        ScreenToClient(GetParent(hwnd_), &tl);
                        r = {tl.x, tl.y, tl.x + r.Width(), tl.y + r.Height()};
                    }
                    events_.OnMovedBySystem(r);
                }
                break;
            }
            case WM_CAPTURECHANGED:
                if (reinterpret_cast<HWND>(lp) != hwnd_) {
                    events_.OnCaptureLost();
                    return 0;
                }
                break;
            case kTrayMessage:
                events_.OnTrayNotify(static_cast<int>(LOWORD(lp)));
                return 0;
            case WM_DPICHANGED: {
                const RECT* r = reinterpret_cast<const RECT*>(lp);
                events_.OnDpiChanged(HIWORD(wp), Rect{r->left, r->top, r->right, r->bottom});
                return 0;
            }
            case WM_TIMER:
                events_.OnTimer(static_cast<int>(wp));
                return 0;
            case WM_SYSCOMMAND:
                if ((wp & 0xFFF0) == SC_CLOSE && events_.OnCloseCommand()) return 0;
                break;
            case WM_CLOSE:
                events_.OnCloseRequest();
                return 0;
            case WM_COPYDATA:
                // A command-line start's request; the last thing this branch does.
                return win32::OnInstanceRequest(wp, lp);
            case WM_NCDESTROY: {
                // Destroyed by the system, not by our destructor (which detaches first).
                SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
                hwnd_ = nullptr;
                events_.OnDestroyed();
                return 0;
            }
            default:
                break;
        }
        return DefWindowProcW(hwnd, msg, wp, lp);
    }

    // The update region is painted rectangle by rectangle: a moving outline
    // and a small box far from it repaint their own areas, not the box
    // around both.
    void Paint() {
        constexpr DWORD kMostRects = 128;
        RegionOwner update(CreateRectRgn(0, 0, 0, 0));
        const bool haveRegion = update && GetUpdateRgn(hwnd_, update.Get(), FALSE) > NULLREGION;
        PaintSession paint(hwnd_);
        const PAINTSTRUCT& ps = paint.Info();
        HDC dc = paint.Dc();
        const Rect client = ClientRect();
        std::vector<Rect> parts;
        if (haveRegion) {
            const DWORD bytes = GetRegionData(update.Get(), 0, nullptr);
            std::vector<char> data(bytes);
            auto* rd = reinterpret_cast<RGNDATA*>(data.data());
            if (bytes && GetRegionData(update.Get(), bytes, rd) && rd->rdh.nCount <= kMostRects) {
                const RECT* r = reinterpret_cast<const RECT*>(rd->Buffer);
                for (DWORD i = 0; i < rd->rdh.nCount; ++i) parts.push_back({r[i].left, r[i].top, r[i].right, r[i].bottom});
            }
        }
        update.Reset();
        if (parts.empty()) parts.push_back({ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom});
        for (const Rect& part : parts) PaintArea(dc, client, part.Intersect(client));
    }

    // Paints into a back buffer and copies the dirty part, so nothing flickers.
    // The buffer holds a band of rows, not the whole window: a full-screen
    // repaint goes band by band, and a screen-sized buffer is not kept for it.
    // Where the owner shows one picture alone (a frozen screen), that picture
    // is the buffer.
    void PaintArea(HDC dc, const Rect& client, const Rect& dirty) {
        const int rows = std::min(client.Height(), BandRows(client.Width()));
        if (const Picture* plain = dirty.Empty() ? nullptr : events_.PlainPicture(dirty)) {
            BitBlt(dc, dirty.left, dirty.top, dirty.Width(), dirty.Height(), PictureDc(*plain), dirty.left, dirty.top,
                   SRCCOPY);
        } else if (!dirty.Empty()) {
            for (int top = dirty.top; top < dirty.bottom; top += rows) {
                const Rect band{dirty.left, top, dirty.right, std::min(dirty.bottom, top + rows)};
                if (const Picture* alone = events_.PlainPicture(band)) {
                    BitBlt(dc, band.left, band.top, band.Width(), band.Height(), PictureDc(*alone), band.left,
                           band.top, SRCCOPY);
                    continue;
                }
                // Grown to the largest band painted yet, not made screen-wide:
                // small repaints (a magnifier, a moving frame) keep it small.
                if (back_.Width() < band.Width() || back_.Height() < band.Height())
                    back_ = Picture::Create(std::max(back_.Width(), band.Width()),
                                            std::max(back_.Height(), band.Height()), 0);
                if (back_.Empty()) break;
                auto& canvas = static_cast<GdiCanvas&>(back_.Draw());
                canvas.SetOrigin(band.left, band.top);
                {
                    ClipScope clip(canvas, band);
                    events_.OnPaint(canvas, band);
                }
                canvas.SetOrigin(0, 0);
                BitBlt(dc, band.left, band.top, band.Width(), band.Height(), PictureDc(back_), 0, 0, SRCCOPY);
            }
        }
    }

    // Rows of a band `width` pixels wide: about 4 MB, at least 64 rows.
    static int BandRows(int width) { return std::max(64, (4 << 20) / (4 * std::max(width, 1))); }

    WindowEvents& events_;
    HWND hwnd_ = nullptr;
    bool borderless_;
    bool child_;
    bool settingBounds_ = false;
    bool shaped_ = false;
    Picture back_;
};

}  // namespace
}  // namespace plat::win32

namespace plat {
std::unique_ptr<NativeWindow> NativeWindow::Create(WindowEvents& events, const WindowStyle& style) {
    return std::make_unique<win32::Win32Window>(events, style);
}
}  // namespace plat
