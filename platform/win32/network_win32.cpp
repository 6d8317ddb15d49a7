// Web fetches through WinHTTP on a worker thread of their own. The UI thread
// keeps a hidden message window: the worker posts its end to it, and a timer
// of that window ends a transfer that runs past its limit, whatever WinHTTP's
// own time-outs do (resolving a name has none it keeps everywhere).
#include "platform/services/network.h"

#include <windows.h>
#include <winhttp.h>

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

#include "platform/win32/win32_internal.h"
#include "platform/win32/winhttp_handle.h"

namespace plat {
namespace {

using win32::WinHttpHandle;

constexpr UINT kFetchEnded = WM_APP + 0x60;
constexpr wchar_t kNetworkClass[] = L"MorrowenSnipNetwork";

// What the worker and the UI thread share; it lives until both let go, so a
// worker still blocked in WinHTTP after its fetch was abandoned (or after the
// program closed its windows) frees it itself when it returns.
struct Transfer {
    std::mutex lock;
    bool abandoned = false;
    WinHttpHandle request;  // closed by whoever is first, to cut a blocked call short
    FetchResult result;
};

// True when the fetch was abandoned: the worker stops at its next step.
bool Abandoned(Transfer& t) {
    std::lock_guard<std::mutex> g(t.lock);
    return t.abandoned;
}

void CloseRequest(Transfer& t) {
    std::lock_guard<std::mutex> g(t.lock);
    t.request.Reset();
}

FetchResult RunTransfer(Transfer& t, const std::wstring& url, const FetchLimits& limits) {
    FetchResult r;
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof(parts);
    parts.dwHostNameLength = static_cast<DWORD>(-1);
    parts.dwUrlPathLength = static_cast<DWORD>(-1);
    parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts)) return r;
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) return r;
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    std::wstring path(parts.lpszUrlPath ? parts.lpszUrlPath : L"", parts.dwUrlPathLength);
    if (parts.lpszExtraInfo) path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (path.empty()) path = L"/";

    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(std::max(limits.timeoutMs, 1));
    WinHttpHandle session(WinHttpOpen(L"Morrowen Snip", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                      WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session) return r;
    const int each = std::max(limits.timeoutMs, 1);
    WinHttpSetTimeouts(session.Get(), each, each, each, each);
    WinHttpHandle connection(WinHttpConnect(session.Get(), host.c_str(), parts.nPort, 0));
    if (!connection) return r;
    WinHttpHandle opened(WinHttpOpenRequest(connection.Get(), L"GET", path.c_str(), nullptr, WINHTTP_NO_REFERER,
                                            WINHTTP_DEFAULT_ACCEPT_TYPES,
                                            parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0));
    if (!opened) return r;
    // Kept raw for the calls below; the transfer owns it from here on, and
    // closing it there cuts a blocked call short.
    const HINTERNET request = opened.Get();
    {
        std::lock_guard<std::mutex> g(t.lock);
        if (t.abandoned) return r;
        t.request = std::move(opened);
    }
    // The request handle is closed by CloseRequest only, on every path.
    struct CloseAtEnd {
        Transfer& t;
        ~CloseAtEnd() { CloseRequest(t); }
    } closeAtEnd{t};

    if (!WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !WinHttpReceiveResponse(request, nullptr) || Abandoned(t))
        return r;
    DWORD status = 0, size = sizeof(status);
    if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX,
                             &status, &size, WINHTTP_NO_HEADER_INDEX))
        return r;
    r.status = static_cast<int>(status);
    if (status < 200 || status > 299) return r;

    // One byte past the limit tells a document that goes on from one that ends there.
    const std::size_t want = limits.maxBytes + 1;
    std::string body;
    body.reserve(std::min<std::size_t>(want, 64 * 1024));
    char chunk[8192];
    while (body.size() < want) {
        if (Abandoned(t) || GetTickCount64() > deadline) return r;
        DWORD got = 0;
        const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(sizeof(chunk), want - body.size()));
        if (!WinHttpReadData(request, chunk, ask, &got)) return r;
        if (got == 0) break;
        body.append(chunk, got);
    }
    if (body.size() > limits.maxBytes) {
        body.resize(limits.maxBytes);
        r.truncated = true;
    }
    r.body = std::move(body);
    r.ok = true;
    return r;
}

