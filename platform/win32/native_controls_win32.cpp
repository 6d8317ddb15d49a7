// Native child windows on Win32: EDIT and BUTTON controls subclassed to a
// typed owner, with the control's font and colours.
#include <windows.h>
#include <commctrl.h>

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/services/dpi.h"
#include "platform/services/native_child.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_internal.h"

namespace plat {

// The child paints itself; nothing to draw on the form's surface.
void PaintNativeChild(Canvas&, const Rect&, const NativeChildStyle&, const std::wstring&) {}

namespace win32 {
namespace {

// The messages of one kind of entry list (a combo's or a list box's).
struct ItemMessages {
    UINT insert, remove, reset, setSel, getSel, setData, getData, getRect;
};
constexpr ItemMessages kComboItems{CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_SETCURSEL,
                                   CB_GETCURSEL,    CB_SETITEMDATA,  CB_GETITEMDATA,  0};
constexpr ItemMessages kListItems{LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT, LB_SETCURSEL,
                                  LB_GETCURSEL,    LB_SETITEMDATA,  LB_GETITEMDATA,  LB_GETITEMRECT};
constexpr UINT kNone = 0xFFFF;  // no notification code

// One native kind: its window and what its notifications mean.
struct KindDescriptor {
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle;
    DWORD readOnlyStyle;   // added when read-only
    DWORD multiLineStyle;  // added for several lines (a text box's wrap, a caption's breaks)
    DWORD multiLineDrop;   // taken away then
    bool linesOnRequest;   // several lines when asked (a text box), else when the caption breaks
    bool checkable;        // the check state is BM_SETCHECK's
    const ItemMessages* items;
    UINT clickCode;    // WM_COMMAND code meaning Click (the choice is read with items->getSel)
    UINT changeCode;   // WM_COMMAND code meaning Change
    UINT openCode;     // the list opened: choices wait for closeCode
    UINT closeCode;
    bool scrolls;      // WM_HSCROLL/WM_VSCROLL move it
    bool tickBoxes;    // owner-drawn entries with a tick box each
    bool bandOnly;     // only its border band is a window: the inside stays the form's
    int listRoom;      // pixels of drop-down list below the box
};

constexpr DWORD kButton = WS_TABSTOP;
const KindDescriptor& Describe(NativeKind k) {
    static const KindDescriptor kinds[] = {
        // TextBox
        {L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE, ES_READONLY,
         ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL, ES_AUTOHSCROLL, true, false, nullptr, kNone, EN_CHANGE, kNone,
         kNone, false, false, false, 0},
        // CheckBox: not automatic, the control decides the value
        {L"BUTTON", kButton | BS_CHECKBOX, 0, 0, BS_MULTILINE, 0, false, true, nullptr, BN_CLICKED, kNone, kNone, kNone,
         false, false, false, 0},
        // OptionButton
        {L"BUTTON", kButton | BS_RADIOBUTTON, 0, 0, BS_MULTILINE, 0, false, true, nullptr, BN_CLICKED, kNone, kNone, kNone,
         false, false, false, 0},
        // CommandButton
        {L"BUTTON", kButton | BS_PUSHBUTTON, 0, 0, BS_MULTILINE, 0, false, true, nullptr, BN_CLICKED, kNone, kNone, kNone,
         false, false, false, 0},
        // ComboBox
        {L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 0, 0, 0, 0, false, false, &kComboItems,
         CBN_SELCHANGE, kNone, CBN_DROPDOWN, CBN_CLOSEUP, false, false, false, 200},
        // ListBox
        {L"LISTBOX",
         WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
         WS_EX_CLIENTEDGE, 0, 0, 0, false, false, &kListItems, LBN_SELCHANGE, kNone, kNone, kNone, false, true, false, 0},
        // HScrollBar
        {L"SCROLLBAR", WS_TABSTOP | SBS_HORZ, 0, 0, 0, 0, false, false, nullptr, kNone, kNone, kNone, kNone, true, false,
         false, 0},
        // VScrollBar
        {L"SCROLLBAR", WS_TABSTOP | SBS_VERT, 0, 0, 0, 0, false, false, nullptr, kNone, kNone, kNone, kNone, true, false,
         false, 0},
        // Frame
        {L"BUTTON", BS_GROUPBOX, 0, 0, 0, 0, false, false, nullptr, kNone, kNone, kNone, kNone, false, false, true, 0},
    };
    static_assert(sizeof(kinds) / sizeof(kinds[0]) == static_cast<size_t>(NativeKind::Frame) + 1);
    return kinds[static_cast<size_t>(k)];
}

DWORD ChildStyle(const KindDescriptor& d, const NativeChildStyle& s) {
    DWORD ws = WS_CHILD | WS_CLIPSIBLINGS | d.style;
    if (s.visible) ws |= WS_VISIBLE;
    if (!s.enabled) ws |= WS_DISABLED;
    if (s.readOnly) ws |= d.readOnlyStyle;
    // A text box asks for its lines; a caption with a line break gets them, as the toolkit lays it out.
    const bool severalLines = d.linesOnRequest ? s.multiLine : s.text.find(L'\n') != std::wstring::npos;
    if (severalLines) ws = (ws | d.multiLineStyle) & ~d.multiLineDrop;
    return ws;
}

// The side of a tick box in an entry, and the gap after it.
constexpr int kTick = 13;

FontOwner MakeFont(const Font& f) {
    const int height = -FontPixelHeight(f);
    return FontOwner(CreateFontW(height, 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, f.face));
}

// Marks a child window as ours and names its owner, for the parent's hub.
constexpr wchar_t kChildProp[] = L"MorrowenSnip.NativeChild";

ScrollAction ActionOf(WORD code, bool& known) {
    known = true;
    switch (code) {
        case SB_LINEUP: return ScrollAction::LineBack;
        case SB_LINEDOWN: return ScrollAction::LineForward;
        case SB_PAGEUP: return ScrollAction::PageBack;
        case SB_PAGEDOWN: return ScrollAction::PageForward;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: return ScrollAction::Track;
        case SB_TOP: return ScrollAction::First;
        case SB_BOTTOM: return ScrollAction::Last;
        default: known = false; return ScrollAction::Track;
    }
}

// One class for every kind: what differs is in the kind's descriptor.
class Win32Child final : public NativeChild {
public:
    Win32Child(Handle formWindow, NativeChildEvents& events, const NativeChildStyle& style)
        : events_(events), parent_(reinterpret_cast<HWND>(formWindow)), desc_(Describe(style.kind)) {
        // The form paints its surface around its children, not over them.
        const LONG_PTR parentStyle = GetWindowLongPtrW(parent_, GWL_STYLE);
        if (!(parentStyle & WS_CLIPCHILDREN)) SetWindowLongPtrW(parent_, GWL_STYLE, parentStyle | WS_CLIPCHILDREN);

        const Rect& b = style.bounds;
        // Without its window the control is missing from the form, and every call on it does nothing.
        hwnd_ = Checked(CreateWindowExW(desc_.exStyle, desc_.windowClass, style.text.c_str(), ChildStyle(desc_, style),
                                        b.left, b.top, b.Width(), b.Height() + desc_.listRoom, parent_, nullptr,
                                        GetModuleHandleW(nullptr), nullptr),
                        L"CreateWindowExW (native child)");
        if (!hwnd_) return;
        // Unsubclassed, the control shows but tells its owner nothing: it is
        // taken away rather than left on the form dead.
        if (!Checked(SetWindowSubclass(hwnd_, &Win32Child::ChildProc, 1, reinterpret_cast<DWORD_PTR>(this)),
                     L"SetWindowSubclass (native child)")) {
            DestroyWindow(std::exchange(hwnd_, nullptr));
            return;
        }
        SetPropW(hwnd_, kChildProp, this);
        // A frame lies under the controls it holds.
        if (desc_.bandOnly) SetWindowPos(hwnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetColors(style.backColor, style.foreColor);
        SetFont(style.font);
        if (desc_.checkable) SetCheck(style.check);
        for (size_t i = 0; i < style.items.size(); ++i) {
            InsertItem(-1, style.items[i]);
            if (i < style.ticks.size() && style.ticks[i]) SetTick(static_cast<int>(i), true);
        }
        if (desc_.items) SetListIndex(style.listIndex);
        if (desc_.scrolls) SetScroll(style.scroll);
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
        if (!hwnd_) return;
        SetWindowPos(hwnd_, nullptr, r.left, r.top, r.Width(), r.Height() + desc_.listRoom,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (desc_.bandOnly) KeepBand();
    }
    void SetVisible(bool v) override {
        if (hwnd_) ShowWindow(hwnd_, v ? SW_SHOWNA : SW_HIDE);
    }
    void SetEnabled(bool v) override {
        if (hwnd_) EnableWindow(hwnd_, v ? TRUE : FALSE);
    }
    void SetReadOnly(bool v) override {
        if (hwnd_ && desc_.readOnlyStyle) SendMessageW(hwnd_, EM_SETREADONLY, v ? TRUE : FALSE, 0);
    }
    void SetText(const std::wstring& s) override {
        if (hwnd_ && !desc_.items) SetWindowTextW(hwnd_, s.c_str());
    }
    std::wstring Text() const override {
        if (!hwnd_) return {};
        std::wstring s(static_cast<size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
        s.resize(static_cast<size_t>(GetWindowTextW(hwnd_, s.data(), static_cast<int>(s.size()))));
        return s;
    }
    void SetCheck(int v) override {
        if (hwnd_ && desc_.checkable)
            SendMessageW(hwnd_, BM_SETCHECK, v == 1 ? BST_CHECKED : v == 2 ? BST_INDETERMINATE : BST_UNCHECKED, 0);
    }
    void SetFont(const Font& f) override {
        FontOwner next = MakeFont(f);
        if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(next.Get()), TRUE);
        font_ = std::move(next);  // the old font is released only once the child no longer uses it
        if (!hwnd_) return;
        if (desc_.tickBoxes) {
            // Owner-drawn entries take their height from the font, and room for the tick box.
            const int h = std::max(FontHeight() + 2, kTick + 3);
            SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, MAKELPARAM(h, 0));
            InvalidateRect(hwnd_, nullptr, TRUE);
        }
        if (desc_.bandOnly) KeepBand();
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
    void InsertItem(int index, const std::wstring& s) override {
        if (hwnd_ && desc_.items)
            SendMessageW(hwnd_, desc_.items->insert, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.c_str()));
    }
    void RemoveItem(int index) override {
        if (hwnd_ && desc_.items) SendMessageW(hwnd_, desc_.items->remove, static_cast<WPARAM>(index), 0);
    }
    void ClearItems() override {
        if (hwnd_ && desc_.items) SendMessageW(hwnd_, desc_.items->reset, 0, 0);
    }
    void SetListIndex(int index) override {
        if (hwnd_ && desc_.items) SendMessageW(hwnd_, desc_.items->setSel, static_cast<WPARAM>(index), 0);
    }
    void SetTick(int index, bool on) override {
        if (!hwnd_ || !desc_.items) return;
        SendMessageW(hwnd_, desc_.items->setData, static_cast<WPARAM>(index), on ? 1 : 0);
        RECT r{};
        if (desc_.items->getRect &&
            SendMessageW(hwnd_, desc_.items->getRect, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)) != -1)
            InvalidateRect(hwnd_, &r, TRUE);
    }
    void SetScroll(const ScrollRange& r) override {
        if (!hwnd_ || !desc_.scrolls) return;
        SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_POS, std::min(r.min, r.max), std::max(r.min, r.max), 0, 0, 0};
        // A bar whose Min is above its Max runs backwards: the thumb shows it mirrored.
        si.nPos = r.min <= r.max ? r.value : r.min + r.max - r.value;
        range_ = r;
        // While the user drags the thumb the bar draws it; the value is set when it is let go.
        if (!dragging_) SetScrollInfo(hwnd_, SB_CTL, &si, TRUE);
    }
    int LineCount() const override { return hwnd_ ? static_cast<int>(SendMessageW(hwnd_, EM_GETLINECOUNT, 0, 0)) : 0; }
    int LineIndex(int line) const override {
        return hwnd_ ? static_cast<int>(SendMessageW(hwnd_, EM_LINEINDEX, static_cast<WPARAM>(line), 0)) : -1;
    }
    int LineLength(int charIndex) const override {
        return hwnd_ ? static_cast<int>(SendMessageW(hwnd_, EM_LINELENGTH, static_cast<WPARAM>(charIndex), 0)) : 0;
    }
    std::wstring GetLine(int line) const override {
        const int first = LineIndex(line);
        if (first < 0) return {};
        const int length = LineLength(first);
        // The buffer's first word holds its capacity, as EM_GETLINE reads it.
        std::wstring buf(static_cast<size_t>(std::max(length, 1)) + 1, L'\0');
        buf[0] = static_cast<wchar_t>(buf.size());
        const LRESULT copied = SendMessageW(hwnd_, EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(buf.data()));
        buf.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
        return buf;
    }

private:
    void Detach() {
        RemovePropW(hwnd_, kChildProp);
        RemoveWindowSubclass(hwnd_, &Win32Child::ChildProc, 1);
        hwnd_ = nullptr;
    }

