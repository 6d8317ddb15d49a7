// The picker's and the inspector's arithmetic as plain functions.
#include "window/picker_geometry.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

using window::AnimateBorder;
using window::Glow;
using window::GlowStep;
using window::LineEnds;

TEST(PickerGeometry, ProbeStepsBackOnlyAboveThree) {
    EXPECT_EQ(window::ProbePoint({3, 3}), (plat::Point{3, 3}));
    EXPECT_EQ(window::ProbePoint({4, 2}), (plat::Point{1, 2}));
    EXPECT_EQ(window::ProbePoint({-5, 100}), (plat::Point{-5, 97}));
}

TEST(PickerGeometry, OverlayFramesTheWindowWithTheMarkerUnderTheCursor) {
    // 2 outside on the left and top, flush right and bottom; a maximised window's -8 too.
    EXPECT_EQ(window::OverlayBounds({100, 50, 900, 650}), (plat::Rect{98, 48, 900, 650}));
    EXPECT_EQ(window::OverlayBounds({-8, -8, 1928, 1048}), (plat::Rect{-10, -10, 1928, 1048}));

    // A 100 x 60 overlay; marker at (40, 30), inside the frame's hole.
    const auto parts = window::OverlayRegion(100, 60, 40, 30, 3);
    auto inside = [&](int x, int y) {
        int hits = 0;
        for (const auto& r : parts) hits += r.Contains(x, y);
        return hits;
    };
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 100; ++x) {
            const bool frame = x < 4 || y < 4 || x >= 96 || y >= 56;
            const bool marker = x >= 40 && x < 43 && y >= 30 && y < 33;
            ASSERT_EQ(inside(x, y), (frame || marker) ? 1 : 0) << x << "," << y;  // never twice
        }
    // A marker on the frame adds only what lies outside it.
    const auto edge = window::OverlayRegion(100, 60, 98, 2, 3);
    int area = 0;
    for (const auto& r : edge) area += r.Width() * r.Height();
    EXPECT_EQ(area, 100 * 60 - 92 * 52 + 3);  // x = 100 of rows 2 to 4 lies beyond the frame
    // A window narrower than the frame: the XOR of the crossed rectangles.
    const auto thin = window::OverlayRegion(6, 20, 0, 0, 0);
    int thinArea = 0;
    for (const auto& r : thin) thinArea += r.Width() * r.Height();
    EXPECT_EQ(thinArea, 6 * 20 - 2 * 12);
}

// The running border speeds up: each tick a tenth or so sooner, until it
// runs at 50 ms or less, where it stays. Its lap has 101 steps and repeats.
TEST(PickerGeometry, BorderSpeedsUpToAFloorAndItsLapRepeats) {
    for (int start : {300, 100, 51}) {
        int i = start, ticks = 0;
        while (i > 50 && ticks < 100) {
            const int next = window::NextBorderInterval(i);
            EXPECT_LT(next, i) << "from " << start;
            EXPECT_GE(next * 100, i * 85) << "from " << start << ": no sudden jump";
            i = next, ++ticks;
        }
        EXPECT_LE(i, 50) << "from " << start;
        EXPECT_GT(i, 40) << "from " << start;
        EXPECT_EQ(window::NextBorderInterval(i), i) << "the floor holds";
    }

    std::set<int> steps;
    int k = 0;
    for (int n = 0; n < 101; ++n) steps.insert(k = window::NextBorderStep(k));
    EXPECT_EQ(steps.size(), 101u);
    EXPECT_EQ(k, 0);
    EXPECT_EQ(window::NextBorderStep(100), 0);
}

TEST(PickerGeometry, BorderSegmentRunsClockwise) {
    // 400 x 200 overlay: perimeter 1200, head a = 12 k.
    const int p = window::BorderPerimeter(400, 200);
    ASSERT_EQ(p, 1200);
    auto at = [&](int k) { return AnimateBorder(k, p, 400, 200); };
    const auto start = at(2);  // a = 24: the corner at the top left
    EXPECT_EQ(start.line2Visible, true);
    EXPECT_EQ(*start.line1, (LineEnds{2, 0, 24, 0}));
    EXPECT_EQ(*start.line2, (LineEnds{2, 26, 2, 0}));
    const auto top = at(10);  // a = 120 on the top edge
    EXPECT_EQ(top.line2Visible, false);
    EXPECT_EQ(*top.line1, (LineEnds{68, 2, 118, 2}));
    EXPECT_FALSE(top.line2.has_value());
    const auto right = at(35);  // a = 420: turning the top-right corner
    EXPECT_EQ(*right.line2, (LineEnds{370, 0, 400, 0}));
    EXPECT_EQ(*right.line1, (LineEnds{398, 0, 398, 20}));
    const auto bottom = at(60);  // a = 720 > P/2 + 50: along the bottom, leftwards
    EXPECT_EQ(*bottom.line1, (LineEnds{280, 198, 330, 198}));
    const auto left = at(95);  // a = 1140 up the left edge
    EXPECT_EQ(*left.line1, (LineEnds{2, 60, 2, 110}));
    EXPECT_EQ(left.line2Visible, false);
    // Step 100 puts the head at P: nothing changes.
    const auto lapEnd = at(100);
    EXPECT_FALSE(lapEnd.line1 || lapEnd.line2 || lapEnd.line2Visible);
    // A perimeter below 100 gives several steps the same head.
    EXPECT_EQ(*AnimateBorder(1, 60, 20, 10).line1, *AnimateBorder(2, 60, 20, 10).line1);
}

