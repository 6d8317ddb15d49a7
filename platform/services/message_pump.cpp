#include "platform/services/message_pump.h"

#include <vector>

namespace plat {
namespace {
std::vector<std::function<void()>>& AfterHooks() {
    static std::vector<std::function<void()>> hooks;
    return hooks;
}
}  // namespace

void AddAfterDispatchHook(std::function<void()> hook) { AfterHooks().push_back(std::move(hook)); }

void RunAfterDispatchHooks() {
    // By index: a hook may add another.
    for (size_t i = 0; i < AfterHooks().size(); ++i) AfterHooks()[i]();
}

}  // namespace plat
