// The markup strip's tools at full screen: one pen and one highlighter drag
// step (from the pointer's move until the screen shows it) beside one step of
// the rectangle tool's rubber band on the same path (each over three editors,
// the tools in turn); and pixelating a whole 4K picture, and a whole-screen
// selection in the editor.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "editor/pixelate.h"
#include "editor/toolbar_layout.h"
#include "editor/variants.h"
#include "platform/toolkit/forms.h"
#include "platform/services/system.h"
#include "bench/screen_like_picture.h"
#include "bench/timing.h"

namespace {

using bench::Clock;
using bench::Median;
using bench::MsSince;

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

void Pump() {
    plat::DoEvents();
    GdiFlush();
}

// An editor with a selection over most of the screen.
aaa& OpenWithSelection(int w, int h) {
    aaa& ed = plat::Forms<aaa>();
    ed.Show();
    Pump();
    const HWND hwnd = reinterpret_cast<HWND>(ed.hWnd());
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(100, 100));
    SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, At(w - 100, h - 100));
    SendMessageW(hwnd, WM_LBUTTONUP, 0, At(w - 100, h - 100));
    Pump();
    return ed;
}

// The median time of one drag step, the screen updated, on a path that
// grows a few pixels a move as a quick drag does.
double DragStep(HWND h) {
    constexpr int kSteps = 200;
    const int sx = 300, sy = 300;
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, At(sx, sy));
    std::vector<double> steps;
    for (int i = 0; i < kSteps; ++i) {
        const int x = sx + 200 + 3 * i, y = sy + 150 + 2 * i;
        const auto t0 = Clock::now();
        SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, At(x, y));
        UpdateWindow(h);
        GdiFlush();
        steps.push_back(MsSince(t0));
    }
    SendMessageW(h, WM_LBUTTONUP, 0, At(sx + 200 + 3 * kSteps, sy + 150 + 2 * kSteps));
    Pump();
    return Median(steps);
}

}  // namespace

int main() {
    const int w = GetSystemMetrics(SM_CXSCREEN), hh = GetSystemMetrics(SM_CYSCREEN);

    // Each figure is the median over three editors, the tools taken in turn,
    // so that one slow editor cannot move the reference (the rectangle) alone.
    enum Tool { kRectangle, kPen, kHighlighter };
    std::vector<double> rounds[3];
    for (int round = 0; round < 3; ++round) {
        for (int tool : {kRectangle, kPen, kHighlighter}) {
            aaa& ed = OpenWithSelection(w, hh);
            const HWND h = reinterpret_cast<HWND>(ed.hWnd());
            if (tool == kRectangle) {
                ed.ToolActive = true;
                ed.CurrentTool = editor::ToolbarButtonName(editor::kAddRectangle);
                ed.DrawWidth = 3;
            } else {
                // The strip's tools as a user reaches them: their keys, their preset sizes.
                SendMessageW(h, WM_KEYDOWN, tool == kPen ? 'P' : 'H', 0);
            }
            rounds[tool].push_back(DragStep(h));
            // The step drew with the tool: one shape on the history.
            if (ed.HistoryEntries.Position() != 2) std::printf("(the tool drew nothing: the figure is void)\n");
            ed.Unload();
            Pump();
        }
    }
    const double rectangle = Median(rounds[kRectangle]);
    const double strokes[2] = {Median(rounds[kPen]), Median(rounds[kHighlighter])};

    // Pixelating a whole 4K picture, the plain function alone.
    std::vector<double> fourK;
    for (int i = 0; i < 7; ++i) {
        plat::Picture p = bench::ScreenLikePicture(3840, 2160);
        fourK.push_back(bench::TimeMs([&] { editor::PixelateArea(p, {0, 0, 3840, 2160}, 12); }));
    }
    // And in the editor: the release of a drag over the whole selection,
    // baked into the picture and pushed on the history.
    aaa& px = OpenWithSelection(w, hh);
    const HWND h = reinterpret_cast<HWND>(px.hWnd());
    SendMessageW(h, WM_KEYDOWN, 'X', 0);
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, At(110, 110));
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, At(w - 110, hh - 110));
    const auto t0 = Clock::now();
    SendMessageW(h, WM_LBUTTONUP, 0, At(w - 110, hh - 110));
    UpdateWindow(h);
    GdiFlush();
    const double release = MsSince(t0);
    if (px.HistoryEntries.Position() != 2) std::printf("(nothing was pixelated: the figure is void)\n");
    px.Unload();
    Pump();

    const double pen = strokes[0], highlighter = strokes[1];
    std::printf("markup strip at %dx%d, median of 200 drag steps\n", w, hh);
    std::printf("  rectangle tool step (the reference)         %8.3f ms\n", rectangle);
    std::printf("  pen step                                    %8.3f ms  ratio %.2f\n", pen,
                rectangle > 0 ? pen / rectangle : 0.0);
    std::printf("  highlighter step                            %8.3f ms  ratio %.2f\n", highlighter,
                rectangle > 0 ? highlighter / rectangle : 0.0);
    std::printf("  pixelate 3840x2160, blocks of 12 (median)   %8.3f ms  (target under 50 ms)\n", Median(fourK));
    std::printf("  pixelate release over the whole selection   %8.3f ms  (with the history entry)\n", release);
    std::printf("@ pen drag step (ms)|%.2f|%.2f|%.2f|within 1.5 x of the rectangle step\n", pen, rectangle,
                rectangle > 0 ? pen / rectangle : 0.0);
    std::printf("@ highlighter drag step (ms)|%.2f|%.2f|%.2f|within 1.5 x of the rectangle step\n", highlighter,
                rectangle, rectangle > 0 ? highlighter / rectangle : 0.0);
    std::printf("@ pixelate 4K (ms)|%.2f|50|%.2f|under 50 ms\n", Median(fourK), Median(fourK) / 50);
    return 0;
}
