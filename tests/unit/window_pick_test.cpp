// The window snip over the headless desktop: a pick from the hotkey's entry
// point to the editor, the fields of both inspectors, the tracking of child
// windows, the window operations and the instance check. Pixels, regions,
// opacity and focus changes are the system's: proved under Wine.
#include <string>
#include <vector>

#include "editor/variants.h"
#include "platform/toolkit/forms.h"
#include "platform/headless/fake_window_operations.h"
#include "platform/headless/fake_window_queries.h"
#include "platform/services/system.h"
#include "tests/unit/headless_fixture.h"
#include "window/picking.h"
#include "window/window_forms.h"

namespace {

using plat::Handle;

class WindowPick : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        fake_windows::Window w;
        w.className = L"Notepad";
        w.text = L"Untitled - Notepad";
        w.rect = {100, 50, 900, 650};
        w.processId = 77;
        app_ = fake_windows::Add(0, w);
        w.className = L"Edit";
        w.text = L"";
        w.rect = {110, 100, 890, 640};
        edit_ = fake_windows::Add(app_, w);
        fake_windows::SetProcess(77, L"C:\\windows\\system32\\notepad.exe");
        fake_window_operations::SetWorkArea({0, 0, 1920, 1040});
    }
    void TearDown() override {
        headless::SetIdleHandler(nullptr);
        for (auto unload : {&plat::UnloadForm<bing>, &plat::UnloadForm<jie3>, &plat::UnloadForm<asd>,
                            &plat::UnloadForm<Form1>})
            unload();
        plat::DoEvents();
    }
    // Runs the pick; `step` is called whenever the program waits, with the
    // number of waits so far, until it returns false.
    template <class Inspector>
    void Pick(std::function<bool(int)> step) {
        int waits = 0;
        headless::SetIdleHandler([&, step] {
            if (!step(++waits)) headless::SetIdleHandler(nullptr);
            headless::AdvanceClock(10);
        });
        plat::Forms<Inspector>().Command1_Click();
    }
    // Releases a button over the overlay at the cursor, as the user picks.
    static void ReleaseOver(const plat::Form& overlay, int button = plat::kLeftButton) {
        const plat::Point c = plat::CursorPos();
        const plat::Rect b = overlay.Bounds();
        headless::Post(overlay.hWnd(), headless::InputKind::MouseUp, button, c.x - b.left, c.y - b.top);
    }
    static std::vector<std::wstring> Lines(const plat::ListBox& l) {
        std::vector<std::wstring> v;
        for (int i = 0; i < l.ListCount(); ++i) v.push_back(l.List(i));
        return v;
    }
    Handle app_ = 0, edit_ = 0;
};

