#pragma once
// The headless backend's console, requests to a running copy, in-memory
// picture bytes and Run key: recorded and answered in-process.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/services/tray_menu.h"

namespace plat::fake {

struct ConsoleLine {
    std::wstring text;
    bool error;
};
// Every line written, oldest first; cleared by ResetCliServices.
std::vector<ConsoleLine>& ConsoleLines();
// The user's Run entries by name.
std::map<std::wstring, std::wstring>& RunEntries();
// Whether the Run key refuses writes (a locked-down account).
void SetRunKeyRefuses(bool refuses);
// The tray menu's tree as last shown, and the id the next one answers (-1: none).
const std::vector<MenuEntry>& LastTrayMenuTree();
void SetTrayMenuTreeAnswer(int id);
// The folder the next folder picker answers (empty: cancelled), and its titles so far.
void SetChosenFolder(std::wstring folder);
const std::vector<std::wstring>& FolderPickerTitles();
// The user's PrintScreenKeyForSnippingEnabled value (nothing: not there).
std::optional<std::uint32_t>& PrintScreenForSnipping();
// Forgets the lines, the Run entries and the request handler.
void ResetCliServices();

}  // namespace plat::fake
