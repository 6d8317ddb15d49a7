// Time from asking the region editor to open until its frozen picture is
// painted, against one raw full-screen BitBlt measured in the same run.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "editor/variants.h"
#include "platform/forms.h"
#include "platform/system.h"

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double RawBlitMs() {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    HDC display = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
    HDC mem = CreateCompatibleDC(display);
    HBITMAP bmp = CreateCompatibleBitmap(display, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    auto t0 = Clock::now();
    BitBlt(mem, 0, 0, w, h, display, 0, 0, SRCCOPY);
    GdiFlush();
    auto t1 = Clock::now();
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    DeleteDC(display);
    return std::chrono::duration<double, std::milli>(t1 - t0).count();
}

double OpenEditorMs() {
    auto t0 = Clock::now();
    aaa& ed = plat::Forms<aaa>();
    ed.Show();  // loads (capture), shows and paints synchronously
    GdiFlush();
    auto t1 = Clock::now();
    ed.Unload();
    plat::DoEvents();
    return std::chrono::duration<double, std::milli>(t1 - t0).count();
}

}  // namespace

int main() {
    constexpr int kRuns = 15;
    OpenEditorMs();  // first use creates fonts and the window class
    std::vector<double> blit, open;
    for (int i = 0; i < kRuns; ++i) {
        blit.push_back(RawBlitMs());
        open.push_back(OpenEditorMs());
    }
    const double b = Median(blit), o = Median(open);
    std::printf("editor open at %dx%d, median of %d runs\n", GetSystemMetrics(SM_CXSCREEN),
                GetSystemMetrics(SM_CYSCREEN), kRuns);
    std::printf("  raw full-screen BitBlt      %8.2f ms\n", b);
    std::printf("  open until frozen picture   %8.2f ms\n", o);
    std::printf("  ratio open / raw BitBlt     %8.2f\n", b > 0 ? o / b : 0.0);
    return 0;
}
