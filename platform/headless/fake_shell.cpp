#include "platform/headless/fake_shell.h"

#include <algorithm>
#include <map>

#include "platform/services/message_pump.h"
#include "platform/headless/headless_window.h"
#include "platform/services/shell_services.h"

namespace plat::fake {
namespace {

struct ShellState {
    std::vector<TrayRecord> icons;
    std::vector<BalloonRecord> balloons;
    std::vector<std::wstring> urls;
    std::map<Handle, LayeredStyle> layered;
    int menuAnswer = -1;
    std::vector<std::wstring> lastMenu;
};
ShellState& S() {
    static ShellState s;
    return s;
}

class FakeTrayIcon final : public TrayIcon {
public:
    FakeTrayIcon(Handle w, const std::wstring& tip) : window_(w) { S().icons.push_back({w, tip}); }
    ~FakeTrayIcon() override { Remove(); }
    FakeTrayIcon(const FakeTrayIcon&) = delete;
    FakeTrayIcon& operator=(const FakeTrayIcon&) = delete;
    void Remove() override {
        auto& v = S().icons;
        v.erase(std::remove_if(v.begin(), v.end(), [&](const TrayRecord& r) { return r.window == window_; }), v.end());
        removed_ = true;
    }
    bool ShowBalloon(const std::wstring& title, const std::wstring& text) override {
        if (removed_) return false;
        S().balloons.push_back({window_, title, text});
        return true;
    }

private:
    Handle window_;
    bool removed_ = false;
};

}  // namespace

std::vector<TrayRecord> TrayIcons() { return S().icons; }

bool TrayNotify(Handle window, int mouseMessage) {
    auto& v = S().icons;
    if (std::none_of(v.begin(), v.end(), [&](const TrayRecord& r) { return r.window == window; })) return false;
    headless::detail::HeadlessWindow* w = headless::detail::Find(window);
    if (!w) return false;
    w->Events().OnTrayNotify(mouseMessage);
    RunAfterDispatchHooks();
    return true;
}

const std::vector<BalloonRecord>& Balloons() { return S().balloons; }

const std::vector<std::wstring>& OpenedUrls() { return S().urls; }

std::optional<LayeredStyle> LayeredStyleOf(Handle window) {
    auto it = S().layered.find(window);
    if (it == S().layered.end()) return std::nullopt;
    return it->second;
}

void SetTrayMenuAnswer(int index) { S().menuAnswer = index; }
const std::vector<std::wstring>& LastTrayMenu() { return S().lastMenu; }

void ResetShell() { S() = ShellState{}; }

}  // namespace plat::fake

namespace plat {

std::unique_ptr<TrayIcon> TrayIcon::Add(Handle window, const std::wstring& tip) {
    return std::make_unique<fake::FakeTrayIcon>(window, tip);
}

void OpenUrl(const std::wstring& url) { fake::S().urls.push_back(url); }

int ShowTrayMenu(Handle, const std::vector<std::wstring>& items) {
    fake::S().lastMenu = items;
    return fake::S().menuAnswer;
}

void SetTopLayered(Handle window, bool onTop, int& alpha, bool clickThrough) {
    alpha = alpha < 0 ? 0 : (alpha > 255 ? 255 : alpha);
    fake::S().layered[window] = {onTop, alpha, clickThrough};
}

void RestoreWindow(Handle window) {
    if (headless::detail::HeadlessWindow* w = headless::detail::Find(window)) w->Show(WindowState::Normal);
}

void EndProgramNow(int code) { throw fake::ProgramEnded{code}; }

}  // namespace plat
