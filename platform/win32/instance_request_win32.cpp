// Requests travel as WM_COPYDATA: the asker sends its text to the running
// copy's main window with the handle of a message-only window of its own, to
// which the running copy sends any bytes back before it answers. The answer
// is the code plus one, so that 0 still means "not taken".
#include "platform/win32/instance_request_win32.h"

#include <cstdint>
#include <utility>

#include "platform/services/instance_request.h"
#include "platform/win32/win32_internal.h"

namespace plat {

namespace {

constexpr ULONG_PTR kRequestTag = 0x4D535251;  // a request's text
constexpr ULONG_PTR kAnswerTag = 0x4D534142;   // the bytes of an answer
constexpr UINT kAskTimeoutMs = 60000;          // a running copy that hangs must not hang the asker
constexpr wchar_t kAnswerClass[] = L"MorrowenSnipAnswer";

InstanceRequestHandler& Handler() {
    static InstanceRequestHandler handler;
    return handler;
}

LRESULT CALLBACK AnswerProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_COPYDATA) return DefWindowProcW(h, msg, wp, lp);
    const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lp);
    auto* out = reinterpret_cast<std::vector<std::uint8_t>*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (!cds || cds->dwData != kAnswerTag || !out) return FALSE;
    const auto* bytes = static_cast<const std::uint8_t*>(cds->lpData);
    out->assign(bytes, bytes + cds->cbData);
    return TRUE;
}

// The asker's message-only window, destroyed with this owner.
class AnswerWindow {
public:
    explicit AnswerWindow(std::vector<std::uint8_t>* out) {
        static const bool registered = [] {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof(wc);
            wc.lpfnWndProc = &AnswerProc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = kAnswerClass;
            return RegisterClassExW(&wc) != 0;
        }();
        if (!registered) return;
        hwnd_ = CreateWindowExW(0, kAnswerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        if (!hwnd_) {
            win32::ReportFailure(L"CreateWindowExW", GetLastError());
            return;
        }
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(out));
    }
    ~AnswerWindow() {
        if (hwnd_) DestroyWindow(hwnd_);
    }
    AnswerWindow(const AnswerWindow&) = delete;
    AnswerWindow& operator=(const AnswerWindow&) = delete;
    HWND Get() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};

}  // namespace

InstanceAnswer AskRunningInstance(const std::wstring& mainCaption, const std::wstring& request) {
    InstanceAnswer answer;
    const HWND main = FindWindowW(win32::kFormClassName, mainCaption.c_str());
    if (!main) return answer;
    AnswerWindow back(&answer.data);
    COPYDATASTRUCT cds{kRequestTag, static_cast<DWORD>(request.size() * sizeof(wchar_t)),
                       const_cast<wchar_t*>(request.data())};
    DWORD_PTR result = 0;
    // Waiting here still takes the bytes sent to `back` (sent messages are
    // handled during the wait).
    if (!SendMessageTimeoutW(main, WM_COPYDATA, reinterpret_cast<WPARAM>(back.Get()), reinterpret_cast<LPARAM>(&cds),
                             SMTO_NORMAL, kAskTimeoutMs, &result) ||
        result == 0)
        return answer;
    answer.reached = true;
    answer.code = static_cast<int>(result) - 1;
    return answer;
}

void SetInstanceRequestHandler(InstanceRequestHandler handler) { Handler() = std::move(handler); }

namespace win32 {

LRESULT OnInstanceRequest(WPARAM wp, LPARAM lp) {
    const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lp);
    if (!cds || cds->dwData != kRequestTag || !Handler()) return 0;
    const std::wstring request(static_cast<const wchar_t*>(cds->lpData), cds->cbData / sizeof(wchar_t));
    // A copy: the handler may replace itself (the main window unloading).
    const InstanceRequestHandler handler = Handler();
    std::vector<std::uint8_t> data;
    std::function<void()> after;
    const int code = handler(request, data, after);
    const HWND asker = reinterpret_cast<HWND>(wp);
    if (!data.empty() && IsWindow(asker)) {
        COPYDATASTRUCT back{kAnswerTag, static_cast<DWORD>(data.size()), data.data()};
        DWORD_PTR ignored = 0;
        (void)SendMessageTimeoutW(asker, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&back), SMTO_NORMAL,
                                  kAskTimeoutMs, &ignored);
    }
    const LRESULT result = static_cast<LRESULT>(code) + 1;
    if (after) {
        // The asker goes on at once; the work that waits on the user follows.
        ReplyMessage(result);
        after();
    }
    return result;
}

}  // namespace win32

}  // namespace plat
