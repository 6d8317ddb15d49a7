// Recent snips: ten full-screen 1920 x 1080 snips kept as PNG in memory,
// their bytes against the 40 MB budget and against raw pictures, and the
// time one keep takes (the compression). Desktop-like pictures, and noise
// for the worst case (a photo filling the screen), where older entries make
// room to stay within the budget.
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <random>
#include <vector>

#include "bench/screen_like_picture.h"
#include "bench/timing.h"
#include "shell/recent_snips.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080;
constexpr double kBudgetBytes = 40.0 * 1024 * 1024;

plat::Picture Noise(std::uint32_t seed) {
    plat::Picture p = plat::Picture::Create(kWidth, kHeight, 0);
    std::mt19937 rng(seed);
    for (int y = 0; y < kHeight; ++y) {
        std::uint32_t* row = p.MutableRow(y);
        for (int x = 0; x < kWidth; ++x) row[x] = rng() & 0xFFFFFFu;
    }
    return p;
}

void Measure(const char* what, bool noise) {
    shell::RecentSnips recent;
    std::vector<double> keepMs;
    for (int i = 0; i < static_cast<int>(shell::RecentSnips::kMaxEntries); ++i) {
        plat::Picture snip = noise ? Noise(static_cast<std::uint32_t>(i)) : bench::ScreenLikePicture(kWidth, kHeight);
        // Each desktop a little different: a panel moved.
        if (!noise) snip.Draw().FillRect({100 + i * 37, 700, 400 + i * 37, 900}, plat::Rgb(200, 40 + i * 20, 90));
        keepMs.push_back(bench::TimeMs([&] { recent.Keep(snip, std::time(nullptr)); }));
    }
    const double raw = static_cast<double>(kWidth) * kHeight * 4 * shell::RecentSnips::kMaxEntries;
    const double bytes = static_cast<double>(recent.Bytes());
    std::printf("recent snips, %-8s: 10 kept, %2zu left %8.2f MB (%.3f of the 40 MB budget, %.3f of raw pictures), "
                "one keep %.0f ms (median)\n",
                what, recent.Entries().size(), bytes / (1024 * 1024), bytes / kBudgetBytes, bytes / raw, bench::Median(keepMs));
}

}  // namespace

int main() {
    Measure("desktop", false);
    Measure("noise", true);
    return 0;
}
