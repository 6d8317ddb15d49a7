// Monitors and placement on them: a mixed-scale layout with a secondary left
// of the primary, as plain arithmetic and in a headless editor.
#include <gtest/gtest.h>

#include "editor/magnifier.h"
#include "editor/selection_geometry.h"
#include "editor/toolbar_layout.h"
#include "platform/services/monitors.h"
#include "tests/unit/editor_test_support.h"

namespace {

using editor::PointF;
using editor::Selection;
using plat::Rect;

// The primary at 100 %, a shorter secondary at 200 % left of it; a task bar
// on each, and a corner (-1280..0 x 1024..1080) that no monitor shows.
const plat::MonitorList kMixed{{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 96},
                               {{-1280, 0, 0, 1024}, {-1280, 0, 0, 984}, 192}};

TEST(Monitors, VirtualBoundsGapsAndWhichMonitorHoldsAPointOrRectangle) {
    EXPECT_EQ(plat::VirtualBounds(kMixed), (Rect{-1280, 0, 1920, 1080}));
    EXPECT_EQ(plat::UncoveredParts(plat::VirtualBounds(kMixed), kMixed), (std::vector<Rect>{{-1280, 1024, 0, 1080}}));
    EXPECT_TRUE(plat::UncoveredParts({0, 0, 1920, 1080}, kMixed).empty());
    // Three monitors in an L leave one gap; every part is disjoint and uncovered.
    const plat::MonitorList ell{{{0, 0, 100, 100}, {}, 96}, {{100, 0, 200, 100}, {}, 96}, {{0, 100, 100, 200}, {}, 96}};
    EXPECT_EQ(plat::UncoveredParts({0, 0, 200, 200}, ell), (std::vector<Rect>{{100, 100, 200, 200}}));

    EXPECT_EQ(plat::MonitorAt(kMixed, -1, 0).dpi, 192);
    EXPECT_EQ(plat::MonitorAt(kMixed, 0, 1079).dpi, 96);
    EXPECT_EQ(plat::MonitorAt(kMixed, -10, 1070).dpi, 96);    // in the gap: 10 from the primary
    EXPECT_EQ(plat::MonitorAt(kMixed, -500, 1030).dpi, 192);  // in the gap: 7 below the secondary
    EXPECT_EQ(plat::MonitorAt(kMixed, -5000, -5000).dpi, 192);

    // Straddling the seam: the larger share decides; none at all, the nearest.
    EXPECT_EQ(plat::MonitorOf(kMixed, {-200, 100, 100, 300}).dpi, 192);
    EXPECT_EQ(plat::MonitorOf(kMixed, {-100, 100, 200, 300}).dpi, 96);
    EXPECT_EQ(plat::MonitorOf(kMixed, {-900, 1030, -800, 1070}).dpi, 192);
    EXPECT_EQ(plat::OffsetMonitors(kMixed, 1280, 0)[1].work, (Rect{0, 0, 1280, 984}));
}

TEST(Monitors, BarsAndMagnifierStayOnTheMonitorThatHoldsThem) {
    // A selection at the secondary's bottom edge: the primary is taller, but
    // the toolbar goes inside the selection, on the secondary.
    const Selection bottom{-600, 900, 300, 124};
    const Rect m = editor::ToolbarMonitor(bottom, kMixed);
    EXPECT_EQ(m, kMixed[1].bounds);
    EXPECT_EQ(editor::ToolbarOrigin(bottom, 265, 26, kMixed), (PointF{-565, 1024 - 26 - 4}));
    // The same on the primary has room below.
    EXPECT_EQ(editor::ToolbarOrigin({600, 900, 300, 124}, 265, 26, kMixed), (PointF{635, 1028}));
    // Across the seam the toolbar follows the bottom-right corner (primary),
    // while the scale is that of the monitor holding most of the selection.
    const Selection seam{-200, 950, 300, 100};
    EXPECT_EQ(editor::ToolbarMonitor(seam, kMixed), kMixed[0].bounds);
    EXPECT_EQ(editor::SelectionMonitor(seam, kMixed).dpi, 192);
    // A narrow selection at the secondary's left edge: the toolbar is held on it.
    EXPECT_EQ(editor::ToolbarOrigin({-1280, 100, 50, 50}, 265, 26, kMixed).x, -1280);
    // Right-aligned under a selection across the seam, it spans the seam too.
    EXPECT_EQ(editor::ToolbarOrigin({-100, 100, 200, 50}, 265, 26, kMixed), (PointF{-165, 154}));
    // Below a selection across the seam low on the desktop: its left part would
    // lie under the shorter secondary, where no monitor shows: held on the primary.
    EXPECT_EQ(editor::ToolbarOrigin({-100, 900, 200, 100}, 265, 26, kMixed), (PointF{0, 1004}));

    // The style bar flips at the toolbar's monitor's bottom, not the desktop's.
    EXPECT_FLOAT_EQ(editor::StyleBarTop(960, 26, 37, 1024), 960 - 37 - 3);
    EXPECT_FLOAT_EQ(editor::StyleBarTop(960, 26, 37, 1080), 989);

    // The library window is held inside the monitor, left of the seam too.
    EXPECT_EQ(editor::LibraryWindowOrigin(-200, 100, 400, kMixed[1].bounds), (plat::Point{-400, 0}));
    EXPECT_EQ(editor::LibraryWindowOrigin(300, 700, 400, kMixed[0].bounds), (plat::Point{300, 412}));

    // The magnifier flips at the seam: a pointer just left of it on the secondary.
    const PointF o = editor::MagnifierOrigin(-10, 500, kMixed[1].bounds, 192);
    EXPECT_LE(o.x + static_cast<float>(editor::MagnifierSize(192).x), 0);
}

class TwoMonitorEditor : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        headless::SetMonitors(kMixed);
        headless::PaintScreen({0, 0, 1920, 1080}, plat::Rgb(255, 0, 0));
        headless::PaintScreen({-1280, 0, 0, 1024}, plat::Rgb(0, 0, 255));
        headless::PaintScreen({-20, 400, 20, 440}, plat::Rgb(0, 255, 0));  // across the seam
        // What the screen's memory holds where no monitor is must not show.
        headless::PaintScreen({-1280, 1024, 0, 1080}, plat::Rgb(255, 255, 0));
    }
};

