// Program entry: starts the toolkit and opens the main window; the program
// runs until the main window unloads (or its exit picture ends it at once).
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/toolkit/forms.h"
#include "platform/services/files.h"
#include "platform/services/single_instance.h"
#include "platform/services/startup_trace.h"
#include "platform/services/system.h"
#include "shell/command_run.h"
#include "shell/frm_main.h"

namespace {
// The options after the program's own name, split as the system splits them.
std::vector<std::wstring> CommandArgs() {
    std::vector<std::wstring> args;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv) return args;
    for (int i = 1; i < count; ++i) args.emplace_back(argv[i]);
    LocalFree(argv);
    return args;
}
}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    plat::TraceStartup("main");
    // A command line is carried out and the process ends: it never becomes
    // the resident copy, so it never claims the instance marker.
    if (const shell::CommandLine command = shell::ParseCommandLine(CommandArgs());
        command.action != shell::CommandAction::None || !command.error.empty()) {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
        InitCommonControlsEx(&icc);
        const int code = shell::RunCommandLine(command);
        plat::DoEvents();
        plat::FinishFileRemovals();
        return code;
    }
    // A second start shows the running copy's window and leaves: two copies
    // would fight over the hotkeys, and the loser would show them as not set.
    if (!plat::ClaimSingleInstance(plat::kInstanceMarkerName)) {
        plat::ActivateRunningInstance(frmMain::kCaption);
        return 0;
    }
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    plat::TraceStartup("common-controls");

    plat::Forms<frmMain>().Show();
    plat::TraceStartup("shown");
    // Once hotkeys are registered, the hotkey service's loop serves every
    // window from inside a timer event of this loop; it ends with the window.
    while (plat::LoadedForm<frmMain>()) {
        plat::WaitForEvents();
        plat::DoEvents();
    }
    plat::DoEvents();  // lets the unloaded windows be freed
    plat::FinishFileRemovals();  // the old files that saves set aside go before the process does
    return 0;
}
