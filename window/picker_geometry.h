#pragma once
// The window picker's and the inspector's arithmetic as plain functions: the
// probe point, the overlay's placement and shape, the running border, the
// colour pulse, the rectangle and handle texts, and the picture pane's
// scrolling. The forms call these; nothing here touches a window.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/services/types.h"

namespace window {

// Where the tracker asks for the window: 3 pixels up and left of the cursor,
// on each axis only when the coordinate is above 3. The marker under the
// cursor (which belongs to the overlay) then never hides the window below it.
plat::Point ProbePoint(plat::Point cursor);

// The overlay's outer rectangle for a window: 2 pixels outside on the left and
// top, flush with its right and bottom edges.
plat::Rect OverlayBounds(const plat::Rect& window);

// The overlay's shape in its own pixels: a frame 4 pixels wide around a
// sw x sh window (the outer rectangle XOR the inner one), joined with the
// marker square of side `marker` at (markerX, markerY). As rectangles that
// do not overlap, top to bottom.
std::vector<plat::Rect> OverlayRegion(int sw, int sh, int markerX, int markerY, int marker);

// The frame's perimeter in pixels for an outer size in pixels.
std::int32_t BorderPerimeter(int outerWidth, int outerHeight);

// The running border's next timer interval: shrinks by 1.1 down to 50 ms.
int NextBorderInterval(int intervalMs);
// 1, 2, ..., 100, 0, 1, ...: 101 positions a lap.
std::int32_t NextBorderStep(std::int32_t step);

// A line's ends in overlay pixels.
struct LineEnds {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    friend bool operator==(const LineEnds&, const LineEnds&) = default;
};
// What one step of the running border changes: unset parts stay as they were.
struct BorderChange {
    std::optional<LineEnds> line1;
    std::optional<LineEnds> line2;
    std::optional<bool> line2Visible;
};
// The segment's head at step k on a frame of perimeter p, the overlay's outer
// size wp x hp in pixels (real numbers, as twips / 15).
BorderChange AnimateBorder(std::int32_t k, std::int32_t perimeter, double wp, double hp);

// The colour pulse's state, carried from tick to tick.
struct Glow {
    std::int16_t red = 0, green = 0, blue = 0;
    float factor = 1.0f;
};
// One tick. `random` gives numbers uniform in [0, 1). Returns the colour to
// apply, or nullopt on a tick that jumps to a new colour (and applies none).
std::optional<plat::Color> GlowStep(Glow& g, double (*random)());
// The parts as a colour, each above 255 counted as 255 (and below 0 as 0).
plat::Color GlowColor(const Glow& g);

// "(" F(left) "," F(top) ")(" F(width) "," F(height) ")", F right-aligning
// each number in 4 characters (longer numbers whole).
std::wstring RectText(long long left, long long top, long long width, long long height);
// "&H" and the upper-case hexadecimal digits, no leading zeros ("&H0" for 0).
std::wstring HexText(std::uint64_t value);
// The leading number of a text, as a handle field is read: spaces skipped,
// then an optional sign and digits; 0 when there are none.
long long LeadingNumber(const std::wstring& text);

// The picture pane: the picture's and the visible page's size, in twips.
struct PaneGeometry {
    int pictureLeft = 0, pictureTop = 0, pictureWidth = 0, pictureHeight = 0;
    int pageWidth = 0, pageHeight = 0;
};
// The picture's new left and top after a key (Page Up 33, Page Down 34,
// arrows 37..40); other keys change nothing.
plat::Point PaneAfterKey(const PaneGeometry& g, int keyCode);
// The offset a scroll bar's value gives: -(size - page) / max * value, or
// `current` when the picture fits in the page.
int PaneOffset(int size, int page, int barMax, int barValue, int current);

}  // namespace window
