// Opening, the state at open for each variant, Escape and the screen grab.
#include "tests/unit/editor_test_support.h"

namespace {

TEST_F(EditorTest, OpeningFreezesTheScreenBeforeTheWindowShows) {
    aaa& ed = plat::Forms<aaa>();  // loaded, not yet shown
    EXPECT_FALSE(headless::Visible(H(ed)));
    EXPECT_TRUE(plat::SamePixels(ed.PersistentImage().Crop({0, 0, 1920, 1080}), screen_));
    EXPECT_TRUE(plat::SamePixels(ed.BackgroundPicture().Crop({0, 0, 1920, 1080}), screen_));
    ASSERT_EQ(ed.HistoryEntries.Top(), 1);
    EXPECT_TRUE(plat::SamePixels(ed.HistoryEntries.Current().Crop({0, 0, 1920, 1080}), screen_));
    EXPECT_EQ(ed.HistoryEntries.Position(), 1);
        EXPECT_EQ(plat::GetMousePointer(), plat::MousePointer::Crosshair);
    EXPECT_TRUE(ed.AutoRedraw());
    EXPECT_EQ(ed.GetScaleMode(), plat::ScaleMode::Pixels);

    ed.Show();
    EXPECT_TRUE(headless::Visible(H(ed)));
    EXPECT_EQ(headless::Bounds(H(ed)), (plat::Rect{0, 0, 1920, 1080}));
    // What the user sees is the frozen screen, nothing floating over it.
    EXPECT_TRUE(plat::SamePixels(headless::ScreenPicture(), screen_));
}

TEST_F(EditorTest, StateAtOpenFollowsTheVariant) {
    auto check = [](plat::Form& f, bool toolActive, int frameWidth) {
        auto& ed = static_cast<editor::SnipEditor&>(f);
        EXPECT_EQ(ed.ModeTag, "draw");
        EXPECT_EQ(ed.HandleDrag, "");
        EXPECT_EQ(ed.CloseGuard, 0);
        EXPECT_EQ(ed.ToolActive, toolActive) << ed.Traits().name;
        EXPECT_EQ(ed.Shape1.BorderWidth, frameWidth) << ed.Traits().name;
        EXPECT_EQ(ed.Shape1.BorderColor, plat::Rgb(0, 122, 236));
        EXPECT_FALSE(ed.Picture1.Visible());
        EXPECT_EQ(ed.Picture1.Top(), -26);
        EXPECT_EQ(ed.Picture1.Width(), 265);
        for (int i = 0; i < 8; ++i) EXPECT_FALSE(ed.Image1[i].Visible());
        EXPECT_FALSE(ed.LblPos.Visible());
        EXPECT_FALSE(ed.lblInfo.Visible());
        EXPECT_TRUE(ed.CurrentTool.empty());
    };
    check(Open<aaa>(), false, 1);
    check(Open<jie>(), false, 1);
    check(Open<bing>(), true, 3);
    check(Open<jie3>(), true, 3);
}

TEST_F(EditorTest, EscapeClosesAndTheNextOpeningStartsAfresh) {
    aaa& first = Open<aaa>();
    const plat::Handle h = H(first);
    Drag(h, 100, 100, 300, 200);
    ASSERT_EQ(first.ModeTag, "move");
    headless::MouseDown(h, plat::kRightButton, 150, 150);  // discards: CloseGuard 1
    headless::MouseUp(h, plat::kRightButton, 150, 150);
    ASSERT_EQ(first.CloseGuard, 1);

    headless::KeyPress(h, 'q');
    headless::KeyPress(h, 13);
    EXPECT_NE(plat::LoadedForm<aaa>(), nullptr);
    headless::KeyPress(h, 27);
    EXPECT_EQ(plat::LoadedForm<aaa>(), nullptr);
    EXPECT_FALSE(headless::Exists(h));
    EXPECT_EQ(headless::ClipboardWrites(), 0);  // leaving by Escape copies nothing

    plat::Picture changed = plat::Picture::Create(1920, 1080, plat::Rgb(0, 80, 0));
    headless::SetScreen(changed);
    aaa& second = Open<aaa>();
    EXPECT_EQ(second.ModeTag, "draw");
    EXPECT_EQ(second.CloseGuard, 0);
    EXPECT_FALSE(second.Shape1.Visible());
    ASSERT_EQ(second.HistoryEntries.Top(), 1);
    EXPECT_TRUE(plat::SamePixels(second.BackgroundPicture().Crop({0, 0, 1920, 1080}), changed));
}

TEST_F(EditorTest, ScrnCapHidesFrameHandlesAndLabelsAndGrabsTheScreen) {
    aaa& ed = Open<aaa>();
    Drag(H(ed), 90, 90, 410, 310);
    ASSERT_TRUE(ed.Shape1.Visible());
    ASSERT_TRUE(ed.LblPos.Visible());

    ed.ScrnCap(90, 90, 410, 310);
    EXPECT_FALSE(ed.Shape1.Visible());
    EXPECT_FALSE(ed.LblPos.Visible());
    EXPECT_FALSE(ed.lblInfo.Visible());
    for (int i = 0; i < 8; ++i) EXPECT_FALSE(ed.Image1[i].Visible());
    // The toolbar is the callers' to hide: here it is still on the screen.
    plat::Picture got = plat::ClipboardGetPicture();
    ASSERT_EQ(got.Width(), 320);
    ASSERT_EQ(got.Height(), 220);
    plat::Picture expected = headless::ScreenPicture().Crop({90, 90, 410, 310});
    EXPECT_TRUE(plat::SamePixels(got, expected));
    EXPECT_TRUE(plat::SamePixels(got.Crop({0, 0, 320, 200}), screen_.Crop({90, 90, 410, 290})));
}

TEST_F(EditorTest, EmptyGrabReplacesTheClipboardAndABusyClipboardLosesNothingElse) {
    ASSERT_TRUE(plat::ClipboardPutPicture(plat::Picture::Create(5, 5, plat::Rgb(1, 2, 3))));
    aaa& ed = Open<aaa>();
    const int writes = headless::ClipboardWrites();
    ed.ScrnCap(50, 50, 50, 50);
    EXPECT_EQ(headless::ClipboardWrites(), writes + 1);
    EXPECT_EQ(plat::ClipboardGetPicture().Width(), 1);
    EXPECT_EQ(plat::ClipboardGetPicture().Height(), 1);

    headless::SetClipboardBusy(true);
    ed.ScrnCap(0, 0, 10, 10);  // must not crash; the editor stays usable
    headless::SetClipboardBusy(false);
    EXPECT_NE(plat::LoadedForm<aaa>(), nullptr);
}

TEST_F(EditorTest, OpenAndCloseLeaveNoPicturesOrWindowsBehind) {
    const plat::ResourceCounts before = plat::CurrentResourceCounts();
    for (int i = 0; i < 3; ++i) {
        aaa& ed = Open<aaa>();
        Drag(H(ed), 10, 10, 200, 100);
        headless::KeyPress(H(ed), 27);
    }
    plat::DoEvents();
    EXPECT_EQ(plat::CurrentResourceCounts(), before);
}

}  // namespace
