// The real network service against a server of the test's own on 127.0.0.1:
// the answer arrives through the message pump, the body is cut at its limit,
// a failed status or a silent server ends as a failure within the time limit,
// and an abandoned fetch never calls back.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <thread>

#include "platform/services/network.h"
#include "platform/services/system.h"

namespace {

using Clock = std::chrono::steady_clock;

// Answers one connection with `reply` (after reading the request), or holds
// it without a word until the test ends when `reply` is empty.
class OneShotServer {
public:
    explicit OneShotServer(std::string reply) : reply_(std::move(reply)) {
        WSADATA wsa;
        WSAStartup(MAKEWORD(2, 2), &wsa);
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in at{};
        at.sin_family = AF_INET;
        at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener_, reinterpret_cast<sockaddr*>(&at), sizeof(at));
        int size = sizeof(at);
        getsockname(listener_, reinterpret_cast<sockaddr*>(&at), &size);
        port_ = ntohs(at.sin_port);
        listen(listener_, 1);
        thread_ = std::thread([this] { Serve(); });
    }
    ~OneShotServer() {
        stop_ = true;
        thread_.join();
        if (client_ != INVALID_SOCKET) closesocket(client_);
        closesocket(listener_);
        WSACleanup();
    }
    std::wstring Url(const wchar_t* path) const { return L"http://127.0.0.1:" + std::to_wstring(port_) + path; }

private:
    void Serve() {
        // Waits in short steps, so that a server nobody calls still ends with the test.
        for (;;) {
            if (stop_) return;
            fd_set ready;
            FD_ZERO(&ready);
            FD_SET(listener_, &ready);
            timeval step{0, 20000};
            if (select(0, &ready, nullptr, nullptr, &step) > 0) break;
        }
        client_ = accept(listener_, nullptr, nullptr);
        const SOCKET client = client_;
        if (client == INVALID_SOCKET) return;
        const DWORD patience = 5000;  // a caller that never sends its request does not hold the test
        setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&patience), sizeof(patience));
        std::string request;
        char buf[1024];
        while (request.find("\r\n\r\n") == std::string::npos) {
            const int n = recv(client, buf, sizeof(buf), 0);
            if (n <= 0) return;
            request.append(buf, static_cast<size_t>(n));
        }
        if (reply_.empty()) {
            while (!stop_) Sleep(20);
            return;
        }
        for (size_t at = 0; at < reply_.size() && !stop_;) {
            const int n = send(client, reply_.data() + at, static_cast<int>(std::min<size_t>(reply_.size() - at, 65536)), 0);
            if (n <= 0) break;
            at += static_cast<size_t>(n);
        }
        shutdown(client, SD_SEND);
    }
    std::string reply_;
    SOCKET listener_ = INVALID_SOCKET;
    std::atomic<SOCKET> client_{INVALID_SOCKET};
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// A loopback port that nothing listens on: bound once to learn it, then let go.
std::wstring RefusedUrl() {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&at), sizeof(at));
    int size = sizeof(at);
    getsockname(s, reinterpret_cast<sockaddr*>(&at), &size);
    closesocket(s);
    WSACleanup();
    return L"http://127.0.0.1:" + std::to_wstring(ntohs(at.sin_port)) + L"/1.txt";
}

std::string Reply(const std::string& status, const std::string& body) {
    return "HTTP/1.1 " + status + "\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

// Lets the message pump run until the fetch called back, or `limit` passed.
std::optional<plat::FetchResult> Await(const std::wstring& url, const plat::FetchLimits& limits,
                                       std::chrono::milliseconds limit, Clock::duration* took = nullptr) {
    std::optional<plat::FetchResult> got;
    const auto started = Clock::now();
    auto fetch = plat::StartFetch(url, limits, [&](const plat::FetchResult& r) { got = r; });
    EXPECT_FALSE(got) << "never inside StartFetch";
    while (!got && Clock::now() - started < limit) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        plat::DoEvents();
    }
    if (took) *took = Clock::now() - started;
    return got;
}

TEST(NetworkWin, AnAnswerArrivesThroughThePumpItsBodyCutAtTheLimit) {
    OneShotServer small(Reply("200 OK", "line one\r\nline two\r\n"));
    auto r = Await(small.Url(L"/snip/1.txt"), {5000, 65536}, std::chrono::seconds(10));
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->ok);
    EXPECT_EQ(r->status, 200);
    EXPECT_EQ(r->body, "line one\r\nline two\r\n");
    EXPECT_FALSE(r->truncated);

    // Four megabytes on offer: only the first 64 KB are taken.
    OneShotServer big(Reply("200 OK", std::string(4 << 20, 'b')));
    r = Await(big.Url(L"/big.txt"), {5000, 65536}, std::chrono::seconds(10));
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->ok);
    EXPECT_EQ(r->body.size(), 65536u);
    EXPECT_TRUE(r->truncated);

    OneShotServer missing(Reply("404 Not Found", "no such file"));
    r = Await(missing.Url(L"/none.txt"), {5000, 65536}, std::chrono::seconds(10));
    ASSERT_TRUE(r);
    EXPECT_FALSE(r->ok);
    EXPECT_EQ(r->status, 404);
}

TEST(NetworkWin, ASilentServerOrNoServerFailsWithinTheLimitAndAnAbandonedFetchNeverCallsBack) {
    OneShotServer silent("");
    Clock::duration took{};
    auto r = Await(silent.Url(L"/1.txt"), {1500, 65536}, std::chrono::seconds(10), &took);
    ASSERT_TRUE(r) << "the time limit ends it";
    EXPECT_FALSE(r->ok);
    EXPECT_GE(took, std::chrono::milliseconds(1400));
    EXPECT_LT(took, std::chrono::milliseconds(4000));

    r = Await(RefusedUrl(), {5000, 65536}, std::chrono::seconds(10), &took);
    ASSERT_TRUE(r);
    EXPECT_FALSE(r->ok);
    EXPECT_EQ(r->status, 0);

    r = Await(L"file:///C:/windows/win.ini", {5000, 65536}, std::chrono::seconds(10));
    ASSERT_TRUE(r);
    EXPECT_FALSE(r->ok);

    bool called = false;
    OneShotServer answering(Reply("200 OK", "late"));
    {
        auto fetch = plat::StartFetch(answering.Url(L"/1.txt"), {1000, 65536}, [&](const plat::FetchResult&) { called = true; });
    }
    for (const auto until = Clock::now() + std::chrono::milliseconds(1500); Clock::now() < until;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        plat::DoEvents();
    }
    EXPECT_FALSE(called);
}

}  // namespace
