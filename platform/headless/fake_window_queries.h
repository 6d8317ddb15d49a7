#pragma once
// Test controls of the headless desktop: a tree of other programs' windows and
// a table of processes, which the window queries (platform/window_queries.h)
// answer from. The program's own forms answer too, as childless top-level
// windows above every fake window, from the headless window state.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/services/types.h"

namespace fake_windows {

struct Window {
    std::wstring className;
    std::wstring text;
    plat::Rect rect;  // outer rectangle, screen pixels
    std::uint32_t processId = 0;
    bool visible = true;
    bool enabled = true;
    bool zoomed = false;
};

// The process id the program's own forms report.
constexpr std::uint32_t kOwnProcessId = 4242;

// No fake windows, no processes, no records.
void Reset();

// A new window, last (bottom) among the children of `parent`; parent 0 makes
// a top-level window. Handles are never reused. Returns 0 when `parent` is
// not a fake window.
plat::Handle Add(plat::Handle parent, Window w);
// Destroys the window and its descendants: their handles go stale.
void Destroy(plat::Handle h);
bool Exists(plat::Handle h);
// Changes a live window's properties (the tree stays as it is).
void Update(plat::Handle h, const Window& w);
Window Get(plat::Handle h);  // a default Window when h is not a fake window

// A process the program may open; its executable path. Processes not set
// cannot be opened.
void SetProcess(std::uint32_t processId, std::wstring imagePath);

// Get-text messages (not text-length messages) sent to the window.
int TextRequests(plat::Handle h);

// Topmost state as last set through the queries (false before), for fake
// windows and forms alike.
bool Topmost(plat::Handle h);
// Windows handed a caption press, in order.
const std::vector<plat::Handle>& CaptionDrags();

}  // namespace fake_windows
