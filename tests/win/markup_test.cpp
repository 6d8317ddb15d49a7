// Markup on the real editor window: text drawn as typed (any character), the
// ellipse's pen, the rubber band over committed shapes, the size list.
#include <windows.h>

#include <gtest/gtest.h>

#include "editor/toolbar_layout.h"
#include "editor/variants.h"
#include "platform/toolkit/forms.h"
#include "platform/services/system.h"
#include "tests/win/screen_pattern.h"

namespace {

class MarkupWin : public ::testing::Test {
protected:
    void SetUp() override {
        pattern_ = testing_support::ShowPattern().pattern;
        ed_ = &plat::Forms<aaa>();
        ed_->Show();
        plat::DoEvents();
        h_ = reinterpret_cast<HWND>(ed_->hWnd());
        Drag(100, 100, 700, 500);
    }
    void TearDown() override {
        plat::UnloadForm<aaa>();
        plat::UnloadForm<testing_support::PatternWindow>();
        plat::DoEvents();
    }
    void Send(UINT msg, WPARAM wp, int x, int y) {
        SendMessageW(h_, msg, wp, MAKELPARAM(x, y));
        plat::DoEvents();
    }
    void Drag(int x1, int y1, int x2, int y2) {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, x1, y1);
        Send(WM_MOUSEMOVE, MK_LBUTTON, (x1 + x2) / 2, (y1 + y2) / 2);
        Send(WM_MOUSEMOVE, MK_LBUTTON, x2, y2);
        Send(WM_LBUTTONUP, 0, x2, y2);
    }
    void Tool(int index) {
        ed_->ToolActive = true;
        ed_->CurrentTool = editor::ToolbarButtonName(index);
    }
    COLORREF OnWindow(int x, int y) {
        HDC dc = GetDC(h_);
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(h_, dc);
        return c;
    }
    plat::Picture pattern_;
    aaa* ed_ = nullptr;
    HWND h_ = nullptr;
};

TEST_F(MarkupWin, TextIsDrawnAsTypedInAnyScript) {
    Tool(editor::kAddText);
    ed_->Text1.SetText(L"12");
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 200, 200);
    Send(WM_LBUTTONUP, 0, 200, 200);
    ASSERT_TRUE(ed_->TextEdit.Visible());
    EXPECT_EQ(ed_->TextEdit.Left(), 200);
    EXPECT_EQ(ed_->TextEdit.Width(), 25);
    const std::wstring typed = L"截图 Café ☺";
    HWND edit = reinterpret_cast<HWND>(ed_->TextEdit.NativeHandle());
    for (wchar_t c : typed) SendMessageW(edit, WM_CHAR, c, 1);
    plat::DoEvents();
    EXPECT_EQ(ed_->TextEdit.Text(), typed);
    // Widened as it was typed: its first character is still in view.
    EXPECT_GT(ed_->TextEdit.Width(), 25);
    EXPECT_EQ(LOWORD(SendMessageW(edit, EM_CHARFROMPOS, 0, MAKELPARAM(1, 1))), 0);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 600, 450);  // the second click's place does not matter
    Send(WM_LBUTTONUP, 0, 600, 450);
    EXPECT_FALSE(ed_->TextEdit.Visible());
    EXPECT_EQ(ed_->HistoryEntries.Top(), 2);

    // The same words drawn by the system in the same font and colour.
    const plat::Rect box{200, 200, 400, 240};
    const plat::Font f{L"Arial", 12.0f, false};
    const plat::Picture drawn = ed_->BackgroundPicture().Crop(box);
    plat::Picture asTyped = pattern_.Crop(box);
    asTyped.Draw().Text(0, 0, typed, f, plat::Rgb(255, 0, 0));
    plat::Picture asQuestionMarks = pattern_.Crop(box);
    asQuestionMarks.Draw().Text(0, 0, L"?? Caf? ?", f, plat::Rgb(255, 0, 0));
    EXPECT_TRUE(plat::SamePixels(drawn, asTyped));
    EXPECT_FALSE(plat::SamePixels(drawn, asQuestionMarks));
}

TEST_F(MarkupWin, EllipsePenIsTheSizeBoxAndTheRubberBandSparesCommittedShapes) {
    Tool(editor::kAddRectangle);
    ed_->DrawWidth = 1;
    Drag(150, 150, 250, 250);  // committed
    const COLORREF red = RGB(255, 0, 0);
    ASSERT_EQ(OnWindow(150, 200), red);

    Tool(editor::kAddEllipse);
    ed_->Text1.SetText(L"6");
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 300, 300);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 600, 480);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 500, 400);  // the larger band is gone
    EXPECT_EQ(OnWindow(150, 200), red);
    EXPECT_NE(OnWindow(600, 390), red);
    EXPECT_EQ(ed_->HistoryEntries.Top(), 2);  // nothing committed while dragging
    Send(WM_LBUTTONUP, 0, 500, 400);
    EXPECT_EQ(ed_->HistoryEntries.Top(), 3);

    // Across the ellipse's left end, at its middle row: 6 pixels of pen.
    const plat::Picture& p = ed_->BackgroundPicture();
    int run = 0;
    for (int x = 290; x < 320; ++x) run += p.Pixel(x, 350) == plat::Rgb(255, 0, 0);
    EXPECT_EQ(run, 6);
}

TEST_F(MarkupWin, TheSizeButtonOpensAndClosesTheListUnderIt) {
    Tool(editor::kAddArrow);
    ed_->Picture2.SetVisible(true);
    plat::DoEvents();
    const plat::Handle combo = ed_->Combo1.NativeHandle();
    ASSERT_NE(combo, 0u);
    ed_->OpenCombo(combo);
    plat::DoEvents();
    EXPECT_EQ(SendMessageW(reinterpret_cast<HWND>(combo), CB_GETDROPPEDSTATE, 0, 0), 1);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(reinterpret_cast<HWND>(combo), &info));
    RECT list{};
    GetWindowRect(info.hwndList, &list);
    const plat::Rect button = ed_->PicCombox.BoundsInForm();
    EXPECT_NEAR(list.top, button.bottom, 4);  // the list drops from the button
    EXPECT_NEAR(list.left, button.left, 4);
    ed_->OpenCombo(combo);
    plat::DoEvents();
    EXPECT_EQ(SendMessageW(reinterpret_cast<HWND>(combo), CB_GETDROPPEDSTATE, 0, 0), 0);
}

}  // namespace
