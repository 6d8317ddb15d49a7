#pragma once
// rwini: the settings file "a.ini" beside the program. Nothing is cached:
// every read and write reaches the file when it is asked for. Values are read
// whole (a deep logo path is not cut), and the program's folder may be as deep
// as the file system allows.
#include <string>

namespace rwini {

// The program folder followed by "\a.ini".
std::wstring IniPath();

// The value of `key` in `section`. A missing key, or one present with an
// empty value, gives `def`; nothing is written.
std::wstring ReadIni(const std::wstring& section, const std::wstring& key, const std::wstring& def);
// Writes `value`; a failed write (read-only folder) goes unnoticed.
void WriteIni(const std::wstring& section, const std::wstring& key, const std::wstring& value);

// The path settings ("logo", "b0".."b7"): `name` is section, key and default
// at once; nothing is written back.
std::wstring ReadPathSetting(const std::wstring& name);
// Writes a path setting; a failed write goes unnoticed.
void WritePathSetting(const std::wstring& section, const std::wstring& key, const std::wstring& path);

// While held, nothing is written to the file (a command-line run must leave
// a.ini as it found it, whatever the windows it opens would store).
void HoldWrites(bool held);

}  // namespace rwini
