// Program entry: starts the toolkit and opens the main window; the program
// runs until the main window unloads (or its exit picture ends it at once).
#include <windows.h>
#include <commctrl.h>

#include "platform/toolkit/forms.h"
#include "platform/services/single_instance.h"
#include "platform/services/system.h"
#include "shell/frm_main.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // A second start shows the running copy's window and leaves: two copies
    // would fight over the hotkeys, and the loser would show them as not set.
    if (!plat::ClaimSingleInstance(plat::kInstanceMarkerName)) {
        plat::ActivateRunningInstance(frmMain::kCaption);
        return 0;
    }
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);

    plat::Forms<frmMain>().Show();
    // Once hotkeys are registered, the hotkey service's loop serves every
    // window from inside a timer event of this loop; it ends with the window.
    while (plat::LoadedForm<frmMain>()) {
        plat::WaitForEvents();
        plat::DoEvents();
    }
    plat::DoEvents();  // lets the unloaded windows be freed
    return 0;
}
