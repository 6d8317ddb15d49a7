// Native child windows on Win32: EDIT and BUTTON controls subclassed to a
// typed owner, with the control's font and colours.
#include <windows.h>
#include <commctrl.h>

#include <cmath>

#include "platform/dpi.h"
#include "platform/native_controls.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_internal.h"

namespace plat {

// The child paints itself; nothing to draw on the form's surface.
void NativeControl::Paint(Canvas&, int, int) const {}

namespace win32 {
namespace {

DWORD ChildStyle(const NativeChildStyle& s) {
    DWORD ws = WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS;
    if (s.visible) ws |= WS_VISIBLE;
    if (!s.enabled) ws |= WS_DISABLED;
    switch (s.kind) {
        case NativeKind::TextBox:
            ws |= ES_AUTOHSCROLL | ES_LEFT;
            if (s.readOnly) ws |= ES_READONLY;
            break;
        case NativeKind::CheckBox:
            ws |= BS_CHECKBOX;  // not automatic: the control decides the value
            break;
        case NativeKind::OptionButton:
            ws |= BS_RADIOBUTTON;
            break;
        case NativeKind::CommandButton:
            ws |= BS_PUSHBUTTON;
            break;
    }
    // A caption with a line break is laid out on several lines, as the toolkit does.
    if (s.kind != NativeKind::TextBox && s.text.find(L'\n') != std::wstring::npos) ws |= BS_MULTILINE;
    return ws;
}

FontOwner MakeFont(const Font& f) {
    const int height = -FontPixelHeight(f);
    return FontOwner(CreateFontW(height, 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, f.face));
}

// Marks a child window as ours and names its owner, for the parent's hub.
constexpr wchar_t kChildProp[] = L"MorrowenSnip.NativeChild";

class Win32Child final : public NativeChild {
public:
    Win32Child(Handle formWindow, NativeChildEvents& events, const NativeChildStyle& style)
        : events_(events), parent_(reinterpret_cast<HWND>(formWindow)), kind_(style.kind) {
        // The form paints its surface around its children, not over them.
        const LONG_PTR parentStyle = GetWindowLongPtrW(parent_, GWL_STYLE);
        if (!(parentStyle & WS_CLIPCHILDREN)) SetWindowLongPtrW(parent_, GWL_STYLE, parentStyle | WS_CLIPCHILDREN);

        const wchar_t* cls = style.kind == NativeKind::TextBox ? L"EDIT" : L"BUTTON";
        const DWORD ex = style.kind == NativeKind::TextBox ? WS_EX_CLIENTEDGE : 0;
        const Rect& b = style.bounds;
        hwnd_ = CreateWindowExW(ex, cls, style.text.c_str(), ChildStyle(style), b.left, b.top, b.Width(), b.Height(),
                                parent_, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!hwnd_) return;
        SetWindowSubclass(hwnd_, &Win32Child::ChildProc, 1, reinterpret_cast<DWORD_PTR>(this));
        SetPropW(hwnd_, kChildProp, this);
        SetColors(style.backColor, style.foreColor);
        SetFont(style.font);
        if (style.kind != NativeKind::TextBox) SetCheck(style.check);
    }

    ~Win32Child() override {
        if (hwnd_) {
            HWND h = hwnd_;
            Detach();
            DestroyWindow(h);
        }
    }

    Win32Child(const Win32Child&) = delete;
    Win32Child& operator=(const Win32Child&) = delete;

