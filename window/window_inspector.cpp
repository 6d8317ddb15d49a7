// WindowInspector: the window, its controls and their layout.
#include "window/window_inspector.h"

#include "platform/services/dpi.h"
#include "platform/toolkit/forms.h"
#include "platform/services/single_instance.h"
#include "platform/services/system.h"
#include "window/picking.h"
#include "window/window_picker.h"
#include "window/window_utils.h"

namespace window {

namespace {

constexpr plat::Color kCyan = plat::Rgb(0, 255, 255);
constexpr plat::Color kTeal = plat::Rgb(0, 192, 192);
constexpr plat::Color kLightYellow = plat::Rgb(255, 255, 192);
constexpr plat::Color kLightCyan = plat::Rgb(192, 255, 255);
constexpr plat::Color kOrange = plat::Rgb(255, 128, 0);
constexpr plat::Color kRed = plat::Rgb(255, 64, 64);
constexpr plat::Color kGreen = plat::Rgb(64, 192, 64);
constexpr plat::Font kCaptionFont{L"宋体", 9.0f, false};
constexpr int kFieldHeightTwips = 255;

plat::WindowStyle InspectorStyle() {
    plat::WindowStyle s;
    s.caption = L"Snipping";
    const int dpi = plat::SystemDpi();
    s.bounds = {0, 0, plat::TwipsToPixels(WindowInspector::kDesignWidthTwips, dpi),
                plat::TwipsToPixels(WindowInspector::kDesignHeightTwips, dpi)};
    s.tabNavigation = true;  // Tab and Shift+Tab move between its controls
    return s;
}

}  // namespace

WindowInspector::WindowInspector()
    : plat::Form(InspectorStyle()),
      Frame4(*this),
      lblHwnd(Frame4), lblWndCap(Frame4), lblClss(Frame4), lblRect(Frame4),
      TxtHwnd(Frame4), TxtHex(Frame4), TxtWndCap(Frame4), TxtClss(Frame4), TxtRect(Frame4),
      ChkVisible(Frame4), ChkZoom(Frame4), ChkEnable(Frame4),
      Frame3(*this),
      lblProName(Frame3), lblPid(Frame3), lblPath(Frame3),
      TxtProName(Frame3), Text12(Frame3), Text13(Frame3),
      Frame1(*this),
      lblFaHwnd(Frame1), lblFaWndCap(Frame1), lblFaClss(Frame1), lblFaRect(Frame1),
      TxtFaHwnd(Frame1), TxtFaHex(Frame1), TxtFaWndCap(Frame1), TxtFaClss(Frame1), TxtFaRect(Frame1),
      Frame5(*this),
      lblXY(Frame5), lblWH(Frame5),
      TxtX(Frame5), TxtY(Frame5), TxtW(Frame5), TxtH(Frame5),
      cmdMoveWndw(Frame5, 4),
      Command3(Frame5),
      CmdTop(*this),
      lblHidden(*this),
      lstHideWnd(*this),
      cmd_Clear(*this),
      cmd_ShowAll(*this),
      List1(*this),
      HScroll1(*this, false),
      VScroll1(*this, true),
      Frame2(*this),
      Picture2(Frame2),
      Picture2Shot(Picture2),
      CmdAction(*this),
      CmdSavePic(*this),
      Command1(*this) {
    LayOut();
    WireEvents();
}

WindowInspector::~WindowInspector() = default;

int WindowInspector::Px(int twips) const { return plat::TwipsToPixels(twips, Dpi()); }

void WindowInspector::PlaceField(plat::TextBox& box, int left, int top, int width, bool locked) {
    box.Move(static_cast<float>(Px(left)), static_cast<float>(Px(top)), static_cast<float>(Px(width)),
             static_cast<float>(Px(kFieldHeightTwips)));
    box.SetFont(plat::FontAtDpi(kCaptionFont, Dpi()));
    box.SetLocked(locked);
}

void WindowInspector::PlaceLabel(plat::Label& l, const std::wstring& caption, int left, int top) {
    l.Transparent = true;
    l.AutoSize = true;
    l.SetFont(plat::FontAtDpi(kCaptionFont, Dpi()));
    l.SetCaption(caption);
    l.Move(static_cast<float>(Px(left)), static_cast<float>(Px(top)));
}

void WindowInspector::LayOut() {
    SetBackColor(kCyan);
    const plat::Font font = plat::FontAtDpi(kCaptionFont, Dpi());
    auto box = [this](plat::Control& c, int left, int top, int width, int height) {
        c.Move(static_cast<float>(Px(left)), static_cast<float>(Px(top)), static_cast<float>(Px(width)),
               static_cast<float>(Px(height)));
    };
    auto frame = [&](plat::Frame& f, const std::wstring& caption, plat::Color back, int l, int t, int w, int h) {
        f.SetCaption(caption);
        f.SetFont(font);
        f.SetColors(back, plat::Rgb(0, 0, 0));
        box(f, l, t, w, h);
    };

    frame(Frame4, L"当前句柄", kTeal, 0, 0, 3135, 1500);
    PlaceLabel(lblHwnd, L"Hwnd:", 120, 150);
    PlaceField(TxtHwnd, 960, 120, 1000);
    PlaceField(TxtHex, 2040, 120, 1000);
    PlaceLabel(lblWndCap, L"文本信息:", 120, 435);
    PlaceField(TxtWndCap, 960, 405, 2055);
    PlaceLabel(lblClss, L"Class:", 120, 705);
    PlaceField(TxtClss, 960, 675, 2055);
    PlaceLabel(lblRect, L"窗体矩形:", 120, 990);
    PlaceField(TxtRect, 960, 960, 2055);
    const std::pair<plat::CheckBox*, const wchar_t*> checks[] = {
        {&ChkVisible, L"可见"}, {&ChkZoom, L"最大化"}, {&ChkEnable, L"可用"}};
    int checkLeft[] = {120, 960, 2040};
    for (int i = 0; i < 3; ++i) {
        checks[i].first->SetCaption(checks[i].second);
        checks[i].first->SetFont(font);
        checks[i].first->SetColors(kTeal, plat::Rgb(0, 0, 0));
        box(*checks[i].first, checkLeft[i], 1250, 840, 225);
    }

    frame(Frame3, L"进程", kTeal, 3240, 0, 3375, 975);
    PlaceLabel(lblProName, L"Name", 90, 240);
    PlaceField(TxtProName, 600, 210, 1200);
    PlaceLabel(lblPid, L"PID:", 1890, 240);
    PlaceField(Text12, 2340, 210, 930);
    PlaceLabel(lblPath, L"路径:", 90, 600);
    PlaceField(Text13, 600, 570, 2670);

    frame(Frame1, L"父窗体", kTeal, 3240, 1008, 3375, 1215);
    PlaceLabel(lblFaHwnd, L"Hwnd", 90, 240);
    PlaceField(TxtFaHwnd, 600, 210, 1260);
    PlaceField(TxtFaHex, 1920, 210, 1350);
    PlaceLabel(lblFaWndCap, L"标题", 90, 480);
    PlaceField(TxtFaWndCap, 600, 450, 2670);
    PlaceLabel(lblFaClss, L"Class", 90, 720);
    PlaceField(TxtFaClss, 600, 690, 2670);
    PlaceLabel(lblFaRect, L"窗体矩形", 90, 960);
    PlaceField(TxtFaRect, 840, 930, 2430);

    frame(Frame5, L"调整方位", kTeal, 20, 1560, 2500, 1335);
    PlaceLabel(lblXY, L" X        Y", 120, 240);
    PlaceField(TxtX, 120, 480, 540, false);
    PlaceField(TxtY, 720, 480, 540, false);
    PlaceLabel(lblWH, L"宽度      高度", 120, 780);
    PlaceField(TxtW, 120, 1020, 540, false);
    PlaceField(TxtH, 720, 1020, 540, false);
    static const wchar_t* const kArrows[] = {L"↑", L"←", L"↓", L"→"};
    static const int kArrowAt[][2] = {{1740, 300}, {1455, 585}, {1740, 870}, {2025, 585}};
    for (int i = 0; i < 4; ++i) {
        plat::FaceButton& b = cmdMoveWndw[i];
        b.SetCaption(kArrows[i]);
        b.SetFont(font);
        b.SetFace(kOrange);
        box(b, kArrowAt[i][0], kArrowAt[i][1], 255, 255);
    }
    Command3.SetCaption(L"Command3");
    Command3.SetFont(font);
    box(Command3, 2340, 1020, 90, 255);

    CmdTop.SetCaption(L"置顶");
    CmdTop.SetFont(font);
    box(CmdTop, 2592, 1680, 615, 495);

    PlaceLabel(lblHidden, L"隐藏列表", 6960, 0);
    lstHideWnd.SetFont(font);
    box(lstHideWnd, 6960, 240, 1815, 4890);
    cmd_Clear.SetCaption(L"清理");
    cmd_Clear.SetFont(font);
    box(cmd_Clear, 6960, 5160, 1095, 375);
    cmd_ShowAll.SetCaption(L"全部可见");
    cmd_ShowAll.SetFont(font);
    box(cmd_ShowAll, 8160, 5160, 795, 375);

    List1.SetFont(font);
    box(List1, 29, 3312, 2448, 2220);

    frame(Frame2, L"Frame2", kLightYellow, 2760, 2520, 4095, 3015);
    Picture2.SetBackColor(kLightCyan);
    box(Picture2, 0, 0, kPaneWidthTwips, kPaneHeightTwips);
    box(HScroll1, 2520, 2280, kPaneWidthTwips, 255);
    box(VScroll1, 2520, 2520, 255, kPaneHeightTwips);
    HScroll1.SetVisible(false);
    VScroll1.SetVisible(false);

    const std::pair<plat::FaceButton*, std::pair<const wchar_t*, plat::Color>> faces[] = {
        {&CmdAction, {L"查找", kRed}}, {&CmdSavePic, {L"存图", kGreen}}};
    int faceLeft = 240;
    for (const auto& [b, look] : faces) {
        b->SetCaption(look.first);
        b->SetFont(font);
        b->SetFace(look.second);
        box(*b, faceLeft, 2880, 495, 375);
        faceLeft = 1920;
    }
    CmdSavePic.SetEnabled(false);

    Command1.SetCaption(L"Command1");
    Command1.SetFont(font);
    box(Command1, 6720, 480, 240, 375);
}

void WindowInspector::WireEvents() {
    CmdAction.MouseDown = [this](const plat::MouseArgs& a) { CmdAction_MouseDown(a); };
    CmdSavePic.Click = [this] { CmdSavePic_Click(); };
    ChkVisible.Click = [this] { ChkVisible_Click(); };
    ChkEnable.Click = [this] { ChkEnable_Click(); };
    ChkZoom.Click = [this] { ChkZoom_Click(); };
    CmdTop.Click = [this] { CmdTop_Click(); };
    cmdMoveWndw.SetWiring([this](plat::FaceButton& b, int i) { b.Click = [this, i] { cmdMoveWndw_Click(i); }; });
    lstHideWnd.Click = [this] { lstHideWnd_Click(); };
    // A tick set on an entry shows its window, as a click on the entry does.
    lstHideWnd.ItemCheck = [this](int i) {
        if (lstHideWnd.Selected(i)) ShowHidden(i);
    };
    cmd_ShowAll.Click = [this] { cmd_ShowAll_Click(); };
    cmd_Clear.Click = [this] { cmd_Clear_Click(); };
    VScroll1.Change = [this] { VScroll1_Change(); };
    HScroll1.Change = [this] { HScroll1_Change(); };
    Command1.Click = [this] { StartPick(); };
    // The pane has no keyboard focus of its own: a press on it gives the
    // focus to the inspector, which hands it the keys.
    Picture2.MouseDown = [this](const plat::MouseArgs&) { SetFocus(); };
    Picture2Shot.MouseDown = Picture2.MouseDown;
}

void WindowInspector::Form_Load() {
    SetBounds({0, 0, 0, 0});
    for (plat::TextBox* t : {&TxtHwnd, &TxtHex, &TxtWndCap, &TxtClss, &TxtRect, &TxtProName, &Text12, &Text13,
                             &TxtFaHwnd, &TxtFaHex, &TxtFaWndCap, &TxtFaClss, &TxtFaRect, &TxtX, &TxtY, &TxtW,
                             &TxtH})
        t->SetText(L"");
    ChildIndex = -1;
    ChildHandles.clear();
    // Another copy of the program holds the instance marker: it owns the
    // hotkeys and the picking; this one says so and goes.
    if (plat::OtherInstanceHolds(plat::kInstanceMarkerName)) {
        plat::MsgBox(L"Program has been running!", L"System prompts", plat::kMsgInformation);
        Unload();
    }
}

void WindowInspector::Form_DpiChanged(int /*dpi*/, const plat::Rect& suggested) {
    LayOut();
    SetBounds(suggested);
}

void WindowInspector::Form_Unload() {
    PickStop = true;
    UnloadOverlay();
}

// A press on the inspector's own background drags it, as by a caption.
void WindowInspector::Form_MouseDown(const plat::MouseArgs& a) {
    if (a.button == plat::kLeftButton) DragMoveForm(*this);
}

void WindowInspector::Form_KeyDown(int keyCode, int) { Picture2_KeyDown(keyCode); }

}  // namespace window
