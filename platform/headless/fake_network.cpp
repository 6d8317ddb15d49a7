#include "platform/headless/fake_network.h"

#include <map>
#include <utility>

#include "platform/services/message_pump.h"

namespace plat::fake {
namespace {

struct NetworkState {
    std::vector<FetchRequest> requests;
    std::map<size_t, FetchDone> waiting;  // by request index
    int generation = 0;                   // counts resets
};
NetworkState& N() {
    static NetworkState s;
    return s;
}

class FakeFetch final : public Fetch {
public:
    explicit FakeFetch(size_t index) : index_(index), generation_(N().generation) {}
    ~FakeFetch() override {
        // A reset in between started a new record list: this one is not in it.
        if (generation_ == N().generation && N().waiting.erase(index_) > 0) N().requests[index_].pending = false;
    }
    FakeFetch(const FakeFetch&) = delete;
    FakeFetch& operator=(const FakeFetch&) = delete;

private:
    size_t index_;
    int generation_;
};

}  // namespace

const std::vector<FetchRequest>& FetchRequests() { return N().requests; }

bool AnswerFetch(const FetchResult& answer) {
    auto& s = N();
    if (s.waiting.empty()) return false;
    auto first = s.waiting.begin();
    const size_t index = first->first;
    FetchDone done = std::move(first->second);
    s.waiting.erase(first);
    s.requests[index].pending = false;
    if (done) done(answer);
    RunAfterDispatchHooks();
    return true;
}

void ResetNetwork() {
    const int next = N().generation + 1;
    N() = NetworkState{};
    N().generation = next;
}

}  // namespace plat::fake

namespace plat {

std::unique_ptr<Fetch> StartFetch(const std::wstring& url, const FetchLimits& limits, FetchDone done) {
    auto& s = fake::N();
    const size_t index = s.requests.size();
    s.requests.push_back({url, limits, true});
    s.waiting[index] = std::move(done);
    return std::make_unique<fake::FakeFetch>(index);
}

// The headless stand-in for the system's code page: each byte is the
// character of the same number (Latin-1).
std::wstring TextFromCodePage(std::string_view bytes) {
    std::wstring s;
    s.reserve(bytes.size());
    for (const char c : bytes) s.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace plat
