#include "shell/auto_save.h"

#include "platform/services/file_write.h"
#include "platform/services/local_time.h"
#include "shell/extra_settings.h"

namespace shell {

namespace {

constexpr wchar_t kSection[] = L"AutoSave";
constexpr int kMostTries = 9999;

struct WarningState {
    std::wstring pending;
    bool told = false;  // since the last success or folder change
};
WarningState& Warning() {
    static WarningState w;
    return w;
}

std::wstring Padded(int value, int digits) {
    std::wstring s = std::to_wstring(value);
    while (static_cast<int>(s.size()) < digits) s.insert(s.begin(), L'0');
    return s;
}

bool EndsWithPng(const std::wstring& name) {
    constexpr wchar_t kTail[] = L".png";
    if (name.size() < 4) return false;
    for (size_t i = 0; i < 4; ++i) {
        wchar_t c = name[name.size() - 4 + i];
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (c != kTail[i]) return false;
    }
    return true;
}

}  // namespace

std::wstring AutoSaveFileName(const std::wstring& pattern, const std::tm& when, int counter) {
    std::wstring name;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const wchar_t c = pattern[i];
        if (c != L'%' || i + 1 >= pattern.size()) {
            name += c;
            continue;
        }
        switch (pattern[i + 1]) {
            case L'Y': name += std::to_wstring(when.tm_year + 1900); break;
            case L'y': name += Padded((when.tm_year + 1900) % 100, 2); break;
            case L'm': name += Padded(when.tm_mon + 1, 2); break;
            case L'd': name += Padded(when.tm_mday, 2); break;
            case L'H': name += Padded(when.tm_hour, 2); break;
            case L'M': name += Padded(when.tm_min, 2); break;
            case L'S': name += Padded(when.tm_sec, 2); break;
            case L'j': name += Padded(when.tm_yday + 1, 3); break;
            case L'%': name += L'%'; break;
            default: name += c; continue;  // kept, and the next character read as itself
        }
        ++i;
    }
    for (auto& ch : name)
        if (ch < 32 || std::wstring_view(L"\\/:*?\"<>|").find(ch) != std::wstring_view::npos) ch = L'-';
    if (!EndsWithPng(name)) name += L".png";
    if (name == L".png") name = L"Snip.png";
    if (counter >= 2) name.insert(name.size() - 4, L" (" + std::to_wstring(counter) + L")");
    return name;
}

std::wstring AutoSaveFolder() { return ReadSettingText(kSection, L"Folder", L""); }

void SetAutoSaveFolder(const std::wstring& folder) {
    WriteSettingText(kSection, L"Folder", folder);
    Warning() = {};
}

std::wstring AutoSavePattern() { return ReadSettingText(kSection, L"Pattern", kDefaultAutoSavePattern); }

std::wstring AutoSave(std::span<const std::uint8_t> png, std::time_t when) {
    std::wstring folder = AutoSaveFolder();
    if (folder.empty()) return {};
    if (folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
    const std::tm local = plat::LocalTime(when);
    const std::wstring pattern = AutoSavePattern();
    std::wstring failure;
    for (int counter = 1; counter <= kMostTries; ++counter) {
        const std::wstring path = folder + AutoSaveFileName(pattern, local, counter);
        const plat::NewFileResult r = plat::WriteNewFile(path, png);
        if (r.exists) continue;
        if (!r.error) {
            Warning().told = false;
            return path;
        }
        failure = r.error.message;
        break;
    }
    if (failure.empty()) failure = L"every name is taken";
    if (!Warning().told) {
        Warning().pending = L"Auto-save to " + folder + L" failed: " + failure;
        Warning().told = true;
    }
    return {};
}

std::wstring TakeAutoSaveWarning() {
    std::wstring w = std::move(Warning().pending);
    Warning().pending.clear();
    return w;
}

}  // namespace shell
