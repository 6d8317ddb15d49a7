// The command line's parser: every option, bad values, unknown options.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/command_line.h"

namespace {

using shell::CommandAction;

struct Row {
    std::vector<std::wstring> args;
    CommandAction action;
    int delay;
    std::wstring save;
    bool refused;
};

TEST(CommandLineParser, AcceptsEveryOptionAndRefusesBadOnesWithAReason) {
    const Row rows[] = {
        {{}, CommandAction::None, 0, L"", false},
        {{L"--region"}, CommandAction::Region, 0, L"", false},
        {{L"--window"}, CommandAction::Window, 0, L"", false},
        {{L"--screen"}, CommandAction::Screen, 0, L"", false},
        {{L"--last"}, CommandAction::Last, 0, L"", false},
        {{L"--help"}, CommandAction::Help, 0, L"", false},
        {{L"/?"}, CommandAction::Help, 0, L"", false},
        {{L"--screen", L"--delay", L"5", L"--save", L"C:\\a b\\shot.png"}, CommandAction::Screen, 5,
         L"C:\\a b\\shot.png", false},
        {{L"--save=x.jpg", L"--delay=60", L"--region"}, CommandAction::Region, 60, L"x.jpg", false},
        {{L"--delay", L"0", L"--window"}, CommandAction::Window, 0, L"", false},
        {{L"--last", L"--save", L"--odd-name.png"}, CommandAction::Last, 0, L"--odd-name.png", false},
        {{L"--region", L"--region"}, CommandAction::Region, 0, L"", false},
        // Bad values.
        {{L"--screen", L"--delay", L"61"}, CommandAction::None, 0, L"", true},
        {{L"--screen", L"--delay", L"-1"}, CommandAction::None, 0, L"", true},
        {{L"--screen", L"--delay", L"2.5"}, CommandAction::None, 0, L"", true},
        {{L"--screen", L"--delay", L"99999999999"}, CommandAction::None, 0, L"", true},
        {{L"--screen", L"--delay="}, CommandAction::None, 0, L"", true},
        {{L"--screen", L"--delay"}, CommandAction::None, 0, L"", true},
        {{L"--screen", L"--save"}, CommandAction::None, 0, L"", true},
        {{L"--screen", L"--save="}, CommandAction::None, 0, L"", true},
        {{L"--region=1"}, CommandAction::None, 0, L"", true},
        // Two actions, options without one, unknown options and stray words.
        {{L"--region", L"--screen"}, CommandAction::None, 0, L"", true},
        {{L"--delay", L"3"}, CommandAction::None, 0, L"", true},
        {{L"--save", L"a.png"}, CommandAction::None, 0, L"", true},
        {{L"--regoin"}, CommandAction::None, 0, L"", true},
        {{L"-r"}, CommandAction::None, 0, L"", true},
        {{L"--screen", L"shot.png"}, CommandAction::None, 0, L"", true},
    };
    for (const Row& r : rows) {
        std::wstring joined;
        for (const auto& a : r.args) joined += a + L" ";
        SCOPED_TRACE(std::string(joined.begin(), joined.end()));
        const shell::CommandLine c = shell::ParseCommandLine(r.args);
        EXPECT_EQ(!c.error.empty(), r.refused);
        if (r.refused) continue;
        EXPECT_EQ(c.action, r.action);
        EXPECT_EQ(c.delaySeconds, r.delay);
        EXPECT_EQ(c.savePath, r.save);
    }
}

TEST(CommandLineParser, TheReasonNamesWhatWasWrong) {
    EXPECT_NE(shell::ParseCommandLine({L"--screen", L"--delay", L"90"}).error.find(L"90"), std::wstring::npos);
    EXPECT_NE(shell::ParseCommandLine({L"--frobnicate"}).error.find(L"--frobnicate"), std::wstring::npos);
}

}  // namespace
