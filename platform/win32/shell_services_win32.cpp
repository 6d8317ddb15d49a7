// Notification-area icon, shell "open", layered topmost style.
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>

#include "platform/services/files.h"
#include "platform/services/shell_services.h"
#include "platform/win32/win32_internal.h"

namespace plat {
namespace {

class Win32TrayIcon final : public TrayIcon {
public:
    Win32TrayIcon(HWND window, const std::wstring& tip) {
        data_.cbSize = sizeof(data_);
        data_.hWnd = window;
        data_.hIcon = static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                       GetSystemMetrics(SM_CYSMICON), LR_SHARED));
        data_.uID = 1;
        data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data_.uCallbackMessage = win32::kTrayMessage;
        lstrcpynW(data_.szTip, tip.c_str(), ARRAYSIZE(data_.szTip));
        added_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
    }
    ~Win32TrayIcon() override { Remove(); }
    Win32TrayIcon(const Win32TrayIcon&) = delete;
    Win32TrayIcon& operator=(const Win32TrayIcon&) = delete;

    void Remove() override {
        if (added_) Shell_NotifyIconW(NIM_DELETE, &data_);
        added_ = false;
    }

    bool ShowBalloon(const std::wstring& title, const std::wstring& text) override {
        if (!added_) return false;
        NOTIFYICONDATAW info = data_;
        info.uFlags = NIF_INFO;
        lstrcpynW(info.szInfoTitle, title.c_str(), ARRAYSIZE(info.szInfoTitle));
        // Some shells size the balloon a few pixels short of its text and cut
        // the last characters: three no-break spaces (never trimmed) take the cut.
        const std::wstring padded = text + L"\u00A0\u00A0\u00A0";
        lstrcpynW(info.szInfo, padded.c_str(), ARRAYSIZE(info.szInfo));
        // A notice, not a warning.
        info.dwInfoFlags = NIIF_INFO;
        return Shell_NotifyIconW(NIM_MODIFY, &info) != FALSE;
    }

private:
    NOTIFYICONDATAW data_{};
    bool added_ = false;
};

}  // namespace

std::unique_ptr<TrayIcon> TrayIcon::Add(Handle window, const std::wstring& tip) {
    return std::make_unique<Win32TrayIcon>(reinterpret_cast<HWND>(window), tip);
}

void OpenUrl(const std::wstring& url) {
    // Whether a browser opened is the shell's business; nothing to report here.
    (void)ShellExecuteW(nullptr, L"open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void SetTopLayered(Handle window, bool onTop, int& alpha, bool clickThrough) {
    auto h = reinterpret_cast<HWND>(window);
    LONG_PTR ex = GetWindowLongPtrW(h, GWL_EXSTYLE) | WS_EX_LAYERED;
    if (clickThrough)
        ex |= WS_EX_TRANSPARENT;
    else
        ex &= ~static_cast<LONG_PTR>(WS_EX_TRANSPARENT);
    SetWindowLongPtrW(h, GWL_EXSTYLE, ex);
    alpha = alpha < 0 ? 0 : (alpha > 255 ? 255 : alpha);
    SetLayeredWindowAttributes(h, 0, static_cast<BYTE>(alpha), LWA_ALPHA);
    SetWindowPos(h, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

int ShowTrayMenu(Handle window, const std::vector<std::wstring>& items) {
    HWND owner = reinterpret_cast<HWND>(window);
    HMENU menu = CreatePopupMenu();
    if (!menu) return -1;
    for (size_t i = 0; i < items.size(); ++i)
        AppendMenuW(menu, items[i].empty() ? MF_SEPARATOR : MF_STRING, i + 1, items[i].c_str());
    POINT at{};
    GetCursorPos(&at);
    // The menu closes when the user clicks elsewhere only if its owner is in
    // front; the message after it lets the menu end cleanly.
    SetForegroundWindow(owner);
    const int chosen = static_cast<int>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    DestroyMenu(menu);
    return chosen - 1;
}

void RestoreWindow(Handle window) { ShowWindow(reinterpret_cast<HWND>(window), SW_RESTORE); }

void EndProgramNow(int code) {
    FinishFileRemovals();  // the old files that saves set aside go before the process does
    ExitProcess(static_cast<UINT>(code));
}

}  // namespace plat
