#pragma once
// The few file operations the program does itself, safe for paths longer than
// the platform's classic limit of 260 characters. Failures come back as the
// system's error code (0 for success) with the system's text for it.
#include <cstdint>
#include <optional>
#include <string>

namespace plat {

struct FileError {
    std::uint32_t code = 0;  // the system's error code; 0 is success
    std::wstring message;    // the system's text for code, empty on success
    explicit operator bool() const { return code != 0; }
};

// Whether a file or folder exists at path.
bool FileExists(const std::wstring& path);

// The size of the file at path; nothing when it cannot be read.
std::optional<std::uint64_t> FileSize(const std::wstring& path);

// Deletes the file at path (read-only or not); false when it could not.
bool RemoveFile(const std::wstring& path);

// A name in target's folder that no file has now: where a replacement of
// target is written before it takes target's place.
std::wstring TempNameBeside(const std::wstring& target);

// Puts the finished file `replacement` (in target's folder) in target's place
// in one step, keeping target's attributes when it existed. On failure both
// files are as they were; a read-only target is refused. The old file, once
// set aside, is deleted in the background (see FinishFileRemovals).
FileError ReplaceFileWith(const std::wstring& replacement, const std::wstring& target);

// Waits until the old files that replaces set aside are deleted: before the
// program ends, and wherever a folder must be seen as the user will find it.
void FinishFileRemovals();

// The user's own pictures folder (on Windows the known folder "Pictures"),
// without a trailing separator; empty when the system names none.
std::wstring UserPicturesDir();

}  // namespace plat
