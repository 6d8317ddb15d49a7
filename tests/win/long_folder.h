#pragma once
// A fresh folder under the temporary folder whose path is longer than the
// classic 260-character limit (or a short one, for comparison), with byte-level
// file access that works at any length. Removed with its files at the end.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/services/files.h"
#include "platform/win32/files_win32.h"

namespace win_testing {

class TestFolder {
public:
    explicit TestFolder(size_t atLeast) {
        wchar_t tmp[MAX_PATH];
        GetTempPathW(MAX_PATH, tmp);
        std::wstring path = std::wstring(tmp) + L"ms_files_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                            std::to_wstring(++counter_);
        Make(path);
        while (path.size() < atLeast) Make(path += L"\\a_folder_with_a_long_name_to_go_deeper");
        path_ = path;
    }
    ~TestFolder() {
        for (const std::wstring& name : Names()) {
            const std::wstring p = Ext(PathOf(name));
            SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileW(p.c_str())) RemoveDirectoryW(p.c_str());
        }
        for (auto it = made_.rbegin(); it != made_.rend(); ++it) RemoveDirectoryW(Ext(*it).c_str());
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring PathOf(const std::wstring& name) const { return path_ + L"\\" + name; }

    // Names of the files and folders directly inside, once the old files that
    // replaces set aside are deleted (as the user finds the folder).
    std::vector<std::wstring> Names() const {
        plat::FinishFileRemovals();
        return NamesIn(path_);
    }
    static std::vector<std::wstring> NamesIn(const std::wstring& folder) {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW d;
        HANDLE h = FindFirstFileW(Ext(folder + L"\\*").c_str(), &d);
        if (h == INVALID_HANDLE_VALUE) return names;
        do {
            const std::wstring n = d.cFileName;
            if (n != L"." && n != L"..") names.push_back(n);
        } while (FindNextFileW(h, &d));
        FindClose(h);
        return names;
    }

    static std::string Bytes(const std::wstring& path) {
        std::string bytes;
        HANDLE h = CreateFileW(Ext(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return "(none)";
        char buf[4096];
        DWORD n = 0;
        while (ReadFile(h, buf, sizeof buf, &n, nullptr) && n) bytes.append(buf, n);
        CloseHandle(h);
        return bytes;
    }
    static void Write(const std::wstring& path, const std::string& bytes) {
        HANDLE h = CreateFileW(Ext(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD n = 0;
        WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
        CloseHandle(h);
    }
    static std::wstring Ext(const std::wstring& p) { return plat::win32::ExtendedPath(p); }

private:
    void Make(const std::wstring& p) {
        CreateDirectoryW(Ext(p).c_str(), nullptr);
        made_.push_back(p);
    }
    static inline int counter_ = 0;
    std::wstring path_;
    std::vector<std::wstring> made_;
};

}  // namespace win_testing
