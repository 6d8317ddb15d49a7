#include "shell/rwini.h"

#include "platform/services/profile.h"
#include "platform/services/system.h"

namespace rwini {

std::wstring IniPath() { return plat::ExeDir() + L"\\a.ini"; }

std::wstring ReadIni(const std::wstring& section, const std::wstring& key, const std::wstring& def) {
    // The default is not written back: the file changes only when the user
    // changes a setting.
    std::wstring value = plat::ProfileGetString(section, key, L"", IniPath());
    return value.empty() ? def : value;
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
