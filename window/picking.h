#pragma once
// The picking variables shared by the whole program: one copy, used by the
// window picker, both window inspectors and the child-window walk.
#include <cstdint>
#include <vector>

#include "platform/types.h"

namespace window {

// Descendants found by the last child walk (CollectChildren), in walk order.
inline std::vector<plat::Handle> ChildHandles;
// Index of the last filled entry of ChildHandles; -1 starts a fresh walk.
inline std::int16_t ChildIndex = -1;

// A walk stores at most this many handles: the most a 16-bit index reaches.
constexpr int kMaxChildHandles = 32767;

}  // namespace window
