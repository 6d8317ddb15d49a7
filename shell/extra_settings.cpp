#include "shell/extra_settings.h"

#include "platform/services/profile.h"
#include "shell/rwini.h"

namespace shell {

bool ParseSettingNumber(const std::wstring& text, int& out) {
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == L'-';
    if (negative) i = 1;
    if (text.size() == i || text.size() - i > 9) return false;
    int n = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') return false;
        n = n * 10 + (text[i] - L'0');
    }
    out = negative ? -n : n;
    return true;
}

int ReadSettingNumber(const std::wstring& section, const std::wstring& key, int def, int min, int max) {
    int n = 0;
    if (!ParseSettingNumber(plat::ProfileGetString(section, key, L"", rwini::IniPath()), n)) return def;
    return n < min || n > max ? def : n;
}

void WriteSettingNumber(const std::wstring& section, const std::wstring& key, int value) {
    rwini::WriteIni(section, key, std::to_wstring(value));
}

std::wstring ReadSettingText(const std::wstring& section, const std::wstring& key, const std::wstring& def) {
    std::wstring v = plat::ProfileGetString(section, key, L"", rwini::IniPath());
    return v.empty() ? def : v;
}

void WriteSettingText(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
    rwini::WriteIni(section, key, value);
}

}  // namespace shell
