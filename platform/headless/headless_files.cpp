// The file service of the headless backend, over real files. A backslash in a
// path is a folder separator, as on the platform.
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/services/files.h"

namespace plat {

namespace {

namespace fs = std::filesystem;

fs::path PathOf(std::wstring p) {
    std::replace(p.begin(), p.end(), L'\\', L'/');
    return fs::path(p);
}

FileError ErrorOf(const std::error_code& ec) {
    const std::string text = ec.message();
    return {static_cast<std::uint32_t>(ec.value() ? ec.value() : EIO), std::wstring(text.begin(), text.end())};
}

}  // namespace

bool FileExists(const std::wstring& path) {
    std::error_code ec;
    return fs::exists(PathOf(path), ec);
}

std::optional<std::uint64_t> FileSize(const std::wstring& path) {
    std::error_code ec;
    const auto size = fs::file_size(PathOf(path), ec);
    if (ec) return std::nullopt;
    return static_cast<std::uint64_t>(size);
}

bool RemoveFile(const std::wstring& path) {
    std::error_code ec;
    return fs::remove(PathOf(path), ec);
}

std::wstring TempNameBeside(const std::wstring& target) {
    static unsigned counter = 0;
    const size_t slash = target.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : target.substr(0, slash + 1);
    for (;;) {
        const std::wstring name = folder + L"~" + std::to_wstring(++counter) + L".tmp";
        if (!FileExists(name)) return name;
    }
}

FileError ReplaceFileWith(const std::wstring& replacement, const std::wstring& target) {
    std::error_code ec;
    // A rename, which replaces the target in one step, or fails and changes nothing.
    fs::rename(PathOf(replacement), PathOf(target), ec);
    if (ec) return ErrorOf(ec);
    return {};
}

// A rename leaves no old file to delete.
void FinishFileRemovals() {}

// The headless machine has no user folders.
std::wstring UserPicturesDir() { return L""; }

}  // namespace plat
