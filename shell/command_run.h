#pragma once
// Carrying out a command line, in this process or through the copy of the
// program that already runs, and a running copy's answers to such requests.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "shell/command_line.h"

namespace shell {

// Runs the command (an action other than None) and returns the exit code:
// kExitDelivered, kExitCancelled or kExitError, with one line saying why
// for the last two. Never becomes a resident copy and never writes a.ini.
int RunCommandLine(const CommandLine& command);

// The running copy's side: "region" and "window" start that snip mode once
// the asker has its answer; "last" sends the newest recent snip's PNG bytes
// (answer 0), or answers 1 when there is none.
int AnswerCommandRequest(const std::wstring& request, std::vector<std::uint8_t>& data, std::function<void()>& after);

}  // namespace shell
