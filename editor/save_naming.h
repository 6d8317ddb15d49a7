#pragma once
// The save dialog's first answer: where it opens and the name it suggests.
#include <ctime>
#include <string>

namespace editor {

// "Snip 2026-12-10 14-03-05.png" for that local time: sorts by time, and
// holds no character a file name may not.
std::wstring SuggestedSnipName(const std::tm& local);

// The folder part of a full path ("C:\a\b.png" -> "C:\a"); "" when it has none.
std::wstring FolderOf(const std::wstring& path);

// The folder the dialog opens in: the last one saved to while it still
// exists, else the user's pictures folder, else the program's own.
std::wstring SaveStartFolder(const std::wstring& lastSaved, bool lastExists, const std::wstring& pictures,
                             const std::wstring& programDir);

}  // namespace editor