TEST_F(TwoMonitorEditor, TheEditorCoversEveryMonitorAndGrabsAtTheVirtualScreensPlace) {
    headless::SetCursorPos({-640, 500});
    aaa& ed = Open<aaa>();
    EXPECT_EQ(headless::Bounds(H(ed)), (Rect{-1280, 0, 1920, 1080}));
    const plat::Picture& frozen = ed.PersistentImage();
    EXPECT_EQ(frozen.Pixel(0, 0), plat::Rgb(0, 0, 255));
    EXPECT_EQ(frozen.Pixel(1280, 0), plat::Rgb(255, 0, 0));
    EXPECT_EQ(frozen.Pixel(10, 1050), plat::Rgb(0, 0, 0));

    // The pointer's first move shows the magnifier on the secondary, flipped at the seam.
    headless::MouseMove(H(ed), 0, 1275, 500);
    ASSERT_TRUE(ed.Zoom.Visible());
    EXPECT_LE(ed.Zoom.Left() + ed.Zoom.Width(), 1280);

    // Across the seam: the green square at editor (1260..1300, 400..440).
    Drag(H(ed), 1250, 390, 1310, 450);
    EXPECT_EQ(ed.CurrentSelection(), (Selection{1250, 390, 60, 60}));
    headless::KeyDown(H(ed), 13);
    const plat::Picture copied = plat::ClipboardGetPicture();
    ASSERT_EQ(copied.Width(), 60);
    EXPECT_EQ(copied.Pixel(10, 10), plat::Rgb(0, 255, 0));
    EXPECT_EQ(copied.Pixel(49, 49), plat::Rgb(0, 255, 0));
    EXPECT_EQ(copied.Pixel(0, 0), plat::Rgb(0, 0, 255));
    EXPECT_EQ(copied.Pixel(59, 0), plat::Rgb(255, 0, 0));
}

TEST_F(TwoMonitorEditor, DragsAndArrowKeysStopAtTheVirtualScreensEdges) {
    aaa& ed = Open<aaa>();
    const plat::Handle h = H(ed);
    Drag(h, 100, 100, 200, 200);
    headless::MouseDown(h, plat::kLeftButton, 150, 150);
    headless::MouseMove(h, plat::kLeftButton, -400, 150);
    EXPECT_EQ(ed.CurrentSelection().left, 0);  // the secondary's left edge
    headless::MouseMove(h, plat::kLeftButton, 5000, 150);
    EXPECT_EQ(ed.CurrentSelection().left, 3200 - 100);
    headless::MouseUp(h, plat::kLeftButton, 5000, 150);
    headless::KeyDown(h, 39, plat::kCtrlMask);  // Ctrl+Right: held at the edge
    EXPECT_EQ(ed.CurrentSelection().left, 3200 - 100);
}

}  // namespace

namespace {

TEST_F(TwoMonitorEditor, TheBarsTakeTheScaleOfTheMonitorHoldingMostOfTheSelection) {
    aaa& ed = Open<aaa>();
    const plat::Handle h = H(ed);
    // Mostly on the 200 % secondary (editor x 0..1280), across the seam.
    Drag(h, 1000, 200, 1400, 400);
    ASSERT_TRUE(ed.Picture1.Visible());
    EXPECT_EQ(ed.Picture1.Width(), 2 * editor::kToolbarWidth);
    EXPECT_EQ(ed.Picture1.Height(), 2 * editor::kToolbarHeight);
    EXPECT_EQ(ed.Image2[0].Width(), 32);
    // The toolbar follows the bottom-right corner onto the primary, right edges aligned.
    EXPECT_EQ(ed.Picture1.Left() + ed.Picture1.Width(), 1400);
    const float labelAt200 = ed.LblPos.Height();

    // Moved wholly onto the 100 % primary: back to the design's size.
    headless::MouseDown(h, plat::kLeftButton, 1100, 300);
    headless::MouseMove(h, plat::kLeftButton, 2100, 300);
    headless::MouseUp(h, plat::kLeftButton, 2100, 300);
    EXPECT_EQ(ed.CurrentSelection().left, 2000);
    EXPECT_EQ(ed.Picture1.Width(), editor::kToolbarWidth);
    EXPECT_EQ(ed.Image2[0].Width(), 16);
    EXPECT_LT(ed.LblPos.Height(), labelAt200);
    // The frozen picture stays 1:1 whatever the bars' scale.
    EXPECT_EQ(ed.PersistentImage().Width(), 3200);
}

}  // namespace
