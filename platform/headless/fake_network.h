#pragma once
// Test controls of the headless network: the fetches the program asked for,
// and the answers the test gives them.
#include <string>
#include <vector>

#include "platform/services/network.h"

namespace plat::fake {

struct FetchRequest {
    std::wstring url;
    FetchLimits limits;
    bool pending = true;  // neither answered nor abandoned yet
};
// Every fetch since the reset, oldest first.
const std::vector<FetchRequest>& FetchRequests();

// The network answers the oldest pending fetch: its completion runs now, then
// the after-dispatch hooks, as the message pump would. False (nothing runs)
// when no fetch is pending; an abandoned one is not.
bool AnswerFetch(const FetchResult& answer);

void ResetNetwork();

}  // namespace plat::fake
