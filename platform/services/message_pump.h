#pragma once
// The one message pump every loop goes through: the ordinary loop, the
// pending-events step, the hotkey service's loop and every wait. The toolkit
// hangs its own work on it here (freeing unloaded forms, for one) instead of
// each loop knowing about it.
#include <functional>

namespace plat {

// Runs after every message the pump dispatched, and once more when a
// pending-events step finds the queue empty. Hooks run in the order added;
// one added twice runs twice.
void AddAfterDispatchHook(std::function<void()> hook);

// Runs the after-dispatch hooks (the backends' pumps call it).
void RunAfterDispatchHooks();

}  // namespace plat
