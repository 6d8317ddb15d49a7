// The editor's picture frames: numbering, creation at the selection's
// top-left, "Delete Frame", and the logo library putting its slots on the
// snip and storing its paths.
#include <gtest/gtest.h>

#include "editor/frames_panel.h"
#include "editor/variants.h"
#include "logo/sss.h"
#include "platform/toolkit/forms.h"
#include "platform/headless/fake_dialogs.h"
#include "platform/headless/fake_profile.h"
#include "platform/services/system.h"
#include "shell/frm_main.h"
#include "shell/rwini.h"
#include "tests/unit/frame_files.h"

namespace {

TEST(FrameNumbers, CountFromTheTextAndStopBeforeText3WouldOverflow) {
    EXPECT_EQ(editor::NextFrameNumbers(L"1")->text2, 2);
    EXPECT_EQ(editor::NextFrameNumbers(L"1")->text3, 3);
    EXPECT_EQ(editor::NextFrameNumbers(L"32765")->text3, 32767);
    EXPECT_FALSE(editor::NextFrameNumbers(L"32766"));
    EXPECT_FALSE(editor::NextFrameNumbers(L""));
    EXPECT_FALSE(editor::NextFrameNumbers(L"4x"));
    EXPECT_FALSE(editor::NextFrameNumbers(L"99999"));
    EXPECT_EQ(editor::CounterValue(L"-3"), -3);
}

class FramesPanelTest : public FrameFilesTest {
protected:
    void SetUp() override {
        FrameFilesTest::SetUp();
        headless::SetScreen(plat::Picture::Create(1280, 800, plat::Rgb(200, 200, 200)));
        headless::SetExeDir(L"C:\\pics");
        sticker_ = plat::Picture::Create(64, 64, plat::Rgb(255, 255, 255));
        sticker_.Draw().FillRect({8, 8, 56, 56}, plat::Rgb(220, 40, 40));
        WritePicture(L"a1.gif", sticker_);
    }
    void TearDown() override {
        plat::UnloadForm<aaa>();
        plat::UnloadForm<jie>();
        plat::UnloadForm<frmMain>();
        plat::UnloadForm<sss>();
        plat::DoEvents();
        FrameFilesTest::TearDown();
    }
    static void Select(plat::Handle h, int x1, int y1, int x2, int y2) {
        headless::MouseDown(h, plat::kLeftButton, x1, y1);
        headless::MouseMove(h, plat::kLeftButton, x2, y2);
        headless::MouseUp(h, plat::kLeftButton, x2, y2);
    }
    plat::Picture sticker_;
};

TEST_F(FramesPanelTest, FramesAreNumberedFromTwoAtTheSelectionAndNeverRenumbered) {
    aaa& ed = plat::Forms<aaa>();
    ed.Show();
    Select(ed.hWnd(), 100, 120, 400, 300);
    editor::FramesPanel& p = ed.Frames;
    p.Buttons[4].Click();  // a1.gif
    ASSERT_TRUE(p.PicFrameabc1.Exists(2));
    logo::PicFrameabc& first = p.PicFrameabc1[2];
    EXPECT_EQ(first.Left(), 100);
    EXPECT_EQ(first.Top(), 120);
    EXPECT_TRUE(first.Visible());
    EXPECT_EQ(first.PicPath(), L"C:\\pics\\a1.gif");
    EXPECT_TRUE(plat::SamePixels(first.Drawn(), sticker_));
    p.Buttons[0].Click();  // 3.PNG is missing: a frame without a picture, no message
    p.Buttons[4].Click();
    EXPECT_EQ(p.Text2.Text(), L"4");
    EXPECT_EQ(p.Text3.Text(), L"5");
    EXPECT_TRUE(p.PicFrameabc1[3].Drawn().Empty());

    // A press selects a frame; "Delete Frame" removes it, a second one has none.
    headless::MouseDown(p.PicFrameabc1[3].hWnd(), plat::kLeftButton, 2, 70);
    headless::MouseUp(p.PicFrameabc1[3].hWnd(), plat::kLeftButton, 2, 70);
    EXPECT_EQ(p.Text5.Text(), L"3");
    p.Image10.Click();
    EXPECT_FALSE(p.PicFrameabc1.Exists(3));
    EXPECT_EQ(p.Text5.Text(), L"");
    EXPECT_TRUE(headless::MessageBoxes().empty());
    p.Image10.Click();
    ASSERT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(headless::MessageBoxes()[0], (headless::MsgBoxRecord{L"No choice pictures", L"Morrowen Snip", 0}));
    EXPECT_EQ(p.CreatePictureFrame(L"C:\\pics\\a1.gif"), 5);

    // Moving the selection leaves the frames where they were put.
    Select(ed.hWnd(), 200, 200, 300, 260);
    EXPECT_EQ(first.Left(), 100);
    EXPECT_EQ(first.Top(), 120);

    // The numbers end before Text3 would pass 32767: no frame, counters kept.
    p.Text2.SetText(L"32766");
    EXPECT_EQ(p.CreatePictureFrame(L"C:\\pics\\a1.gif"), -1);
    EXPECT_EQ(p.Text2.Text(), L"32766");
}

TEST_F(FramesPanelTest, SelectItGoesToTheEditorNamedInQqqAndReplaceWritesThePathEvenOnCancel) {
    const std::wstring logoPath = WritePicture(L"brand.png", sticker_);
    fake_profile::SetValue(rwini::IniPath(), L"b3", L"b3", logoPath);
    frmMain& main = plat::Forms<frmMain>();
    main.FinishStartUp();  // as its timer does after the first paint
    sss* library = plat::LoadedForm<sss>();
    ASSERT_NE(library, nullptr);  // loaded by the start-up, hidden, slots filled
    EXPECT_FALSE(library->Visible());
    EXPECT_EQ(library->baa[3].Text(), logoPath);
    EXPECT_EQ(library->baa[0].Text(), L"b0");
    EXPECT_EQ(library->PicFrame5[3].Drawn().Width(), 64);
    EXPECT_FLOAT_EQ(library->PicFrame5[3].Width() * 15, logo::kSlotWidthTwips);

    library->SelectIt_Click(3);  // no editor has opened its frames panel yet
    EXPECT_EQ(plat::LoadedForm<jie>(), nullptr);

    main.qqq.SetText(L"2");
    library->SelectIt_Click(3);
    jie* ed = plat::LoadedForm<jie>();
    ASSERT_NE(ed, nullptr);  // created for it, not shown
    EXPECT_FALSE(ed->Visible());
    ASSERT_TRUE(ed->Frames.PicFrameabc1.Exists(2));
    EXPECT_EQ(ed->Frames.PicFrameabc1[2].PicPath(), logoPath);
    EXPECT_EQ(ed->Frames.Text3.Text(), L"3");

    fake_profile::ClearLog();
    plat::fake::QueueOpenCancel();
    library->ReplaceImage_Click(3);
    plat::fake::QueueOpenAnswer(L"C:\\pics\\a1.gif");
    library->ReplaceImage_Click(5);
    EXPECT_EQ(fake_profile::Log(), (std::vector<fake_profile::Access>{{true, L"b3", L"b3", logoPath},
                                                                       {true, L"b5", L"b5", L"C:\\pics\\a1.gif"}}));
    EXPECT_EQ(library->PicFrame5[5].PicPath(), L"C:\\pics\\a1.gif");
    EXPECT_FLOAT_EQ(library->PicFrame5[5].Height() * 15, logo::kSlotHeightTwips);
}

}  // namespace

