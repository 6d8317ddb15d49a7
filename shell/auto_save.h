#pragma once
// Auto-save: every copy also written as a PNG into a folder the user chose,
// named from a pattern, never over an existing file. Off while no folder is
// set (a.ini [AutoSave] Folder; the pattern in [AutoSave] Pattern).
#include <cstdint>
#include <ctime>
#include <span>
#include <string>

namespace shell {

inline constexpr wchar_t kDefaultAutoSavePattern[] = L"Snip %Y-%m-%d %H-%M-%S.png";

// The file name for a snip taken at `when`. The pattern's %Y %y %m %d %H %M
// %S %j and %% are filled in; any other % is kept as it is. Characters no
// file name may hold become "-"; ".png" is added when the name does not end
// in it; a counter of 2 or more goes before the extension as " (2)".
std::wstring AutoSaveFileName(const std::wstring& pattern, const std::tm& when, int counter);

std::wstring AutoSaveFolder();
void SetAutoSaveFolder(const std::wstring& folder);
std::wstring AutoSavePattern();

// Writes the snip's PNG bytes into the folder, if one is set, under the
// pattern's name (with a counter on a clash). A failure is kept to be told
// once (TakeAutoSaveWarning), and told again only after a success or a new
// folder. Returns the path written, empty when none.
std::wstring AutoSave(std::span<const std::uint8_t> png, std::time_t when);

// The failure not yet told, then nothing until the next one worth telling.
std::wstring TakeAutoSaveWarning();

}  // namespace shell
