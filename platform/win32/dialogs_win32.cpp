#include "platform/dialogs.h"

#include <windows.h>
#include <commdlg.h>

namespace plat {

namespace {

// "text\0pattern\0...text\0pattern\0\0", as the file dialogs take their type list.
std::wstring FilterList(const std::vector<FileFilter>& filters) {
    std::wstring list;
    for (const auto& f : filters) {
        list += f.description;
        list.push_back(L'\0');
        list += f.pattern;
        list.push_back(L'\0');
    }
    list.push_back(L'\0');
    return list;
}

FileDialogResult RunFileDialog(const FileDialogRequest& request, bool open) {
    const std::wstring filters = FilterList(request.filters);
    std::wstring buffer(static_cast<size_t>(request.bufferChars > 1 ? request.bufferChars : 1), L'\0');
    request.fileName.copy(buffer.data(), buffer.size() - 1);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = reinterpret_cast<HWND>(request.owner);
    ofn.lpstrFilter = request.filters.empty() ? nullptr : filters.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(request.filterIndex);
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrInitialDir = request.initialDir.empty() ? nullptr : request.initialDir.c_str();
    ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    // Only an existing file can be opened.
    ofn.Flags = open ? request.flags | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST : request.flags;
    ofn.lpstrDefExt = request.defaultExt.empty() ? nullptr : request.defaultExt.c_str();

    FileDialogResult result;
    if (open ? GetOpenFileNameW(&ofn) : GetSaveFileNameW(&ofn)) {
        result.outcome = DialogOutcome::Chosen;
        result.path = buffer.c_str();  // up to the first NUL
        result.filterIndex = static_cast<int>(ofn.nFilterIndex);
        return result;
    }
    result.error = CommDlgExtendedError();
    result.outcome = result.error == 0 ? DialogOutcome::Cancelled : DialogOutcome::Failed;
    return result;
}

}  // namespace

FileDialogResult ShowSaveFileDialog(const FileDialogRequest& request) { return RunFileDialog(request, false); }
FileDialogResult ShowOpenFileDialog(const FileDialogRequest& request) { return RunFileDialog(request, true); }

}  // namespace plat
