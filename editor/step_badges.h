#pragma once
// Numbered step badges: a filled circle in the chosen colour with its number
// in white, centred on the click. Plain functions for the placement and the
// disc, tested without a window.
#include "editor/selection_geometry.h"
#include "platform/services/picture.h"

namespace editor {

// The badge's diameter for the size picker's value: 12 pixels and 4 more
// for each step of the size, from 16 up to 72.
int BadgeDiameter(int sizeValue);

// The circle's box, centred on the pixel clicked.
plat::Rect BadgeCircle(PointF at, int diameter);

// Where text of `textSize` (as the canvas measures it) starts so that it is
// centred in the circle.
plat::Point BadgeTextOrigin(const plat::Rect& circle, plat::Point textSize);

// The number's font: bold, its height a little over half the diameter.
plat::Font BadgeFont(int diameter);

// Fills the disc inscribed in `circle` (pixels whose centres lie inside it),
// clipped to `clip` and the picture.
void FillDisc(plat::Picture& p, const plat::Rect& circle, plat::Color c, const plat::Rect& clip);

// Draws badge `number` in `circle` on the picture, clipped to `clip`.
void DrawStepBadge(plat::Picture& p, const plat::Rect& circle, int number, plat::Color c, const plat::Rect& clip);

}  // namespace editor
