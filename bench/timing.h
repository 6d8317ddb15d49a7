#pragma once
// What the benchmarks time with: the steady clock, a stopwatch and the median.
#include <algorithm>
#include <chrono>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double MsSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

template <class F>
double TimeMs(F f) {
    const auto t0 = Clock::now();
    f();
    return MsSince(t0);
}

// The middle value (the upper one of an even count); 0 for none.
inline double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace bench
