#pragma once
// The arithmetic of the markup tools: the arrow's head, the end point held to
// the selection, the boxes of the ellipse and the rectangle, the area a
// rubber-band step repaints, the text box and the size box's number. Plain
// functions over plain data, so they are tested without a window.
//
// The rectangle a grab copies is SelectionRectOf (selection_geometry.h): the
// right and bottom edges are summed in single precision before rounding.
#include <array>
#include <optional>
#include <string_view>

#include "editor/selection_geometry.h"
#include "platform/services/types.h"

namespace editor {

// Every arrow's head: each stroke goes back this far along the shaft and
// half as far out to the side.
constexpr float kArrowHeadSize = 10;

// The pointer held inside the selection, edges included: where a shape ends.
PointF HeldToSelection(const Selection& s, float x, float y);

// Single precision to the nearest pixel, halves to even.
plat::Point PixelOf(PointF p);

struct Segment {
    PointF from, to;
    friend bool operator==(const Segment&, const Segment&) = default;
};

// The three strokes of an arrow from tail to tip, in drawing order: head
// point A to the tip, head point B to the tip, then the shaft. nullopt when
// tail and tip (nearly) coincide: such an arrow has no direction and draws
// nothing.
std::optional<std::array<Segment, 3>> ArrowStrokes(PointF tail, PointF tip, float headSize);

// The box the ellipse is inscribed in: the four coordinates rounded, ordered
// so that a drag in any direction gives the same ellipse.
plat::Rect EllipseRect(PointF start, PointF end);

// The rectangle tool's outline as a rectangle whose inside band is penWidth
// thick: both corner pixels lie on the outline, and a wide pen is centred on
// the path from corner to corner.
plat::Rect BoxOutlineRect(PointF start, PointF end, int penWidth);

// One rubber-band shape as drawn: from the press to the held end point.
enum class ShapeKind { Arrow, Ellipse, Rectangle };
struct RubberBand {
    ShapeKind kind = ShapeKind::Arrow;
    PointF start, end;
    int penWidth = 1;
};

// Every pixel the shape can touch, the pen's overhang included; empty for an
// arrow that draws nothing.
plat::Rect ShapeExtent(const RubberBand& shape);

// The text box: placed with its top-left corner at the first click, never
// held to the selection.
constexpr float kTextBoxStartWidth = 25;
constexpr float kTextBoxHeight = 16;
// The box widens to fit its text and never narrows.
float GrownTextBoxWidth(float boxWidth, float textWidth);
// Where the committed text is drawn: the box's top-left corner in pixels.
plat::Point TextOrigin(float boxLeft, float boxTop);

// The size box's text as a number, as a font size needs it; nullopt when it
// is not a plain decimal number (surrounding spaces are allowed).
std::optional<float> SizeValueOf(std::wstring_view text);
// The size box's text as a whole number (nearest, halves to even), as a pen
// or drawing width needs it. nullopt when the text is not a plain decimal
// number or the result falls outside [lo, hi]: the caller keeps what it had.
std::optional<int> WholeSizeOf(std::wstring_view text, int lo, int hi);
// The 16-bit range of the editor's drawing width.
constexpr int kDrawWidthMin = -32768, kDrawWidthMax = 32767;

}  // namespace editor
