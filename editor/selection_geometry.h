#pragma once
// The arithmetic of the selection: dragging it out, moving it, its eight
// handles, the toolbar beside it and the logo inside it. Plain functions over
// plain data, so they are tested without a window.
#include <optional>
#include <string>

#include "platform/services/monitors.h"
#include "platform/services/types.h"

namespace editor {

// The selection frame: left, top, width, height in screen pixels.
struct Selection {
    float left = 0, top = 0, width = 0, height = 0;
    float Right() const { return left + width; }
    float Bottom() const { return top + height; }
    friend bool operator==(const Selection&, const Selection&) = default;
};

struct PointF {
    float x = 0, y = 0;
    friend bool operator==(const PointF&, const PointF&) = default;
};

// The selection while dragging it out from the anchor to (x, y); nullopt when
// the pointer is level with the anchor, where the selection stays as it was.
std::optional<Selection> DraggedSelection(float anchorX, float anchorY, float x, float y);

// Top-left of a selection being moved: it follows the pointer from the press
// point and is held inside the screen.
PointF MovedSelectionOrigin(float anchorX, float anchorY, float pressX, float pressY, float x, float y,
                            float width, float height, float screenWidth, float screenHeight);

// The selection after an arrow key: moved by (dx, dy) and held inside the
// screen, or with `resize` its right and bottom edges moved instead, its size
// kept between 0 and what the screen leaves.
Selection NudgedSelection(const Selection& s, float dx, float dy, bool resize, float screenWidth,
                          float screenHeight);

// Whole-pixel rectangle of the selection (right = left + width, each rounded).
plat::Rect SelectionRectOf(const Selection& s);

// Strictly inside: the edges themselves are outside.
bool StrictlyInside(const Selection& s, float x, float y);

constexpr int kHandleCount = 8;
// Top-left corner of handle i (0 top-left, 1 top-middle, 2 top-right,
// 3 middle-left, 4 bottom-left, 5 bottom-middle, 6 bottom-right, 7 middle-right).
PointF HandleOrigin(int i, const Selection& s, float handleWidth, float handleHeight);
plat::MousePointer HandlePointerShape(int i);

// The edges when a handle's top-left corner is dragged to (px, py); nullopt
// when the width or height would turn negative (the step is not applied).
struct GrabEdges {
    float left = 0, top = 0, right = 0, bottom = 0;
};
std::optional<Selection> ResizedByHandle(int i, float px, float py, const GrabEdges& grab);

// Toolbar top-left: under the selection, right edges aligned, or inside it
// near its bottom edge when the monitor that holds the toolbar has no room
// below. Where part of it would lie where no monitor shows (past the desktop's
// edge), it is held inside that monitor instead.
PointF ToolbarOrigin(const Selection& s, float toolbarWidth, float toolbarHeight, const plat::MonitorList& monitors);
// The monitor rectangle the toolbar of selection s lies on: the one under the
// selection's bottom-right corner, where the toolbar is aligned, else the
// nearest to it.
plat::Rect ToolbarMonitor(const Selection& s, const plat::MonitorList& monitors);
// The monitor that holds most of the selection (its scale sizes the bars).
const plat::Monitor& SelectionMonitor(const Selection& s, const plat::MonitorList& monitors);

// Logo positions as the main window offers them.
enum class LogoPosition { Middle = 1, UpperLeft = 2, LowerLeft = 3, UpperRight = 4, LowerRight = 5 };
PointF LogoOrigin(LogoPosition pos, const Selection& s, float logoWidth, float logoHeight);

// "320x240": width and height written as the shortest decimal form.
std::wstring SizeLabelText(float width, float height);
// The start of a box of `size` that wants to start at `want`, moved back so
// that it ends inside [0, limit); at 0 when it is larger than the limit.
float KeptInside(float want, float size, float limit);
// "RGB(255,0,0)".
std::wstring ColorReadoutText(int red, int green, int blue);

}  // namespace editor
