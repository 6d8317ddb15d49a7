#pragma once
// Test controls of the headless window operations (platform/window_operations.h):
// the work area, another running copy of the program, and what was done to windows that fake_windows cannot show.
#include <optional>
#include <vector>

#include "platform/services/types.h"

namespace fake_window_operations {

// The screen with no task bar, and no records.
void Reset();
void SetWorkArea(plat::Rect r);
// Every window raised into the topmost band by RaiseTopmost, in order.
const std::vector<plat::Handle>& TopmostRaises();
// Whether another copy of the program holds the instance marker (false at first).
void SetOtherInstance(bool running);

}  // namespace fake_window_operations