    int FontHeight() const {
        WindowDc dc(hwnd_);
        SelectGuard font(dc.Get(), font_.Get());
        TEXTMETRICW tm{};
        GetTextMetricsW(dc.Get(), &tm);
        return tm.tmHeight;
    }

    // Only the border band and caption of a frame are its window, so that the
    // form's surface (and what it paints there) shows inside.
    void KeepBand() {
        RECT r{};
        GetClientRect(hwnd_, &r);
        const int top = FontHeight();
        RegionOwner band(CreateRectRgn(0, 0, r.right, r.bottom));
        RegionOwner inside(CreateRectRgn(3, top, std::max(3, static_cast<int>(r.right) - 3),
                                         std::max(top, static_cast<int>(r.bottom) - 3)));
        if (!band || !inside) return;
        CombineRgn(band.Get(), band.Get(), inside.Get(), RGN_DIFF);
        if (SetWindowRgn(hwnd_, band.Get(), TRUE)) (void)band.Release();  // the window owns the region from here
    }

    // The entry under a client point and whether the point is on its tick box; -1 for none.
    int EntryAt(int x, int y, bool& onTick) const {
        const LRESULT hit = SendMessageW(hwnd_, LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
        onTick = x < kTick + 4;
        if (HIWORD(hit)) return -1;  // below the last entry
        return static_cast<int>(LOWORD(hit));
    }

    void DrawEntry(const DRAWITEMSTRUCT& di) const {
        if (di.itemID == static_cast<UINT>(-1)) return;
        HDC dc = di.hDC;
        const bool chosen = (di.itemState & ODS_SELECTED) != 0;
        FillRect(dc, &di.rcItem, chosen ? GetSysColorBrush(COLOR_HIGHLIGHT) : brush_.Get());
        const int mid = (di.rcItem.top + di.rcItem.bottom) / 2;
        RECT tick{di.rcItem.left + 2, mid - kTick / 2, di.rcItem.left + 2 + kTick, mid - kTick / 2 + kTick};
        const bool ticked = SendMessageW(hwnd_, desc_.items->getData, di.itemID, 0) == 1;
        DrawFrameControl(dc, &tick, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (ticked ? DFCS_CHECKED : 0));
        const LRESULT len = SendMessageW(hwnd_, LB_GETTEXTLEN, di.itemID, 0);
        std::wstring text(static_cast<size_t>(std::max<LRESULT>(len, 0)) + 1, L'\0');
        text.resize(static_cast<size_t>(std::max<LRESULT>(SendMessageW(hwnd_, LB_GETTEXT, di.itemID,
                                                                       reinterpret_cast<LPARAM>(text.data())), 0)));
        RECT tr = di.rcItem;
        tr.left = tick.right + 4;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, chosen ? GetSysColor(COLOR_HIGHLIGHTTEXT) : fore_);
        {
            SelectGuard font(dc, font_.Get());
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        }
        if (di.itemState & ODS_FOCUS) DrawFocusRect(dc, &di.rcItem);
    }

