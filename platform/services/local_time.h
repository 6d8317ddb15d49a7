#pragma once
// The local calendar time of a moment, on both the Windows and the native C
// library (their thread-safe forms differ in name and argument order).
#include <ctime>

namespace plat {

inline std::tm LocalTime(std::time_t when) {
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &when);
#else
    localtime_r(&when, &local);
#endif
    return local;
}

}  // namespace plat