namespace {

// The logo overlay follows the selection at the main window's position; a
// logo variant with no logo chosen shows nothing.
TEST_F(FramesPanelTest, TheLogoRidesAtTheChosenCornerOfTheSelection) {
    plat::Picture logo = plat::Picture::Create(100, 40, plat::Rgb(255, 255, 255));
    logo.Draw().FillRect({0, 0, 100, 40}, plat::Rgb(0, 0, 128));
    fake_profile::SetValue(rwini::IniPath(), L"logo", L"logo", WritePicture(L"brand.png", logo));
    frmMain& main = plat::Forms<frmMain>();
    main.FinishStartUp();  // as its timer does after the first paint
    jie& ed = plat::Forms<jie>();
    ed.Show();
    ASSERT_TRUE(ed.Logo.PicFrame1.Exists(0));
    logo::PicFrame& overlay = ed.Logo.PicFrame1[0];
    EXPECT_EQ(overlay.Left(), 280);  // the design position until a selection exists
    ASSERT_EQ(overlay.Width(), 110);  // the logo and its margin

    Select(ed.hWnd(), 10, 10, 310, 210);
    EXPECT_EQ(overlay.Left(), 200);
    EXPECT_EQ(overlay.Top(), 160);
    main.Option2.SetValue(true);  // "Upper left ", read at the next placement
    Select(ed.hWnd(), 400, 300, 500, 340);  // a new one, smaller than the logo
    EXPECT_EQ(overlay.Left(), 400);
    EXPECT_EQ(overlay.Top(), 300);
    main.Option1.SetValue(true);
    Select(ed.hWnd(), 600, 400, 680, 430);
    EXPECT_EQ(overlay.Left(), 585);  // not held inside the selection
    EXPECT_EQ(overlay.Top(), 390);
    ed.Unload();

    main.Text1.SetText(L"logo");  // none chosen
    aaa& plain = plat::Forms<aaa>();
    EXPECT_FALSE(plain.Logo.PicFrame1.Exists(0));
    jie& again = plat::Forms<jie>();
    EXPECT_TRUE(again.Logo.PicFrame1[0].Drawn().Empty());
}

}  // namespace

namespace {

// The preview shows a logo 1:1, or shrunk to its area, its shape kept, when larger.
TEST_F(FramesPanelTest, ThePreviewShowsTheLogoWhole) {
    fake_profile::SetValue(rwini::IniPath(), L"logo", L"logo", WritePicture(L"wide.png", plat::Picture::Create(600, 100, 0)));
    frmMain& main = plat::Forms<frmMain>();
    const logo::PicFrame& preview = main.PicFrame2[0];
    EXPECT_LE(preview.Width(), main.shpLogoArea.Width());
    EXPECT_NEAR((preview.Width() - 10) / (preview.Height() - 10), 6.0, 0.05);
    EXPECT_EQ(preview.Drawn().Width(), plat::RoundHalfEven(preview.Width() - 10));

    plat::fake::QueueOpenAnswer(WritePicture(L"small.png", sticker_));
    main.Command3.PerformClick();
    EXPECT_TRUE(plat::SamePixels(preview.Drawn(), sticker_));
}

}  // namespace