TEST_F(WindowPick, HotkeyRoadPicksTheWindowUnderThePointerAndOpensTheEditorOnIt) {
    headless::SetCursorPos({500, 70});  // on the window's frame, above its edit child
    bool seen = false;
    Pick<asd>([&](int) {
        asd* in = plat::LoadedForm<asd>();
        asdd* overlay = plat::LoadedForm<asdd>();
        if (!in || !overlay || in->TxtHwnd.Text() != std::to_wstring(app_)) return true;
        seen = true;
        // The fields of the window under the pointer, while the pick runs.
        EXPECT_EQ(in->TxtClss.Text(), L"Notepad");
        EXPECT_EQ(in->TxtWndCap.Text(), L"Untitled - Notepad");
        EXPECT_EQ(in->TxtProName.Text(), L"notepad.exe");
        EXPECT_EQ(in->Text13.Text(), L"C:\\windows\\system32\\notepad.exe");
        EXPECT_EQ(in->Text12.Text(), L"77");
        EXPECT_EQ(in->TxtRect.Text(), L"( 100,  50)( 800, 600)");
        EXPECT_EQ(in->TxtFaHex.Text(), L"&H0");
        EXPECT_EQ(Lines(in->List1),
                  (std::vector<std::wstring>{L"当前窗体:", L"  Handle: " + std::to_wstring(app_), L"  Class: Notepad",
                                             L"  Caption:Untitled - Notepad", L" ", L"父 窗 体:", L"  Handle: 0",
                                             L"  Class: ", L"  Caption:", L" ", L"子 窗 体:",
                                             L"  Handle: " + std::to_wstring(edit_), L"  Class: Edit",
                                             L"  Caption:", L"   "}));
        EXPECT_EQ(overlay->Bounds(), (plat::Rect{98, 48, 900, 650}));
        EXPECT_EQ(headless::State(in->hWnd()), plat::WindowState::Minimized);
        EXPECT_FALSE(window::PickStop);
        ReleaseOver(*overlay, plat::kRightButton);  // any button picks
        return false;
    });
    ASSERT_TRUE(seen);
    // The desktop picture stayed in memory: the clipboard is the user's.
    EXPECT_EQ(headless::ClipboardWrites(), 0);
    // The editor holds the picked rectangle; both inspectors and the overlay went.
    bing* ed = plat::LoadedForm<bing>();
    ASSERT_NE(ed, nullptr);
    EXPECT_TRUE(headless::Visible(ed->hWnd()));
    EXPECT_TRUE(ed->Shape1.Visible());
    EXPECT_EQ(ed->Shape1.Bounds(), (plat::Rect{100, 50, 900, 650}));
    EXPECT_TRUE(ed->ToolActive);
    EXPECT_EQ(plat::LoadedForm<asd>(), nullptr);
    EXPECT_EQ(plat::LoadedForm<Form1>(), nullptr);
    EXPECT_EQ(plat::LoadedForm<asdd>(), nullptr);
    EXPECT_TRUE(window::PickStop);
}

TEST_F(WindowPick, AWindowAcrossTheSeamOfASecondaryLeftOfThePrimaryIsShownCroppedAndPreset) {
    headless::SetMonitors({{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 96}, {{-1280, 0, 0, 1024}, {-1280, 0, 0, 984}, 96}});
    headless::PaintScreen({-1280, 0, 0, 1024}, plat::Rgb(0, 0, 255));
    headless::PaintScreen({0, 0, 1920, 1080}, plat::Rgb(255, 0, 0));
    fake_windows::Window w;
    w.className = L"Other";
    w.rect = {-600, 200, 200, 700};
    const Handle across = fake_windows::Add(0, w);
    headless::SetCursorPos({-500, 210});
    bool seen = false;
    Pick<asd>([&](int) {
        asd* in = plat::LoadedForm<asd>();
        asdd* overlay = plat::LoadedForm<asdd>();
        if (!in || !overlay || in->TxtHwnd.Text() != std::to_wstring(across)) return true;
        seen = true;
        EXPECT_EQ(in->TxtX.Text(), L"-600");
        EXPECT_EQ(in->TxtRect.Text(), L"(-600, 200)( 800, 500)");
        EXPECT_EQ(overlay->Bounds(), (plat::Rect{-602, 198, 200, 700}));
        ReleaseOver(*overlay);
        return false;
    });
    ASSERT_TRUE(seen);
    // The editor covers both monitors; its selection is the window in its own
    // pixels, and its frozen picture holds every monitor: the secondary's blue
    // at its left, black where no monitor shows.
    bing* ed = plat::LoadedForm<bing>();
    ASSERT_NE(ed, nullptr);
    const plat::Picture& frozen = ed->BackgroundPicture();
    EXPECT_EQ(frozen.Width(), 1280 + 1920);
    EXPECT_EQ(frozen.Pixel(0, 0), plat::Rgb(0, 0, 255));
    EXPECT_EQ(frozen.Pixel(1280, 0), plat::Rgb(255, 0, 0));
    EXPECT_EQ(frozen.Pixel(10, 1050), plat::Rgb(0, 0, 0));
    EXPECT_EQ(headless::Bounds(ed->hWnd()), (plat::Rect{-1280, 0, 1920, 1080}));
    EXPECT_EQ(ed->Shape1.Bounds(), (plat::Rect{680, 200, 1480, 700}));
}

