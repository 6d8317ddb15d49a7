#include "editor/pixelate.h"

#include <algorithm>

namespace editor {

int PixelateBlockSide(int sizeValue) { return std::max(kMinPixelateBlock, sizeValue); }

std::vector<int> BlockEdges(int length, int block) {
    std::vector<int> edges{0};
    if (length <= 0) return edges;
    block = std::max(block, 1);
    int at = 0;
    while (length - at >= 2 * block) {
        at += block;
        edges.push_back(at);
    }
    edges.push_back(length);
    return edges;
}

std::uint32_t BlockMean(const plat::Picture& p, const plat::Rect& r) {
    const plat::Rect in = r.Intersect({0, 0, p.Width(), p.Height()});
    if (in.Empty()) return 0;
    std::uint64_t red = 0, green = 0, blue = 0;
    for (int y = in.top; y < in.bottom; ++y) {
        const std::uint32_t* row = p.Row(y);
        for (int x = in.left; x < in.right; ++x) {
            red += (row[x] >> 16) & 255;
            green += (row[x] >> 8) & 255;
            blue += row[x] & 255;
        }
    }
    const std::uint64_t n = static_cast<std::uint64_t>(in.Width()) * static_cast<std::uint64_t>(in.Height());
    auto mean = [n](std::uint64_t sum) { return static_cast<std::uint32_t>((sum + n / 2) / n); };
    return (mean(red) << 16) | (mean(green) << 8) | mean(blue);
}

bool PixelateArea(plat::Picture& p, const plat::Rect& area, int block) {
    const plat::Rect in = area.Intersect({0, 0, p.Width(), p.Height()});
    if (in.Empty() || in.Width() * in.Height() < 2) return false;
    const std::vector<int> xs = BlockEdges(in.Width(), block), ys = BlockEdges(in.Height(), block);
    const std::size_t columns = xs.size() - 1;
    // One band of block rows at a time: the sums of every block of the band
    // in one pass over its rows, then the means written in a second pass.
    std::vector<std::uint64_t> sums(columns * 3);
    std::vector<std::uint32_t> means(columns);
    for (std::size_t band = 0; band + 1 < ys.size(); ++band) {
        const int top = in.top + ys[band], bottom = in.top + ys[band + 1];
        std::fill(sums.begin(), sums.end(), 0);
        for (int y = top; y < bottom; ++y) {
            const std::uint32_t* row = p.Row(y) + in.left;
            for (std::size_t c = 0; c < columns; ++c) {
                std::uint64_t r = 0, g = 0, b = 0;
                for (int x = xs[c]; x < xs[c + 1]; ++x) {
                    r += (row[x] >> 16) & 255;
                    g += (row[x] >> 8) & 255;
                    b += row[x] & 255;
                }
                sums[c * 3] += r;
                sums[c * 3 + 1] += g;
                sums[c * 3 + 2] += b;
            }
        }
        for (std::size_t c = 0; c < columns; ++c) {
            const auto n = static_cast<std::uint64_t>(xs[c + 1] - xs[c]) * static_cast<std::uint64_t>(bottom - top);
            auto mean = [n](std::uint64_t sum) { return static_cast<std::uint32_t>((sum + n / 2) / n); };
            means[c] = (mean(sums[c * 3]) << 16) | (mean(sums[c * 3 + 1]) << 8) | mean(sums[c * 3 + 2]);
        }
        for (int y = top; y < bottom; ++y) {
            std::uint32_t* row = p.MutableRow(y) + in.left;
            for (std::size_t c = 0; c < columns; ++c) std::fill(row + xs[c], row + xs[c + 1], means[c]);
        }
    }
    return true;
}

}  // namespace editor
