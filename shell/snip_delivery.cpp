#include "shell/snip_delivery.h"

#include <ctime>
#include <utility>
#include <vector>

#include "platform/services/picture_bytes.h"
#include "shell/auto_save.h"
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
    const std::time_t now = std::time(nullptr);
    const bool keep = RecentSnipsWanted(), save = !AutoSaveFolder().empty();
    // Compressed once for both.
    std::vector<std::uint8_t> png;
    if ((keep || save) && plat::EncodePngBytes(snip, png)) {
        if (save) (void)AutoSave(png, now);
        if (keep) Recent().KeepPng(std::move(png), snip.Width(), snip.Height(), now);
    }
    if (const auto watcher = Watcher()) watcher(snip);
}

std::optional<plat::Rect> LastSnipRect() { return LastRect(); }

void WatchDeliveries(std::function<void(const plat::Picture&)> watcher) { Watcher() = std::move(watcher); }

void ResetDeliveries() {
    LastRect().reset();
    Watcher() = nullptr;
}

}  // namespace shell
