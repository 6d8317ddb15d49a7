// frmMain: the window, its controls and their layout.
#include "shell/frm_main.h"

#include <algorithm>
#include <string>

#include "platform/system.h"
#include "shell/main_window_art.h"

namespace {

constexpr int kClientWidth = 444;   // 6660 twips
constexpr int kClientHeight = 343;  // 5145 twips

// Layout is given in twips, as the window was designed; controls take pixels.
constexpr float Tw(int twips) { return static_cast<float>(twips) / plat::kTwipsPerPixel; }

plat::WindowStyle MainStyle() {
    plat::WindowStyle s;
    s.caption = frmMain::kCaption;
    const int left = (plat::ScreenWidthPx() - kClientWidth) / 2;
    const int top = (plat::ScreenHeightPx() - kClientHeight) / 2;
    s.bounds = {left, top, left + kClientWidth, top + kClientHeight};
    // Borderless: the window draws its own title line and is dragged by its background.
    s.borderless = true;
    return s;
}

constexpr plat::Color kText = plat::Rgb(33, 37, 41);
constexpr plat::Color kLinkBlue = plat::Rgb(0, 102, 204);
constexpr plat::Font kRowFont{L"Microsoft Sans Serif", 9.0f, false};
constexpr plat::Font kHeadingFont{L"Microsoft Sans Serif", 9.0f, true};
constexpr plat::Font kOptionFont{L"Microsoft Sans Serif", 8.0f, false};

void StyleLabel(plat::Label& l, const std::wstring& caption, const plat::Font& f, plat::Color color) {
    l.Transparent = true;
    l.AutoSize = true;
    l.ForeColor = color;
    l.SetFont(f);
    l.SetCaption(caption);
    // A smoothed last glyph may reach a pixel past its advance, and a label
    // clips to its box: leave it that room.
    l.SetWidth(l.Width() + 2);
}

}  // namespace

frmMain::frmMain()
    : Form(MainStyle()),
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
      lblLogoPreview(*this),
      shpLogoArea(*this),
      Command3(*this),
      lblLogoPosition(*this),
      Option1(*this),
      Option2(*this),
      Option3(*this),
      Option4(*this),
      Option5(*this),
      Text1(*this),
      qqq(*this) {
    LayOut();
    // Design-time values: set before the handlers exist, so no handler runs.
    optTestHotKey.SetValue(1);
    static const wchar_t* const kInitial[] = {L"Alt + Q", L"Alt + A", L"Alt + Z", L"Alt + X", L"", L""};
    for (int i = 0; i < txtHotKey.Count(); ++i) txtHotKey[i].SetText(kInitial[i]);
    Text1.SetText(L"logo");
    WireEvents();
}

frmMain::~frmMain() = default;

void frmMain::LayOut() {
    SetBackColor(shell::kWindowBody);
    LayOutTitle();
    LayOutPanel();
    LayOutRightColumn();
}

void frmMain::LayOutTitle() {
    Image1.Move(0, 0);
    Image1.SetPicture(shell::MainBackgroundPicture(kClientWidth, kClientHeight));

    Label18.Move(Tw(720), Tw(480));
    StyleLabel(Label18, L"from Morrowen", plat::Font{L"Tahoma", 8.0f, true}, plat::Rgb(255, 255, 255));

    Image2.Move(Tw(5640), 0);
    Image2.SetPicture(shell::HideButtonPicture());
    Image3.Move(Tw(6120), 0);
    Image3.SetPicture(shell::ExitButtonPicture());
}

