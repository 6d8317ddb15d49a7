#pragma once
// Text broken into lines that fit a width, at spaces, as a word-wrapping
// label shows it.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

// `measure` gives the drawn width of a piece of text, in the same unit as
// `width`. Words are kept whole: a word wider than the width stands on a line
// of its own (where it is clipped). Line breaks (CR LF, LF, CR) start new lines.
std::vector<std::wstring> WrapText(std::wstring_view text, int width,
                                   const std::function<int(std::wstring_view)>& measure);

}  // namespace plat
