// Program entry: starts the toolkit and opens the region snip editor.
#include <windows.h>
#include <commctrl.h>

#include "editor/variants.h"
#include "platform/forms.h"
#include "platform/system.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);

    plat::Forms<aaa>().Show();
    while (plat::LoadedForm<aaa>()) {
        plat::WaitForEvents();
        plat::DoEvents();
    }
    return 0;
}
