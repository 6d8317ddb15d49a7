// The user's Run key: HKEY_CURRENT_USER needs no administrator rights.
#include <windows.h>

#include "platform/services/run_key.h"
#include "platform/win32/handles.h"

namespace plat {

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kKeyboardKey[] = L"Control Panel\\Keyboard";
constexpr wchar_t kPrintScreenValue[] = L"PrintScreenKeyForSnippingEnabled";

struct RegKeyTraits {
    static void Close(HKEY k) { RegCloseKey(k); }
};
using RegKeyOwner = win32::Owned<HKEY, RegKeyTraits>;

RegKeyOwner OpenUserKey(const wchar_t* path, REGSAM access) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, access, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return RegKeyOwner();
    return RegKeyOwner(key);
}

RegKeyOwner OpenRunKey(REGSAM access) { return OpenUserKey(kRunKey, access); }

}  // namespace

std::optional<std::wstring> ReadRunEntry(const std::wstring& name) {
    const RegKeyOwner key = OpenRunKey(KEY_QUERY_VALUE);
    if (!key) return std::nullopt;
    DWORD type = 0, bytes = 0;
    if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &bytes) !=
        ERROR_SUCCESS)
        return std::nullopt;
    value.resize(wcsnlen(value.c_str(), value.size()));
    return value;
}

bool WriteRunEntry(const std::wstring& name, const std::wstring& command) {
    const RegKeyOwner key = OpenRunKey(KEY_SET_VALUE);
    if (!key) return false;
    if (command.empty()) {
        const LSTATUS st = RegDeleteValueW(key.Get(), name.c_str());
        return st == ERROR_SUCCESS || st == ERROR_FILE_NOT_FOUND;
    }
    return RegSetValueExW(key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                          static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

std::optional<std::uint32_t> ReadPrintScreenForSnipping() {
    const RegKeyOwner key = OpenUserKey(kKeyboardKey, KEY_QUERY_VALUE);
    if (!key) return std::nullopt;
    DWORD type = 0, value = 0, bytes = sizeof(value);
    if (RegQueryValueExW(key.Get(), kPrintScreenValue, nullptr, &type, reinterpret_cast<BYTE*>(&value), &bytes) !=
            ERROR_SUCCESS ||
        type != REG_DWORD)
        return std::nullopt;
    return value;
}

bool WritePrintScreenForSnipping(std::uint32_t value) {
    const RegKeyOwner key = OpenUserKey(kKeyboardKey, KEY_SET_VALUE);
    const DWORD v = value;
    if (!key || RegSetValueExW(key.Get(), kPrintScreenValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v),
                               sizeof(v)) != ERROR_SUCCESS)
        return false;
    // Programs that follow the keyboard settings may read it again at once.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Keyboard"), SMTO_ABORTIFHUNG,
                        1000, &ignored);
    return true;
}

std::wstring ExePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace plat
