// The profile functions on Win32, in their W form. A file they create is
// written in the ANSI code page, so the A functions read it as well.
#include <windows.h>

#include <vector>

#include "platform/profile.h"

namespace plat {

std::wstring ProfileGetString(const std::wstring& section, const std::wstring& key, const std::wstring& def,
                              int bufferChars, const std::wstring& path) {
    if (bufferChars <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<size_t>(bufferChars), L'\0');
    const DWORD n = GetPrivateProfileStringW(section.c_str(), key.c_str(), def.c_str(), buffer.data(),
                                             static_cast<DWORD>(buffer.size()), path.c_str());
    std::wstring s(buffer.data(), n < buffer.size() ? n : buffer.size() - 1);
    return s.substr(0, s.find(L'\0'));
}

bool ProfileWriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                        const std::wstring& path) {
    return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != FALSE;
}

}  // namespace plat