    // Tells the owner of mouse and focus messages; true when it was told.
    static bool ReportMouseOrFocus(NativeChildEvents& e, UINT msg, WPARAM wp, LPARAM lp) {
        switch (msg) {
            case WM_LBUTTONDOWN: e.OnChildMouse(0, Mouse(kLeftButton, lp)); return true;
            case WM_RBUTTONDOWN: e.OnChildMouse(0, Mouse(kRightButton, lp)); return true;
            case WM_MBUTTONDOWN: e.OnChildMouse(0, Mouse(kMiddleButton, lp)); return true;
            case WM_MOUSEMOVE: e.OnChildMouse(1, Mouse(ButtonsHeld(wp), lp)); return true;
            case WM_LBUTTONUP: e.OnChildMouse(2, Mouse(kLeftButton, lp)); return true;
            case WM_RBUTTONUP: e.OnChildMouse(2, Mouse(kRightButton, lp)); return true;
            case WM_MBUTTONUP: e.OnChildMouse(2, Mouse(kMiddleButton, lp)); return true;
            case WM_LBUTTONDBLCLK: e.OnChildDblClick(); return true;
            case WM_SETFOCUS: e.OnChildFocus(true); return true;
            case WM_KILLFOCUS: e.OnChildFocus(false); return true;
            default: return false;
        }
    }

