#pragma once
// "Start with Windows": this program under the user's Run key.
#include <string>

namespace shell {

inline constexpr wchar_t kRunEntryName[] = L"Morrowen Snip";

// The Run entry's command for the executable at `exePath`: the path quoted,
// so that a folder with spaces starts the program and not a part of its path.
std::wstring RunCommandFor(const std::wstring& exePath);
// Whether the user's Run key holds the program's entry.
bool StartsWithWindows();
// Adds (the current executable) or removes the entry; false when refused.
bool SetStartWithWindows(bool on);

}  // namespace shell
