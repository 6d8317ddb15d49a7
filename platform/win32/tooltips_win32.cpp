// Tooltips on Win32: one tooltip window per form, owned by it (so it goes
// with it), found through a property of the form's window. Mouse messages
// reach it through a pre-dispatch hook of the one dispatch routine: the
// relay serves every tool the same way, where a subclass (TTF_SUBCLASS) is
// one per window and shared by all the form's windowless tools, so removing
// one tool would stop the others.
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <optional>

#include "platform/services/tooltip.h"
#include "platform/win32/win32_internal.h"

namespace plat::tooltip {
namespace {

constexpr wchar_t kTipProp[] = L"MorrowenSnip.ToolTip";

bool IsMouseMessage(UINT m) { return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || m == WM_MOUSELEAVE; }

HWND TipOf(HWND form) { return static_cast<HWND>(GetPropW(form, kTipProp)); }

// Where a tool is: its host window and, for a windowless control, its
// rectangle there (a native child is its own window).
struct ToolPlace {
    HWND host = nullptr;
    RECT rect{};
    bool isWindow = false;
};

// The tools added to each form's tooltip window (its query answers copy the
// tip's text into a buffer of unknown size, so it is not asked).
std::map<HWND, std::map<UINT_PTR, ToolPlace>>& Tools() {
    // Never destroyed: forms still loaded at exit are freed after the
    // program's other statics, and their controls remove their tools here.
    static auto* tools = new std::map<HWND, std::map<UINT_PTR, ToolPlace>>;
    return *tools;
}

// The screen rectangle of the bar a tool belongs to: its host when that is a
// bar of its own (a child window), else the tool itself.
std::optional<RECT> BarUnderCursor(HWND form) {
    auto found = Tools().find(form);
    if (found == Tools().end()) return std::nullopt;
    POINT cursor{};
    GetCursorPos(&cursor);
    for (const auto& [id, place] : found->second) {
        RECT r{};
        if (place.isWindow) {
            if (!GetWindowRect(reinterpret_cast<HWND>(id), &r)) continue;
        } else {
            r = place.rect;
            MapWindowPoints(place.host, nullptr, reinterpret_cast<POINT*>(&r), 2);
        }
        if (!PtInRect(&r, cursor)) continue;
        if (place.host != form && (GetWindowLongPtrW(place.host, GWL_STYLE) & WS_CHILD))
            GetWindowRect(place.host, &r);
        return r;
    }
    return std::nullopt;
}

// The tip opens above the bar it describes (below it when there is no room
// above), never over it: the user reads the tip and still sees the bar.
LRESULT CALLBACK TipProc(HWND tip, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    if (msg == WM_WINDOWPOSCHANGING) {
        auto* pos = reinterpret_cast<WINDOWPOS*>(lp);
        if (!(pos->flags & SWP_NOMOVE)) {
            if (const auto bar = BarUnderCursor(GetWindow(tip, GW_OWNER))) {
                RECT now{};
                GetWindowRect(tip, &now);
                const int height = (pos->flags & SWP_NOSIZE) ? now.bottom - now.top : pos->cy;
                constexpr int kGap = 4;
                MONITORINFO mi{sizeof(mi), {}, {}, 0};
                GetMonitorInfoW(MonitorFromRect(&*bar, MONITOR_DEFAULTTONEAREST), &mi);
                const int above = bar->top - kGap - height;
                pos->y = above >= mi.rcMonitor.top ? above : bar->bottom + kGap;
            }
        }
    }
    return DefSubclassProc(tip, msg, wp, lp);
}

void RelayMouse() {
    static const bool hooked = (win32::AddPreDispatchHook([](MSG& msg) {
                                    if (!IsMouseMessage(msg.message) || !msg.hwnd) return false;
                                    HWND top = GetAncestor(msg.hwnd, GA_ROOT);
                                    if (HWND tip = top ? TipOf(top) : nullptr)
                                        SendMessageW(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
                                    return false;  // the message goes on as usual
                                }),
                                true);
    (void)hooked;
}

HWND EnsureTip(HWND form) {
    if (HWND tip = TipOf(form); tip && IsWindow(tip)) return tip;
    static const bool registered = [] {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)registered;
    // Without the tip window the form's controls show no tips; nothing else changes.
    HWND tip = win32::Checked(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                              WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                              CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr, GetModuleHandleW(nullptr),
                                              nullptr),
                              L"CreateWindowExW (tooltip)");
    if (!tip) return nullptr;
    SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, 400);  // long tips wrap; line breaks show
    SetWindowSubclass(tip, TipProc, 1, 0);
    SetPropW(form, kTipProp, tip);
    Tools()[form].clear();  // a new window for this handle: none of the old tools
    RelayMouse();
    return tip;
}

TTTOOLINFOW ToolOf(HWND form, const void* key, Handle child) {
    TTTOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = form;
    if (child) {
        ti.uFlags = TTF_IDISHWND;
        ti.uId = static_cast<UINT_PTR>(child);
    } else {
        ti.uId = reinterpret_cast<UINT_PTR>(key);
    }
    return ti;
}

}  // namespace

void Set(Handle hostWindow, const void* key, Handle child, const Rect& rect, const std::wstring& text) {
    HWND host = reinterpret_cast<HWND>(hostWindow);
    // One tip window per form, for the tools of all its windows.
    HWND form = IsWindow(host) ? GetAncestor(host, GA_ROOT) : nullptr;
    HWND tip = form ? EnsureTip(form) : nullptr;
    if (!tip) return;
    TTTOOLINFOW ti = ToolOf(host, key, child);
    ti.rect = RECT{rect.left, rect.top, rect.right, rect.bottom};
    ti.lpszText = const_cast<wchar_t*>(text.c_str());
    auto [place, added] = Tools()[form].try_emplace(ti.uId);
    place->second = ToolPlace{host, ti.rect, child != 0};
    if (added) {
        SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
        return;
    }
    if (!child) SendMessageW(tip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
    SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void Remove(Handle hostWindow, const void* key, Handle child) {
    HWND host = reinterpret_cast<HWND>(hostWindow);
    HWND form = IsWindow(host) ? GetAncestor(host, GA_ROOT) : nullptr;
    HWND tip = form ? TipOf(form) : nullptr;
    if (!tip || !IsWindow(tip)) return;
    TTTOOLINFOW ti = ToolOf(host, key, child);
    Tools()[form].erase(ti.uId);
    SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void HideAll(Handle formWindow) {
    HWND form = reinterpret_cast<HWND>(formWindow);
    HWND tip = IsWindow(form) ? TipOf(form) : nullptr;
    if (tip && IsWindow(tip)) SendMessageW(tip, TTM_POP, 0, 0);
}

}  // namespace plat::tooltip
