#pragma once
// Settings of this user in the registry: the own start-up list ("Run" under
// the user's hive, no administrator rights needed) and the Print Screen key.
#include <cstdint>
#include <optional>
#include <string>

namespace plat {

// The command stored under `name`, or nothing when there is none.
std::optional<std::wstring> ReadRunEntry(const std::wstring& name);
// Stores `command` under `name`, or removes `name` when `command` is empty.
// False when the registry refused.
bool WriteRunEntry(const std::wstring& name, const std::wstring& command);
// Windows' own "use the Print screen key to open screen capture" for this
// user (Control Panel\Keyboard, PrintScreenKeyForSnippingEnabled): its value,
// or nothing when the value is not there.
std::optional<std::uint32_t> ReadPrintScreenForSnipping();
// Sets it; false when the registry refused.
bool WritePrintScreenForSnipping(std::uint32_t value);

// The full path of this program's executable.
std::wstring ExePath();

}  // namespace plat
