#pragma once
// The magnifier beside the pointer while a selection is placed: the screen
// pixels around the pointer enlarged, the centre pixel outlined, and the
// pointer's coordinates and colour under them. It is drawn from the frozen
// picture, so it shows what a copy would hold, and it is never in a copy.
#include "editor/selection_geometry.h"
#include "platform/toolkit/controls.h"
#include "platform/services/dpi.h"
#include "platform/services/picture.h"

namespace editor {

constexpr int kMagnifiedPixels = 15;  // an odd count: one pixel in the middle
constexpr int kMagnification = 8;
constexpr int kMagnifierZoomSize = kMagnifiedPixels * kMagnification;
constexpr int kMagnifierTextHeight = 34;
constexpr int kMagnifierWidth = kMagnifierZoomSize + 2;
constexpr int kMagnifierHeight = kMagnifierZoomSize + 2 + kMagnifierTextHeight;
// How far from the pointer the magnifier sits, so the pixel under the
// pointer always stays in view.
constexpr int kMagnifierGap = 24;

// The magnifier's outer size at `dpi` (the sizes above are at 100 %).
plat::Point MagnifierSize(int dpi);

// Top-left of the magnifier: below and right of the pointer, flipped to the
// other side of it where `monitor` (the one under the pointer, at `dpi`) ends.
PointF MagnifierOrigin(int pointerX, int pointerY, const plat::Rect& monitor, int dpi = plat::kBaseDpi);

class Magnifier : public plat::Control {
public:
    Magnifier(plat::Container& parent, const plat::Picture& source);
    // Shows the pixels around (x, y) of the source picture, beside (x, y).
    void Follow(int x, int y, const plat::Rect& monitor, int dpi = plat::kBaseDpi);
    bool ReceivesMouse() const override { return false; }
    void Paint(plat::Canvas& c, int ox, int oy) const override;

private:
    // Draws the whole magnifier into view_: the enlarged pixels by direct
    // writes, so a drag step costs one picture copy on the screen.
    void Render() const;
    const plat::Picture& source_;
    int x_ = 0, y_ = 0;
    int dpi_ = plat::kBaseDpi;
    mutable plat::Picture view_;
    mutable bool stale_ = true;
};

}  // namespace editor
