// The real editor window in-process: frozen picture, Escape, screen grab,
// resource counts.
#include <windows.h>

#include <gtest/gtest.h>

#include "editor/variants.h"
#include "platform/toolkit/forms.h"
#include "platform/services/system.h"
#include "tests/win/screen_pattern.h"

namespace {

using testing_support::ShowPattern;

class EditorWin : public ::testing::Test {
protected:
    void SetUp() override { pattern_ = ShowPattern().pattern; }
    void TearDown() override {
        plat::UnloadForm<aaa>();
        plat::UnloadForm<jie>();
        plat::UnloadForm<testing_support::PatternWindow>();
        plat::DoEvents();
    }
    static plat::Rect Screen() { return {0, 0, plat::ScreenWidthPx(), plat::ScreenHeightPx()}; }
    plat::Picture pattern_;
};

TEST_F(EditorWin, FrozenPictureIsTheScreenAsItWasAndCoversIt) {
    aaa& ed = plat::Forms<aaa>();
    // Loaded but not yet shown: the capture already holds the screen.
    EXPECT_FALSE(ed.Visible());
    EXPECT_TRUE(plat::SamePixels(ed.PersistentImage().Crop(Screen()), pattern_));
    ed.Show();
    plat::DoEvents();

    EXPECT_TRUE(plat::SamePixels(ed.BackgroundPicture().Crop(Screen()), pattern_));
    ASSERT_EQ(ed.HistoryEntries.Top(), 1);
    EXPECT_TRUE(plat::SamePixels(ed.HistoryEntries.Current().Crop(Screen()), pattern_));

    HWND h = reinterpret_cast<HWND>(ed.hWnd());
    RECT r{};
    GetWindowRect(h, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, plat::ScreenWidthPx());
    EXPECT_EQ(r.bottom, plat::ScreenHeightPx());
    LONG style = GetWindowLongW(h, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER), 0);
    EXPECT_EQ(plat::GetMousePointer(), plat::MousePointer::Crosshair);

    // The screen now shows the editor, which shows the frozen picture.
    EXPECT_TRUE(plat::SamePixels(plat::CaptureScreen(Screen()), pattern_));
}

// With no other picture of the screen's size alive, the last capture's
// memory (or memory readied beforehand) is kept and the next capture made in
// it: never while the last is still held, and always showing the screen as
// it is now.
TEST(CaptureWin, TheNextCaptureIsMadeInTheMemoryTheLastLeftAndShowsTheScreenNow) {
    plat::UnloadForm<testing_support::PatternWindow>();
    plat::DoEvents();
    const plat::Rect screen{0, 0, plat::ScreenWidthPx(), plat::ScreenHeightPx()}, corner{0, 0, 300, 200};
    plat::PrepareWholeScreenCapture(screen);
    plat::Picture first = plat::CaptureWholeScreen(screen);
    const plat::Picture shown = first.Crop(corner);
    first.Draw().FillRect(corner, plat::Rgb(255, 0, 0));
    plat::Picture second = plat::CaptureWholeScreen(screen);
    EXPECT_NE(second.Row(0), first.Row(0));
    EXPECT_TRUE(plat::SamePixels(second.Crop(corner), shown));
    const std::uint32_t* firstMemory = first.Row(0);
    second = plat::Picture();
    first = plat::Picture();  // the last of the screen's size to go: its memory is kept
    const plat::Picture third = plat::CaptureWholeScreen(screen);
    EXPECT_EQ(third.Row(0), firstMemory);
    EXPECT_TRUE(plat::SamePixels(third.Crop(corner), shown));
}

TEST_F(EditorWin, EscapeUnloadsTheEditorAndOtherKeysDoNot) {
    aaa& ed = plat::Forms<aaa>();
    ed.Show();
    plat::DoEvents();
    HWND h = reinterpret_cast<HWND>(ed.hWnd());
    SendMessageW(h, WM_CHAR, 'a', 0);
    SendMessageW(h, WM_CHAR, VK_RETURN, 0);
    EXPECT_NE(plat::LoadedForm<aaa>(), nullptr);
    SendMessageW(h, WM_CHAR, VK_ESCAPE, 0);
    EXPECT_EQ(plat::LoadedForm<aaa>(), nullptr);
    plat::DoEvents();
    EXPECT_FALSE(IsWindow(h));
}

// The grab of a rectangle ending at the screen's right and bottom edges.
TEST_F(EditorWin, ScrnCapPlacesExactlyTheRectanglesPixelsOnTheClipboard) {
    jie& ed = plat::Forms<jie>();
    ed.Show();
    ed.Shape1.Move(10, 10, 200, 100);
    ed.Shape1.SetVisible(true);
    plat::DoEvents();
    const int w = plat::ScreenWidthPx(), h = plat::ScreenHeightPx();
    const plat::Rect r{w - 137, h - 61, w, h};
    ed.ScrnCap(r.left, r.top, r.right, r.bottom);
    EXPECT_FALSE(ed.Shape1.Visible());

    plat::Picture got = plat::ClipboardGetPicture();
    ASSERT_EQ(got.Width(), 137);
    ASSERT_EQ(got.Height(), 61);
    EXPECT_TRUE(plat::SamePixels(got, pattern_.Crop(r)));

    // A rectangle over the (now hidden) frame holds no trace of it.
    ed.ScrnCap(5, 5, 220, 120);
    EXPECT_TRUE(plat::SamePixels(plat::ClipboardGetPicture(), pattern_.Crop({5, 5, 220, 120})));
}

TEST_F(EditorWin, EmptyGrabStillReplacesTheClipboard) {
    ASSERT_TRUE(plat::ClipboardPutPicture(plat::Picture::Create(30, 20, plat::Rgb(1, 2, 3))));
    aaa& ed = plat::Forms<aaa>();
    ed.Show();
    ed.ScrnCap(40, 40, 40, 40);

    ASSERT_TRUE(OpenClipboard(nullptr));
    auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    BITMAP info{};
    ASSERT_NE(bitmap, nullptr);
    ASSERT_TRUE(GetObjectW(bitmap, sizeof(info), &info));
    CloseClipboard();
    EXPECT_EQ(info.bmWidth, 1);
    EXPECT_EQ(info.bmHeight, 1);
    EXPECT_EQ(info.bmBitsPixel, 1);
}

TEST_F(EditorWin, OpeningAgainStartsAFreshSnipAndLeaksNothing) {
    auto openClose = [] {
        aaa& ed = plat::Forms<aaa>();
        ed.Show();
        plat::DoEvents();
        ed.ModeTag = "move";
        ed.CloseGuard = 1;
        ed.ScrnCap(0, 0, 50, 50);
        SendMessageW(reinterpret_cast<HWND>(ed.hWnd()), WM_CHAR, VK_ESCAPE, 0);
        plat::DoEvents();
    };
    openClose();  // fonts and window class are created once, on first use
    const plat::ResourceCounts before = plat::CurrentResourceCounts();
    for (int i = 0; i < 3; ++i) openClose();
    EXPECT_EQ(plat::CurrentResourceCounts(), before);

    aaa& ed = plat::Forms<aaa>();
    EXPECT_EQ(ed.ModeTag, "draw");
    EXPECT_EQ(ed.CloseGuard, 0);
    EXPECT_EQ(ed.HistoryEntries.Top(), 1);
    EXPECT_EQ(ed.HistoryEntries.Position(), 1);
}

}  // namespace
