#pragma once
// The arithmetic of a pinned snip: its zoom under the mouse wheel, the
// window around the picture with its one-pixel outline, and the picture
// scaled smoothly for a zoom other than 100 %. Plain functions.
#include "platform/services/picture.h"

namespace editor {

constexpr double kPinZoomMin = 0.25, kPinZoomMax = 4.0;
// Each notch of the wheel (120 units) zooms by a tenth; finer wheels zoom in
// proportion. Away from the user zooms in. Held between 25 % and 400 %.
double ZoomAfterWheel(double zoom, int wheelDelta);

// The picture's shown size at `zoom` (at least one pixel each way).
plat::Point ZoomedSize(int width, int height, double zoom);

// The pin's outer rectangle: the picture at `pictureAt` (screen pixels),
// `shown` big, with the outline one pixel outside it all round.
plat::Rect PinBounds(plat::Point pictureAt, plat::Point shown);

// The picture resized to width x height by bilinear sampling (pixel centres
// mapped onto pixel centres), so a zoomed pin looks smooth, not blocky.
plat::Picture ScaledPicture(const plat::Picture& src, int width, int height);

}  // namespace editor
