#include "shell/snip_delivery.h"

#include <ctime>
#include <utility>

#include "shell/recent_snips.h"

namespace shell {

namespace {
std::optional<plat::Rect>& LastRect() {
    static std::optional<plat::Rect> rect;
    return rect;
}
std::function<void(const plat::Picture&)>& Watcher() {
    static std::function<void(const plat::Picture&)> watcher;
    return watcher;
}
}  // namespace

void SnipDelivered(const plat::Picture& snip, const plat::Rect& screenRect) {
    if (!screenRect.Empty()) LastRect() = screenRect;
    if (snip.Empty()) return;
    if (RecentSnipsWanted()) (void)Recent().Keep(snip, std::time(nullptr));
    if (const auto watcher = Watcher()) watcher(snip);
}

std::optional<plat::Rect> LastSnipRect() { return LastRect(); }

void WatchDeliveries(std::function<void(const plat::Picture&)> watcher) { Watcher() = std::move(watcher); }

void ResetDeliveries() {
    LastRect().reset();
    Watcher() = nullptr;
}

}  // namespace shell
