#pragma once
// Start-up phases for the start-up benchmark: with MS_STARTUP_TRACE naming a
// file, each call appends "<phase> <microseconds since 1970>" to it, on the
// wall clock a tool outside the process can read too. Without the variable a
// call costs one flag test.
#include <string_view>

namespace plat {

void TraceStartup(std::string_view phase);

}  // namespace plat
