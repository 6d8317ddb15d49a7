// The markup strip's arithmetic (block means, the multiply blend, strokes,
// badge placement, the strip's place, the pin's zoom and scaling) and its
// tools in a real editor form on the headless backend.
#include <gtest/gtest.h>

#include <set>

#include "editor/freehand.h"
#include "editor/markup_strip.h"
#include "editor/pin_view.h"
#include "editor/pin_window.h"
#include "editor/pixelate.h"
#include "editor/step_badges.h"
#include "platform/headless/headless.h"
#include "tests/unit/editor_test_support.h"

namespace editor {
namespace {

// A picture whose every pixel differs from its neighbours.
plat::Picture Noise(int w, int h) {
    plat::Picture p = plat::Picture::Create(w, h);
    std::uint32_t v = 12345;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            v = v * 1103515245u + 12345u;
            p.MutableRow(y)[x] = (v >> 8) & 0xFFFFFF;
        }
    return p;
}

TEST(Pixelate, BlocksTakeTheRemainderInsteadOfLeavingASliver) {
    struct Case {
        int length, block;
        std::vector<int> edges;
    };
    const Case cases[] = {
        {12, 4, {0, 4, 8, 12}},  {13, 4, {0, 4, 8, 13}},  {15, 4, {0, 4, 8, 15}},
        {16, 4, {0, 4, 8, 12, 16}}, {3, 4, {0, 3}},      {1, 12, {0, 1}}, {0, 4, {0}},
    };
    for (const Case& c : cases) EXPECT_EQ(BlockEdges(c.length, c.block), c.edges) << c.length << "/" << c.block;
    EXPECT_EQ(PixelateBlockSide(1), kMinPixelateBlock);
    EXPECT_EQ(PixelateBlockSide(16), 16);
}

TEST(Pixelate, EveryPixelOfTheAreaBecomesItsBlocksMeanAndNothingElseChanges) {
    plat::Picture p = plat::Picture::Create(10, 4, plat::Rgb(0, 0, 0));
    p.Draw().FillRect({1, 0, 3, 4}, plat::Rgb(255, 101, 7));  // half of the first block
    const plat::Picture before = p.Copy();
    ASSERT_TRUE(PixelateArea(p, {1 - 2, 0, 9, 4}, 4));  // clipped at the left edge: 0..8
    // Block 0..3 x 0..3 holds 8 coloured pixels of 16: the mean, rounded.
    const std::uint32_t mean = (128u << 16) | (51u << 8) | 4u;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) EXPECT_EQ(p.Row(y)[x], mean) << x << "," << y;
        for (int x = 4; x < 9; ++x) EXPECT_EQ(p.Row(y)[x], 0u);  // a block of black stays black
        EXPECT_EQ(p.Row(y)[9], before.Row(y)[9]);
    }
    EXPECT_EQ(BlockMean(before, {0, 0, 4, 4}), mean);
    // One pixel is its own mean: nothing to hide, nothing done.
    EXPECT_FALSE(PixelateArea(p, {5, 1, 6, 2}, 4));
}

TEST(Pixelate, NoOriginalPixelIsLeftInNoisyContent) {
    plat::Picture p = Noise(203, 151);
    const plat::Picture before = p.Copy();
    ASSERT_TRUE(PixelateArea(p, {0, 0, 203, 151}, 12));
    int kept = 0;
    std::set<std::uint32_t> colours;
    for (int y = 0; y < 151; ++y)
        for (int x = 0; x < 203; ++x) {
            kept += p.Row(y)[x] == before.Row(y)[x];
            colours.insert(p.Row(y)[x]);
        }
    EXPECT_EQ(kept, 0);
    EXPECT_LE(colours.size(), 16u * 12u);  // one colour a block at most
    // The last column and row of blocks are wider, never a sliver.
    EXPECT_EQ(p.Row(150)[202], p.Row(132)[192]);
}

TEST(Freehand, MultiplyKeepsWhatIsUnderReadable) {
    const plat::Color yellow = kHighlighterYellow;
    EXPECT_EQ(MultiplyPixel(0xFFFFFF, yellow), plat::PixelFromColor(yellow));  // white takes the colour
    EXPECT_EQ(MultiplyPixel(0x000000, yellow), 0u);                           // black text stays black
    EXPECT_EQ(MultiplyPixel(0x808080, plat::Rgb(255, 240, 0)), (128u << 16) | (120u << 8));
    EXPECT_EQ(HighlighterWidth(3), 12);
    EXPECT_EQ(HighlighterWidth(6), 18);
    EXPECT_EQ(PenWidth(0), 1);
}

