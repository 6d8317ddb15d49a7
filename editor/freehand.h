#pragma once
// The freehand tools' arithmetic: a stroke is a chain of segments between
// the pointer's positions, each painted as a capsule (a segment with round
// ends), so joins are round and a fast drag leaves no gaps. The pen paints
// the colour; the highlighter multiplies it into each pixel once per stroke.
// Plain functions over plain data, tested without a window.
#include <cstdint>
#include <vector>

#include "editor/selection_geometry.h"
#include "platform/services/picture.h"

namespace editor {

// The pen's width for the size picker's value (at least one pixel).
int PenWidth(int sizeValue);
// The highlighter's width: three times the size picker's value, never under 12.
constexpr int kMinHighlighterWidth = 12;
int HighlighterWidth(int sizeValue);
// The highlighter's colour until the user picks one.
constexpr plat::Color kHighlighterYellow = plat::Rgb(255, 240, 0);

// Every pixel whose centre lies within width / 2 of the segment a-b (at
// least the pixels the segment passes through), clipped to `clip`.
plat::Rect CapsuleExtent(PointF a, PointF b, int width);
template <class F>
void ForEachCapsulePixel(PointF a, PointF b, int width, const plat::Rect& clip, F&& f);

// Multiply blend: each channel of `under` times the colour's, over 255,
// rounded. White takes the colour, black stays black, text stays readable.
std::uint32_t MultiplyPixel(std::uint32_t under, plat::Color c);

// Which pixels of an area a stroke has already blended, so a stroke that
// crosses itself blends each pixel once.
class StrokeMask {
public:
    StrokeMask() = default;
    explicit StrokeMask(const plat::Rect& area);
    // True the first time (x, y) is taken; false again after, and outside the area.
    bool Take(int x, int y);

private:
    plat::Rect area_;
    std::vector<std::uint8_t> taken_;
};

// Paints one segment of a stroke into the picture, clipped to `clip`: the
// pen's colour, or with `mask` the highlighter's multiply on pixels the
// stroke has not blended yet. Returns the area it may have changed.
plat::Rect PaintStrokeSegment(plat::Picture& p, PointF a, PointF b, int width, plat::Color c,
                              const plat::Rect& clip, StrokeMask* mask);

// ---- template definition ----

bool InsideCapsule(PointF a, PointF b, float radius, float px, float py);

template <class F>
void ForEachCapsulePixel(PointF a, PointF b, int width, const plat::Rect& clip, F&& f) {
    const plat::Rect box = CapsuleExtent(a, b, width).Intersect(clip);
    const float radius = width < 1 ? 0.5f : static_cast<float>(width) / 2;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            if (InsideCapsule(a, b, radius, static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f)) f(x, y);
}

}  // namespace editor