// Escape on the overlay ends the pick: no desktop on the clipboard, no
// editor, the inspector out of sight; the next pick runs as usual.
TEST_F(WindowPick, EscapeEndsThePickWithoutACaptureOrAnEditor) {
    headless::SetCursorPos({500, 70});
    bool pressed = false;
    Pick<asd>([&](int) {
        asdd* overlay = plat::LoadedForm<asdd>();
        asd* in = plat::LoadedForm<asd>();
        if (!overlay || !in || !headless::Visible(overlay->hWnd()) || in->TxtHwnd.Text() != std::to_wstring(app_))
            return true;
        headless::Post(overlay->hWnd(), headless::InputKind::KeyDown, 27);
        pressed = true;
        return false;
    });
    ASSERT_TRUE(pressed);
    EXPECT_TRUE(window::PickStop);
    EXPECT_TRUE(plat::ClipboardGetPicture().Empty());
    EXPECT_EQ(plat::LoadedForm<bing>(), nullptr);
    asd* in = plat::LoadedForm<asd>();
    EXPECT_TRUE(in == nullptr || !headless::Visible(in->hWnd()));

    Pick<asd>([&](int) {
        asdd* overlay = plat::LoadedForm<asdd>();
        asd* again = plat::LoadedForm<asd>();
        if (!overlay || !again || !headless::Visible(overlay->hWnd()) || window::PickStop) return true;
        ReleaseOver(*overlay);
        return false;
    });
    EXPECT_NE(plat::LoadedForm<bing>(), nullptr);
}

TEST_F(WindowPick, TheDesktopGoesToBothInspectorsAndNotToTheClipboard) {
    const plat::Picture users = plat::Picture::Create(5, 5, plat::Rgb(1, 2, 3));
    ASSERT_TRUE(plat::ClipboardPutPicture(users));
    getDeskImage::CaptureDesktop();
    // Work area plus 50 each way, from the origin.
    for (const plat::Picture* desktop : {&plat::Forms<asd>().Picture1, &plat::Forms<Form1>().Picture1}) {
        EXPECT_EQ(desktop->Width(), 1970);
        EXPECT_EQ(desktop->Height(), 1090);
    }
    EXPECT_EQ(headless::ClipboardWrites(), 1);
    EXPECT_TRUE(plat::SamePixels(plat::ClipboardGetPicture(), users));
}

TEST_F(WindowPick, TrackerFollowsTheChildAndTheNextWindow) {
    fake_windows::Window other;
    other.className = L"Other";
    other.rect = {1000, 100, 1400, 400};
    const Handle second = fake_windows::Add(0, other);
    headless::SetCursorPos({500, 70});
    std::vector<std::wstring> shown;
    Pick<Form1>([&](int) {
        Form1* in = plat::LoadedForm<Form1>();
        if (!in) return true;
        const std::wstring now = in->TxtHwnd.Text();
        if (now.empty() || (!shown.empty() && shown.back() == now)) return true;
        shown.push_back(now);
        if (now == std::to_wstring(app_)) {
            headless::SetCursorPos({500, 300});  // into the edit child
        } else if (now == std::to_wstring(edit_)) {
            // The child's rectangle and its parent's, the parent's names kept.
            EXPECT_EQ(in->TxtClss.Text(), L"Edit");
            EXPECT_EQ(in->TxtFaClss.Text(), L"Notepad");
            EXPECT_EQ(in->TxtFaRect.Text(), L"( 100,  50)( 800, 600)");
            EXPECT_EQ(in->TxtX.Text(), L"110");
            headless::SetCursorPos({1200, 200});
        } else {
            EXPECT_EQ(plat::LoadedForm<Form2>()->Bounds(), (plat::Rect{998, 98, 1400, 400}));
            window::PickStop = true;  // as an ended pick leaves it
            return false;
        }
        return true;
    });
    EXPECT_EQ(shown, (std::vector<std::wstring>{std::to_wstring(app_), std::to_wstring(edit_),
                                                std::to_wstring(second)}));
    // An ended pick without a release still opens the paired editor, on the last window shown.
    jie3* ed = plat::LoadedForm<jie3>();
    ASSERT_NE(ed, nullptr);
    EXPECT_EQ(ed->Shape1.Bounds(), (plat::Rect{1000, 100, 1400, 400}));
}

