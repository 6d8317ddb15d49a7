#include <windows.h>

#include <utility>

#include "platform/services/tray_menu.h"

namespace plat {

namespace {

// The menu and its submenus, destroyed together with this owner.
class MenuOwner {
public:
    MenuOwner() : menu_(CreatePopupMenu()) {}
    ~MenuOwner() {
        if (menu_) DestroyMenu(menu_);
    }
    MenuOwner(const MenuOwner&) = delete;
    MenuOwner& operator=(const MenuOwner&) = delete;
    HMENU Get() const { return menu_; }
    // A submenu once appended belongs to its parent, which destroys it.
    HMENU Release() { return std::exchange(menu_, nullptr); }

private:
    HMENU menu_;
};

// Command ids are the entries' ids plus one: 0 means "no choice".
bool Fill(HMENU menu, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& e : entries) {
        if (e.text.empty()) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING | (e.checked ? MF_CHECKED : 0u) | (e.enabled ? 0u : MF_GRAYED);
        if (!e.children.empty()) {
            MenuOwner sub;
            if (!sub.Get() || !Fill(sub.Get(), e.children)) return false;
            if (!AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Get()), e.text.c_str()))
                return false;
            sub.Release();
            continue;
        }
        AppendMenuW(menu, flags, static_cast<UINT_PTR>(e.id + 1), e.text.c_str());
    }
    return true;
}

}  // namespace

int ShowTrayMenuTree(Handle window, const std::vector<MenuEntry>& entries) {
    HWND owner = reinterpret_cast<HWND>(window);
    MenuOwner menu;
    if (!menu.Get() || !Fill(menu.Get(), entries)) return -1;
    POINT at{};
    GetCursorPos(&at);
    // The menu closes when the user clicks elsewhere only if its owner is in
    // front; the message after it lets the menu end cleanly.
    SetForegroundWindow(owner);
    const int chosen = static_cast<int>(
        TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    return chosen - 1;
}

}  // namespace plat