double Fixed() { return 0.999; }

TEST(PickerGeometry, GlowPulsesUpDownAndJumps) {
    Glow g{85, 0, 0, 1.02f};
    ASSERT_EQ(GlowStep(g, &Fixed), plat::Rgb(87, 0, 0));  // 86.7 to the nearest
    int ticks = 1;
    while (g.red <= 255 && ticks < 200) GlowStep(g, &Fixed), ++ticks;
    EXPECT_EQ(g.red, 258);  // 253 x 1.02, past 255
    // Above 255: applied as 255, then the factor turns.
    EXPECT_EQ(GlowColor(g), plat::Rgb(255, 0, 0));
    GlowStep(g, &Fixed);
    EXPECT_LT(g.red, 256);
    EXPECT_LT(g.factor, 1.0f);
    while (g.red >= 80 && ticks < 400) GlowStep(g, &Fixed), ++ticks;
    // All parts below 80: the jump applies no colour; 255 / 2 rounds to even 128.
    const float falling = g.factor;
    EXPECT_EQ(GlowStep(g, &Fixed), std::nullopt);
    EXPECT_EQ(std::make_tuple(g.red, g.green, g.blue), std::make_tuple(158, 128, 128));
    EXPECT_FLOAT_EQ(g.factor, 1.0f / falling);
}

TEST(InspectorText, RectangleHexAndHandleFields) {
    EXPECT_EQ(window::RectText(100, 50, 800, 600), L"( 100,  50)( 800, 600)");
    EXPECT_EQ(window::RectText(5, -8, 1920, 12345), L"(   5,  -8)(1920,12345)");
    EXPECT_EQ(window::HexText(0), L"&H0");
    EXPECT_EQ(window::HexText(0x1A2B0), L"&H1A2B0");
    EXPECT_EQ(window::LeadingNumber(L"  123abc"), 123);
    EXPECT_EQ(window::LeadingNumber(L"-8"), -8);
    EXPECT_EQ(window::LeadingNumber(L"x12"), 0);
    EXPECT_EQ(window::LeadingNumber(L""), 0);
}

TEST(InspectorPane, KeysAndScrollBars) {
    // A 9000 x 9000 picture in a 4095 x 3015 page.
    window::PaneGeometry g{0, -1000, 9000, 9000, 4095, 3015};
    EXPECT_EQ(window::PaneAfterKey(g, 33), (plat::Point{0, 0}));  // less than a page up: to the top
    g.pictureTop = -4000;
    EXPECT_EQ(window::PaneAfterKey(g, 33).y, -985);
    EXPECT_EQ(window::PaneAfterKey(g, 34).y, -7015);
    g.pictureTop = -5990;  // Page Down would pass the end
    EXPECT_EQ(window::PaneAfterKey(g, 34).y, -5990);
    g.pictureTop = -5000;
    EXPECT_EQ(window::PaneAfterKey(g, 40).y, -5030);
    g.pictureTop = -5980;  // within 10 of the end: the arrow stops
    EXPECT_EQ(window::PaneAfterKey(g, 40).y, -5980);
    EXPECT_EQ(window::PaneAfterKey(g, 37).x, 30);
    EXPECT_EQ(window::PaneAfterKey(g, 39).x, -30);
    EXPECT_EQ(window::PaneAfterKey(g, 65), (plat::Point{0, -5980}));

    EXPECT_EQ(window::PaneOffset(9000, 3135, 100, 50, -7), -2932);  // -2932.5, halves to even
    EXPECT_EQ(window::PaneOffset(3000, 3135, 100, 50, -7), -7);  // fits: unchanged
    EXPECT_EQ(window::PaneOffset(9000, 3135, 0, 0, -7), 0);      // a bar without range
}

}  // namespace
