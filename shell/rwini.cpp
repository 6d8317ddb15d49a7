#include "shell/rwini.h"

#include "platform/services/profile.h"
#include "platform/services/system.h"

namespace rwini {

namespace {
bool g_writesHeld = false;
bool Write(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
    return !g_writesHeld && plat::ProfileWriteString(section, key, value, IniPath());
}
}  // namespace

void HoldWrites(bool held) { g_writesHeld = held; }

std::wstring IniPath() { return plat::ExeDir() + L"\\a.ini"; }

std::wstring ReadIni(const std::wstring& section, const std::wstring& key, const std::wstring& def) {
    // The default is not written back: the file changes only when the user
    // changes a setting.
    std::wstring value = plat::ProfileGetString(section, key, L"", IniPath());
    return value.empty() ? def : value;
}

void WriteIni(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
    (void)Write(section, key, value);
}

std::wstring ReadPathSetting(const std::wstring& name) {
    return plat::ProfileGetString(name, name, name, IniPath());
}

void WritePathSetting(const std::wstring& section, const std::wstring& key, const std::wstring& path) {
    (void)Write(section, key, path);
}

}  // namespace rwini
