#include "shell/news_text.h"

#include <cwctype>

#include "platform/services/network.h"

namespace shell::news {
namespace {

void AppendCodePoint(std::wstring& out, char32_t c) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
            return;
        }
    }
    out.push_back(static_cast<wchar_t>(c));
}

bool StartsWithNoCase(std::wstring_view s, std::wstring_view prefix) {
    if (s.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::towlower(static_cast<wint_t>(s[i])) != static_cast<wint_t>(prefix[i])) return false;
    return true;
}

}  // namespace

std::optional<std::wstring> DecodeUtf8(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        int extra = 0;
        char32_t c = 0, least = 0;
        if (b < 0x80) {
            c = b;
        } else if (b >= 0xC2 && b <= 0xDF) {
            extra = 1, c = b & 0x1F, least = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            extra = 2, c = b & 0x0F, least = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            extra = 3, c = b & 0x07, least = 0x10000;
        } else {
            return std::nullopt;
        }
        if (extra > 0 && i + static_cast<size_t>(extra) >= bytes.size()) return std::nullopt;  // cut short
        for (int k = 1; k <= extra; ++k) {
            const auto t = static_cast<unsigned char>(bytes[i + static_cast<size_t>(k)]);
            if ((t & 0xC0) != 0x80) return std::nullopt;
            c = (c << 6) | (t & 0x3F);
        }
        if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
        AppendCodePoint(out, c);
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}

std::wstring DecodeBody(std::string_view bytes) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    const bool bom = bytes.substr(0, kBom.size()) == kBom;
    if (std::optional<std::wstring> text = DecodeUtf8(bom ? bytes.substr(kBom.size()) : bytes)) return *text;
    return plat::TextFromCodePage(bytes);
}

std::wstring BoxText(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size() < 4096 ? text.size() : 4096);
    int breaks = 0;
    size_t lineChars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'\r' || c == L'\n') {
            if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
            if (++breaks == kLines) break;
            out += L"\r\n";
            lineChars = 0;
        } else if (lineChars++ >= kMaxLineChars) {
            continue;  // past what the box's eight lines can show
        } else if ((c < 0x20 && c != L'\t') || c == 0x7F) {
            out.push_back(L' ');
        } else {
            out.push_back(c);
        }
    }
    return out;
}

Items Spread(const std::function<std::wstring(int line)>& boxLine) {
    Items items;
    for (int k = 0; k < kItems; ++k) {
        Item& item = items[static_cast<size_t>(k)];
        item.caption = boxLine(k);
        item.address = boxLine(k + kItems);
    }
    return items;
}

std::wstring WebAddress(std::wstring_view line) {
    const size_t first = line.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos) return {};
    const std::wstring_view s = line.substr(first, line.find_last_not_of(L" \t") - first + 1);
    return IsWebAddress(s) ? std::wstring(s) : std::wstring();
}

bool IsWebAddress(std::wstring_view s) {
    size_t rest = 0;
    if (StartsWithNoCase(s, L"https://"))
        rest = 8;
    else if (StartsWithNoCase(s, L"http://"))
        rest = 7;
    else
        return false;
    if (rest == s.size() || s[rest] == L'/' || s[rest] == L'\\') return false;  // no host
    for (const wchar_t c : s)
        if (c <= 0x20 || c == 0x7F || c == L'\\' || c == L'"') return false;
    return true;
}

}  // namespace shell::news
