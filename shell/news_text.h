#pragma once
// The news panel's text work, as plain functions: a fetched news file made
// into the text of the hidden box the lines are read from, the box's lines
// spread over the captions and their addresses, and which addresses may be
// opened at all.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace shell::news {

// Four captions, each with the address four lines below it.
constexpr int kItems = 4;
constexpr int kLines = 2 * kItems;
// The most characters of one text line the box is given. Eight box lines
// 1815 twips wide hold fewer (even the narrowest glyphs of the box's font take
// 2 of its 121 pixels at 96 dpi, and font and box scale together), and the
// system's wrap of a very long line costs seconds to minutes of the UI thread.
constexpr size_t kMaxLineChars = 512;

// Strict UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF) as
// text; nullopt when the bytes are not UTF-8.
std::optional<std::wstring> DecodeUtf8(std::string_view bytes);

// A fetched body as text: UTF-8 when it is valid UTF-8 (a byte-order mark is
// dropped), else the system's code page.
std::wstring DecodeBody(std::string_view bytes);

// The text the box is given: every line ending (CR LF, LF, CR) as CR LF, the
// box's own line break; other control characters, NUL among them, as spaces
// (a NUL would end the text there); no more than kLines text lines, since
// every text line takes at least one box line and later ones reach no label;
// and no more than kMaxLineChars characters of each.
std::wstring BoxText(std::wstring_view text);

struct Item {
    std::wstring caption;
    std::wstring address;  // the line as it is; WebAddress tells whether it may be opened
};
using Items = std::array<Item, kItems>;

// Box lines 0..3 are the captions, lines 4..7 their addresses in the same order.
Items Spread(const std::function<std::wstring(int line)>& boxLine);

// Only an http or https address with a host, without spaces or control
// characters, may go to the shell: anything else (a program's path, a
// file:// address, a script) would start a program rather than a browser.
bool IsWebAddress(std::wstring_view s);
// The address on a line (spaces and tabs around it dropped) when it is a web
// address, else "".
std::wstring WebAddress(std::wstring_view line);

}  // namespace shell::news
