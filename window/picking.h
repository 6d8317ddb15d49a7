#pragma once
// The picking variables shared by the whole program: one copy, used by the
// window picker, both window inspectors and the child-window walk.
#include <chrono>
#include <cstdint>
#include <vector>

#include "platform/services/types.h"

namespace window {

// Last polled cursor position, screen pixels.
inline std::int32_t PickCursorX = 0;
inline std::int32_t PickCursorY = 0;
// The tracker's last reading of the cursor and when it was taken: the
// pulse, ticking right after a tracker pass, uses it rather than asking the
// system again (a cursor query is the dearest call of a still pick).
inline plat::Point PolledCursor;
inline std::chrono::steady_clock::time_point PolledCursorAt{};
// Outer rectangle of the window the picker shows last.
inline plat::Rect PickedRect;
// The pick has ended: tracking returns at once, and the inspectors' window
// operation check boxes act again.
inline bool PickStop = false;
// Side of the marker square under the cursor; set when an overlay loads.
inline std::int16_t MarkerSize = 3;
// Descendants found by the last child walk (CollectChildren), in walk order.
inline std::vector<plat::Handle> ChildHandles;
// Index of the last filled entry of ChildHandles; -1 starts a fresh walk.
inline std::int16_t ChildIndex = -1;
// Desktop work area, read at each capture.
inline plat::Rect WorkArea;
// Screen position of the desktop capture's top-left pixel (negative with a
// monitor left of or above the primary).
inline plat::Point DesktopOrigin;

// A walk stores at most this many handles: the most a 16-bit index reaches.
constexpr int kMaxChildHandles = 32767;

}  // namespace window
