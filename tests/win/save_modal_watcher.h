#pragma once
// Acts on a modal dialog of this process from a second thread, while the
// test's own thread sits in the dialog's modal loop.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace save_testing {

class ModalWatcher {
public:
    using Action = std::function<void(HWND)>;
    // Waits for a visible top-level dialog titled `title`, runs `act` on it once.
    ModalWatcher(std::wstring title, Action act) : title_(std::move(title)), act_(std::move(act)) {
        thread_ = std::thread([this] { Run(); });
    }
    ~ModalWatcher() {
        stop_ = true;
        thread_.join();
    }
    ModalWatcher(const ModalWatcher&) = delete;
    ModalWatcher& operator=(const ModalWatcher&) = delete;
    bool Seen() const { return seen_; }

    static std::wstring TextOf(HWND h) {
        wchar_t buf[2048] = {};
        GetWindowTextW(h, buf, 2048);
        return buf;
    }

private:
    struct Search {
        const std::wstring* title;
        HWND found = nullptr;
    };
    static BOOL CALLBACK Visit(HWND h, LPARAM lp) {
        auto* s = reinterpret_cast<Search*>(lp);
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        wchar_t cls[64] = {};
        GetClassNameW(h, cls, 64);
        if (pid == GetCurrentProcessId() && IsWindowVisible(h) && std::wstring(cls) == L"#32770" &&
            TextOf(h) == *s->title) {
            s->found = h;
            return FALSE;
        }
        return TRUE;
    }
    void Run() {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!stop_ && std::chrono::steady_clock::now() < until) {
            Search s{&title_};
            EnumWindows(Visit, reinterpret_cast<LPARAM>(&s));
            if (s.found) {
                Sleep(200);  // let the dialog finish filling itself
                seen_ = true;
                act_(s.found);
                return;
            }
            Sleep(20);
        }
    }

    std::wstring title_;
    Action act_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> seen_{false};
    std::thread thread_;
};

// Closes a message box with OK, keeping its text.
inline ModalWatcher::Action AcceptMessageBox(std::wstring& text) {
    return [&text](HWND box) {
        text = ModalWatcher::TextOf(GetDlgItem(box, 0xFFFF));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    };
}

}  // namespace save_testing
