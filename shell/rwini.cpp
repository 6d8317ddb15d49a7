#include "shell/rwini.h"

#include "platform/profile.h"
#include "platform/system.h"

namespace rwini {

namespace {
constexpr int kValueBuffer = 144;  // hotkey values: 143 characters and the NUL
constexpr int kPathBuffer = 256;   // paths: 255 characters and the NUL
}  // namespace

std::wstring IniPath() { return plat::ExeDir() + L"\\a.ini"; }

std::wstring ReadIni(const std::wstring& section, const std::wstring& key, const std::wstring& def) {
    const std::wstring path = IniPath();
    std::wstring value = plat::ProfileGetString(section, key, L"", kValueBuffer, path);
    if (value.empty()) {
        (void)plat::ProfileWriteString(section, key, def, path);
        return def;
    }
    return value;
}

void WriteIni(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
    (void)plat::ProfileWriteString(section, key, value, IniPath());
}

std::wstring ReadPathSetting(const std::wstring& name) {
    return plat::ProfileGetString(name, name, name, kPathBuffer, IniPath());
}

void WritePathSetting(const std::wstring& section, const std::wstring& key, const std::wstring& path) {
    (void)plat::ProfileWriteString(section, key, path, IniPath());
}

}  // namespace rwini
