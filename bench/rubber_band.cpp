// One rubber-band step at full screen: the time from a pointer move to the
// shape painted on the screen, beside one BitBlt of the same area (the least
// the platform needs to show it) and beside a repaint of the whole window
// (what erasing the window at every step would cost), in the same run.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "editor/annotation_geometry.h"
#include "editor/toolbar_layout.h"
#include "editor/variants.h"
#include "platform/toolkit/forms.h"
#include "platform/services/system.h"
#include "bench/timing.h"

namespace {

using bench::Clock;
using bench::MsSince;
using bench::Median;

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

void Pump() {
    plat::DoEvents();
    GdiFlush();
}

}  // namespace

int main() {
    aaa& ed = plat::Forms<aaa>();
    ed.Show();
    Pump();
    HWND h = reinterpret_cast<HWND>(ed.hWnd());
    const int w = GetSystemMetrics(SM_CXSCREEN), hh = GetSystemMetrics(SM_CYSCREEN);

    // A selection over most of the screen, then the rectangle tool.
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, At(100, 100));
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, At(w - 100, hh - 100));
    SendMessageW(h, WM_LBUTTONUP, 0, At(w - 100, hh - 100));
    Pump();
    ed.ToolActive = true;
    ed.CurrentTool = editor::ToolbarButtonName(editor::kAddRectangle);
    ed.DrawWidth = 3;

    constexpr int kSteps = 200;
    const int sx = 300, sy = 300;
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, At(sx, sy));
    std::vector<double> step, blit, whole;
    HDC window = GetDC(h);
    HDC memory = CreateCompatibleDC(window);
    HBITMAP picture = CreateCompatibleBitmap(window, w, hh);
    HGDIOBJ old = SelectObject(memory, picture);
    for (int i = 0; i < kSteps; ++i) {
        // A shape growing by a few pixels a move, as a quick drag does.
        const int x = sx + 200 + 3 * i, y = sy + 150 + 2 * i;
        auto t0 = Clock::now();
        SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, At(x, y));
        GdiFlush();
        step.push_back(MsSince(t0));

        const plat::Rect area = editor::ShapeExtent({editor::ShapeKind::Rectangle, {float(sx), float(sy)},
                                                     {float(x - 3), float(y - 2)}, 3})
                                    .Union(editor::ShapeExtent({editor::ShapeKind::Rectangle,
                                                                {float(sx), float(sy)}, {float(x), float(y)}, 3}));
        t0 = Clock::now();
        BitBlt(window, area.left, area.top, area.Width(), area.Height(), memory, area.left, area.top, SRCCOPY);
        GdiFlush();
        blit.push_back(MsSince(t0));

        if (i % 10 == 0) {
            t0 = Clock::now();
            RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            GdiFlush();
            whole.push_back(MsSince(t0));
        }
    }
    SendMessageW(h, WM_LBUTTONUP, 0, At(sx + 200 + 3 * kSteps, sy + 150 + 2 * kSteps));
    SelectObject(memory, old);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(h, window);

    const double s = Median(step), b = Median(blit), all = Median(whole);
    std::printf("rubber band at %dx%d, rectangle tool, median of %d moves\n", w, hh, kSteps);
    std::printf("  floor: BitBlt of the repainted area         %8.3f ms\n", b);
    std::printf("  pointer move until the shape is painted     %8.3f ms\n", s);
    std::printf("  a whole-window repaint, for comparison      %8.3f ms\n", all);
    std::printf("  ratio step / floor                          %8.2f\n", b > 0 ? s / b : 0.0);
    std::printf("@ rubber band step painted (ms)|%.2f|%.2f|%.2f|smooth: far under a whole repaint (%.1f ms)\n", s, b,
                b > 0 ? s / b : 0.0, all);
    ed.Unload();
    plat::DoEvents();
    return 0;
}
