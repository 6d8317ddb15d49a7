// One step of dragging out a selection, painted with the magnifier beside the
// pointer and without it (switched off by its key), in the same run.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <utility>
#include <vector>

#include "editor/variants.h"
#include "platform/toolkit/forms.h"
#include "platform/services/system.h"
#include "bench/timing.h"

namespace {

using bench::Clock;
using bench::Median;

// Pointer moves while a selection is dragged out, in rounds with the
// magnifier and without it (its key switches it), interleaved so that a busy
// machine slows both alike. The medians of one step: with, without.
std::pair<double, double> DragStepsMs() {
    aaa& ed = plat::Forms<aaa>();
    ed.Show();
    plat::DoEvents();
    HWND h = reinterpret_cast<HWND>(ed.hWnd());
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 150));
    std::vector<double> with, without;
    int i = 0;
    for (int round = 0; round < 16; ++round) {
        std::vector<double>& into = round % 2 == 0 ? with : without;
        for (int k = 0; k < 40; ++k, ++i) {
            const auto t0 = Clock::now();
            SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(400 + 2 * (i % 500), 300 + (i % 500)));
            UpdateWindow(h);
            GdiFlush();
            into.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
        }
        SendMessageW(h, WM_KEYDOWN, 'M', 0);  // an even count of rounds: left as it was
    }
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(1300, 900));
    ed.Unload();
    plat::DoEvents();
    return {Median(with), Median(without)};
}

}  // namespace

int main() {
    DragStepsMs();  // first use creates fonts and the window class
    const auto [with, without] = DragStepsMs();
    std::printf("dragging out a selection at %dx%d, median of 320 steps each\n", plat::ScreenWidthPx(),
                plat::ScreenHeightPx());
    std::printf("  one step without the magnifier   %8.3f ms\n", without);
    std::printf("  one step with the magnifier      %8.3f ms\n", with);
    std::printf("  ratio with / without             %8.2f (target <= 1.2)\n", without > 0 ? with / without : 0.0);
    std::printf("@ magnifier: a drag step painted (ms)|%.2f|%.2f|%.2f|<= 1.2\n", with, without,
                without > 0 ? with / without : 0.0);
    return 0;
}
