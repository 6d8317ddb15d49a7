// frmMain: the news panel. Shortly after start-up the vendor's news file is
// fetched once; its first eight box lines become four captions and the four
// addresses they open.
#include "platform/services/dpi.h"
#include "platform/toolkit/forms.h"
#include "shell/frm_main.h"
#include "shell/news_text.h"
#include "shell/vendor_site.h"

namespace {

constexpr plat::Color kNewsBlue = plat::Rgb(0, 0, 255);
constexpr plat::Color kNewsRed = plat::Rgb(255, 0, 0);
// The box wraps in the blue captions' font, so a box line always fits a blue caption.
constexpr plat::Font kNewsFont{L"Microsoft Sans Serif", 8.0f, false};
constexpr plat::Font kHeadlineFont{L"Arial", 15.75f, false};

// A slow or silent server must not keep the transfer for long, nor a huge
// file fill the memory: the captions need a few hundred bytes.
constexpr plat::FetchLimits kNewsLimits{10000, 64 * 1024};

}  // namespace

// Panel twips as the window was designed; the box's width decides the wrap.
void frmMain::LayOutNews() {
    struct Placement {
        plat::Label& label;
        int left, top, width, height;
        plat::Color color;
        const plat::Font& font;
    };
    const Placement captions[] = {
        {Label7, 1920, 3240, 2295, 255, kNewsBlue, kNewsFont},
        {Label10, 1920, 3600, 2175, 255, kNewsBlue, kNewsFont},
        {Label11, 1920, 3960, 2175, 255, kNewsBlue, kNewsFont},
        {Label12, 240, 3360, 1575, 735, kNewsRed, kHeadlineFont},
    };
    for (const Placement& p : captions) {
        p.label.Transparent = true;
        p.label.WordWrap = true;  // the red one is two lines high
        p.label.ForeColor = p.color;
        p.label.SetFont(Scaled(p.font));
        p.label.Move(Px(p.left), Px(p.top), Px(p.left + p.width) - Px(p.left), Px(p.top + p.height) - Px(p.top));
    }
    for (plat::Label* l : {&Label13, &Label14, &Label15, &Label16}) l->SetVisible(false);

    ad.SetVisible(false);
    ad.SetFont(Scaled(kNewsFont));
    ad.Move(0, Px(5145), Px(1815), Px(1095));
}

std::wstring frmMain::GetLineText(const plat::TextBox& box, int line) const { return box.GetLine(line); }

void frmMain::ShowNews(std::string_view body) {
    ad.SetText(shell::news::BoxText(shell::news::DecodeBody(body)));
    const shell::news::Items items = shell::news::Spread([this](int line) { return GetLineText(ad, line); });
    plat::Label* captions[] = {&Label7, &Label10, &Label11, &Label12};
    plat::Label* addresses[] = {&Label13, &Label14, &Label15, &Label16};
    for (int k = 0; k < shell::news::kItems; ++k) {
        captions[k]->SetCaption(items[static_cast<size_t>(k)].caption);
        addresses[k]->SetCaption(items[static_cast<size_t>(k)].address);
    }
}

// The transfer runs off the UI thread: hotkeys, the tray icon and the window
// keep working while a slow server answers, or none does.
void frmMain::Timer3_Timer() {
    Timer3.SetEnabled(false);
    if (Inet1) return;
    Inet1 = plat::StartFetch(shell::VendorPage(L"1.txt"), kNewsLimits,
                             [this](const plat::FetchResult& answer) { Inet1_Done(answer); });
}

// A fetch that failed (no network, no such file, too slow) leaves the
// captions as they were.
void frmMain::Inet1_Done(const plat::FetchResult& answer) {
    HandlerScope running(*this);
    Inet1.reset();
    if (answer.ok && Loaded()) ShowNews(answer.body);
}

// Only a web address goes to the shell: the file comes from the network, and
// a program's path or a file:// address would start a program. The design
// texts the hidden labels hold before the fetch are no addresses either.
void frmMain::OpenNewsAddress(const plat::Label& address) {
    const std::wstring url = shell::news::WebAddress(address.Caption());
    if (!url.empty()) plat::OpenUrl(url);
}
