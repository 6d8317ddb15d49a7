// The news panel's text work as plain functions: decoding a fetched body,
// the box text made of it, the spreading of box lines and which addresses
// may be opened.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/toolkit/text_wrap.h"
#include "shell/news_text.h"

namespace {

using namespace shell::news;

TEST(NewsText, ValidUtf8IsDecodedWithOrWithoutAMarkAndAnythingElseByTheCodePage) {
    EXPECT_EQ(DecodeBody("caf\xC3\xA9"), L"caf\u00E9");
    EXPECT_EQ(DecodeBody("\xEF\xBB\xBF" "caf\xC3\xA9"), L"caf\u00E9");
    EXPECT_EQ(DecodeBody("\xE6\x96\xB0"), L"\u65B0");
    // A code point past the 16-bit range survives the round trip through UTF-16 where wchar_t is 16 bits.
    const std::wstring emoji = DecodeBody("\xF0\x9F\x93\xB7");
    EXPECT_EQ(emoji.size(), sizeof(wchar_t) == 2 ? 2u : 1u);
    // Not UTF-8: a Latin-1 e-acute alone, an overlong slash, a surrogate, a cut sequence, past U+10FFFF.
    for (const std::string bad : {"caf\xE9", "\xC0\xAF", "\xED\xA0\x80", "ab\xE6\x96", "\xF4\x90\x80\x80", "\xFF"}) {
        EXPECT_FALSE(DecodeUtf8(bad).has_value()) << bad;
        EXPECT_EQ(DecodeBody(bad).size(), bad.size()) << "one character a byte in the (headless) code page";
    }
    EXPECT_EQ(DecodeBody("caf\xE9"), L"caf\u00E9");
}

TEST(NewsText, TheBoxGetsCrLfBreaksNoControlCharactersAndNoMoreThanEightBoundedLines) {
    EXPECT_EQ(BoxText(L"a\nb\rc\r\nd\n\re"), L"a\r\nb\r\nc\r\nd\r\n\r\ne");
    EXPECT_EQ(BoxText(std::wstring(L"x\0y\x1Bz\tw\x7F", 8)), L"x y z\tw ");
    std::wstring many;
    for (int i = 0; i < 5000; ++i) many += L"line " + std::to_wstring(i) + L"\n";
    EXPECT_EQ(BoxText(many), L"line 0\r\nline 1\r\nline 2\r\nline 3\r\nline 4\r\nline 5\r\nline 6\r\nline 7");
    // Of a long line the box gets what its eight lines can show; the line after it is kept.
    EXPECT_EQ(BoxText(std::wstring(100000, L'w') + L"\nnext"), std::wstring(kMaxLineChars, L'w') + L"\r\nnext");
}

TEST(NewsText, CaptionsPairWithTheLinesFourBelowThemAndMissingLinesAreEmpty) {
    const std::vector<std::wstring> lines{L"one", L"two", L"three", L"four", L"http://a/1", L"http://a/2"};
    const Items items = Spread([&](int i) { return i < static_cast<int>(lines.size()) ? lines[static_cast<size_t>(i)] : L""; });
    EXPECT_EQ(items[0].caption, L"one");
    EXPECT_EQ(items[0].address, L"http://a/1");
    EXPECT_EQ(items[1].address, L"http://a/2");
    EXPECT_EQ(items[3].caption, L"four");
    EXPECT_EQ(items[3].address, L"");
}

TEST(NewsText, OnlyHttpAndHttpsAddressesWithAHostMayBeOpened) {
    EXPECT_EQ(WebAddress(L"https://www.morrowen.com/snip/news.html"), L"https://www.morrowen.com/snip/news.html");
    EXPECT_EQ(WebAddress(L"  HTTP://example.org/?q=1&r=2\t"), L"HTTP://example.org/?q=1&r=2");
    for (const wchar_t* hostile :
         {L"C:\\Windows\\System32\\cmd.exe", L"file:///C:/Windows/System32/calc.exe", L"javascript:alert(1)", L"cmd.exe",
          L"\\\\server\\share\\x.exe", L"https://", L"http:///etc", L"https://a b", L"https://a\\..\\cmd.exe",
          L"https://a\"b", L"Label13", L"", L"mailto:someone@example.org", L"ftp://example.org/"})
        EXPECT_EQ(WebAddress(hostile), L"") << std::wstring(hostile).size();
}

// The red caption is two lines high: its text wraps at spaces within its width.
TEST(NewsText, ACaptionWrapsAtSpacesAndKeepsAWordTooWideForItsWidthWhole) {
    const auto tenEach = [](std::wstring_view s) { return static_cast<int>(s.size()) * 10; };
    EXPECT_EQ(plat::WrapText(L"Logos that stay put", 100, tenEach),
              (std::vector<std::wstring>{L"Logos that", L"stay put"}));
    EXPECT_EQ(plat::WrapText(L"NEW!", 100, tenEach), (std::vector<std::wstring>{L"NEW!"}));
    EXPECT_EQ(plat::WrapText(L"a verylongwordindeed b", 50, tenEach),
              (std::vector<std::wstring>{L"a", L"verylongwordindeed", L"b"}));
    EXPECT_EQ(plat::WrapText(L"one\r\ntwo\nthree", 1000, tenEach), (std::vector<std::wstring>{L"one", L"two", L"three"}));
    EXPECT_EQ(plat::WrapText(L"", 100, tenEach), (std::vector<std::wstring>{L""}));
}

}  // namespace
