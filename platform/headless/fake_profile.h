#pragma once
// Test controls of the headless profile functions: a store of values by
// settings-file path, section and key, and a log of every call. Names are
// compared exactly as given; the platform's own file format and name rules
// are proved against the real functions, not imitated here.
#include <optional>
#include <string>
#include <vector>

namespace fake_profile {

struct Access {
    bool write = false;
    std::wstring section, key, value;  // for a read: the value returned
    friend bool operator==(const Access&, const Access&) = default;
};

// Every read and write since the last ClearLog, in order.
const std::vector<Access>& Log();
void ClearLog();

// Seeds a value, as if the file held it; not logged.
void SetValue(const std::wstring& path, const std::wstring& section, const std::wstring& key,
              const std::wstring& value);
// The stored value, or nullopt when the key (or the file) is missing.
std::optional<std::wstring> Value(const std::wstring& path, const std::wstring& section, const std::wstring& key);
// True while any value is stored for `path`: whether the file exists.
bool Exists(const std::wstring& path);
// Writes to `path` fail (and store nothing) while this is set.
void SetUnwritable(const std::wstring& path, bool unwritable);

// Forgets every file, the unwritable marks and the log.
void Reset();

}  // namespace fake_profile