void frmMain::LayOutPanel() {
    Picture1.Move(Tw(8), Tw(720), Tw(4215), Tw(4215));
    Picture1.SetBackColor(shell::kWindowBody);

    optSetHotKey.SetCaption(L"Hotkey options\r\n");
    optSetHotKey.Move(Tw(0), Tw(0), Tw(1575), Tw(255));
    optTestHotKey.SetCaption(L"start to snip");
    optTestHotKey.Move(Tw(1680), Tw(0), Tw(1695), Tw(255));
    optSetHotKey.SetColors(shell::kWindowBody, kText);
    optTestHotKey.SetColors(shell::kWindowBody, kText);

    static const int kBoxTop[] = {315, 720, 1080, 1440, 4920, 5280};
    static const wchar_t* const kRows[] = {L"\u2190snip ", L"\u2190snip+logo mode", L"\u2190window + snip",
                                           L"\u2190window + snip + Logo"};
    for (int i = 0; i < txtHotKey.Count(); ++i) {
        txtHotKey[i].Move(Tw(0), Tw(kBoxTop[i]), Tw(1905), Tw(330));
        // Only the program writes into the boxes: a key press becomes a hotkey.
        txtHotKey[i].SetLocked(true);
    }
    for (int i = 0; i < lblHotKey.Count(); ++i) {
        lblHotKey[i].Move(Tw(1920), Tw(kBoxTop[i] + 45));
        StyleLabel(lblHotKey[i], kRows[i], kRowFont, kText);
    }

    // One help picture per row, just past the end of the row's caption. The
    // design's places assume its own font's widths: a wider font pushes the
    // picture right, so it does not cover the caption, but never out of the panel.
    // Each sits level with its row's box (the design had rows 2 to 4 a few
    // pixels low).
    static const int kHelpLeft[4] = {2640, 3120, 3480, 3960};
    plat::Image* help[] = {&Image4, &Image5, &Image6, &Image7};
    for (int i = 0; i < 4; ++i) {
        const float captionEnd = lblHotKey[i].Left() + lblHotKey[i].Width() + 2;
        help[i]->SetPicture(shell::HelpIconPicture());
        const float lastFit = Picture1.Width() - help[i]->Width();
        help[i]->Move(std::min(std::max(Tw(kHelpLeft[i]), captionEnd), lastFit), Tw(kBoxTop[i] + 45));
    }

    Label9.Move(Tw(360), Tw(2520));
    StyleLabel(Label9, L"Home", kRowFont, kLinkBlue);
    Label8.Move(Tw(1440), Tw(2520));
    StyleLabel(Label8, L"FAQ", kRowFont, kLinkBlue);
}

// The right column sits on a card of its own (shell::kRightCard, 284..440):
// its controls keep 12 pixels inside it. The design's column started at 4560
// twips and its preview reached past the window's right edge; the "Edit Logo"
// button sat over the left panel's top corner. Both are drawn inside the card
// here, the button under the preview it changes.
void frmMain::LayOutRightColumn() {
    constexpr int kLeft = shell::kRightCard.left + 12;
    constexpr int kRight = shell::kRightCard.right - 12;
    lblLogoPreview.Move(kLeft, 58);
    StyleLabel(lblLogoPreview, L"Logo Preview", kHeadingFont, kText);

    shpLogoArea.Move(kLeft, 76, kRight - kLeft, Tw(1335));
    shpLogoArea.SetBorder(plat::Rgb(208, 220, 236), 1);

    Command3.SetCaption(L"Edit Logo");
    Command3.Move(kLeft, 172, Tw(975) + 10, 23);

    lblLogoPosition.Move(kLeft, Tw(3240) - 4);
    StyleLabel(lblLogoPosition, L"Logo Position", kHeadingFont, kText);

    // Laid out like the positions they name: corners left and right, the middle between.
    constexpr float kLeftSide = shell::kRightCard.left + 4, kLeftWidth = 72;
    constexpr float kRightWidth = 76, kRightSide = shell::kRightCard.right - 2 - kRightWidth;
    struct Placement {
        plat::OptionButton& button;
        const wchar_t* caption;
        float left, top, width;
    };
    const Placement options[] = {
        {Option2, L"Upper left ", kLeftSide, Tw(3600), kLeftWidth},
        {Option4, L"Upper right", kRightSide, Tw(3600), kRightWidth},
        {Option1, L"Middle  ", Tw(5040), Tw(4080), 64},
        {Option3, L"Lower left ", kLeftSide, Tw(4560), kLeftWidth},
        {Option5, L"Lower right", kRightSide, Tw(4560), kRightWidth},
    };
    for (const Placement& p : options) {
        p.button.SetCaption(p.caption);
        p.button.Move(p.left, p.top, p.width, Tw(255));
        p.button.SetFont(kOptionFont);
        p.button.SetColors(shell::kCardColor, kText);
    }

    // Never shown: other windows read and write them.
    Text1.SetVisible(false);
    qqq.SetVisible(false);
    Text1.Move(0, kClientHeight, 100, 20);
    qqq.Move(0, kClientHeight, 100, 20);
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
    Command3.Click = [this] { Command3_Click(); };

    for (int i = 0; i < txtHotKey.Count(); ++i)
        txtHotKey[i].KeyDown = [this, i](int keyCode, int shift) { txtHotKey_KeyDown(i, keyCode, shift); };
    optSetHotKey.Click = [this] { optSetHotKey_Click(); };
    optTestHotKey.Click = [this] { optTestHotKey_Click(); };
}
