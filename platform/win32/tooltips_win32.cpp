// Tooltips on Win32: one tooltip window per form, owned by it (so it goes
// with it), found through a property of the form's window. Mouse messages
// reach it through a pre-dispatch hook of the one dispatch routine: the
// relay serves every tool the same way, where a subclass (TTF_SUBCLASS) is
// one per window and shared by all the form's windowless tools, so removing
// one tool would stop the others.
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <set>

#include "platform/services/tooltip.h"
#include "platform/win32/win32_internal.h"

namespace plat::tooltip {
namespace {

constexpr wchar_t kTipProp[] = L"MorrowenSnip.ToolTip";

bool IsMouseMessage(UINT m) { return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || m == WM_MOUSELEAVE; }

HWND TipOf(HWND form) { return static_cast<HWND>(GetPropW(form, kTipProp)); }

// The tools added to each form's tooltip window (its query answers copy the
// tip's text into a buffer of unknown size, so it is not asked).
std::map<HWND, std::set<UINT_PTR>>& Tools() {
    // Never destroyed: forms still loaded at exit are freed after the
    // program's other statics, and their controls remove their tools here.
    static auto* tools = new std::map<HWND, std::set<UINT_PTR>>;
    return *tools;
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
    if (Tools()[form].insert(ti.uId).second) {
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

}  // namespace plat::tooltip
