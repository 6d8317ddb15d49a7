#include "platform/services/startup_trace.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace plat {

void TraceStartup(std::string_view phase) {
    // Read once: the variable belongs to the process's start.
    static const char* const path = std::getenv("MS_STARTUP_TRACE");
    if (!path || !*path) return;
    const auto us =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::system_clock::now().time_since_epoch());
    // Opened per line: a process that ends at once still leaves every line written.
    if (std::FILE* f = std::fopen(path, "a")) {
        std::fprintf(f, "%.*s %lld\n", static_cast<int>(phase.size()), phase.data(),
                     static_cast<long long>(us.count()));
        std::fclose(f);
    }
}

}  // namespace plat
