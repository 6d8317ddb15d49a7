// frmMain: window, layout and lifecycle.
#include "shell/frm_main.h"

#include <string>

#include "platform/system.h"

namespace {

constexpr int kClientWidth = 444;   // 6660 twips
constexpr int kClientHeight = 343;  // 5145 twips

// Layout is given in twips, as the window was designed; controls take pixels.
constexpr float Tw(int twips) { return static_cast<float>(twips) / plat::kTwipsPerPixel; }

plat::WindowStyle MainStyle() {
    plat::WindowStyle s;
    s.caption = L"Morrowen Snip";
    const int left = (plat::ScreenWidthPx() - kClientWidth) / 2;
    const int top = (plat::ScreenHeightPx() - kClientHeight) / 2;
    s.bounds = {left, top, left + kClientWidth, top + kClientHeight};
    // Borderless: the window draws its own title line and is dragged by its background.
    s.borderless = true;
    return s;
}

constexpr plat::Color kPanelColor = plat::Rgb(255, 255, 255);

}  // namespace

frmMain::frmMain()
    : Form(MainStyle()),
      Timer1(*this),
      Picture1(*this),
      optSetHotKey(Picture1),
      optTestHotKey(Picture1),
      txtHotKey(Picture1, 6),
      lblHotKey(Picture1, 4) {
    LayOut();
    // Design-time values: set before the handlers exist, so no handler runs.
    optTestHotKey.SetValue(1);
    static const wchar_t* const kInitial[] = {L"Alt + Q", L"Alt + A", L"Alt + Z", L"Alt + X", L"", L""};
    for (int i = 0; i < txtHotKey.Count(); ++i) txtHotKey[i].SetText(kInitial[i]);

    for (int i = 0; i < txtHotKey.Count(); ++i)
        txtHotKey[i].KeyDown = [this, i](int keyCode, int shift) { txtHotKey_KeyDown(i, keyCode, shift); };
    optSetHotKey.Click = [this] { optSetHotKey_Click(); };
    optTestHotKey.Click = [this] { optTestHotKey_Click(); };
}

frmMain::~frmMain() = default;

void frmMain::LayOut() {
    SetBackColor(kPanelColor);
    Picture1.Move(Tw(8), Tw(720), Tw(4215), Tw(4215));
    Picture1.SetBackColor(kPanelColor);

    optSetHotKey.SetCaption(L"Hotkey options\r\n");
    optSetHotKey.Move(Tw(0), Tw(0), Tw(1575), Tw(255));
    optTestHotKey.SetCaption(L"start to snip");
    optTestHotKey.Move(Tw(1680), Tw(0), Tw(1695), Tw(255));
    optSetHotKey.SetColors(kPanelColor, plat::Rgb(0, 0, 0));
    optTestHotKey.SetColors(kPanelColor, plat::Rgb(0, 0, 0));

    static const int kBoxTop[] = {315, 720, 1080, 1440, 4920, 5280};
    static const wchar_t* const kRows[] = {L"\u2190snip ", L"\u2190snip+logo mode", L"\u2190window + snip",
                                           L"\u2190window + snip + Logo"};
    for (int i = 0; i < txtHotKey.Count(); ++i) {
        txtHotKey[i].Move(Tw(0), Tw(kBoxTop[i]), Tw(1905), Tw(330));
        // Only the program writes into the boxes: a key press becomes a hotkey.
        txtHotKey[i].SetLocked(true);
    }
    for (int i = 0; i < lblHotKey.Count(); ++i) {
        plat::Label& l = lblHotKey[i];
        l.Transparent = true;
        l.AutoSize = true;
        l.SetFont(plat::Font{L"Microsoft Sans Serif", 9.0f, false});
        l.Move(Tw(1920), Tw(kBoxTop[i] + 45));
        l.SetCaption(kRows[i]);
    }
}

void frmMain::Form_Load() {
    cHK = std::make_unique<cHotKey>();
    cHK->SetfrmHwnd(hWnd());
    cHK->HotKeyPress = [this](std::int32_t number, std::int32_t keyCode, bool ctrl, bool alt, bool shift) {
        cHK_HotKeyPress(number, keyCode, ctrl, alt, shift);
    };
    HotKeyIds.assign(static_cast<size_t>(txtHotKey.Count()), -1);
    LoadHotKeys();
    // Unchecked at start: disables the boxes and unregisters everything...
    optSetHotKey_Click();
    // ...then the boxes that hold a hotkey are registered and the loop armed.
    ApplyHotKeys();
}

// The service object stays until the form itself is freed, which happens only
// once none of its handlers is on the stack: one of them may be inside the
// service's own loop or pending-events step right now.
void frmMain::Form_Unload() {
    if (!cHK) return;
    cHK->HotKeyPress = nullptr;
    cHK->ClsAllHotKey();
}

// Hotkey numbers follow the registration order of ApplyHotKeys; the snip
// modes they start are dispatched here once the editors are reachable from
// the main window.
void frmMain::cHK_HotKeyPress(std::int32_t, std::int32_t, bool, bool, bool) {}
