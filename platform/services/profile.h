#pragma once
// The platform's profile (INI file) functions. The program keeps all its
// settings in one such file; nothing here caches: every call reaches the file.
#include <string>

namespace plat {

// The whole value of `key` in `section` of the INI file at `path`, ended at
// its first NUL; `def` when the key (or the file) is missing. Section and key
// names compare without regard to case. An empty result means the key is
// missing and `def` is empty, or the key is present with an empty value.
// Paths of any length are served, those past the platform's 260 characters too.
std::wstring ProfileGetString(const std::wstring& section, const std::wstring& key, const std::wstring& def,
                              const std::wstring& path);

// Writes `value` under `key` in `section`, creating the file, section or key as
// needed. False when the file could not be written.
bool ProfileWriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                        const std::wstring& path);

}  // namespace plat
