#include "logo/pic_frame_geometry.h"

#include <cmath>

namespace logo {

plat::Point FrameTwipsForPicture(int w, int h) {
    return {w * plat::kTwipsPerPixel + kMarginPx * plat::kTwipsPerPixel,
            h * plat::kTwipsPerPixel + kMarginPx * plat::kTwipsPerPixel};
}

plat::Point StretchedDrawingSize(float frameWidth, float frameHeight) {
    return {plat::RoundHalfEven(frameWidth - kMarginPx), plat::RoundHalfEven(frameHeight - kMarginPx)};
}

HandleBoxes HandlePlacement(float frameWidth, float frameHeight) {
    const float m = kMarginPx;
    return {{0, frameHeight - m, frameWidth - m, m}, {frameWidth - m, 0, m, frameHeight - m}};
}

std::optional<int> ResizedTwips(float sizeTwips, float pointerTwips) {
    const int v = plat::RoundHalfEven(static_cast<double>(sizeTwips) + static_cast<double>(pointerTwips));
    if (v < kMinFrameTwips) return std::nullopt;
    return v;
}

CaptionButtons CaptionButtonPlacement(float left, float top, float w, float hb) {
    auto at = [](float x, float y) { return plat::Point{plat::RoundHalfEven(x), plat::RoundHalfEven(y)}; };
    return {at(left, top - 16),      at(left + 16, top - 16),       at(left - w, top - w),
            at(left - w, top),       at(left - 16, top + hb + w - 15), at(left - 16, top + hb + w)};
}

std::vector<plat::Rect> OpaqueBands(const plat::Picture& p, plat::Color seeThrough) {
    std::vector<plat::Rect> done;
    std::vector<plat::Rect> open;  // the bands the previous row continues
    std::vector<plat::Rect> row;
    const std::uint32_t clear = plat::PixelFromColor(seeThrough);
    for (int y = 0; y < p.Height(); ++y) {
        row.clear();
        const std::uint32_t* px = p.Row(y);
        for (int x = 0; x < p.Width();) {
            if ((px[x] & 0xFFFFFFu) == clear) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < p.Width() && (px[x] & 0xFFFFFFu) != clear) ++x;
            row.push_back({start, y, x, y + 1});
        }
        bool same = row.size() == open.size();
        for (size_t i = 0; same && i < row.size(); ++i)
            same = row[i].left == open[i].left && row[i].right == open[i].right;
        if (same) {
            for (plat::Rect& r : open) r.bottom = y + 1;
        } else {
            done.insert(done.end(), open.begin(), open.end());
            open = row;
        }
    }
    done.insert(done.end(), open.begin(), open.end());
    return done;
}

}  // namespace logo
