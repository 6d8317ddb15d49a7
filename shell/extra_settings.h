#pragma once
// Settings beyond the hotkeys and logos, each in an a.ini section of its own.
// A value is read without writing anything back: the file changes only when
// the user changes a setting, and a value the program cannot read is left in
// the file exactly as it was (the default serves meanwhile).
#include <string>

namespace shell {

// A whole number in min..max; `def` when the key is missing or holds anything else.
int ReadSettingNumber(const std::wstring& section, const std::wstring& key, int def, int min, int max);
void WriteSettingNumber(const std::wstring& section, const std::wstring& key, int value);
// A text; `def` when the key is missing or empty.
std::wstring ReadSettingText(const std::wstring& section, const std::wstring& key, const std::wstring& def);
void WriteSettingText(const std::wstring& section, const std::wstring& key, const std::wstring& value);

// The number a setting's text holds when it is an optional sign and 1..9
// digits and nothing else (no spaces); otherwise none.
bool ParseSettingNumber(const std::wstring& text, int& out);

}  // namespace shell
