// The editor's history with 100 rectangles drawn on a 1920 x 1080 picture,
// one entry each: its memory, and the time of one "Revert" and one "Redo",
// beside what a list of full copies would take (its memory worked out, its
// step timed as the copy of one whole picture it must hand over).
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <random>
#include <vector>

#include "bench/screen_like_picture.h"
#include "editor/history.h"
#include "platform/services/picture.h"
#include "bench/timing.h"

namespace {

using bench::TimeMs;
using bench::Median;

constexpr int kWidth = 1920, kHeight = 1080, kShapes = 100, kRounds = 21;

}  // namespace

int main() {
    plat::Picture background = bench::ScreenLikePicture(kWidth, kHeight);
    editor::History history;
    history.Start(background);

    // Rectangles as the editor draws them: outlines 1 to 6 pixels wide, of
    // varied sizes, anywhere on the screen.
    std::mt19937 rng(2026);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::vector<double> pushMs;
    plat::Picture beforeLast;
    for (int i = 0; i < kShapes; ++i) {
        const int w = pick(40, 640), h = pick(30, 480), left = pick(0, kWidth - w), top = pick(0, kHeight - h);
        if (i == kShapes - 1) beforeLast = background.Copy();
        // Drawn on a copy while the history shares its pixels, as the editor does.
        if (background.Shared()) background = background.Copy();
        background.Draw().FrameRect({left, top, left + w, top + h}, plat::Rgb(pick(0, 255), pick(0, 255), pick(0, 255)),
                                    pick(1, 6));
        pushMs.push_back(TimeMs([&] { history.Push(background); }));
    }
    const plat::Picture last = background.Copy();

    const double mb = 1024.0 * 1024.0;
    const double picture = static_cast<double>(kWidth) * kHeight * 4;
    const double ours = static_cast<double>(history.Bytes());
    const double fullCopies = picture * (kShapes + 1);
    const double perShape = (ours - picture) / kShapes;

    // One step back from the top and one forward again, timed apart.
    std::vector<double> revertMs, redoMs, copyMs;
    bool same = true;
    for (int round = 0; round < kRounds; ++round) {
        std::optional<plat::Picture> back, forth;
        revertMs.push_back(TimeMs([&] { back = history.Revert(); }));
        redoMs.push_back(TimeMs([&] { forth = history.Redo(); }));
        same = same && back && forth && plat::SamePixels(*back, beforeLast) && plat::SamePixels(*forth, last);
        plat::Picture copied;
        copyMs.push_back(TimeMs([&] { copied = last.Copy(); }));
    }
    // Every step from the top down to entry 1 and back: the slowest one.
    double slowest = 0;
    for (int i = 1; i < kShapes + 1; ++i) slowest = std::max(slowest, TimeMs([&] { history.Revert(); }));
    for (int i = 1; i < kShapes + 1; ++i) slowest = std::max(slowest, TimeMs([&] { history.Redo(); }));
    same = same && history.Position() == kShapes + 1;

    const double revert = Median(revertMs), redo = Median(redoMs), copy = Median(copyMs);
    std::printf("History of %d rectangles on %d x %d%s\n", kShapes, kWidth, kHeight,
                same ? "" : "  (A STEP GAVE THE WRONG PICTURE)");
    std::printf("  memory: %.2f MB in all (the current picture %.2f MB, each shape's entry %.0f bytes); "
                "full copies %.1f MB (%.0f bytes an entry)\n",
                ours / mb, picture / mb, perShape, fullCopies / mb, picture);
    std::printf("  one push: median %.2f ms\n", Median(pushMs));
    std::printf("  one Revert %.2f ms, one Redo %.2f ms (median of %d); slowest of all 200 steps %.2f ms; "
                "a full copy's step %.2f ms\n",
                revert, redo, kRounds, slowest, copy);
    std::printf("@ history: 100 shapes' memory (MB)|%.2f|%.1f|%.3f|< 10 MB\n", ours / mb, fullCopies / mb,
                ours / fullCopies);
    std::printf("@ history: one Revert (ms)|%.2f|%.2f|%.2f|< 20 ms\n", revert, copy, copy > 0 ? revert / copy : 0.0);
    std::printf("@ history: one Redo (ms)|%.2f|%.2f|%.2f|< 20 ms\n", redo, copy, copy > 0 ? redo / copy : 0.0);
    return same ? 0 : 1;
}
