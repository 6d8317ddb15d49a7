#include "shell/start_with_windows.h"

#include "platform/services/run_key.h"

namespace shell {

std::wstring RunCommandFor(const std::wstring& exePath) { return L"\"" + exePath + L"\""; }

bool StartsWithWindows() { return plat::ReadRunEntry(kRunEntryName).has_value(); }

bool SetStartWithWindows(bool on) {
    return plat::WriteRunEntry(kRunEntryName, on ? RunCommandFor(plat::ExePath()) : std::wstring());
}

}  // namespace shell
