#include "shell/hotkey_text.h"

#include <limits>
#include <vector>

namespace shell {

namespace {
constexpr std::int32_t kDelete = 46;
constexpr std::int32_t kBackspace = 8;

std::wstring_view Trim(std::wstring_view s) {
    while (!s.empty() && (s.front() == L' ' || s.front() == L'\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == L' ' || s.back() == L'\t')) s.remove_suffix(1);
    return s;
}

std::optional<std::int32_t> ParseInt32(std::wstring_view s) {
    s = Trim(s);
    bool negative = false;
    if (!s.empty() && (s.front() == L'-' || s.front() == L'+')) {
        negative = s.front() == L'-';
        s.remove_prefix(1);
    }
    if (s.empty()) return std::nullopt;
    std::int64_t v = 0;
    for (wchar_t c : s) {
        if (c < L'0' || c > L'9') return std::nullopt;
        v = v * 10 + (c - L'0');
        if (v > static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1) return std::nullopt;
    }
    if (negative) v = -v;
    if (v > std::numeric_limits<std::int32_t>::max() || v < std::numeric_limits<std::int32_t>::min())
        return std::nullopt;
    return static_cast<std::int32_t>(v);
}
}  // namespace

std::wstring HotKeyText(std::int32_t keyCode, std::int32_t ctrl, std::int32_t alt, std::int32_t shift) {
    if (keyCode == kDelete || keyCode == kBackspace) return std::wstring(kNotSetHotKey);
    std::wstring m;
    if (ctrl == -1) m = L"Ctrl";
    if (alt == -1) m += m.empty() ? L"Alt" : L" + Alt";
    if (shift == -1) m += m.empty() ? L"Shift" : L" + Shift";
    if (m.empty()) return L"(ALT+? or CTRL+? or SHIFT+? )";
    if (keyCode >= 112 && keyCode <= 124) return m + L" + F" + std::to_wstring(keyCode - 111);
    if ((keyCode >= 65 && keyCode <= 90) || (keyCode >= 48 && keyCode <= 57))
        return m + L" + " + static_cast<wchar_t>(keyCode);
    return m;
}

std::wstring StoredForm(const HotKeyForm& f) {
    return std::to_wstring(f.keyCode) + L"," + std::to_wstring(f.ctrl) + L"," + std::to_wstring(f.alt) + L"," +
           std::to_wstring(f.shift);
}

std::optional<HotKeyForm> ParseStoredForm(std::wstring_view s) {
    std::vector<std::int32_t> parts;
    while (parts.size() < 4) {
        const size_t comma = s.find(L',');
        const auto v = ParseInt32(s.substr(0, comma));
        if (!v) return std::nullopt;
        parts.push_back(*v);
        if (comma == std::wstring_view::npos) break;
        s.remove_prefix(comma + 1);
    }
    if (parts.size() < 4 || parts[0] < 1 || parts[0] > 254) return std::nullopt;
    return HotKeyForm{parts[0], parts[1], parts[2], parts[3]};
}

}  // namespace shell
