#pragma once
// Writing a new file whole, never over an existing one.
#include <cstdint>
#include <span>
#include <string>

#include "platform/services/files.h"
#include "platform/services/types.h"

namespace plat {

// Creates the file at path with these bytes. A file already there is left
// alone and reported as `exists`; on any failure nothing is left behind.
struct NewFileResult {
    bool exists = false;  // the name was taken
    FileError error;      // any failure, `exists` included
};
NewFileResult WriteNewFile(const std::wstring& path, std::span<const std::uint8_t> bytes);

// Asks the user for a folder; empty when cancelled.
std::wstring ChooseFolder(Handle owner, const std::wstring& title);

}  // namespace plat
