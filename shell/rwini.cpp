#include "shell/rwini.h"

#include "platform/services/profile.h"
#include "platform/services/system.h"

namespace rwini {

std::wstring IniPath() { return plat::ExeDir() + L"\\a.ini"; }

std::wstring ReadIni(const std::wstring& section, const std::wstring& key, const std::wstring& def) {
    const std::wstring path = IniPath();
    std::wstring value = plat::ProfileGetString(section, key, L"", path);
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
    return plat::ProfileGetString(name, name, name, IniPath());
}

void WritePathSetting(const std::wstring& section, const std::wstring& key, const std::wstring& path) {
    (void)plat::ProfileWriteString(section, key, path, IniPath());
}

}  // namespace rwini
