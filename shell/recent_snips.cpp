#include "shell/recent_snips.h"

#include <cwchar>

#include "platform/services/local_time.h"
#include "platform/services/picture_bytes.h"
#include "shell/extra_settings.h"

namespace shell {

namespace {
constexpr wchar_t kSection[] = L"RecentSnips";
constexpr wchar_t kKeepKey[] = L"Keep";
}  // namespace

bool RecentSnips::Keep(const plat::Picture& snip, std::time_t takenAt) {
    std::vector<std::uint8_t> png;
    if (!plat::EncodePngBytes(snip, png)) return false;
    KeepPng(std::move(png), snip.Width(), snip.Height(), takenAt);
    return true;
}

void RecentSnips::KeepPng(std::vector<std::uint8_t> png, int width, int height, std::time_t takenAt) {
    entries_.push_front({std::move(png), width, height, takenAt});
    while (entries_.size() > kMaxEntries || (entries_.size() > 1 && Bytes() > maxBytes_)) entries_.pop_back();
}

size_t RecentSnips::Bytes() const {
    size_t n = 0;
    for (const RecentSnip& e : entries_) n += e.png.size();
    return n;
}

RecentSnips& Recent() {
    static RecentSnips list;
    return list;
}

std::wstring RecentSnipLabel(const RecentSnip& snip) {
    const std::tm local = plat::LocalTime(snip.takenAt);
    wchar_t time[16] = {};
    std::wcsftime(time, 16, L"%H:%M:%S", &local);
    return std::wstring(time) + L"  " + std::to_wstring(snip.width) + L" x " + std::to_wstring(snip.height);
}

bool RecentSnipsWanted() { return ReadSettingNumber(kSection, kKeepKey, 1, 0, 1) == 1; }
void SetRecentSnipsWanted(bool on) { WriteSettingNumber(kSection, kKeepKey, on ? 1 : 0); }

}  // namespace shell
