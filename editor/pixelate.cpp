#include "editor/pixelate.h"

#include <algorithm>

namespace editor {

namespace {
// Adds the channels of n pixels to the sums. Red and blue are summed side by
// side in one 32-bit word, 256 pixels at a time so neither lane overflows:
// a 4K selection is pixelated in one pass at memory speed.
void AddRun(const std::uint32_t* px, int n, std::uint64_t& red, std::uint64_t& green, std::uint64_t& blue) {
    while (n > 0) {
        const int m = std::min(n, 256);
        std::uint32_t redBlue = 0, greenOnly = 0;
        for (int i = 0; i < m; ++i) {
            redBlue += px[i] & 0x00FF00FFu;
            greenOnly += px[i] & 0x0000FF00u;
        }
        red += redBlue >> 16;
        blue += redBlue & 0xFFFFu;
        green += greenOnly >> 8;
        px += m;
        n -= m;
    }
}
}  // namespace

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
            for (std::size_t c = 0; c < columns; ++c)
                AddRun(row + xs[c], xs[c + 1] - xs[c], sums[c * 3], sums[c * 3 + 1], sums[c * 3 + 2]);
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
