#include "platform/services/native_child.h"

#include <algorithm>

namespace plat {

int ScrollTarget(const ScrollRange& r, ScrollAction a, int track) {
    const int lo = std::min(r.min, r.max), hi = std::max(r.min, r.max);
    // A bar whose Min is above its Max runs backwards: "forward" lowers the value.
    const int dir = r.min <= r.max ? 1 : -1;
    long long v = r.value;
    switch (a) {
        case ScrollAction::LineBack: v -= static_cast<long long>(dir) * r.smallChange; break;
        case ScrollAction::LineForward: v += static_cast<long long>(dir) * r.smallChange; break;
        case ScrollAction::PageBack: v -= static_cast<long long>(dir) * r.largeChange; break;
        case ScrollAction::PageForward: v += static_cast<long long>(dir) * r.largeChange; break;
        case ScrollAction::Track: v = track; break;
        case ScrollAction::First: v = r.min; break;
        case ScrollAction::Last: v = r.max; break;
    }
    return static_cast<int>(std::clamp<long long>(v, lo, hi));
}

}  // namespace plat
