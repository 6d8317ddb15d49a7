#pragma once
// Text for the console a command was typed in. The program is a windowed
// one: it has no console of its own, so a line goes to the standard handles it
// was given (a pipe or file) or, failing that, to the parent's console.
#include <string>

namespace plat {

// Writes one line to standard output (or to standard error when `error`);
// nothing happens when there is nowhere to write it.
void WriteConsoleLine(const std::wstring& line, bool error = false);

}  // namespace plat
