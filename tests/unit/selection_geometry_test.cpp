// The selection's arithmetic, with no window.
#include <gtest/gtest.h>

#include <utility>

#include "editor/magnifier.h"
#include "editor/selection_geometry.h"

namespace editor {
namespace {

TEST(SelectionGeometry, DraggingOutWorksInAllFourDirectionsAndPausesOnTheAnchorLines) {
    EXPECT_EQ(DraggedSelection(100, 100, 150, 300), (Selection{100, 100, 50, 200}));
    EXPECT_EQ(DraggedSelection(100, 100, 50, 300), (Selection{50, 100, 50, 200}));
    EXPECT_EQ(DraggedSelection(100, 100, 150, 40), (Selection{100, 40, 50, 60}));
    EXPECT_EQ(DraggedSelection(100, 100, 50, 40), (Selection{50, 40, 50, 60}));
    EXPECT_FALSE(DraggedSelection(100, 100, 100, 300).has_value());
    EXPECT_FALSE(DraggedSelection(100, 100, 20, 100).has_value());
}

TEST(SelectionGeometry, MovingFollowsThePointerAndStaysOnTheScreen) {
    // Pressed at (150, 150) on a selection anchored at (100, 100).
    EXPECT_EQ(MovedSelectionOrigin(100, 100, 150, 150, 170, 140, 200, 100, 1920, 1080), (PointF{120, 90}));
    EXPECT_EQ(MovedSelectionOrigin(100, 100, 150, 150, 2500, 150, 200, 100, 1920, 1080), (PointF{1720, 100}));
    EXPECT_EQ(MovedSelectionOrigin(100, 100, 150, 150, 10, -90, 200, 100, 1920, 1080), (PointF{0, 0}));
    EXPECT_EQ(MovedSelectionOrigin(100, 100, 150, 150, 150, 5000, 200, 100, 1920, 1080), (PointF{100, 980}));
    // Larger than the screen: it is pushed off the left/top edge, not the right.
    EXPECT_EQ(MovedSelectionOrigin(0, 0, 10, 10, 50, 10, 2000, 100, 1920, 1080), (PointF{-80, 0}));
}

TEST(SelectionGeometry, WholePixelRectRoundsHalvesToEvenAfterSumming) {
    EXPECT_EQ(SelectionRectOf({10.5f, 11.5f, 20.0f, 0.5f}), (plat::Rect{10, 12, 30, 12}));
    EXPECT_EQ(SelectionRectOf({0.25f, 0.25f, 0.5f, 0.25f}), (plat::Rect{0, 0, 1, 0}));
}

TEST(SelectionGeometry, HandlesSitOnTheirPointsWithHandleTwoTwoThirdsIn) {
    const Selection s{100, 50, 200, 100};
    const PointF expected[8] = {{98, 48},   {198, 48},  {300 - 4 / 1.5f, 48}, {98, 98},
                                {98, 148},  {198, 148}, {298, 148},           {298, 98}};
    for (int i = 0; i < kHandleCount; ++i) EXPECT_EQ(HandleOrigin(i, s, 4, 4), expected[i]) << "handle " << i;

}

// Each handle shows the pointer of the edges it moves: two pointer places a
// little apart tell which edges follow the handle.
TEST(SelectionGeometry, EachHandlesPointerShowsTheEdgesItMoves) {
    const GrabEdges g{100, 100, 300, 200};
    using P = plat::MousePointer;
    for (int i = 0; i < kHandleCount; ++i) {
        const auto a = ResizedByHandle(i, 150, 130, g), b = ResizedByHandle(i, 170, 160, g);
        ASSERT_TRUE(a && b) << "handle " << i;
        const bool left = a->left != b->left, top = a->top != b->top;
        const bool right = a->Right() != b->Right() && !left, bottom = a->Bottom() != b->Bottom() && !top;
        const bool across = left || right, upDown = top || bottom;
        const P want = across && upDown ? ((left == top) ? P::SizeNWSE : P::SizeNESW) : across ? P::SizeWE : P::SizeNS;
        ASSERT_TRUE(across || upDown) << "handle " << i << " moves no edge";
        EXPECT_EQ(HandlePointerShape(i), want) << "handle " << i;
    }
}

TEST(SelectionGeometry, EachHandleMovesOnlyItsOwnEdges) {
    const GrabEdges g{100, 100, 300, 200};
    EXPECT_EQ(ResizedByHandle(6, 350, 260, g), (Selection{100, 100, 250, 160}));
    EXPECT_EQ(ResizedByHandle(0, 48, 58, g), (Selection{50, 60, 250, 140}));
    EXPECT_EQ(ResizedByHandle(1, 0, 78, g), (Selection{100, 80, 200, 120}));
    EXPECT_EQ(ResizedByHandle(2, 398, 78, g), (Selection{100, 80, 300, 120}));
    EXPECT_EQ(ResizedByHandle(3, 148, 0, g), (Selection{150, 100, 150, 100}));
    EXPECT_EQ(ResizedByHandle(4, 148, 250, g), (Selection{150, 100, 150, 150}));
    EXPECT_EQ(ResizedByHandle(5, 0, 250, g), (Selection{100, 100, 200, 150}));
    EXPECT_EQ(ResizedByHandle(7, 400, 0, g), (Selection{100, 100, 300, 100}));
}

TEST(SelectionGeometry, AResizeThatWouldTurnNegativeIsNotApplied) {
    const GrabEdges g{100, 100, 300, 200};
    EXPECT_EQ(ResizedByHandle(3, 298, 0, g), (Selection{300, 100, 0, 100}));  // zero is allowed
    EXPECT_FALSE(ResizedByHandle(3, 299, 0, g).has_value());
    EXPECT_FALSE(ResizedByHandle(5, 0, 99, g).has_value());
    EXPECT_FALSE(ResizedByHandle(0, 400, 0, g).has_value());
}

const plat::MonitorList kOne{{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 96}};

TEST(SelectionGeometry, ToolbarGoesBelowOrInsideAndNeverLeftOfZero) {
    EXPECT_EQ(ToolbarOrigin({500, 100, 400, 300}, 265, 26, kOne), (PointF{635, 404}));
    // Exactly enough room below: still below.
    EXPECT_EQ(ToolbarOrigin({500, 100, 400, 950}, 265, 26, kOne), (PointF{635, 1054}));
    // One pixel short: inside, 4 pixels above the bottom edge.
    EXPECT_EQ(ToolbarOrigin({500, 100, 400, 951}, 265, 26, kOne), (PointF{635, 1021}));
    EXPECT_EQ(ToolbarOrigin({10, 100, 100, 50}, 265, 26, kOne), (PointF{0, 154}));
}

TEST(SelectionGeometry, LogoTakesTheChosenCornerOrTheMiddle) {
    const Selection s{10, 10, 290, 190};
    EXPECT_EQ(LogoOrigin(LogoPosition::LowerRight, s, 100, 40), (PointF{200, 160}));
    EXPECT_EQ(LogoOrigin(LogoPosition::UpperLeft, s, 100, 40), (PointF{10, 10}));
    EXPECT_EQ(LogoOrigin(LogoPosition::LowerLeft, s, 100, 40), (PointF{10, 160}));
    EXPECT_EQ(LogoOrigin(LogoPosition::UpperRight, s, 100, 40), (PointF{200, 10}));
    EXPECT_EQ(LogoOrigin(LogoPosition::Middle, s, 100, 40), (PointF{105, 85}));
    // Not clamped: a logo larger than the selection overhangs it.
    EXPECT_EQ(LogoOrigin(LogoPosition::LowerRight, {10, 10, 50, 20}, 100, 40), (PointF{-40, -10}));
}

TEST(SelectionGeometry, LabelTexts) {
    EXPECT_EQ(SizeLabelText(320, 240), L"320x240");
    EXPECT_EQ(SizeLabelText(0, 0), L"0x0");
    EXPECT_EQ(SizeLabelText(12.5f, 1920), L"12.5x1920");
    EXPECT_EQ(ColorReadoutText(255, 0, 0), L"RGB(255,0,0)");
    EXPECT_EQ(ColorReadoutText(0, 122, 236), L"RGB(0,122,236)");
}

}  // namespace
}  // namespace editor

