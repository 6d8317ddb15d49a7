#pragma once
// The desktop shell's services the main window uses: the notification-area
// icon, opening a web page, and the layered always-on-top style.
#include <memory>
#include <string>
#include <vector>

#include "platform/services/types.h"

namespace plat {

// A notification-area icon for a window, showing the program's icon and a
// tip. Mouse activity over it reaches the window as Form_TrayNotify with the
// mouse message number (514 = left button released). Removed when the owner
// is destroyed or Remove is called.
class TrayIcon {
public:
    static std::unique_ptr<TrayIcon> Add(Handle window, const std::wstring& tip);
    virtual ~TrayIcon() = default;
    virtual void Remove() = 0;
    // A short notice from the icon (the shell shows it for a few seconds).
    // False when there is no icon or the shell refused it.
    virtual bool ShowBalloon(const std::wstring& title, const std::wstring& text) = 0;
};

// Mouse message numbers the tray reports.
constexpr int kTrayLeftButtonUp = 514;
constexpr int kTrayRightButtonUp = 517;

// A menu of `items` at the pointer, as a tray icon's right button opens it
// ("" is a separator line). The index of the item chosen, or -1 when the
// user closed it without a choice.
int ShowTrayMenu(Handle window, const std::vector<std::wstring>& items);

// Opens a web address with the shell's "open" verb (the user's browser).
void OpenUrl(const std::wstring& url);

// Makes the window layered with the given opacity (clamped into 0..255 and
// written back), click-through or not, and topmost or not.
void SetTopLayered(Handle window, bool onTop, int& alpha, bool clickThrough);

// Restores a hidden or minimised window to its normal state and shows it.
void RestoreWindow(Handle window);

// Ends the program at once, without unloading its windows.
[[noreturn]] void EndProgramNow(int code);

}  // namespace plat
