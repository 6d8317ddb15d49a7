#include "shell/command_line.h"

#include <optional>

namespace shell {

namespace {

struct ActionName {
    const wchar_t* option;
    CommandAction action;
};
constexpr ActionName kActions[] = {
    {L"--region", CommandAction::Region}, {L"--window", CommandAction::Window},
    {L"--screen", CommandAction::Screen}, {L"--last", CommandAction::Last},
    {L"--help", CommandAction::Help},     {L"-h", CommandAction::Help},
    {L"/?", CommandAction::Help},
};

// Whole seconds, digits only: "3", "03"; not "3.5", "-1", "+2", "" or "9999999999".
std::optional<int> Seconds(const std::wstring& text) {
    if (text.empty() || text.size() > 3) return std::nullopt;
    int n = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        n = n * 10 + (c - L'0');
    }
    return n;
}

CommandLine Refused(std::wstring why) {
    CommandLine c;
    c.error = std::move(why);
    return c;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::wstring>& args) {
    CommandLine c;
    bool delayGiven = false, saveGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        std::wstring option = args[i];
        std::optional<std::wstring> value;
        if (const size_t eq = option.find(L'='); option.starts_with(L"--") && eq != std::wstring::npos) {
            value = option.substr(eq + 1);
            option.resize(eq);
        }
        const ActionName* named = nullptr;
        for (const ActionName& a : kActions)
            if (option == a.option) named = &a;
        if (named) {
            if (value) return Refused(option + L" takes no value");
            if (c.action != CommandAction::None && c.action != named->action)
                return Refused(L"only one of --region, --window, --screen, --last and --help may be given");
            c.action = named->action;
            continue;
        }
        if (option == L"--delay" || option == L"--save") {
            if (!value) {
                if (i + 1 >= args.size()) return Refused(option + L" needs a value");
                value = args[++i];
            }
            if (option == L"--delay") {
                const std::optional<int> s = Seconds(*value);
                if (!s || *s > kMaxDelaySeconds)
                    return Refused(L"--delay takes whole seconds from 0 to 60, not \"" + *value + L"\"");
                c.delaySeconds = *s;
                delayGiven = true;
            } else {
                if (value->empty()) return Refused(L"--save needs a file name");
                c.savePath = *value;
                saveGiven = true;
            }
            continue;
        }
        if (option.starts_with(L"-") || option.starts_with(L"/")) return Refused(L"unknown option " + option);
        return Refused(L"unexpected word \"" + option + L"\"");
    }
    if (c.action == CommandAction::None && (delayGiven || saveGiven))
        return Refused(L"--delay and --save go with --region, --window, --screen or --last");
    return c;
}

std::wstring UsageText() {
    return L"Usage: MorrowenSnip.exe [--region | --window | --screen | --last] [--delay SECONDS] [--save PATH]\n"
           L"  --region         snip a region of the screen\n"
           L"  --window         snip a window\n"
           L"  --screen         capture every monitor, with no editor\n"
           L"  --last           the most recent snip again\n"
           L"  --delay SECONDS  wait 0 to 60 seconds first\n"
           L"  --save PATH      write the picture to PATH (its format from the extension) instead of the clipboard\n"
           L"  --help           this text\n"
           L"Exit code: 0 a picture was delivered, 1 cancelled, 2 an error.";
}

}  // namespace shell
