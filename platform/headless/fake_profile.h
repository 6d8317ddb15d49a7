#pragma once
// Test controls of the headless profile functions. They work on real files
// (the program folder is a temporary folder of the headless backend, emptied
// by headless::Reset), in the INI format the platform writes: "[section]" and
// "key=value" lines ended by CR LF. A backslash in a path is a folder
// separator, as on the platform.
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

// The file's bytes as text ("" when it does not exist); and a file written whole.
std::string FileText(const std::wstring& path);
void SetFileText(const std::wstring& path, const std::string& text);

}  // namespace fake_profile
