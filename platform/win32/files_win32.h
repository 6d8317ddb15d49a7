#pragma once
// Win32 side of the file service: paths in the form that passes the classic
// 260-character limit, and the system's text for an error code.
#include <cstdint>
#include <string>

namespace plat::win32 {

// path as the file functions take it: unchanged when it is shorter than
// MAX_PATH or already in the "\\?\" form; otherwise made absolute and given
// the "\\?\" ("\\?\UNC\" for a share) prefix, which lifts the limit.
std::wstring ExtendedPath(const std::wstring& path);

// The system's message for code, without its closing line break.
std::wstring SystemErrorText(std::uint32_t code);

}  // namespace plat::win32
