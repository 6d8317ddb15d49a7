// Windowed hosts on the real platform: a picture box with a window of its own,
// a window moved by the system, a form's shape, opacity, activation and focus,
// drawing in a paint handler, wide lines that move, a window that cannot be made.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/toolkit/controls.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/forms.h"
#include "platform/toolkit/native_controls.h"
#include "platform/services/system.h"

namespace {

plat::WindowStyle TestStyle(const wchar_t* caption, plat::Rect bounds) {
    plat::WindowStyle s;
    s.caption = caption;
    s.bounds = bounds;
    s.borderless = true;
    s.topmost = true;
    return s;
}

void Settle() {
    for (int i = 0; i < 10; ++i) {
        plat::DoEvents();
        Sleep(15);
    }
}

class HostForm : public plat::Form {
public:
    HostForm()
        : plat::Form(TestStyle(L"host", {100, 100, 500, 400})), Box(*this, true), Caption(Box), Edge(*this),
          Entry(Box), Other(*this) {
        Entry.Move(80, 60, 100, 24);
        Other.Move(300, 100, 80, 24);
        Entry.MouseDown = [this](const plat::MouseArgs& a) { entryPresses.push_back({static_cast<int>(a.x), static_cast<int>(a.y)}); };
        Entry.GotFocus = [this] { focusLog += "got "; };
        Entry.LostFocus = [this] { focusLog += "lost "; };
        SetBackColor(plat::Rgb(255, 255, 255));
        Box.Move(40, 30, 200, 120);
        Box.SetBackColor(plat::Rgb(0, 0, 255));
        Caption.Move(10, 10, 50, 20);
        Caption.BackColor = plat::Rgb(255, 0, 0);
        Caption.Click = [this] { ++captionClicks; };
        Box.MouseDown = [this](const plat::MouseArgs& a) { boxPresses.push_back({static_cast<int>(a.x), static_cast<int>(a.y)}); };
        Edge.BorderColor = plat::Rgb(0, 160, 0);
        Edge.BorderWidth = 8;
        Edge.SetEnds(20, 250, 300, 250);
    }
    plat::PictureBox Box;
    plat::Label Caption;
    plat::Line Edge;
    plat::TextBox Entry;  // a native child of the box's window
    plat::TextBox Other;
    std::vector<plat::Point> entryPresses;
    std::string focusLog;
    int captionClicks = 0;
    std::vector<plat::Point> boxPresses;
    int lostFocus = 0;
    bool drawInPaint = false;

protected:
    void Form_LostFocus() override { ++lostFocus; }
    void Form_Paint() override {
        if (drawInPaint)
            DrawOnSurface([](plat::Canvas& c) { c.FillRect({300, 20, 340, 60}, plat::Rgb(255, 0, 255)); },
                          {300, 20, 340, 60});
    }
};

class OtherForm : public plat::Form {
public:
    OtherForm() : plat::Form(TestStyle(L"other", {600, 100, 700, 200})) {}
};

class WindowedHostWin : public ::testing::Test {
protected:
    void TearDown() override {
        plat::UnloadForm<HostForm>();
        plat::UnloadForm<OtherForm>();
        plat::DoEvents();
    }
    static plat::Color ScreenAt(int x, int y) { return plat::CaptureScreen({x, y, x + 1, y + 1}).Pixel(0, 0); }
};

TEST_F(WindowedHostWin, ABoxWithItsOwnWindowPaintsAndRoutesItsControls) {
    HostForm& f = plat::Forms<HostForm>();
    f.Show();
    Settle();
    const HWND box = reinterpret_cast<HWND>(f.Box.hWnd());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetParent(box), reinterpret_cast<HWND>(f.hWnd()));
    RECT r{};
    GetWindowRect(box, &r);
    EXPECT_EQ(r.left, 140);
    EXPECT_EQ(r.top, 130);
    // The label paints on the box's window, the box's colour around it.
    EXPECT_EQ(ScreenAt(140 + 15, 130 + 15), plat::Rgb(255, 0, 0));
    EXPECT_EQ(ScreenAt(140 + 30, 130 + 100), plat::Rgb(0, 0, 255));

    // Input on the box's window: the label's click, the box's own press (box pixels).
    SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 15));
    SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(20, 15));
    SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 90));
    SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(150, 90));
    EXPECT_EQ(f.captionClicks, 1);
    ASSERT_EQ(f.boxPresses.size(), 1u);
    EXPECT_EQ(f.boxPresses[0].x, 150);

    // Hidden with the box; shown again with it.
    f.Box.SetVisible(false);
    Settle();
    EXPECT_FALSE(IsWindowVisible(box));
    EXPECT_EQ(ScreenAt(140 + 30, 130 + 100), plat::Rgb(255, 255, 255));
    f.Box.SetVisible(true);
    Settle();
    EXPECT_TRUE(IsWindowVisible(box));
}

