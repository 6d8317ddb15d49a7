#pragma once
// The picture frame's arithmetic as plain functions: its size for a picture,
// the stretched drawing size, the two resize handles, a handle drag step, the
// caption buttons after the caption box was moved, and the shape that leaves
// white see-through.
#include <optional>
#include <vector>

#include "platform/services/picture.h"
#include "platform/services/types.h"

namespace logo {

// The margin right of and below the picture, where the handles lie.
constexpr int kMarginPx = 10;
// A handle drag to a size below this is ignored.
constexpr int kMinFrameTwips = 300;
// The see-through colour: the frame's own background.
constexpr plat::Color kSeeThrough = plat::Rgb(255, 255, 255);

struct SizeF {
    float width = 0, height = 0;
    friend bool operator==(const SizeF&, const SizeF&) = default;
};
struct BoxF {
    float left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const BoxF&, const BoxF&) = default;
};

// A frame showing a w x h picture: w x 15 + 150 by h x 15 + 150 twips.
plat::Point FrameTwipsForPicture(int w, int h);
// The drawing size of a stretched picture: the frame less the margin, each
// side taken to the nearest pixel, halves to even.
plat::Point StretchedDrawingSize(float frameWidth, float frameHeight);

// The handles in the margin of a frame of the given size (pixels): the
// bottom one along the lower edge, the right one along the right edge.
struct HandleBoxes {
    BoxF bottom, right;
};
HandleBoxes HandlePlacement(float frameWidth, float frameHeight);

// One move of a handle drag: the frame's size (twips) plus the pointer's
// offset inside the handle (twips), to the nearest twip, halves to even;
// nullopt when that is below kMinFrameTwips and the move is ignored.
std::optional<int> ResizedTwips(float sizeTwips, float pointerTwips);

// The six caption buttons once the caption box lies at (left, top); `w` is
// the font button's width and `hb` the lower button's height.
struct CaptionButtons {
    plat::Point a, c, command2, command1, d, b;
};
CaptionButtons CaptionButtonPlacement(float left, float top, float w, float hb);

// The parts of p not in `seeThrough`, as rectangles of p's pixels: runs of
// one row, and rows with the same runs joined into one band.
std::vector<plat::Rect> OpaqueBands(const plat::Picture& p, plat::Color seeThrough);

}  // namespace logo
