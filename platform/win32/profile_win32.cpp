// The profile functions on Win32, in their W form. A file they create is
// written in the ANSI code page, so the A functions read it as well.
//
// They take paths of up to MAX_PATH characters only. A file past that (the
// program in a deep folder) is served through a copy in the temporary folder:
// the system's own parser still reads and writes the text, and a changed copy
// takes the file's place in one step.
#include <windows.h>

#include <vector>

#include "platform/services/files.h"
#include "platform/services/profile.h"
#include "platform/win32/files_win32.h"

namespace plat {

namespace {

// Values are read whole: the buffer grows while the function fills it.
constexpr DWORD kFirstBuffer = 256;
constexpr DWORD kLargestBuffer = 1u << 20;

bool ReachableDirectly(const std::wstring& path) {
    return path.size() < MAX_PATH && path.rfind(L"\\\\?\\", 0) != 0;
}

std::wstring GetWhole(const std::wstring& section, const std::wstring& key, const std::wstring& def,
                      const std::wstring& path) {
    std::vector<wchar_t> buffer(kFirstBuffer, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD n = GetPrivateProfileStringW(section.c_str(), key.c_str(), def.c_str(), buffer.data(), size,
                                                 path.c_str());
        // A full buffer (size - 1 characters) may mean a cut value.
        if (n + 1 < size || size >= kLargestBuffer) {
            std::wstring s(buffer.data(), n < size ? n : size - 1);
            return s.substr(0, s.find(L'\0'));
        }
        buffer.assign(static_cast<size_t>(size) * 2, L'\0');
    }
}

// A copy of the settings file in the temporary folder, where the profile
// functions reach it; removed when the object goes.
class StagedCopy {
public:
    explicit StagedCopy(const std::wstring& path) : path_(path) {
        wchar_t folder[MAX_PATH + 1];
        const DWORD n = GetTempPathW(MAX_PATH + 1, folder);
        if (n == 0 || n > MAX_PATH) return;
        // A name this process never used before: the platform may keep a
        // parsed file by name and time, and a reused name could bring back
        // an old text.
        copy_ = TempNameBeside(std::wstring(folder, n) + L"a.ini");
        if (copy_.size() >= MAX_PATH) return;
        // A missing file stays missing, for the functions to see none.
        if (!FileExists(path)) {
            ok_ = true;
            return;
        }
        ok_ = CopyFileW(win32::ExtendedPath(path).c_str(), copy_.c_str(), TRUE) != FALSE;
        // A read-only original gives a read-only copy; the replace refuses it later.
        if (ok_) SetFileAttributesW(copy_.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    ~StagedCopy() {
        if (ok_) (void)RemoveFile(copy_);  // none there when the file was missing and only read
    }
    StagedCopy(const StagedCopy&) = delete;
    StagedCopy& operator=(const StagedCopy&) = delete;

    bool Ok() const { return ok_; }
    const std::wstring& Path() const { return copy_; }

    // The copy, as it is now, takes the original's place in one step.
    bool PutBack() const {
        const std::wstring beside = TempNameBeside(path_);
        if (!CopyFileW(copy_.c_str(), win32::ExtendedPath(beside).c_str(), TRUE)) return false;
        if (ReplaceFileWith(beside, path_)) {
            (void)RemoveFile(beside);
            return false;
        }
        return true;
    }

private:
    std::wstring path_, copy_;
    bool ok_ = false;
};

}  // namespace

std::wstring ProfileGetString(const std::wstring& section, const std::wstring& key, const std::wstring& def,
                              const std::wstring& path) {
    if (ReachableDirectly(path)) return GetWhole(section, key, def, path);
    const StagedCopy copy(path);
    // Unreadable, as the profile functions treat a file they cannot open.
    if (!copy.Ok()) return def;
    return GetWhole(section, key, def, copy.Path());
}

bool ProfileWriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                        const std::wstring& path) {
    if (ReachableDirectly(path))
        return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != FALSE;
    const StagedCopy copy(path);
    return copy.Ok() &&
           WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), copy.Path().c_str()) != FALSE &&
           copy.PutBack();
}

}  // namespace plat
