// frmMain: the window, its controls and their layout.
#include "shell/frm_main.h"

#include <algorithm>
#include <string>

#include "platform/services/dpi.h"
#include "platform/services/startup_trace.h"
#include "platform/services/system.h"
#include "shell/main_window_art.h"

namespace {

// The client area, in twips as the window was designed.
constexpr int kClientWidthTwips = 6660;
constexpr int kClientHeightTwips = 5145;

plat::WindowStyle MainStyle() {
    plat::WindowStyle s;
    s.caption = frmMain::kCaption;
    const int dpi = plat::SystemDpi();
    const int width = plat::TwipsToPixels(kClientWidthTwips, dpi);
    const int height = plat::TwipsToPixels(kClientHeightTwips, dpi);
    const int left = (plat::ScreenWidthPx() - width) / 2;
    const int top = (plat::ScreenHeightPx() - height) / 2;
    s.bounds = {left, top, left + width, top + height};
    // Borderless: the window draws its own title line and is dragged by its background.
    s.borderless = true;
    s.tabNavigation = true;  // Tab and Shift+Tab move between its controls
    return s;
}

constexpr plat::Color kText = plat::Rgb(33, 37, 41);
constexpr plat::Color kLinkBlue = plat::Rgb(0, 102, 204);
constexpr plat::Font kControlFont{};
// The row captions share the options' size: the longest ("window + snip +
// Logo") must leave room for the help icons' column before the card.
constexpr plat::Font kRowFont{L"Microsoft Sans Serif", 8.0f, false};
constexpr plat::Font kLinkFont{L"Microsoft Sans Serif", 9.0f, false};
constexpr plat::Font kHeadingFont{L"Microsoft Sans Serif", 9.0f, true};
constexpr plat::Font kOptionFont{L"Microsoft Sans Serif", 8.0f, false};

}  // namespace

frmMain::frmMain()
    : Form((plat::TraceStartup("form"), MainStyle())),
      Timer1(*this),
      Image1(*this),
      Label18(*this),
      Image2(*this),
      Image3(*this),
      Picture1(*this),
      optSetHotKey(Picture1),
      optTestHotKey(Picture1),
      txtHotKey(Picture1, 6),
      lblHotKey(Picture1, 4),
      Image4(Picture1),
      Image5(Picture1),
      Image6(Picture1),
      Image7(Picture1),
      Label9(Picture1),
      Label8(Picture1),
      Label7(Picture1),
      Label10(Picture1),
      Label11(Picture1),
      Label12(Picture1),
      Label13(Picture1),
      Label14(Picture1),
      Label15(Picture1),
      Label16(Picture1),
      lblLogoPreview(*this),
      shpLogoArea(*this),
      Command3(*this),
      lblLogoPosition(*this),
      Option1(*this),
      Option2(*this),
      Option3(*this),
      Option4(*this),
      Option5(*this),
      PicFrame2(*this, 1),
      Text1(*this),
      qqq(*this),
      ad(*this),
      Timer3(*this),
      tmrStartUp(*this) {
    LayOut();
    plat::TraceStartup("laid-out");
    // Design-time values: set before the handlers exist, so no handler runs.
    optTestHotKey.SetValue(1);
    static const wchar_t* const kInitial[] = {L"Alt + Q", L"Alt + A", L"Alt + Z", L"Alt + X", L"", L""};
    for (int i = 0; i < txtHotKey.Count(); ++i) txtHotKey[i].SetText(kInitial[i]);
    Text1.SetText(L"logo");
    Label13.SetCaption(L"Label13");
    Label14.SetCaption(L"Label14");
    Label15.SetCaption(L"Label15");
    Label16.SetCaption(L"Label16");
    ad.SetMultiLine(true);
    WireEvents();
}

frmMain::~frmMain() = default;

int frmMain::Px(int twips) const { return plat::TwipsToPixels(twips, Dpi()); }

plat::Font frmMain::Scaled(const plat::Font& f) const { return plat::FontAtDpi(f, Dpi()); }

void frmMain::StyleLabel(plat::Label& l, const std::wstring& caption, const plat::Font& f, plat::Color color) {
    l.Transparent = true;
    l.AutoSize = true;
    l.ForeColor = color;
    l.SetFont(Scaled(f));
    l.SetCaption(caption);
    // A smoothed last glyph may reach past its advance, and under Wine an
    // arrow drawn from a linked font is measured narrower than it is drawn
    // (at 96 dots an inch by 2 to 3 pixels); a label clips to its box: leave it that room.
    l.SetWidth(l.Width() + static_cast<float>(Px(60)));
}