TEST(Freehand, AStrokeCrossingItselfBlendsEachPixelOnce) {
    plat::Picture once = plat::Picture::Create(60, 40, plat::Rgb(200, 200, 200));
    plat::Picture twice = once.Copy();
    const plat::Rect all{0, 0, 60, 40};
    StrokeMask mask(all);
    PaintStrokeSegment(once, {5, 20}, {55, 20}, 12, kHighlighterYellow, all, &mask);
    StrokeMask other(all);
    PaintStrokeSegment(twice, {5, 20}, {55, 20}, 12, kHighlighterYellow, all, &other);
    PaintStrokeSegment(twice, {55, 20}, {30, 5}, 12, kHighlighterYellow, all, &other);
    PaintStrokeSegment(twice, {30, 5}, {30, 35}, 12, kHighlighterYellow, all, &other);
    const std::uint32_t blended = MultiplyPixel(0xC8C8C8, kHighlighterYellow);
    EXPECT_EQ(once.Row(20)[30], blended);
    EXPECT_EQ(twice.Row(20)[30], blended);  // crossed three times, blended once
    EXPECT_EQ(twice.Row(20)[50], blended);
    EXPECT_EQ(once.Row(5)[30], 0xC8C8C8u);  // outside the first stroke: untouched
}

TEST(Freehand, APenSegmentHasNoGapsAndRoundEnds) {
    plat::Picture p = plat::Picture::Create(80, 40, plat::Rgb(255, 255, 255));
    const plat::Rect clip{0, 0, 70, 40};
    PaintStrokeSegment(p, {2, 3}, {75, 30}, 1, plat::Rgb(255, 0, 0), clip, nullptr);
    for (int x = 2; x < 70; ++x) {
        bool any = false;
        for (int y = 0; y < 40; ++y) any = any || p.Row(y)[x] == 0xFF0000u;
        EXPECT_TRUE(any) << "column " << x;
    }
    for (int y = 0; y < 40; ++y) EXPECT_EQ(p.Row(y)[72], 0xFFFFFFu) << "beyond the clip";
    // A wide pen's end is a disc: its corner square stays clear.
    plat::Picture dot = plat::Picture::Create(20, 20, plat::Rgb(255, 255, 255));
    PaintStrokeSegment(dot, {10, 10}, {10, 10}, 9, 0, {0, 0, 20, 20}, nullptr);
    EXPECT_EQ(dot.Row(10)[6], 0u);
    EXPECT_EQ(dot.Row(10)[14], 0u);
    EXPECT_EQ(dot.Row(6)[6], 0xFFFFFFu);
}

TEST(StepBadges, TheCircleIsCentredOnTheClickAndTheNumberInTheCircle) {
    EXPECT_EQ(BadgeDiameter(3), 24);
    EXPECT_EQ(BadgeDiameter(0), 16);
    EXPECT_EQ(BadgeDiameter(100), 72);
    EXPECT_EQ(BadgeCircle({100, 50}, 24), (plat::Rect{88, 38, 112, 62}));
    EXPECT_EQ(BadgeCircle({100, 50}, 25), (plat::Rect{88, 38, 113, 63}));
    EXPECT_EQ(BadgeTextOrigin({88, 38, 112, 62}, {8, 14}), (plat::Point{96, 43}));
    plat::Picture p = plat::Picture::Create(40, 40, plat::Rgb(255, 255, 255));
    FillDisc(p, {10, 10, 34, 34}, plat::Rgb(0, 0, 255), {0, 0, 40, 30});
    EXPECT_EQ(p.Pixel(22, 22), plat::Rgb(0, 0, 255));
    EXPECT_EQ(p.Pixel(10, 22), plat::Rgb(0, 0, 255));
    EXPECT_EQ(p.Pixel(10, 10), plat::Rgb(255, 255, 255));  // round, not square
    EXPECT_EQ(p.Pixel(22, 31), plat::Rgb(255, 255, 255));  // clipped
}

TEST(MarkupStrip, SitsLeftOfTheToolbarOrRightOfItAtTheScreensLeftEdge) {
    EXPECT_EQ(StripOrigin({435, 604}, 265, kMarkupStripWidth, 1920), (PointF{435 - 4 - kMarkupStripWidth, 604}));
    EXPECT_EQ(StripOrigin({0, 604}, 265, kMarkupStripWidth, 1920), (PointF{269, 604}));
    EXPECT_EQ(StripOrigin({0, 10}, 265, kMarkupStripWidth, 300), (PointF{0, 10}));
    EXPECT_EQ(MarkupToolIndex(L"Numbered step"), kNumberedStep);
    EXPECT_EQ(MarkupToolIndex(L"Add text"), -1);
    EXPECT_EQ(MarkupIcon(kPen, plat::Rgb(1, 2, 3), 192).Width(), 32);
}

