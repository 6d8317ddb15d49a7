// The selection in a real editor form on the headless backend: mouse input
// goes through the window's events and the form's routing.
#include "tests/unit/editor_test_support.h"

namespace {

using plat::kLeftButton;
using plat::kMiddleButton;
using plat::kRightButton;
using P = plat::MousePointer;

editor::Selection Sel(const editor::SnipEditor& ed) { return ed.CurrentSelection(); }

TEST_F(EditorTest, DraggingOutShowsFrameHandlesLabelsThenTheToolbar) {
    aaa& ed = Open<aaa>();
    const plat::Handle h = H(ed);
    headless::MouseDown(h, kLeftButton, 420, 340);
    headless::MouseMove(h, kLeftButton, 250, 200);
    EXPECT_EQ(Sel(ed), (editor::Selection{250, 200, 170, 140}));
    EXPECT_FALSE(ed.Picture1.Visible());
    headless::MouseMove(h, kLeftButton, 100, 100);
    headless::MouseUp(h, kLeftButton, 100, 100);

    EXPECT_EQ(Sel(ed), (editor::Selection{100, 100, 320, 240}));
    EXPECT_EQ(ed.ModeTag, "move");
    EXPECT_EQ(ed.AnchorX, 100);
    EXPECT_EQ(ed.LblPos.Caption(), L"320x240");
    EXPECT_EQ(ed.LblPos.Left(), 102);
    EXPECT_EQ(ed.LblPos.Top(), 102);
    EXPECT_EQ(ed.lblInfo.Top(), ed.LblPos.Top() + ed.LblPos.Height() + 2);
    for (int i = 0; i < 8; ++i) EXPECT_TRUE(ed.Image1[i].Visible());
    EXPECT_EQ(ed.Image1[6].Left(), 418);
    EXPECT_EQ(ed.Image1[6].Top(), 338);
    ASSERT_TRUE(ed.Picture1.Visible());
    EXPECT_EQ(ed.Picture1.Left(), 420 - 265);
    EXPECT_EQ(ed.Picture1.Top(), 344);

    // On screen: the frozen picture with a one-pixel frame in the selection blue.
    plat::Picture shown = headless::ScreenPicture();
    EXPECT_EQ(shown.Pixel(250, 100), plat::Rgb(0, 122, 236));
    EXPECT_EQ(shown.Pixel(250, 101), screen_.Pixel(250, 101));
    EXPECT_EQ(shown.Pixel(200, 360), plat::Rgb(222, 238, 255));  // toolbar strip
}

TEST_F(EditorTest, ColourReadoutReadsTheFrozenPictureNotTheFrame) {
    aaa& ed = Open<aaa>();
    const plat::Handle h = H(ed);
    Drag(h, 50, 50, 150, 150);
    headless::MouseMove(h, 0, 120, 150);  // on the frame's bottom line
    EXPECT_EQ(ed.lblInfo.Caption(), L"RGB(255,0,0)");
    headless::MouseMove(h, 0, 1000, 700);  // outside the selection too
    EXPECT_EQ(ed.lblInfo.Caption(), L"RGB(200,200,200)");
}

TEST_F(EditorTest, MovingKeepsTheSelectionOnTheScreen) {
    aaa& ed = Open<aaa>();
    const plat::Handle h = H(ed);
    Drag(h, 100, 100, 300, 200);
    headless::MouseDown(h, kLeftButton, 150, 150);
    headless::MouseMove(h, kLeftButton, 180, 170);
    EXPECT_EQ(Sel(ed), (editor::Selection{130, 120, 200, 100}));
    EXPECT_EQ(plat::GetMousePointer(), P::SizeAll);
    EXPECT_EQ(ed.LblPos.Left(), 132);
    headless::MouseMove(h, kLeftButton, 1900, 170);
    EXPECT_EQ(Sel(ed).left, 1720);
    headless::MouseUp(h, kLeftButton, 1900, 170);
    EXPECT_EQ(ed.AnchorX, 1720);
    EXPECT_EQ(ed.LblPos.Caption(), L"200x100");  // unchanged by moving
}

TEST_F(EditorTest, HandlesResizeTheirEdgesAndStopAtZero) {
    aaa& ed = Open<aaa>();
    const plat::Handle h = H(ed);
    Drag(h, 100, 100, 300, 200);
    // Handle 6 sits at (298, 198); drag its corner to (350, 260).
    headless::MouseDown(h, kLeftButton, 299, 199);
    EXPECT_EQ(ed.HandleDrag, "Start");
    EXPECT_FALSE(ed.Picture1.Visible());
    headless::MouseMove(h, kLeftButton, 350, 260);
    EXPECT_EQ(Sel(ed), (editor::Selection{100, 100, 250, 160}));
    EXPECT_EQ(ed.LblPos.Caption(), L"250x160");
    EXPECT_EQ(plat::GetMousePointer(), P::SizeNWSE);
    headless::MouseUp(h, kLeftButton, 350, 260);
    EXPECT_EQ(ed.HandleDrag, "Stop");
    EXPECT_TRUE(ed.Picture1.Visible());
    EXPECT_EQ(ed.Picture1.Top(), 264);

    // Handle 3 (left edge) dragged right past the right edge stops at width 0.
    headless::MouseDown(h, kLeftButton, 99, 179);
    headless::MouseMove(h, kLeftButton, 300, 180);
    headless::MouseMove(h, kLeftButton, 348, 180);
    EXPECT_EQ(Sel(ed), (editor::Selection{350, 100, 0, 160}));
    headless::MouseMove(h, kLeftButton, 400, 180);
    EXPECT_EQ(Sel(ed), (editor::Selection{350, 100, 0, 160}));
    headless::MouseUp(h, kLeftButton, 400, 180);
    EXPECT_EQ(Sel(ed).Right(), 350);
}

TEST_F(EditorTest, PointerShapesFollowWhatIsUnderThePointer) {
    aaa& ed = Open<aaa>();
    const plat::Handle h = H(ed);
    Drag(h, 100, 100, 300, 200);
    headless::MouseMove(h, 0, 200, 150);
    EXPECT_EQ(plat::GetMousePointer(), P::SizeAll);
    headless::MouseMove(h, 0, 100, 120);  // on the left edge: not strictly inside
    EXPECT_EQ(plat::GetMousePointer(), P::Crosshair);
    headless::MouseMove(h, 0, 199, 99);  // handle 1
    EXPECT_EQ(plat::GetMousePointer(), P::SizeNS);
    headless::MouseMove(h, 0, 99, 199);  // handle 4
    EXPECT_EQ(plat::GetMousePointer(), P::SizeNESW);
    headless::MouseMove(h, 0, 100, 210);  // over the toolbar
    EXPECT_EQ(plat::GetMousePointer(), P::Arrow);
    headless::MouseDown(h, kLeftButton, 800, 800);  // outside: discards
    EXPECT_EQ(plat::GetMousePointer(), P::Default);
    EXPECT_FALSE(ed.Shape1.Visible());
    EXPECT_FALSE(ed.Image1[0].Visible());
    EXPECT_EQ(ed.ModeTag, "draw");
    EXPECT_EQ(ed.CloseGuard, 1);
}

TEST_F(EditorTest, RightAndMiddleButtonsDiscardThenClose) {
    aaa& ed = Open<aaa>();
    const plat::Handle h = H(ed);
    Drag(h, 100, 100, 300, 200);
    headless::Click(h, kRightButton, 150, 150);  // inside: discards, stays open
    ASSERT_NE(plat::LoadedForm<aaa>(), nullptr);
    EXPECT_EQ(ed.ModeTag, "draw");
    headless::Click(h, kMiddleButton, 150, 150);  // CloseGuard is 1 now
    ASSERT_NE(plat::LoadedForm<aaa>(), nullptr);
    headless::Click(h, kRightButton, 150, 150);  // a right press in Empty re-arms
    EXPECT_EQ(plat::LoadedForm<aaa>(), nullptr);
    EXPECT_EQ(headless::ClipboardWrites(), 0);

    jie& other = Open<jie>();
    headless::Click(H(other), kMiddleButton, 10, 10);  // right after opening
    EXPECT_EQ(plat::LoadedForm<jie>(), nullptr);
}

TEST_F(EditorTest, ClickWithoutDragLeavesAnEmptySelectionWithTheToolbar) {
    aaa& ed = Open<aaa>();
    headless::Click(H(ed), kLeftButton, 600, 400);
    EXPECT_EQ(ed.ModeTag, "move");
    EXPECT_EQ(Sel(ed), (editor::Selection{600, 400, 0, 0}));
    EXPECT_TRUE(ed.Picture1.Visible());
    EXPECT_EQ(ed.Picture1.Left(), 600 - 265);
    EXPECT_EQ(ed.Picture1.Top(), 404);
}

TEST_F(EditorTest, DoubleClickInsideCopiesExactlyTheSelectionAndCloses) {
    aaa& ed = Open<aaa>();
    const plat::Handle h = H(ed);
    Drag(h, 80, 90, 330, 260);
    headless::DoubleClick(h, kLeftButton, 200, 200);
    EXPECT_EQ(plat::LoadedForm<aaa>(), nullptr);
    plat::Picture got = plat::ClipboardGetPicture();
    EXPECT_TRUE(plat::SamePixels(got, screen_.Crop({80, 90, 330, 260})));
}

TEST_F(EditorTest, OtherDoubleClicksNeitherCopyNorClose) {
    aaa& ed = Open<aaa>();
    const plat::Handle h = H(ed);
    Drag(h, 80, 90, 330, 260);
    headless::DoubleClick(h, kLeftButton, 700, 700);  // outside
    EXPECT_NE(plat::LoadedForm<aaa>(), nullptr);
    headless::DoubleClick(h, kLeftButton, 700, 700);  // on the empty selection left there
    EXPECT_NE(plat::LoadedForm<aaa>(), nullptr);
    EXPECT_EQ(headless::ClipboardWrites(), 0);

    bing& window = Open<bing>();  // a tool is active in the window snip
    headless::Click(H(window), kLeftButton, 50, 50);
    EXPECT_EQ(window.ModeTag, "move");
    EXPECT_TRUE(window.Picture1.Visible());
    headless::DoubleClick(H(window), kLeftButton, 50, 50);
    EXPECT_NE(plat::LoadedForm<bing>(), nullptr);
    EXPECT_EQ(headless::ClipboardWrites(), 0);
}

}  // namespace
