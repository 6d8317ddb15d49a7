#include "editor/pin_view.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace editor {

double ZoomAfterWheel(double zoom, int wheelDelta) {
    return std::clamp(zoom * std::pow(1.1, wheelDelta / 120.0), kPinZoomMin, kPinZoomMax);
}

plat::Point ZoomedSize(int width, int height, double zoom) {
    return {std::max(1, static_cast<int>(std::lround(width * zoom))),
            std::max(1, static_cast<int>(std::lround(height * zoom)))};
}

plat::Rect PinBounds(plat::Point at, plat::Point shown) {
    return {at.x - 1, at.y - 1, at.x + shown.x + 1, at.y + shown.y + 1};
}

namespace {
// Where each destination pixel samples along one side: the two source
// indexes and the weight of the second, in 1/256.
struct Tap {
    int a, b, weight;
};
std::vector<Tap> Taps(int from, int to) {
    std::vector<Tap> taps(static_cast<std::size_t>(to));
    const double step = static_cast<double>(from) / to;
    for (int i = 0; i < to; ++i) {
        const double s = std::clamp((i + 0.5) * step - 0.5, 0.0, static_cast<double>(from - 1));
        const int a = static_cast<int>(s);
        taps[static_cast<std::size_t>(i)] = {a, std::min(a + 1, from - 1),
                                             static_cast<int>(std::lround((s - a) * 256))};
    }
    return taps;
}
std::uint32_t Blend(std::uint32_t p, std::uint32_t q, int w) {
    std::uint32_t out = 0;
    for (int shift : {0, 8, 16}) {
        const int a = static_cast<int>((p >> shift) & 255), b = static_cast<int>((q >> shift) & 255);
        out |= static_cast<std::uint32_t>((a * (256 - w) + b * w + 128) >> 8) << shift;
    }
    return out;
}
}  // namespace

plat::Picture ScaledPicture(const plat::Picture& src, int width, int height) {
    if (src.Empty() || width <= 0 || height <= 0) return {};
    if (width == src.Width() && height == src.Height()) return src.Copy();
    plat::Picture out = plat::Picture::Create(width, height);
    const std::vector<Tap> xs = Taps(src.Width(), width), ys = Taps(src.Height(), height);
    for (int y = 0; y < height; ++y) {
        const Tap& ty = ys[static_cast<std::size_t>(y)];
        const std::uint32_t* r0 = src.Row(ty.a);
        const std::uint32_t* r1 = src.Row(ty.b);
        std::uint32_t* row = out.MutableRow(y);
        for (int x = 0; x < width; ++x) {
            const Tap& tx = xs[static_cast<std::size_t>(x)];
            row[x] = Blend(Blend(r0[tx.a], r0[tx.b], tx.weight), Blend(r1[tx.a], r1[tx.b], tx.weight), ty.weight);
        }
    }
    return out;
}

}  // namespace editor