TEST(PinView, TheWheelZoomsByTenthsBetweenAQuarterAndFourTimes) {
    EXPECT_DOUBLE_EQ(ZoomAfterWheel(1.0, 120), 1.1);
    EXPECT_NEAR(ZoomAfterWheel(ZoomAfterWheel(1.0, 120), -120), 1.0, 1e-12);
    EXPECT_NEAR(ZoomAfterWheel(1.0, 60), std::sqrt(1.1), 1e-12);  // a fine wheel zooms in proportion
    EXPECT_DOUBLE_EQ(ZoomAfterWheel(3.9, 1200), kPinZoomMax);
    EXPECT_DOUBLE_EQ(ZoomAfterWheel(0.3, -1200), kPinZoomMin);
    EXPECT_EQ(ZoomedSize(500, 400, 1.1 * 1.1), (plat::Point{605, 484}));
    EXPECT_EQ(ZoomedSize(3, 2, 0.25), (plat::Point{1, 1}));
    EXPECT_EQ(PinBounds({200, 200}, {500, 400}), (plat::Rect{199, 199, 701, 601}));
}

TEST(PinView, ScalingIsSmooth) {
    plat::Picture two = plat::Picture::Create(2, 1, plat::Rgb(0, 0, 0));
    two.MutableRow(0)[1] = 0xFFFFFF;
    const plat::Picture wide = ScaledPicture(two, 8, 1);
    ASSERT_EQ(wide.Width(), 8);
    EXPECT_EQ(wide.Row(0)[0], 0u);
    EXPECT_EQ(wide.Row(0)[7], 0xFFFFFFu);
    for (int x = 1; x < 8; ++x) EXPECT_GE(wide.Row(0)[x] & 255, wide.Row(0)[x - 1] & 255);
    EXPECT_GT(wide.Row(0)[4] & 255, 0u);  // greys between, not two blocks
    EXPECT_LT(wide.Row(0)[3] & 255, 255u);
    const plat::Picture noise = Noise(7, 5);
    EXPECT_TRUE(plat::SamePixels(ScaledPicture(noise, 7, 5), noise));
}

class MarkupFormTest : public EditorTest {
protected:
    aaa& OpenWithSelection() {
        aaa& ed = Open<aaa>();
        Drag(H(ed), 100, 100, 500, 400);
        return ed;
    }
    void TearDown() override {
        CloseAllPins();
        EditorTest::TearDown();
    }
    static void Click(aaa& ed, int x, int y) {
        headless::MouseDown(H(ed), plat::kLeftButton, x, y);
        headless::MouseUp(H(ed), plat::kLeftButton, x, y);
    }
    static void PressStrip(aaa& ed, int index) {
        const plat::Rect b = ed.Strip.Buttons[index].BoundsInForm();
        Click(ed, (b.left + b.right) / 2, (b.top + b.bottom) / 2);
    }
};

TEST_F(MarkupFormTest, TheStripFollowsTheToolbarAndItsButtonsChooseTools) {
    aaa& ed = OpenWithSelection();
    ASSERT_TRUE(ed.Strip.Box.Visible());
    EXPECT_EQ(ed.Strip.Box.Top(), ed.Picture1.Top());
    EXPECT_EQ(ed.Strip.Box.Left() + ed.Strip.Box.Width() + kStripGap, ed.Picture1.Left());
    EXPECT_EQ(ed.Strip.Buttons[kNumberedStep].ToolTipText(), L"Numbered step");
    PressStrip(ed, kPen);
    EXPECT_TRUE(ed.ToolActive);
    EXPECT_EQ(ed.CurrentTool, L"Pen");
    EXPECT_TRUE(ed.Picture2.Visible());  // the style bar shows with it
    PressStrip(ed, kPen);                // again: the tool ends
    EXPECT_FALSE(ed.ToolActive);
    EXPECT_FALSE(ed.Picture2.Visible());
    headless::KeyDown(H(ed), 'H');
    EXPECT_EQ(ed.CurrentTool, L"Highlighter");
    EXPECT_EQ(ed.Pcolor[kCurrentColorSwatch].BackColor, kHighlighterYellow);
    headless::KeyDown(H(ed), 'P');
    EXPECT_EQ(ed.CurrentTool, L"Pen");
    EXPECT_EQ(ed.Pcolor[kCurrentColorSwatch].BackColor, plat::Rgb(255, 0, 0));  // the pen's colour back
}

