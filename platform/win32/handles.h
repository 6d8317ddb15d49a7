#pragma once
// Move-only owners of Win32 handles, and a guard that puts back a selected
// GDI object. Every handle the program creates goes through one of these.
#include <windows.h>

#include <atomic>
#include <utility>

namespace plat::win32 {

// Handles currently held by the owners below (for leak checks).
std::atomic<long>& OwnedHandleCount();

template <class H, class Traits>
class Owned {
public:
    Owned() = default;
    explicit Owned(H h) : h_(h) {
        if (h_) ++OwnedHandleCount();
    }
    ~Owned() { Reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& o) noexcept : h_(std::exchange(o.h_, H{})) {}
    Owned& operator=(Owned&& o) noexcept {
        if (this != &o) {
            Reset();
            h_ = std::exchange(o.h_, H{});
        }
        return *this;
    }
    H Get() const { return h_; }
    explicit operator bool() const { return h_ != H{}; }
    // Gives the handle away (the clipboard takes bitmaps this way).
    H Release() {
        if (h_) --OwnedHandleCount();
        return std::exchange(h_, H{});
    }
    void Reset() {
        if (h_) {
            Traits::Close(h_);
            --OwnedHandleCount();
            h_ = H{};
        }
    }

private:
    H h_{};
};

struct GdiObjectTraits {
    static void Close(HGDIOBJ h) { DeleteObject(h); }
};
struct DcTraits {
    static void Close(HDC h) { DeleteDC(h); }
};
struct KernelHandleTraits {
    static void Close(HANDLE h) { CloseHandle(h); }
};

using BitmapOwner = Owned<HBITMAP, GdiObjectTraits>;
using PenOwner = Owned<HPEN, GdiObjectTraits>;
using BrushOwner = Owned<HBRUSH, GdiObjectTraits>;
using FontOwner = Owned<HFONT, GdiObjectTraits>;
using RegionOwner = Owned<HRGN, GdiObjectTraits>;
using DcOwner = Owned<HDC, DcTraits>;  // from CreateDC / CreateCompatibleDC
using KernelHandle = Owned<HANDLE, KernelHandleTraits>;

// A DC borrowed from a window with GetDC; given back with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND w) : wnd_(w), dc_(GetDC(w)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(wnd_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND wnd_;
    HDC dc_;
};

// A window's paint between BeginPaint and EndPaint.
class PaintSession {
public:
    explicit PaintSession(HWND w) : wnd_(w), dc_(BeginPaint(w, &ps_)) {}
    ~PaintSession() { EndPaint(wnd_, &ps_); }
    PaintSession(const PaintSession&) = delete;
    PaintSession& operator=(const PaintSession&) = delete;
    HDC Dc() const { return dc_; }
    const PAINTSTRUCT& Info() const { return ps_; }

private:
    HWND wnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// Selects an object into a DC for the guard's lifetime.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~SelectGuard() {
        if (old_) SelectObject(dc_, old_);
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// The clipboard, open for the guard's lifetime. Retries briefly, because
// another program may hold it for a moment.
class ClipboardSession {
public:
    explicit ClipboardSession(HWND owner);
    ~ClipboardSession() {
        if (open_) CloseClipboard();
    }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_ = false;
};

}  // namespace plat::win32
