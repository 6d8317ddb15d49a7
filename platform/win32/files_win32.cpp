#include "platform/win32/files_win32.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/services/files.h"

namespace plat {

namespace win32 {

std::wstring ExtendedPath(const std::wstring& path) {
    if (path.size() < MAX_PATH || path.rfind(L"\\\\?\\", 0) == 0) return path;
    // The prefix turns off the system's clean-up of the name, so do it first:
    // an absolute path, backslashes, no "." or ".." parts.
    std::wstring full(path.size() + 1, L'\0');
    for (;;) {
        const DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (n == 0) return path;
        if (n < full.size()) {
            full.resize(n);
            break;
        }
        full.resize(n);
    }
    if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::wstring SystemErrorText(std::uint32_t code) {
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = n && buffer ? std::wstring(buffer, n) : L"Error " + std::to_wstring(code);
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n')) text.pop_back();
    return text;
}

}  // namespace win32

namespace {

FileError LastError() {
    const DWORD code = GetLastError();
    const DWORD c = code ? code : ERROR_GEN_FAILURE;  // never report a failure as success
    return {c, win32::SystemErrorText(c)};
}

// Deletes the old files that replaces set aside, one after another on a thread
// of its own: deleting a large file frees its blocks, which need not hold up
// the save that replaced it. It lives as long as the process, so it is never
// destroyed while its thread runs.
class BackgroundRemover {
public:
    static BackgroundRemover& Instance() {
        static BackgroundRemover* remover = new BackgroundRemover;
        return *remover;
    }

    void Add(std::wstring path) {
        std::lock_guard lock(mutex_);
        if (!started_) {
            try {
                std::thread([this] { Run(); }).detach();
                started_ = true;
            } catch (const std::system_error&) {
                (void)RemoveFile(path);  // no thread to be had: deleted here and now
                return;
            }
        }
        waiting_.push_back(std::move(path));
        changed_.notify_all();
    }

    void Finish() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return waiting_.empty() && !busy_; });
    }

private:
    void Run() {
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait(lock, [this] { return !waiting_.empty(); });
            const std::wstring path = std::move(waiting_.front());
            waiting_.pop_front();
            busy_ = true;
            lock.unlock();
            (void)RemoveFile(path);  // a failure only leaves the old picture beside the new one
            lock.lock();
            busy_ = false;
            changed_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::wstring> waiting_;
    bool busy_ = false, started_ = false;
};

}  // namespace

void FinishFileRemovals() { BackgroundRemover::Instance().Finish(); }

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(win32::ExtendedPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::uint64_t> FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(win32::ExtendedPath(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

bool RemoveFile(const std::wstring& path) {
    const std::wstring p = win32::ExtendedPath(path);
    const DWORD attrs = GetFileAttributesW(p.c_str());
    if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesW(p.c_str(), attrs & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    return DeleteFileW(p.c_str()) != FALSE;
}

std::wstring TempNameBeside(const std::wstring& target) {
    static std::atomic<unsigned> counter{0};
    const size_t slash = target.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : target.substr(0, slash + 1);
    for (;;) {
        // Short, so that the name stays within the limit wherever the target does.
        const std::wstring name = folder + L"~" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                  std::to_wstring(++counter) + L".tmp";
        if (!FileExists(name)) return name;
    }
}

FileError ReplaceFileWith(const std::wstring& replacement, const std::wstring& target) {
    const std::wstring from = win32::ExtendedPath(replacement), to = win32::ExtendedPath(target);
    const DWORD attrs = GetFileAttributesW(to.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES) {
        if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return LastError();
        return {};
    }
    // A read-only file is refused (a rename would replace it under Wine).
    if (attrs & FILE_ATTRIBUTE_READONLY) return {ERROR_ACCESS_DENIED, win32::SystemErrorText(ERROR_ACCESS_DENIED)};

    // ReplaceFileW keeps the old file's attributes, security and creation
    // time. Given no backup name, Wine moves the old file aside to a name of
    // its own and leaves that file behind when the replace fails (a file held
    // open by another program): so the old file goes aside under a name of
    // ours, removed once the new file stands in its place.
    const std::wstring backup = win32::ExtendedPath(TempNameBeside(target));
    if (ReplaceFileW(to.c_str(), from.c_str(), backup.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        BackgroundRemover::Instance().Add(backup);
        return {};
    }
    const FileError error = LastError();
    if (GetFileAttributesW(backup.c_str()) != INVALID_FILE_ATTRIBUTES) {
        // The old file went aside and the new one did not take its place: it goes back.
        if (GetFileAttributesW(to.c_str()) == INVALID_FILE_ATTRIBUTES)
            (void)MoveFileExW(backup.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH);
        else
            (void)RemoveFile(backup);
    }
    return error;
}

std::wstring UserPicturesDir() {
    PWSTR path = nullptr;
    std::wstring dir;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Pictures, KF_FLAG_DEFAULT, nullptr, &path)) && path) dir = path;
    CoTaskMemFree(path);  // the shell's buffer, on success and failure alike
    return dir;
}

}  // namespace plat
