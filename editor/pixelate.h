#pragma once
// Pixelation that redacts: every pixel of an area is replaced by the mean of
// its block, so that no original pixel value is left to read back. Plain
// functions over pictures, tested without a window.
#include <cstdint>
#include <vector>

#include "platform/services/picture.h"

namespace editor {

// The smallest block side: smaller blocks leave text readable.
constexpr int kMinPixelateBlock = 4;
// The block side for the size picker's value: the value itself, never less
// than kMinPixelateBlock (a value that is no number gives the smallest).
int PixelateBlockSide(int sizeValue);

// Where the blocks along one side of `length` pixels begin, ending with
// `length` itself. Blocks are `block` wide from the start; a remainder
// narrower than a block joins the block before it, so that no block is a
// sliver of one or two original pixels. A side shorter than a block is one
// block.
std::vector<int> BlockEdges(int length, int block);

// The mean of the pixels of r (inside p), each channel rounded to nearest.
std::uint32_t BlockMean(const plat::Picture& p, const plat::Rect& r);

// Replaces every pixel of `area` (clipped to the picture) by the mean of its
// block, blocks laid from the area's top-left corner. Areas of fewer than two
// pixels are left alone (one pixel's mean is that pixel); returns whether the
// picture changed hands any pixels to a mean.
bool PixelateArea(plat::Picture& p, const plat::Rect& area, int block);

}  // namespace editor