TEST_F(WindowPick, ReleaseCropsIntoThePaneAndTheHiddenListKeepsItsEntries) {
    headless::SetCursorPos({500, 70});
    asd& in = plat::Forms<asd>();
    // A pick run without the editor: the inspector stays to be used.
    headless::SetIdleHandler([&] {
        if (asdd* o = plat::LoadedForm<asdd>(); o && in.TxtHwnd.Text() == std::to_wstring(app_)) {
            ReleaseOver(*o);
            headless::SetIdleHandler(nullptr);
        }
        headless::AdvanceClock(10);
    });
    in.FRM_SpyWindow();
    ASSERT_EQ(plat::LoadedForm<asd>(), &in);
    EXPECT_EQ(in.Picture2Shot.GetPicture().Width(), 800);
    EXPECT_EQ(in.Picture2Shot.GetPicture().Height(), 600);
    EXPECT_TRUE(in.CmdSavePic.Enabled());
    EXPECT_TRUE(in.HScroll1.Visible());  // 800 x 600 is larger than the pane either way
    EXPECT_TRUE(in.VScroll1.Visible());
    EXPECT_FALSE(plat::LoadedForm<asdd>()->Visible());
    // The other inspector was loaded and shown by the capture, with the same desktop.
    ASSERT_NE(plat::LoadedForm<Form1>(), nullptr);
    EXPECT_EQ(plat::LoadedForm<Form1>()->Picture1.Width(), 1970);

    // Hiding the window lists it; showing it again takes it out of the list.
    const std::wstring h = std::to_wstring(app_);
    in.TxtHwnd.SetText(h);
    in.ChkVisible.SetValue(0);
    EXPECT_FALSE(fake_windows::Get(app_).visible);
    EXPECT_EQ(Lines(in.lstHideWnd), (std::vector<std::wstring>{h}));
    in.ChkVisible.SetValue(1);
    EXPECT_TRUE(fake_windows::Get(app_).visible);
    EXPECT_EQ(in.lstHideWnd.ListCount(), 0);
    // A window hidden by someone else is not listed when the box is cleared.
    fake_windows::Window gone = fake_windows::Get(app_);
    gone.visible = false;
    fake_windows::Update(app_, gone);
    in.ChkVisible.SetValue(0);
    EXPECT_EQ(in.lstHideWnd.ListCount(), 0);
    in.ChkVisible.SetValue(1);
    in.ChkVisible.SetValue(0);
    // Ticking the entry shows its window; "清理" removes ticked entries only.
    in.lstHideWnd.SetSelected(0, true);
    EXPECT_TRUE(fake_windows::Get(app_).visible);
    in.lstHideWnd.AddItem(std::to_wstring(edit_));
    in.cmd_Clear.PerformClick();
    EXPECT_EQ(Lines(in.lstHideWnd), (std::vector<std::wstring>{std::to_wstring(edit_)}));
    EXPECT_EQ(in.Bounds().Width(), 605);  // the box widened the collapsed inspector to 9075 twips

    // The moves act on the top-level window, 10 pixels a press.
    in.TxtHwnd.SetText(std::to_wstring(edit_));
    in.cmdMoveWndw[1].PerformClick();
    in.cmdMoveWndw[2].PerformClick();
    EXPECT_EQ(fake_windows::Get(app_).rect, (plat::Rect{90, 60, 890, 660}));
    in.ChkEnable.SetValue(0);
    EXPECT_FALSE(fake_windows::Get(edit_).enabled);
}

TEST_F(WindowPick, AnotherRunningCopyStopsTheInspector) {
    fake_window_operations::SetOtherInstance(true);
    plat::Forms<Form1>().Command1_Click();  // the hotkey's road: no pick, no editor
    ASSERT_FALSE(headless::MessageBoxes().empty());
    EXPECT_EQ(headless::MessageBoxes().back(),
              (headless::MsgBoxRecord{L"Program has been running!", L"System prompts", plat::kMsgInformation}));
    plat::DoEvents();
    EXPECT_EQ(plat::LoadedForm<Form1>(), nullptr);
    EXPECT_EQ(plat::LoadedForm<Form2>(), nullptr);
    EXPECT_EQ(plat::LoadedForm<jie3>(), nullptr);
}

}  // namespace