    int Choice() const { return static_cast<int>(SendMessageW(hwnd_, desc_.items->getSel, 0, 0)); }

    // Key events go to the owner; after such a call the owner may have
    // destroyed this object, so only the saved handle is used afterwards.
    static LRESULT CALLBACK ChildProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
        auto* self = reinterpret_cast<Win32Child*>(ref);
        if (ReportMouseOrFocus(self->events_, msg, wp, lp) && !IsWindow(h)) return 0;
        switch (msg) {
            case WM_KEYDOWN:
                if (self->desc_.tickBoxes && wp == VK_SPACE) {
                    const int at = self->Choice();
                    self->events_.OnChildKeyDown(static_cast<int>(wp), ShiftState());
                    if (IsWindow(h) && at >= 0) self->events_.OnChildEvent(NativeEvent::ItemCheck, at);
                    return 0;
                }
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
                if (self->desc_.tickBoxes && wp == L' ') return 0;  // Space ticked; it is no search key
                break;
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
                if (self->desc_.tickBoxes) {
                    bool onTick = false;
                    const int at = self->EntryAt(GET_X_LPARAM(lp), GET_Y_LPARAM(lp), onTick);
                    if (at >= 0 && onTick) {
                        // The tick toggles and the entry takes the caret, without a choice's Click.
                        ::SetFocus(h);
                        SendMessageW(h, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
                        self->events_.OnChildEvent(NativeEvent::ItemCheck, at);
                        return 0;
                    }
                }
                break;
            case WM_ERASEBKGND:
                // A group box leaves its band unpainted; the form is clipped out of it.
                if (self->desc_.bandOnly) {
                    RECT r{};
                    GetClientRect(h, &r);
                    FillRect(reinterpret_cast<HDC>(wp), &r, self->brush_.Get());
                    return 1;
                }
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
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
        switch (msg) {
            case WM_CTLCOLOREDIT:
            case WM_CTLCOLORSTATIC:
            case WM_CTLCOLORBTN:
            case WM_CTLCOLORLISTBOX:
            case WM_CTLCOLORSCROLLBAR: {
                HDC dc = reinterpret_cast<HDC>(wp);
                SetTextColor(dc, fore_);
                SetBkColor(dc, back_);
                result = reinterpret_cast<LRESULT>(brush_.Get());
                return true;
            }
            case WM_COMMAND: {
                result = 0;
                const UINT code = HIWORD(wp);
                if (code == desc_.openCode) {
                    dropped_ = true;
                } else if (code == desc_.closeCode) {
                    // The list closed: what it holds chosen now is the user's choice.
                    dropped_ = false;
                    events_.OnChildEvent(NativeEvent::Click, Choice());
                } else if (code == desc_.clickCode && !dropped_) {
                    events_.OnChildEvent(NativeEvent::Click, desc_.items ? Choice() : 0);
                } else if (code == desc_.changeCode) {
                    events_.OnChildEvent(NativeEvent::Change, 0);
                }
                return true;
            }
            case WM_DRAWITEM:
                if (!desc_.tickBoxes) return false;
                DrawEntry(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
                result = TRUE;
                return true;
            case WM_HSCROLL:
            case WM_VSCROLL: {
                result = 0;
                bool known = false;
                const ScrollAction a = ActionOf(LOWORD(wp), known);
                dragging_ = LOWORD(wp) == SB_THUMBTRACK;
                if (!desc_.scrolls || !known) return true;
                SCROLLINFO si{sizeof(si), SIF_TRACKPOS | SIF_POS, 0, 0, 0, 0, 0};
                GetScrollInfo(hwnd_, SB_CTL, &si);
                int track = LOWORD(wp) == SB_THUMBTRACK ? si.nTrackPos : si.nPos;
                if (LOWORD(wp) == SB_THUMBPOSITION) track = si.nTrackPos;
                if (range_.min > range_.max) track = range_.min + range_.max - track;
                const int next = ScrollTarget(range_, a, track);
                const bool moved = next != range_.value;
                if (LOWORD(wp) == SB_THUMBPOSITION) {
                    ScrollRange at = range_;  // the drag is over: the bar takes its value again
                    at.value = next;
                    SetScroll(at);
                }
                if (moved) events_.OnChildEvent(NativeEvent::Change, next);
                return true;
            }
            default:
                return false;
        }
    }

private:
    NativeChildEvents& events_;
    HWND parent_;
    HWND hwnd_ = nullptr;
    const KindDescriptor& desc_;
    FontOwner font_;
    BrushOwner brush_;
    COLORREF back_ = RGB(255, 255, 255);
    COLORREF fore_ = RGB(0, 0, 0);
    ScrollRange range_;
    bool dropped_ = false;   // a combo's list is open
    bool dragging_ = false;  // the user drags a scroll bar's thumb
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
        case WM_DRAWITEM:
            child = reinterpret_cast<const DRAWITEMSTRUCT*>(lp)->hwndItem;
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

std::intptr_t SendWindowMessage(Handle window, unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) {
    HWND h = reinterpret_cast<HWND>(window);
    if (!IsWindow(h)) return 0;
    return SendMessageW(h, msg, wParam, lParam);
}

}  // namespace plat
