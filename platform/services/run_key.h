#pragma once
// The user's own start-up list ("Run" under the user's registry hive): no
// administrator rights needed, and only this user's sign-in starts it.
#include <optional>
#include <string>

namespace plat {

// The command stored under `name`, or nothing when there is none.
std::optional<std::wstring> ReadRunEntry(const std::wstring& name);
// Stores `command` under `name`, or removes `name` when `command` is empty.
// False when the registry refused.
bool WriteRunEntry(const std::wstring& name, const std::wstring& command);
// The full path of this program's executable.
std::wstring ExePath();

}  // namespace plat
