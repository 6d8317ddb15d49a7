// New files through CREATE_NEW, so a name taken meanwhile is never written
// over; the folder picker is the shell's own.
#include <windows.h>
#include <shlobj.h>

#include "platform/services/file_write.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/handles.h"

namespace plat {

NewFileResult WriteNewFile(const std::wstring& path, std::span<const std::uint8_t> bytes) {
    NewFileResult r;
    const std::wstring full = win32::ExtendedPath(path);
    const HANDLE created =
        CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE) {
        const DWORD err = GetLastError();
        r.exists = err == ERROR_FILE_EXISTS || err == ERROR_ALREADY_EXISTS;
        r.error = {static_cast<std::uint32_t>(err), win32::SystemErrorText(err)};
        return r;
    }
    win32::KernelHandle file(created);
    DWORD written = 0;
    const bool ok = WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    const DWORD err = ok ? 0 : (GetLastError() ? GetLastError() : ERROR_WRITE_FAULT);
    file.Reset();
    if (!ok) {
        DeleteFileW(full.c_str());  // a part of a picture is no picture
        r.error = {static_cast<std::uint32_t>(err), win32::SystemErrorText(err)};
    }
    return r;
}

std::wstring ChooseFolder(Handle owner, const std::wstring& title) {
    // The picker's newer look needs COM in this thread; ended again after.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    struct ComScope {
        bool on;
        ~ComScope() {
            if (on) CoUninitialize();
        }
    } scope{SUCCEEDED(com)};
    BROWSEINFOW bi{};
    bi.hwndOwner = reinterpret_cast<HWND>(owner);
    bi.lpszTitle = title.c_str();
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&bi);
    if (!chosen) return {};
    std::wstring path(32768, L'\0');
    const bool ok = SHGetPathFromIDListEx(chosen, path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT);
    CoTaskMemFree(chosen);
    if (!ok) return {};
    path.resize(wcslen(path.c_str()));
    return path;
}

}  // namespace plat
