// The editor's history with 100 rectangles and one whole-screen change drawn
// on a screen-sized picture (1920 x 1080 and 3840 x 2160), one entry each: its
// memory, and the time of one "Revert" and one "Redo", beside what a list of
// full copies would take (its memory worked out, its step timed as the copy
// of one whole picture it must hand over). The steps are taken as the editor
// takes them: the picture shown is let go of before each step and the one
// handed back is kept.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <random>
#include <span>
#include <tuple>
#include <vector>

#include "bench/screen_like_picture.h"
#include "bench/timing.h"
#include "editor/history.h"
#include "platform/services/picture.h"

namespace {

using bench::Median;
using bench::TimeMs;

constexpr int kShapes = 100, kRounds = 21;

struct Figures {
    double mb = 0, fullCopiesMb = 0, perShape = 0, push = 0, revert = 0, redo = 0, slowest = 0, copy = 0;
    bool same = true;
};

Figures Run(int width, int height) {
    plat::Picture shown = bench::ScreenLikePicture(width, height);
    editor::History history;
    history.Start(shown);

    // Rectangles as the editor draws them: outlines 1 to 6 pixels wide, of
    // varied sizes, anywhere on the screen; the last entry changes every pixel.
    std::mt19937 rng(2026);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::vector<double> pushMs;
    plat::Picture beforeLast;
    double rectanglesBytes = 0;
    for (int i = 0; i <= kShapes; ++i) {
        if (i == kShapes) {
            beforeLast = shown.Copy();
            rectanglesBytes = static_cast<double>(history.Bytes());
        }
        // Drawn on a copy while the history shares its pixels, as the editor does.
        if (shown.Shared()) shown = shown.Copy();
        if (i < kShapes) {
            const int w = pick(40, 640), h = pick(30, 480), left = pick(0, width - w), top = pick(0, height - h);
            shown.Draw().FrameRect({left, top, left + w, top + h}, plat::Rgb(pick(0, 255), pick(0, 255), pick(0, 255)),
                                   pick(1, 6));
        } else {
            for (int y = 0; y < height; ++y)
                for (std::uint32_t& p : std::span(shown.MutableRow(y), static_cast<std::size_t>(width))) p ^= 0x00FFFFFFu;
        }
        pushMs.push_back(TimeMs([&] { history.Push(shown); }));
    }
    const plat::Picture last = shown.Copy();

    Figures f;
    const double mb = 1024.0 * 1024.0, picture = static_cast<double>(width) * height * 4;
    f.mb = rectanglesBytes / mb;
    f.fullCopiesMb = picture * (kShapes + 1) / mb;
    f.perShape = (rectanglesBytes - picture) / kShapes;
    f.push = Median(pushMs);

    // One step as the editor takes it: let go of the picture shown, keep the one handed back.
    auto step = [&](bool back) {
        shown = plat::Picture();
        std::optional<plat::Picture> next = back ? history.Revert() : history.Redo();
        if (next) shown = std::move(*next);
        return next.has_value();
    };
    // One step back from the top (over the whole-screen entry) and one forward again.
    std::vector<double> revertMs, redoMs, copyMs;
    for (int round = 0; round < kRounds; ++round) {
        revertMs.push_back(TimeMs([&] { f.same = step(true) && f.same; }));
        f.same = f.same && plat::SamePixels(shown, beforeLast);
        redoMs.push_back(TimeMs([&] { f.same = step(false) && f.same; }));
        f.same = f.same && plat::SamePixels(shown, last);
        plat::Picture copied;
        copyMs.push_back(TimeMs([&] { copied = last.Copy(); }));
    }
    // Every step from the top down to entry 1 and back: the slowest one.
    for (int i = 0; i < kShapes + 1; ++i) f.slowest = std::max(f.slowest, TimeMs([&] { step(true); }));
    for (int i = 0; i < kShapes + 1; ++i) f.slowest = std::max(f.slowest, TimeMs([&] { step(false); }));
    f.same = f.same && history.Position() == kShapes + 2 && plat::SamePixels(shown, last);
    f.revert = Median(revertMs);
    f.redo = Median(redoMs);
    f.copy = Median(copyMs);
    return f;
}

}  // namespace

int main() {
    bool same = true;
    for (const auto& [width, height, limit] : {std::tuple{1920, 1080, 5}, std::tuple{3840, 2160, 20}}) {
        const Figures f = Run(width, height);
        same = same && f.same;
        std::printf("History of %d rectangles and one whole-screen change on %d x %d%s\n", kShapes, width, height,
                    f.same ? "" : "  (A STEP GAVE THE WRONG PICTURE)");
        std::printf("  memory of the rectangles: %.2f MB in all (each entry %.0f bytes); full copies %.1f MB\n", f.mb,
                    f.perShape, f.fullCopiesMb);
        std::printf("  one push: median %.2f ms\n", f.push);
        std::printf("  one Revert %.2f ms, one Redo %.2f ms over the whole-screen entry (median of %d); "
                    "slowest of all %d steps %.2f ms; a full copy's step %.2f ms\n",
                    f.revert, f.redo, kRounds, 2 * (kShapes + 1), f.slowest, f.copy);
        if (width == 1920)
            std::printf("@ history: 100 shapes' memory at %dx%d (MB)|%.2f|%.1f|%.3f|< 10 MB\n", width, height, f.mb,
                        f.fullCopiesMb, f.mb / f.fullCopiesMb);
        std::printf("@ history: one Revert at %dx%d (ms)|%.2f|%.2f|%.2f|< %d ms\n", width, height, f.revert, f.copy,
                    f.copy > 0 ? f.revert / f.copy : 0.0, limit);
        std::printf("@ history: one Redo at %dx%d (ms)|%.2f|%.2f|%.2f|< %d ms\n", width, height, f.redo, f.copy,
                    f.copy > 0 ? f.redo / f.copy : 0.0, limit);
        std::printf("@ history: slowest step at %dx%d (ms)|%.2f|%.2f|%.2f|< %d ms\n", width, height,
                    f.slowest, f.copy, f.copy > 0 ? f.slowest / f.copy : 0.0, limit);
    }
    return same ? 0 : 1;
}
