// frmMain: the logo choice ("Edit Logo") and the links to the vendor's pages.
#include "platform/dialogs.h"
#include "platform/shell_services.h"
#include "shell/frm_main.h"
#include "shell/rwini.h"
#include "shell/vendor_site.h"

// The chosen picture becomes the logo the editors stamp. The path is written
// back whatever the answer: a cancel rewrites the unchanged path.
void frmMain::Command3_Click() {
    plat::FileDialogRequest request;
    request.owner = hWnd();
    request.filters = {{L"All image files ", L"*.*"}};
    const plat::FileDialogResult answer = plat::ShowOpenFileDialog(request);
    // The pending events of the modal dialog may have unloaded this window.
    if (!Loaded()) return;
    if (answer.Chosen() && !answer.path.empty()) Text1.SetText(answer.path);
    rwini::WritePathSetting(L"logo", L"logo", Text1.Text());
}

// Rows 1..4 ("←snip " .. "←window + snip + Logo") have help pages f1..f4.
void frmMain::OpenHelpPage(int row) { plat::OpenUrl(shell::VendorPage(L"f" + std::to_wstring(row) + L".html")); }

void frmMain::Label8_Click() { plat::OpenUrl(shell::VendorPage(L"faq.html")); }

void frmMain::Label9_Click() { plat::OpenUrl(shell::VendorPage(L"")); }
