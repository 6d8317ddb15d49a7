// The profile functions of the headless backend, over an in-memory store.
#include "platform/headless/fake_profile.h"

#include <map>
#include <set>
#include <tuple>

#include "platform/services/profile.h"

namespace fake_profile {
namespace {

using Key = std::tuple<std::wstring, std::wstring, std::wstring>;  // path, section, key

struct Store {
    std::map<Key, std::wstring> values;
    std::set<std::wstring> unwritable;
    std::vector<Access> log;
};

Store& S() {
    static Store store;
    return store;
}

}  // namespace

const std::vector<Access>& Log() { return S().log; }
void ClearLog() { S().log.clear(); }

void SetValue(const std::wstring& path, const std::wstring& section, const std::wstring& key,
              const std::wstring& value) {
    S().values[{path, section, key}] = value;
}

std::optional<std::wstring> Value(const std::wstring& path, const std::wstring& section, const std::wstring& key) {
    const auto it = S().values.find({path, section, key});
    if (it == S().values.end()) return std::nullopt;
    return it->second;
}

bool Exists(const std::wstring& path) {
    const auto it = S().values.lower_bound({path, L"", L""});
    return it != S().values.end() && std::get<0>(it->first) == path;
}

void SetUnwritable(const std::wstring& path, bool unwritable) {
    if (unwritable) S().unwritable.insert(path);
    else S().unwritable.erase(path);
}

void Reset() { S() = Store{}; }

}  // namespace fake_profile

namespace plat {

std::wstring ProfileGetString(const std::wstring& section, const std::wstring& key, const std::wstring& def,
                              const std::wstring& path) {
    const std::wstring value = fake_profile::Value(path, section, key).value_or(def);
    fake_profile::S().log.push_back({false, section, key, value});
    return value;
}

bool ProfileWriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                        const std::wstring& path) {
    auto& s = fake_profile::S();
    s.log.push_back({true, section, key, value});
    if (s.unwritable.count(path)) return false;
    s.values[{path, section, key}] = value;
    return true;
}

}  // namespace plat