void frmMain::FollowDpi() {
    const plat::Rect b = Bounds();
    SetBounds({b.left, b.top, b.left + Px(kClientWidthTwips), b.top + Px(kClientHeightTwips)});
    LayOut();
}

void frmMain::Form_DpiChanged(int /*dpi*/, const plat::Rect& suggested) {
    // The system's rectangle places the window on the new monitor; its size
    // is the design's at the new scale.
    FollowDpi();
    const plat::Rect b = Bounds();
    SetBounds({suggested.left, suggested.top, suggested.left + b.Width(), suggested.top + b.Height()});
}

void frmMain::LayOut() {
    SetBackColor(shell::kWindowBody);
    LayOutTitle();
    LayOutPanel();
    LayOutRightColumn();
    LayOutNews();
}

void frmMain::LayOutTitle() {
    Image1.Move(0, 0);
    Image1.SetPicture(shell::MainBackgroundPicture(Px(kClientWidthTwips), Px(kClientHeightTwips), Dpi()));

    Label18.Move(Px(720), Px(480));
    StyleLabel(Label18, L"from Morrowen", plat::Font{L"Tahoma", 8.0f, true}, plat::Rgb(255, 255, 255));

    Image2.Move(Px(5640), 0);
    Image2.SetPicture(shell::HideButtonPicture(Dpi()));
    Image3.Move(Px(6120), 0);
    Image3.SetPicture(shell::ExitButtonPicture(Dpi()));
}

// The panel shares the card's top and bottom and keeps a margin from the
// window's left edge (the design put it against the edge, under the band).
void frmMain::LayOutPanel() {
    constexpr int kPanelLeft = 120, kPanelGap = 60;
    const int panelTop = shell::kRightCardTwips.top;
    Picture1.Move(Px(kPanelLeft), Px(panelTop), Px(shell::kRightCardTwips.left - kPanelGap) - Px(kPanelLeft),
                  Px(shell::kRightCardTwips.bottom) - Px(panelTop));
    Picture1.SetBackColor(shell::kWindowBody);

    optSetHotKey.SetCaption(L"Hotkey options\r\n");
    optSetHotKey.Move(0, 0, Px(1575), Px(255));
    optTestHotKey.SetCaption(L"start to snip");
    optTestHotKey.Move(Px(1680), 0, Px(1695), Px(255));
    for (plat::CheckBox* c : {&optSetHotKey, &optTestHotKey}) {
        c->SetFont(Scaled(kControlFont));
        c->SetColors(shell::kWindowBody, kText);
    }

    // The visible rows one pitch apart in whole pixels, so they stay evenly
    // spaced at any scale (the design had the first row 3 pixels high). Boxes
    // 4 and 5 lie below the panel's visible height, where the design had them.
    constexpr int kFirstRow = 360, kRowPitch = 360, kBoxHeight = 330;
    static const int kHiddenTop[] = {4920, 5280};
    auto boxTop = [&](int i) { return i < 4 ? Px(kFirstRow) + i * Px(kRowPitch) : Px(kHiddenTop[i - 4]); };
    for (int i = 0; i < txtHotKey.Count(); ++i) {
        txtHotKey[i].Move(0, static_cast<float>(boxTop(i)), Px(1905), Px(kBoxHeight));
        txtHotKey[i].SetFont(Scaled(kControlFont));
        // Only the program writes into the boxes: a key press becomes a hotkey.
        txtHotKey[i].SetLocked(true);
    }
    static const wchar_t* const kRows[] = {L"\u2190snip ", L"\u2190snip+logo mode", L"\u2190window + snip",
                                           L"\u2190window + snip + Logo"};
    float captionsEnd = 0;
    for (int i = 0; i < lblHotKey.Count(); ++i) {
        StyleLabel(lblHotKey[i], kRows[i], kRowFont, kText);
        const float centred = static_cast<float>(boxTop(i) + (Px(kBoxHeight) - static_cast<int>(lblHotKey[i].Height())) / 2);
        lblHotKey[i].Move(Px(1920), centred);
        captionsEnd = std::max(captionsEnd, lblHotKey[i].Left() + lblHotKey[i].Width());
    }

    // One help picture per row, in one column just past the longest caption
    // (the design staggered them after each caption), never out of the panel.
    plat::Image* help[] = {&Image4, &Image5, &Image6, &Image7};
    for (int i = 0; i < 4; ++i) {
        help[i]->SetPicture(shell::HelpIconPicture(Dpi()));
        const float column = std::min(captionsEnd + Px(60), Picture1.Width() - help[i]->Width());
        help[i]->Move(column, static_cast<float>(boxTop(i) + (Px(kBoxHeight) - static_cast<int>(help[i]->Height())) / 2));
    }

    Label9.Move(Px(360), Px(2520));
    StyleLabel(Label9, L"Home", kLinkFont, kLinkBlue);
    Label8.Move(Px(1440), Px(2520));
    StyleLabel(Label8, L"FAQ", kLinkFont, kLinkBlue);
}

