#include "platform/toolkit/text_wrap.h"

#include <algorithm>

namespace plat {
namespace {

void WrapParagraph(std::wstring_view text, int width, const std::function<int(std::wstring_view)>& measure,
                   std::vector<std::wstring>& lines) {
    std::wstring line;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = std::min(text.find(L' ', at), text.size());
        const std::wstring_view word = text.substr(at, end - at);
        const std::wstring tried = line.empty() ? std::wstring(word) : line + L' ' + std::wstring(word);
        if (!line.empty() && measure(tried) > width) {
            lines.push_back(std::move(line));
            line = std::wstring(word);
        } else {
            line = tried;
        }
        at = end + 1;
    }
    lines.push_back(std::move(line));
}

}  // namespace

std::vector<std::wstring> WrapText(std::wstring_view text, int width,
                                   const std::function<int(std::wstring_view)>& measure) {
    std::vector<std::wstring> lines;
    size_t at = 0;
    for (;;) {
        const size_t end = text.find_first_of(L"\r\n", at);
        WrapParagraph(text.substr(at, end == std::wstring_view::npos ? std::wstring_view::npos : end - at), width,
                      measure, lines);
        if (end == std::wstring_view::npos) break;
        at = end + (text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n' ? 2 : 1);
    }
    return lines;
}

}  // namespace plat
