// The profile functions of the headless backend, over real files.
#include "platform/headless/fake_profile.h"

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/profile.h"

namespace fake_profile {
namespace {

std::vector<Access>& MutableLog() {
    static std::vector<Access> log;
    return log;
}

std::filesystem::path PathOf(std::wstring p) {
    std::replace(p.begin(), p.end(), L'\\', L'/');
    return std::filesystem::path(p);
}

std::wstring Trim(const std::wstring& s) {
    const auto first = s.find_first_not_of(L" \t");
    if (first == std::wstring::npos) return {};
    return s.substr(first, s.find_last_not_of(L" \t") - first + 1);
}

bool SameName(const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
}

// Narrow text of the file, one byte a character, as an ANSI file is read in
// the C locale; the program's settings are plain ASCII.
std::wstring Widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }
std::string Narrow(const std::wstring& s) {
    std::string out;
    for (wchar_t c : s) out += c < 256 ? static_cast<char>(c) : '?';
    return out;
}

std::vector<std::wstring> Lines(const std::wstring& path) {
    std::vector<std::wstring> lines;
    std::istringstream in(FileText(path));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(Widen(line));
    }
    return lines;
}

bool IsSection(const std::wstring& line, std::wstring* name) {
    const std::wstring t = Trim(line);
    if (t.size() < 2 || t.front() != L'[') return false;
    const auto close = t.find(L']');
    if (close == std::wstring::npos) return false;
    *name = Trim(t.substr(1, close - 1));
    return true;
}

// Index of the line holding `key` in `section`, or -1; `end` gets the index
// after the section's last key line (-1 when the section is missing).
int FindKey(const std::vector<std::wstring>& lines, const std::wstring& section, const std::wstring& key, int* end) {
    bool inSection = false;
    *end = -1;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::wstring name;
        if (IsSection(lines[i], &name)) {
            inSection = SameName(name, section);
            if (inSection) *end = static_cast<int>(i) + 1;
            continue;
        }
        if (!inSection) continue;
        const auto eq = lines[i].find(L'=');
        if (eq == std::wstring::npos) continue;
        *end = static_cast<int>(i) + 1;
        if (SameName(Trim(lines[i].substr(0, eq)), key)) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

const std::vector<Access>& Log() { return MutableLog(); }
void ClearLog() { MutableLog().clear(); }

std::string FileText(const std::wstring& path) {
    std::ifstream in(PathOf(path), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void SetFileText(const std::wstring& path, const std::string& text) {
    std::ofstream(PathOf(path), std::ios::binary | std::ios::trunc) << text;
}

}  // namespace fake_profile

namespace plat {

std::wstring ProfileGetString(const std::wstring& section, const std::wstring& key, const std::wstring& def,
                              const std::wstring& path) {
    using namespace fake_profile;
    const std::vector<std::wstring> lines = Lines(path);
    int end = 0;
    const int at = FindKey(lines, section, key, &end);
    std::wstring value = def;
    if (at >= 0) {
        const std::wstring& line = lines[static_cast<size_t>(at)];
        value = Trim(line.substr(line.find(L'=') + 1));
        // The platform drops one pair of quotes around a value.
        if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
    }
    value = value.substr(0, value.find(L'\0'));
    MutableLog().push_back({false, section, key, value});
    return value;
}

bool ProfileWriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                        const std::wstring& path) {
    using namespace fake_profile;
    MutableLog().push_back({true, section, key, value});
    std::vector<std::wstring> lines = Lines(path);
    int end = 0;
    const int at = FindKey(lines, section, key, &end);
    const std::wstring entry = key + L"=" + value;
    if (at >= 0) {
        lines[static_cast<size_t>(at)] = entry;
    } else if (end >= 0) {
        lines.insert(lines.begin() + end, entry);
    } else {
        lines.push_back(L"[" + section + L"]");
        lines.push_back(entry);
    }
    std::string text;
    for (const std::wstring& line : lines) text += Narrow(line) + "\r\n";
    std::ofstream out(PathOf(path), std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out.flush());
}

}  // namespace plat
