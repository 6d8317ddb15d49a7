// frmMain: the logo choice ("Edit Logo") and its preview, the logo library's
// start-up, and the links to the vendor's pages.
#include <algorithm>

#include "logo/sss.h"
#include "platform/services/dialogs.h"
#include "platform/toolkit/forms.h"
#include "platform/services/shell_services.h"
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
    DrawLogoPreview();
    rwini::WritePathSetting(L"logo", L"logo", Text1.Text());
}

void frmMain::DrawLogoPreview() {
    logo::PicFrame& preview = PicFrame2[0];
    preview.SetAppearance(0);
    preview.SetBorderStyle(0);
    preview.SetBackStyle(0);
    preview.SetPicPath(Text1.Text());
    // A logo larger than the preview's area shows shrunk to fit, its shape
    // kept, rather than cut off at the window's edge.
    const float m = logo::kMarginPx;
    const float roomW = shpLogoArea.Width() - 2 - m, roomH = shpLogoArea.Height() - 2 - m;
    const float picW = preview.Width() - m, picH = preview.Height() - m;
    if (preview.Drawn().Empty() || (picW <= roomW && picH <= roomH)) return;
    const float k = std::min(roomW / picW, roomH / picH);
    preview.SetWidth(picW * k + m);
    preview.SetHeight(picH * k + m);
    preview.DrawPicture(preview.PicPath(), false);
}

void frmMain::FillLogoLibraryPaths() {
    sss& library = plat::Forms<sss>();
    for (int k = 0; k < logo::kSlots; ++k) library.baa[k].SetText(rwini::ReadPathSetting(L"b" + std::to_wstring(k)));
}

void frmMain::DrawLogoLibrarySlots() {
    sss* library = plat::LoadedForm<sss>();
    if (!library) return;
    for (int k = 0; k < logo::kSlots; ++k) library->ShowSlot(k);
    library->Hide();
}

// Rows 1..4 ("←snip " .. "←window + snip + Logo") have help pages f1..f4.
void frmMain::OpenHelpPage(int row) { plat::OpenUrl(shell::VendorPage(L"f" + std::to_wstring(row) + L".html")); }

void frmMain::Label8_Click() { plat::OpenUrl(shell::VendorPage(L"faq.html")); }

void frmMain::Label9_Click() { plat::OpenUrl(shell::VendorPage(L"")); }