namespace editor {
namespace {

constexpr plat::Rect kPrimary2{0, 0, 1920, 1080};

TEST(SelectionGeometry, ArrowKeysMoveWithinTheScreenAndSizeNeverBelowZeroOrPastIt) {
    const Selection s{10, 20, 300, 200};
    EXPECT_EQ(NudgedSelection(s, -10, 0, false, 1920, 1080), (Selection{0, 20, 300, 200}));
    EXPECT_EQ(NudgedSelection(s, -11, -25, false, 1920, 1080), (Selection{0, 0, 300, 200}));
    EXPECT_EQ(NudgedSelection({1615, 20, 300, 200}, 10, 0, false, 1920, 1080), (Selection{1620, 20, 300, 200}));
    EXPECT_EQ(NudgedSelection(s, 1, -1, true, 1920, 1080), (Selection{10, 20, 301, 199}));
    EXPECT_EQ(NudgedSelection({10, 20, 0, 5}, -1, -10, true, 1920, 1080), (Selection{10, 20, 0, 0}));
    EXPECT_EQ(NudgedSelection({1900, 1070, 15, 10}, 10, 10, true, 1920, 1080), (Selection{1900, 1070, 20, 10}));
}

TEST(SelectionGeometry, TheMagnifierFlipsAtItsMonitorsEdgesAndNeverCoversThePointer) {
    // The primary at 100 %, and a secondary left of it (negative coordinates)
    // at 150 % and 200 %, where the magnifier is that much larger.
    EXPECT_EQ(MagnifierSize(96), (plat::Point{kMagnifierWidth, kMagnifierHeight}));
    EXPECT_EQ(MagnifierSize(192).x, 2 * kMagnifierZoomSize + 2);
    for (const auto& [m, dpi] : {std::pair{kPrimary2, 96}, {plat::Rect{-1280, 0, 0, 1024}, 144},
                                 {plat::Rect{-1280, 0, 0, 1024}, 192}}) {
        const plat::Point size = MagnifierSize(dpi);
        const int r = m.right - 1, b = m.bottom - 1, cx = (m.left + m.right) / 2;
        for (const auto& [x, y] : {std::pair{m.left, m.top}, {r, m.top}, {m.left, b}, {r, b}, {cx, 540}}) {
            const PointF o = MagnifierOrigin(x, y, m, dpi);
            EXPECT_GE(o.x, m.left);
            EXPECT_GE(o.y, m.top);
            EXPECT_LE(o.x + size.x, m.right);
            EXPECT_LE(o.y + size.y, m.bottom);
            const bool covers = x >= o.x && x < o.x + size.x && y >= o.y && y < o.y + size.y;
            EXPECT_FALSE(covers) << x << "," << y << " at " << dpi;
        }
    }
    EXPECT_EQ(MagnifierOrigin(1919, 1079, kPrimary2), (PointF{1919.0f - kMagnifierGap - kMagnifierWidth,
                                                              1079.0f - kMagnifierGap - kMagnifierHeight}));
}

}  // namespace
}  // namespace editor
