// The property bag as the history will use it: bytes per full-screen entry
// and the time to write and read one back, against a plain full copy of the
// picture measured in the same run. Two screens: a drawn desktop, and
// the same with a noisy block (a photo in the snip) over a quarter of it.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/services/picture.h"
#include "platform/services/property_bag.h"
#include "platform/services/system.h"
#include "bench/timing.h"

namespace {

using bench::Clock;
using bench::Median;

double Ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

void Measure(const char* name, const plat::Picture& screen) {
    std::vector<double> copy, write, read;
    std::size_t bytes = 0;
    for (int i = 0; i < 9; ++i) {
        auto t0 = Clock::now();
        plat::Picture full = screen.Copy();
        auto t1 = Clock::now();
        plat::PropertyBag bag;
        bag.WriteProperty(L"pic", screen);
        const std::vector<std::uint8_t> contents = bag.Contents();
        auto t2 = Clock::now();
        plat::Picture back = plat::PropertyBag(contents).ReadProperty(L"pic");
        auto t3 = Clock::now();
        if (!plat::SamePixels(back, screen)) std::printf("  %s: read back differs!\n", name);
        copy.push_back(Ms(t0, t1));
        write.push_back(Ms(t1, t2));
        read.push_back(Ms(t2, t3));
        bytes = contents.size();
    }
    const double fullBytes = 4.0 * screen.Width() * screen.Height();
    std::printf("%-8s %dx%d  entry %zu bytes = %.4f of a full copy; write %.1f ms, read %.1f ms, full copy %.1f ms "
                "(write/copy %.1fx, read/copy %.1fx)\n",
                name, screen.Width(), screen.Height(), bytes, static_cast<double>(bytes) / fullBytes, Median(write),
                Median(read), Median(copy), Median(write) / Median(copy), Median(read) / Median(copy));
}

// A desktop as snips see it: a flat background, overlapping windows with
// title bars and lines of text.
plat::Picture Desktop(int w, int h) {
    plat::Picture p = plat::Picture::Create(w, h, plat::Rgb(58, 110, 165));
    plat::Canvas& c = p.Draw();
    for (int i = 0; i < 6; ++i) {
        const plat::Rect win{60 + i * 210, 40 + i * 110, std::min(w - 20, 860 + i * 180), std::min(h - 20, 600 + i * 70)};
        c.FillRect(win, plat::Rgb(250, 250, 250));
        c.FillRect({win.left, win.top, win.right, win.top + 24}, plat::Rgb(0, 84, 166));
        c.FrameRect(win, plat::Rgb(40, 40, 40), 1);
        for (int y = win.top + 36; y + 16 < win.bottom; y += 18)
            c.Text(win.left + 8, y, L"The quick brown fox jumps over the lazy dog, 0123456789",
                   plat::Font{L"Tahoma", 9.0f, false}, plat::Rgb(20, 20, 20));
    }
    return p;
}

}  // namespace

int main() {
    const int w = plat::ScreenWidthPx(), h = plat::ScreenHeightPx();
    plat::Picture screen = Desktop(w, h);
    Measure("desktop", screen);
    std::uint32_t seed = 7;
    for (int y = 0; y < h / 2; ++y)
        for (int x = 0; x < w / 2; ++x) screen.MutableRow(y)[x] = (seed = seed * 1664525u + 1013904223u) >> 8;
    Measure("photo", screen);
    return 0;
}