class Win32Fetch;

// The UI thread's side: the message window and the fetches it serves by id.
struct Registry {
    HWND window = nullptr;
    std::map<UINT_PTR, Win32Fetch*> live;
    UINT_PTR nextId = 1;
};
// Never destroyed: a fetch may outlive the statics at the program's end.
Registry& Reg() {
    static Registry* r = new Registry;
    return *r;
}

class Win32Fetch final : public Fetch {
public:
    Win32Fetch(UINT_PTR id, FetchDone done) : id_(id), done_(std::move(done)), transfer_(std::make_shared<Transfer>()) {
        Reg().live[id_] = this;
    }
    ~Win32Fetch() override {
        Reg().live.erase(id_);
        if (Reg().window) KillTimer(Reg().window, id_);
        Abandon();
    }
    Win32Fetch(const Win32Fetch&) = delete;
    Win32Fetch& operator=(const Win32Fetch&) = delete;

    const std::shared_ptr<Transfer>& Shared() const { return transfer_; }

    // The worker's end (`timedOut` false) or the time limit (true): the
    // completion runs once, after the fetch left the registry, so it may
    // destroy this object.
    void Finish(bool timedOut) {
        Reg().live.erase(id_);
        if (Reg().window) KillTimer(Reg().window, id_);
        FetchResult r;
        if (timedOut) {
            Abandon();
        } else {
            std::lock_guard<std::mutex> g(transfer_->lock);
            r = std::move(transfer_->result);
        }
        FetchDone done = std::move(done_);
        if (done) done(r);
    }

private:
    void Abandon() {
        {
            std::lock_guard<std::mutex> g(transfer_->lock);
            transfer_->abandoned = true;
        }
        // Cuts a blocked send or read short where the system allows it.
        CloseRequest(*transfer_);
    }
    UINT_PTR id_;
    FetchDone done_;
    std::shared_ptr<Transfer> transfer_;
};

LRESULT CALLBACK NetworkProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kFetchEnded || msg == WM_TIMER) {
        auto it = Reg().live.find(static_cast<UINT_PTR>(wp));
        if (it != Reg().live.end()) it->second->Finish(msg == WM_TIMER);
        return 0;
    }
    return DefWindowProcW(h, msg, wp, lp);
}

HWND NetworkWindow() {
    Registry& reg = Reg();
    if (reg.window) return reg.window;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = NetworkProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kNetworkClass;
    if (!win32::RegisterWindowClass(wc)) return nullptr;
    reg.window = win32::Checked(
        CreateWindowExW(0, kNetworkClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr),
        L"CreateWindowExW (network)");
    return reg.window;
}

}  // namespace

std::unique_ptr<Fetch> StartFetch(const std::wstring& url, const FetchLimits& limits, FetchDone done) {
    const HWND window = NetworkWindow();
    const UINT_PTR id = Reg().nextId++;
    auto fetch = std::make_unique<Win32Fetch>(id, std::move(done));
    if (!window) return fetch;  // no window to be told on: the fetch never ends, as if abandoned
    SetTimer(window, id, static_cast<UINT>(std::max(limits.timeoutMs, 1)), nullptr);
    std::shared_ptr<Transfer> shared = fetch->Shared();
    try {
        std::thread([shared, url, limits, window, id] {
            FetchResult r = RunTransfer(*shared, url, limits);
            {
                std::lock_guard<std::mutex> g(shared->lock);
                if (shared->abandoned) return;
                shared->result = std::move(r);
            }
            PostMessageW(window, kFetchEnded, id, 0);
        }).detach();
    } catch (const std::system_error&) {
        // No thread to be had: the time limit ends the fetch as a failure.
    }
    return fetch;
}

std::wstring TextFromCodePage(std::string_view bytes) {
    if (bytes.empty()) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring s(static_cast<size_t>(std::max(n, 0)), L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), s.data(), n);
    return s;
}

}  // namespace plat
