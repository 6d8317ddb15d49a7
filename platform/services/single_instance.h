#pragma once
// One running copy per user logon: a tray utility started twice must not
// fight itself over its hotkeys and settings.
#include <string>

namespace plat {

// Claims the program's instance marker for this logon session. True for the
// first copy (which keeps the claim until it ends); false when another copy
// holds it.
bool ClaimSingleInstance(const std::wstring& name);

// Brings the running copy's main window (its caption) forward: shown again if
// it was hidden, restored if minimised. False when no such window was found.
bool ActivateRunningInstance(const std::wstring& mainCaption);

// This program's instance marker.
inline constexpr wchar_t kInstanceMarkerName[] = L"MorrowenSnip.Instance.7c1e4b2a";

// True when a copy of the program other than this one holds the marker: this
// process never claimed it, and it exists.
bool OtherInstanceHolds(const std::wstring& name);

}  // namespace plat