TEST_F(MarkupFormTest, PixelateAndStrokesAreHistoryStepsLikeShapes) {
    aaa& ed = OpenWithSelection();
    const plat::Handle h = H(ed);
    headless::KeyDown(h, 'X');
    ASSERT_EQ(ed.CurrentTool, L"Pixelate");
    Drag(h, 110, 250, 300, 800);  // below the selection's bottom: held to it
    EXPECT_EQ(ed.HistoryEntries.Position(), 2);
    EXPECT_EQ(ed.SurfacePixel(105, 299), screen_.Pixel(105, 299));  // left of the box: kept
    // The block of rows 298..309 straddles the red box's lower edge: one mixed colour.
    const plat::Color mixed = ed.SurfacePixel(150, 305);
    EXPECT_NE(mixed, screen_.Pixel(150, 305));
    EXPECT_NE(mixed, screen_.Pixel(150, 299));
    EXPECT_EQ(ed.SurfacePixel(147, 298), mixed);
    headless::KeyDown(h, 'P');
    Drag(h, 150, 200, 350, 200);
    EXPECT_EQ(ed.SurfacePixel(250, 200), plat::Rgb(255, 0, 0));
    EXPECT_EQ(ed.HistoryEntries.Position(), 3);
    headless::KeyDown(h, 'Z', plat::kCtrlMask);
    EXPECT_EQ(ed.SurfacePixel(250, 200), screen_.Pixel(250, 200));
    headless::KeyDown(h, 'Z', plat::kCtrlMask);
    EXPECT_EQ(ed.SurfacePixel(150, 305), screen_.Pixel(150, 305));
    headless::KeyDown(h, 'Y', plat::kCtrlMask);
    headless::KeyDown(h, 'Y', plat::kCtrlMask);
    EXPECT_EQ(ed.SurfacePixel(250, 200), plat::Rgb(255, 0, 0));
}

TEST_F(MarkupFormTest, StepsNumberOnAndRevertGivesTheNumberBack) {
    aaa& ed = OpenWithSelection();
    const plat::Handle h = H(ed);
    headless::KeyDown(h, 'N');
    Click(ed, 150, 150);
    Click(ed, 250, 150);
    Click(ed, 350, 150);
    EXPECT_EQ(ed.HistoryEntries.Marks(), 3);
    EXPECT_EQ(ed.SurfacePixel(250, 140), plat::Rgb(255, 0, 0));
    headless::KeyDown(h, 'Z', plat::kCtrlMask);
    EXPECT_EQ(ed.HistoryEntries.Marks(), 2);
    EXPECT_EQ(ed.SurfacePixel(350, 140), screen_.Pixel(350, 140));
    Click(ed, 450, 300);
    EXPECT_EQ(ed.HistoryEntries.Marks(), 3);  // the third number again
    Click(ed, 50, 50);                        // outside the selection: no badge
    EXPECT_EQ(ed.HistoryEntries.Marks(), 3);
}

TEST_F(MarkupFormTest, AWindowEditorHasTheStripOnItsPresetSelection) {
    bing& ed = Open<bing>();
    ed.Shape1.Move(300, 200, 400, 300);  // as the picked window presets it
    ed.Shape1.SetVisible(true);
    Drag(H(ed), 400, 300, 600, 450);  // the first click shows the bars
    ASSERT_TRUE(ed.Strip.Box.Visible());
    const plat::Rect b = ed.Strip.Buttons[kHighlighter].BoundsInForm();
    headless::MouseDown(H(ed), plat::kLeftButton, b.left + 8, b.top + 8);
    headless::MouseUp(H(ed), plat::kLeftButton, b.left + 8, b.top + 8);
    ASSERT_EQ(ed.CurrentTool, L"Highlighter");
    Drag(H(ed), 350, 250, 650, 250);
    EXPECT_EQ(ed.HistoryEntries.Position(), 2);
    EXPECT_EQ(ed.SurfacePixel(500, 250), plat::ColorFromPixel(MultiplyPixel(0xC8C8C8, kHighlighterYellow)));
    plat::UnloadForm<bing>();
}

TEST_F(MarkupFormTest, F3PinsTheSelectionAndClosesTheEditor) {
    aaa& ed = OpenWithSelection();
    headless::KeyDown(H(ed), 114);
    plat::DoEvents();
    EXPECT_EQ(plat::LoadedForm<aaa>(), nullptr);
    const std::vector<PinWindow*> pins = OpenPins();
    ASSERT_EQ(pins.size(), 1u);
    PinWindow& pin = *pins[0];
    EXPECT_TRUE(plat::SamePixels(pin.Snip(), screen_.Crop({100, 100, 500, 400})));
    EXPECT_EQ(pin.Bounds(), (plat::Rect{99, 99, 501, 401}));
    pin.SetZoom(2.0);
    EXPECT_EQ(pin.Bounds(), (plat::Rect{99, 99, 901, 701}));
    pin.MenuChosen(PinWindow::kMenuZoom100);
    EXPECT_EQ(pin.Bounds().Width(), 402);
    headless::KeyDown(pin.hWnd(), 27);
    plat::DoEvents();
    EXPECT_TRUE(OpenPins().empty());
}

}  // namespace
}  // namespace editor