    Handle Hwnd() const override { return reinterpret_cast<Handle>(hwnd_); }
    void SetBounds(const Rect& r) override {
        if (hwnd_) SetWindowPos(hwnd_, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void SetVisible(bool v) override {
        if (hwnd_) ShowWindow(hwnd_, v ? SW_SHOWNA : SW_HIDE);
    }
    void SetEnabled(bool v) override {
        if (hwnd_) EnableWindow(hwnd_, v ? TRUE : FALSE);
    }
    void SetReadOnly(bool v) override {
        if (hwnd_) SendMessageW(hwnd_, EM_SETREADONLY, v ? TRUE : FALSE, 0);
    }
    void SetText(const std::wstring& s) override {
        if (hwnd_) SetWindowTextW(hwnd_, s.c_str());
    }
    std::wstring Text() const override {
        if (!hwnd_) return {};
        std::wstring s(static_cast<size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
        s.resize(static_cast<size_t>(GetWindowTextW(hwnd_, s.data(), static_cast<int>(s.size()))));
        return s;
    }
    void SetCheck(int v) override {
        if (hwnd_ && kind_ != NativeKind::TextBox)
            SendMessageW(hwnd_, BM_SETCHECK, v == 1 ? BST_CHECKED : v == 2 ? BST_INDETERMINATE : BST_UNCHECKED, 0);
    }
    void SetFont(const Font& f) override {
        FontOwner next = MakeFont(f);
        if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(next.Get()), TRUE);
        font_ = std::move(next);  // the old font is released only once the child no longer uses it
    }
    void SetColors(Color back, Color fore) override {
        back_ = back;
        fore_ = fore;
        brush_ = BrushOwner(CreateSolidBrush(back));
        if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
    }
    void Focus() override {
        if (hwnd_) ::SetFocus(hwnd_);
    }

private:
    void Detach() {
        RemovePropW(hwnd_, kChildProp);
        RemoveWindowSubclass(hwnd_, &Win32Child::ChildProc, 1);
        hwnd_ = nullptr;
    }

    // Key events go to the owner; after such a call the owner may have
    // destroyed this object, so only the saved handle is used afterwards.
    static LRESULT CALLBACK ChildProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
        auto* self = reinterpret_cast<Win32Child*>(ref);
        switch (msg) {
            case WM_KEYDOWN:
                self->events_.OnChildKeyDown(static_cast<int>(wp), ShiftState());
                break;
            case WM_SYSKEYDOWN:
                // Alt combinations are keys like any other here; Alt+F4 still closes the window.
                if (wp != VK_F4) {
                    self->events_.OnChildKeyDown(static_cast<int>(wp), ShiftState());
                    return 0;
                }
                break;
            case WM_CHAR:
                self->events_.OnChildKeyPress(static_cast<int>(wp));
                break;
            case WM_NCDESTROY:
                // Destroyed with its parent, not by our destructor.
                self->Detach();
                return DefSubclassProc(h, msg, wp, lp);
            default:
                return DefSubclassProc(h, msg, wp, lp);
        }
        return IsWindow(h) ? DefSubclassProc(h, msg, wp, lp) : 0;
    }

public:
    // The child a handle belongs to, when it is one of ours.
    static Win32Child* Of(HWND h) { return h ? static_cast<Win32Child*>(GetPropW(h, kChildProp)) : nullptr; }

    // What the parent passed back about this child. The owner may destroy
    // this object in a handler: nothing of it is used after one.
    bool OnReflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
        switch (msg) {
            case WM_CTLCOLOREDIT:
            case WM_CTLCOLORSTATIC:
            case WM_CTLCOLORBTN:
            case WM_CTLCOLORLISTBOX: {
                HDC dc = reinterpret_cast<HDC>(wp);
                SetTextColor(dc, fore_);
                SetBkColor(dc, back_);
                result = reinterpret_cast<LRESULT>(brush_.Get());
                return true;
            }
            case WM_COMMAND:
                result = 0;
                events_.OnChildCommand(HIWORD(wp));
                return true;
            default:
                return false;
        }
    }

private:
    NativeChildEvents& events_;
    HWND parent_;
    HWND hwnd_ = nullptr;
    NativeKind kind_;
    FontOwner font_;
    BrushOwner brush_;
    COLORREF back_ = RGB(255, 255, 255);
    COLORREF fore_ = RGB(0, 0, 0);
};

}  // namespace
}  // namespace win32

namespace win32 {

bool ReflectToChild(HWND parent, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    HWND child = nullptr;
    switch (msg) {
        case WM_COMMAND:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR:
        case WM_HSCROLL:
        case WM_VSCROLL:
            child = reinterpret_cast<HWND>(lp);
            break;
        case WM_NOTIFY:
            child = reinterpret_cast<const NMHDR*>(lp)->hwndFrom;
            break;
        case WM_DRAWITEM:
            child = reinterpret_cast<const DRAWITEMSTRUCT*>(lp)->hwndItem;
            break;
        case WM_MEASUREITEM:
            child = GetDlgItem(parent, static_cast<int>(reinterpret_cast<const MEASUREITEMSTRUCT*>(lp)->CtlID));
            break;
        default:
            return false;
    }
    Win32Child* target = Win32Child::Of(child);
    return target && GetParent(child) == parent && target->OnReflected(msg, wp, lp, result);
}

}  // namespace win32

std::unique_ptr<NativeChild> NativeChild::Create(Handle formWindow, NativeChildEvents& events,
                                                 const NativeChildStyle& style) {
    return std::make_unique<win32::Win32Child>(formWindow, events, style);
}

}  // namespace plat
