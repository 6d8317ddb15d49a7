#include "editor/save_naming.h"

#include <cwchar>

namespace editor {

std::wstring SuggestedSnipName(const std::tm& local) {
    wchar_t name[64];
    std::swprintf(name, sizeof name / sizeof name[0], L"Snip %04d-%02d-%02d %02d-%02d-%02d.png", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return name;
}

std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return L"";
    // "C:\x.png": the drive's root keeps its separator.
    if (slash == 2 && path[1] == L':') return path.substr(0, 3);
    return path.substr(0, slash);
}

std::wstring SaveStartFolder(const std::wstring& lastSaved, bool lastExists, const std::wstring& pictures,
                             const std::wstring& programDir) {
    if (!lastSaved.empty() && lastExists) return lastSaved;
    if (!pictures.empty()) return pictures;
    return programDir;
}

}  // namespace editor
