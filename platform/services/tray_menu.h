#pragma once
// The tray icon's menu with ticks, greyed entries and submenus.
#include <string>
#include <vector>

#include "platform/services/types.h"

namespace plat {

struct MenuEntry {
    int id = -1;        // what a choice of this entry returns; entries with children are not chosen
    std::wstring text;  // empty: a separator line
    bool checked = false;
    bool enabled = true;
    std::vector<MenuEntry> children;  // a submenu
};

// Shows the menu at the pointer; the chosen entry's id, or -1 when none.
int ShowTrayMenuTree(Handle window, const std::vector<MenuEntry>& entries);

}  // namespace plat