// The right column sits on a card of its own: its controls keep 12 design
// pixels inside it. The design's column started at 4560 twips and its
// preview reached past the window's right edge; the "Edit Logo" button sat
// over the left panel's top corner. Both are drawn inside the card here, the
// button under the preview it changes.
void frmMain::LayOutRightColumn() {
    const plat::Rect& card = shell::kRightCardTwips;
    const int left = Px(card.left + 180), right = Px(card.right - 180);
    lblLogoPreview.Move(left, Px(870));
    StyleLabel(lblLogoPreview, L"Logo Preview", kHeadingFont, kText);

    shpLogoArea.Move(left, Px(1140), right - left, Px(1335));
    shpLogoArea.SetBorder(plat::Rgb(208, 220, 236), 1);
    PicFrame2[0].Move(shpLogoArea.Left() + 1, shpLogoArea.Top() + 1);

    Command3.SetCaption(L"Edit Logo");
    Command3.SetFont(Scaled(kControlFont));
    Command3.Move(left, Px(2580), Px(1125), Px(345));

    lblLogoPosition.Move(left, Px(3180));
    StyleLabel(lblLogoPosition, L"Logo Position", kHeadingFont, kText);

    // Laid out like the positions they name: corners left and right, the middle between.
    constexpr int kLeftSide = 4350, kLeftWidth = 1020, kRightWidth = 1140;
    constexpr int kRightSide = 6600 - 90 - kRightWidth;
    struct Placement {
        plat::OptionButton& button;
        const wchar_t* caption;
        int left, top, width;
    };
    const Placement options[] = {
        {Option2, L"Upper left ", kLeftSide, 3600, kLeftWidth},
        {Option4, L"Upper right", kRightSide, 3600, kRightWidth},
        {Option1, L"Middle  ", 5040, 4080, 960},
        {Option3, L"Lower left ", kLeftSide, 4560, kLeftWidth},
        {Option5, L"Lower right", kRightSide, 4560, kRightWidth},
    };
    for (const Placement& p : options) {
        p.button.SetCaption(p.caption);
        p.button.Move(Px(p.left), Px(p.top), Px(p.left + p.width) - Px(p.left), Px(255));
        p.button.SetFont(Scaled(kOptionFont));
        p.button.SetColors(shell::kCardColor, kText);
    }

    // Never shown: other windows read and write them.
    Text1.SetVisible(false);
    qqq.SetVisible(false);
    Text1.Move(0, Px(kClientHeightTwips), 100, 20);
    qqq.Move(0, Px(kClientHeightTwips), 100, 20);
}

void frmMain::WireEvents() {
    Image1.MouseDown = [this](const plat::MouseArgs& a) { Image1_MouseDown(a); };
    // The title text lies on the background: a press there drags as well.
    Label18.MouseDown = [this](const plat::MouseArgs& a) { Image1_MouseDown(a); };
    Image2.Click = [this] { Image2_Click(); };
    Image3.Click = [this] { Image3_Click(); };
    Image4.Click = [this] { OpenHelpPage(1); };
    Image5.Click = [this] { OpenHelpPage(2); };
    Image6.Click = [this] { OpenHelpPage(3); };
    Image7.Click = [this] { OpenHelpPage(4); };
    Label8.Click = [this] { Label8_Click(); };
    Label9.Click = [this] { Label9_Click(); };
    Label7.Click = [this] { OpenNewsAddress(Label13); };
    Label10.Click = [this] { OpenNewsAddress(Label14); };
    Label11.Click = [this] { OpenNewsAddress(Label15); };
    Label12.Click = [this] { OpenNewsAddress(Label16); };
    Timer3.Tick = [this] { Timer3_Timer(); };
    tmrStartUp.Tick = [this] { FinishStartUp(); };
    Command3.Click = [this] { Command3_Click(); };

    for (int i = 0; i < txtHotKey.Count(); ++i)
        txtHotKey[i].KeyDown = [this, i](int keyCode, int shift) { txtHotKey_KeyDown(i, keyCode, shift); };
    optSetHotKey.Click = [this] { optSetHotKey_Click(); };
    optTestHotKey.Click = [this] { optTestHotKey_Click(); };
}
