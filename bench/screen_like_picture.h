#pragma once
// A picture that looks like a desktop (a gradient, flat panels, lines of
// text-like detail), the same every run: what the benchmarks snip and save.
#include <cstdint>

#include "platform/services/picture.h"

namespace bench {

inline plat::Picture ScreenLikePicture(int width, int height) {
    plat::Picture p = plat::Picture::Create(width, height, 0);
    for (int y = 0; y < height; ++y) {
        std::uint32_t* row = p.MutableRow(y);
        for (int x = 0; x < width; ++x)
            row[x] = static_cast<std::uint32_t>(40 + x * 120 / width) << 16 |
                     static_cast<std::uint32_t>(60 + y * 100 / height) << 8 | 150u;
    }
    for (int i = 0; i < 12; ++i) {
        const int left = 60 + (i % 4) * 460, top = 60 + (i / 4) * 330;
        if (left + 420 > width || top + 330 > height) continue;
        p.Draw().FillRect({left, top, left + 420, top + 290}, plat::Rgb(245, 245, 245));
        p.Draw().FillRect({left, top, left + 420, top + 24}, plat::Rgb(30, 90, 200));
        for (int line = 0; line < 14; ++line)
            for (int x = left + 10; x < left + 400; ++x)
                if (((x * 7 + line * 13 + i) % 11) < 6)
                    p.MutableRow(top + 40 + line * 17)[x] = ((x + line) % 5 == 0) ? 0x00C03030u : 0x00202020u;
    }
    return p;
}

}  // namespace bench
