#pragma once
// Test controls of the headless window operations (platform/window_operations.h):
// the work area and another running copy of the program.
#include <optional>
#include <vector>

#include "platform/services/types.h"

namespace fake_window_operations {

// The screen with no task bar, and no other copy.
void Reset();
void SetWorkArea(plat::Rect r);
// Whether another copy of the program holds the instance marker (false at first).
void SetOtherInstance(bool running);

}  // namespace fake_window_operations