// A native child inside the box is a child window of the box's window, and
// its mouse and focus events reach the control's handlers.
TEST_F(WindowedHostWin, NativeChildrenOfABoxReportMouseAndFocus) {
    HostForm& f = plat::Forms<HostForm>();
    f.Show();
    Settle();
    const HWND entry = reinterpret_cast<HWND>(f.Entry.NativeHandle());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(GetParent(entry), reinterpret_cast<HWND>(f.Box.hWnd()));
    SendMessageW(entry, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 5));
    SendMessageW(entry, WM_LBUTTONUP, 0, MAKELPARAM(7, 5));
    ASSERT_EQ(f.entryPresses.size(), 1u);
    EXPECT_EQ(f.entryPresses[0].x, 7);
    EXPECT_EQ(f.entryPresses[0].y, 5);
    f.Entry.SetFocus();
    f.Other.SetFocus();
    EXPECT_EQ(f.focusLog, "got lost ");
}

TEST_F(WindowedHostWin, AMoveByTheSystemIsKeptByTheNextPropertyChange) {
    HostForm& f = plat::Forms<HostForm>();
    f.Show();
    Settle();
    const HWND box = reinterpret_cast<HWND>(f.Box.hWnd());
    // As a drag by the caption ends: the system places the window itself.
    SetWindowPos(box, nullptr, 90, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(f.Box.Left(), 90);
    EXPECT_EQ(f.Box.Top(), 70);
    f.Box.SetWidth(150);
    RECT r{};
    GetWindowRect(box, &r);
    EXPECT_EQ(r.left, 100 + 90);
    EXPECT_EQ(r.top, 100 + 70);
    EXPECT_EQ(r.right - r.left, 150);
}

TEST_F(WindowedHostWin, DrawingInAPaintHandlerStaysOnTheScreen) {
    HostForm& f = plat::Forms<HostForm>();
    f.drawInPaint = true;
    f.Show();
    f.Refresh();
    Settle();
    EXPECT_EQ(ScreenAt(100 + 320, 100 + 40), plat::Rgb(255, 0, 255));
}

TEST_F(WindowedHostWin, AWideLineLeavesNothingBehindWhenItMoves) {
    HostForm& f = plat::Forms<HostForm>();
    f.Show();
    Settle();
    ASSERT_EQ(ScreenAt(100 + 150, 100 + 251), plat::Rgb(0, 160, 0));
    f.Edge.SetEnds(20, 280, 300, 280);
    Settle();
    const plat::Picture band = plat::CaptureScreen({100 + 20, 100 + 243, 100 + 300, 100 + 258});
    for (int y = 0; y < band.Height(); ++y)
        for (int x = 0; x < band.Width(); ++x)
            ASSERT_EQ(band.Pixel(x, y), plat::Rgb(255, 255, 255)) << "stale pixel at " << x << "," << y;
}

TEST_F(WindowedHostWin, ShapeOpacityActivationAndFocusLoss) {
    OtherForm& other = plat::Forms<OtherForm>();
    other.Show();
    Settle();
    ASSERT_EQ(GetForegroundWindow(), reinterpret_cast<HWND>(other.hWnd()));

    HostForm& f = plat::Forms<HostForm>();
    f.SetWindowRegion({{0, 0, 50, 40}, {100, 0, 150, 40}});
    f.SetOpacity(200);
    f.ShowNoActivate();
    Settle();
    const HWND h = reinterpret_cast<HWND>(f.hWnd());
    EXPECT_TRUE(IsWindowVisible(h));
    EXPECT_EQ(GetForegroundWindow(), reinterpret_cast<HWND>(other.hWnd()));
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetWindowRgn(h, rgn), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(rgn, 120, 20));
    EXPECT_FALSE(PtInRegion(rgn, 75, 20));
    DeleteObject(rgn);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(h, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 200);

    f.SetFocus();
    Settle();
    EXPECT_EQ(f.lostFocus, 0);
    other.SetFocus();
    Settle();
    EXPECT_EQ(f.lostFocus, 1);
}

TEST(WindowedHostFailure, AWindowTheSystemRefusesLeavesTheFormUnloaded) {
    plat::WindowStyle s = TestStyle(L"orphan", {0, 0, 50, 50});
    s.parent = 0xDEAD0;  // no such window
    plat::Form f(s);
    f.Load();
    EXPECT_FALSE(f.Loaded());
    EXPECT_EQ(f.hWnd(), 0u);
}

}  // namespace
