#include "logo/sss.h"

#include "editor/frames_panel.h"
#include "logo/frame_art.h"
#include "platform/services/dialogs.h"
#include "platform/services/dpi.h"
#include "platform/toolkit/forms.h"
#include "platform/services/shell_services.h"
#include "shell/frm_main.h"
#include "shell/rwini.h"
#include "shell/vendor_site.h"
#include "window/window_utils.h"

namespace {

constexpr plat::Color kBannerYellow = plat::Rgb(255, 255, 192);

plat::WindowStyle LibraryStyle() {
    plat::WindowStyle s;
    s.caption = L"Logo library";
    const int dpi = plat::SystemDpi();
    const int w = plat::TwipsToPixels(logo::kLibraryWidthTwips, dpi);
    const int h = plat::TwipsToPixels(logo::kLibraryHeightTwips, dpi);
    s.bounds = {0, 0, w, h};
    s.borderless = true;
    // Shown over the full-screen editors, which are topmost themselves.
    s.topmost = true;
    s.showInTaskbar = false;
    s.tabNavigation = true;  // Tab and Shift+Tab move between its controls
    return s;
}

std::wstring SlotName(int k) { return L"b" + std::to_wstring(k); }

}  // namespace

sss::sss()
    : Form(LibraryStyle()),
      banner(*this),
      Image10(banner),
      Image9(banner),
      Picture63(static_cast<plat::Container&>(banner)),
      baa(Picture63, logo::kSlots),
      PicFrame5(Picture63, logo::kSlots),
      ReplaceIcon(Picture63, logo::kSlots),
      SelectIcon(Picture63, logo::kSlots) {
    SetBackColor(kBannerYellow);
    banner.SetBackColor(kBannerYellow);
    Picture63.SetBackColor(kBannerYellow);
    Image10.SetToolTipText(L"Help");
    Image9.SetToolTipText(L"Close");
    for (int k = 0; k < logo::kSlots; ++k) {
        ReplaceIcon[k].SetToolTipText(L"Replace the image");
        SelectIcon[k].SetToolTipText(L"Select it");
        baa[k].SetText(SlotName(k));
    }
    baa[7].SetVisible(false);
    LayOut();

    ReplaceIcon.SetWiring([this](plat::Image& e, int k) { e.Click = [this, k] { ReplaceImage_Click(k); }; });
    SelectIcon.SetWiring([this](plat::Image& e, int k) { e.Click = [this, k] { SelectIt_Click(k); }; });
    Image9.Click = [this] { Image9_Click(); };
    Image10.Click = [this] { Image10_Click(); };
    banner.MouseDown = [this](const plat::MouseArgs&) { DragWindow(); };
    Picture63.MouseDown = [this](const plat::MouseArgs&) { DragWindow(); };
}

int sss::Px(int twips) const { return plat::TwipsToPixels(twips, Dpi()); }

void sss::LayOut() {
    banner.Move(0, 0, static_cast<float>(Px(logo::kLibraryWidthTwips)), static_cast<float>(Px(logo::kLibraryHeightTwips)));
    Picture63.Move(0, static_cast<float>(Px(360)), static_cast<float>(Px(3615)), static_cast<float>(Px(3735)));

    const int help = Px(240), close = Px(300), icon = Px(300);
    Image10.SetPicture(logo::HelpIconPicture(help));
    Image10.Move(static_cast<float>(Px(2760)), static_cast<float>(Px(20)));
    Image9.SetPicture(logo::CloseIconPicture(close));
    Image9.Move(static_cast<float>(Px(3240)), 0);

    const plat::Picture replace = logo::ReplaceIconPicture(icon), select = logo::SelectIconPicture(icon);
    for (int k = 0; k < logo::kSlots; ++k) {
        const logo::SlotPlaces at = logo::SlotLayout(k);
        PicFrame5[k].Move(static_cast<float>(Px(at.frame.x)), static_cast<float>(Px(at.frame.y)),
                          static_cast<float>(Px(1455)), static_cast<float>(Px(855)));
        ReplaceIcon[k].SetPicture(replace);
        ReplaceIcon[k].Move(static_cast<float>(Px(at.replace.x)), static_cast<float>(Px(at.replace.y)));
        SelectIcon[k].SetPicture(select);
        SelectIcon[k].Move(static_cast<float>(Px(at.select.x)), static_cast<float>(Px(at.select.y)));
        // The paths lie at the panel's right edge, out of the user's reach.
        baa[k].Move(static_cast<float>(Px(3600)), static_cast<float>(Px(at.frame.y)), 40, 20);
    }
}

void sss::Form_DpiChanged(int /*dpi*/, const plat::Rect& suggested) {
    LayOut();
    for (int k = 0; k < logo::kSlots; ++k)
        if (!PicFrame5[k].PicPath().empty()) ShowSlot(k);
    SetBounds({suggested.left, suggested.top, suggested.left + Px(logo::kLibraryWidthTwips),
               suggested.top + Px(logo::kLibraryHeightTwips)});
}

void sss::DragWindow() { window::DragMoveForm(*this); }

void sss::ShowSlot(int k) {
    logo::PicFrame& f = PicFrame5[k];
    f.SetPicPath(baa[k].Text());
    // The frame keeps the filled size: a larger picture shows its top-left
    // part, a smaller one leaves room right and below.
    const float perTwip = static_cast<float>(Dpi()) / plat::kTwipsPerInch;
    f.SetWidth(logo::kSlotWidthTwips * perTwip);
    f.SetHeight(logo::kSlotHeightTwips * perTwip);
}

// The path is written back whatever the answer: a cancel rewrites the old one.
void sss::ReplaceImage_Click(int k) {
    plat::FileDialogRequest request;
    request.owner = hWnd();
    request.filters = {{L"All image files ", L"*.*"}};
    const plat::FileDialogResult answer = plat::ShowOpenFileDialog(request);
    if (!Loaded()) return;
    if (answer.Chosen() && !answer.path.empty()) baa[k].SetText(answer.path);
    rwini::WritePathSetting(SlotName(k), SlotName(k), baa[k].Text());
    ShowSlot(k);
}

void sss::SelectIt_Click(int k) {
    frmMain* main = plat::LoadedForm<frmMain>();
    if (!main) return;
    const std::wstring path = baa[k].Text();
    editor::AddLibraryPicture(main->qqq.Text(), path);
}

void sss::Image9_Click() { Hide(); }

void sss::Image10_Click() { plat::OpenUrl(shell::VendorPage(L"addlogo.html")); }
