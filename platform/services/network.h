#pragma once
// Fetching a document from the web without holding up the user interface:
// the transfer runs off the UI thread and its answer arrives on the UI thread
// through the one message pump, like any other event, so every loop of the
// program (the hotkey loop included) delivers it.
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace plat {

struct FetchLimits {
    int timeoutMs = 10000;         // the whole transfer, from the request to the last byte
    std::size_t maxBytes = 65536;  // the body is cut here; the rest is never read
};

struct FetchResult {
    bool ok = false;         // a 2xx answer arrived in time (its body perhaps cut)
    int status = 0;          // the HTTP status, 0 when no answer arrived
    std::string body;        // the bytes as sent, at most maxBytes of them
    bool truncated = false;  // the document went on past maxBytes
};

// A transfer under way. Destroying it abandons the transfer: its completion
// never runs, and whatever the transfer still holds is freed when it ends.
class Fetch {
public:
    virtual ~Fetch() = default;
};

using FetchDone = std::function<void(const FetchResult&)>;

// GETs `url` (http or https; anything else fails). `done` runs exactly once,
// on the UI thread from the message pump and never inside this call: with the
// answer, or with a failure once the time limit has passed.
std::unique_ptr<Fetch> StartFetch(const std::wstring& url, const FetchLimits& limits, FetchDone done);

// Bytes in the system's ANSI code page as text (for documents that are not UTF-8).
std::wstring TextFromCodePage(std::string_view bytes);

}  // namespace plat
