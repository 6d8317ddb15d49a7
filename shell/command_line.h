#pragma once
// The program's command line: what a script or a shortcut asks of it. No
// option at all starts the program as usual.
#include <string>
#include <vector>

namespace shell {

enum class CommandAction {
    None,    // no options: the ordinary start
    Region,  // --region: a region snip
    Window,  // --window: a window snip
    Screen,  // --screen: every monitor, no editor
    Last,    // --last: the most recent snip again
    Help,    // --help: the usage
};

struct CommandLine {
    CommandAction action = CommandAction::None;
    int delaySeconds = 0;   // --delay: waited before the snip
    std::wstring savePath;  // --save: written there instead of the clipboard
    std::wstring error;     // why the command line was refused; empty when it was not
};

inline constexpr int kMaxDelaySeconds = 60;

// Exit codes of a command-line run.
inline constexpr int kExitDelivered = 0;
inline constexpr int kExitCancelled = 1;
inline constexpr int kExitError = 2;

// The options after the program's name. Options may be given as "--save PATH"
// or "--save=PATH"; an unknown option, a stray word, two actions, a delay or
// a save without an action, or a delay outside 0..60 is refused with a reason.
CommandLine ParseCommandLine(const std::vector<std::wstring>& args);

// The usage text, one line a row.
std::wstring UsageText();

}  // namespace shell
