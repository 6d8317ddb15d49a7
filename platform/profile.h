#pragma once
// The platform's profile (INI file) functions. The program keeps all its
// settings in one such file; nothing here caches: every call reaches the file.
#include <string>

namespace plat {

// The value of `key` in `section` of the INI file at `path`, as the profile
// function copies it into a buffer of `bufferChars` characters: at most
// bufferChars - 1 characters, ended at the first NUL. A missing key (or
// file) gives `def`, cut the same way. Section and key names compare without
// regard to case. An empty result means the key is missing and `def` is empty,
// or the key is present with an empty value.
std::wstring ProfileGetString(const std::wstring& section, const std::wstring& key, const std::wstring& def,
                              int bufferChars, const std::wstring& path);

// Writes `value` under `key` in `section`, creating the file, section or key as
// needed. False when the file could not be written.
bool ProfileWriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                        const std::wstring& path);

}  // namespace plat
