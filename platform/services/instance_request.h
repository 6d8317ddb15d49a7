#pragma once
// Requests from a command-line start to the copy of the program that already
// runs: a short text in, a number and optionally some bytes back.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace plat {

struct InstanceAnswer {
    bool reached = false;            // a running copy took the request
    int code = 0;                    // its answer
    std::vector<std::uint8_t> data;  // bytes it sent back
};

// Sends `request` to the running copy whose main window has `mainCaption`
// and waits for its answer. Not reached when no such window exists.
InstanceAnswer AskRunningInstance(const std::wstring& mainCaption, const std::wstring& request);

// What a running copy does with a request: returns the answer's code and may
// fill `data`; `after` (when set) runs once the asker has its answer, for work
// that waits on the user (a snip) and must not hold the asker.
using InstanceRequestHandler =
    std::function<int(const std::wstring& request, std::vector<std::uint8_t>& data, std::function<void()>& after)>;
// The handler of this process's requests; an empty one refuses them all.
void SetInstanceRequestHandler(InstanceRequestHandler handler);

}  // namespace plat
