// The markup tools' arithmetic, with no window.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "editor/annotation_geometry.h"

namespace editor {
namespace {

TEST(AnnotationGeometry, ArrowHeadGoesBackFromTheTipAndOutToBothSides) {
    const auto flat = ArrowStrokes({100, 100}, {200, 100}, kArrowHeadSize);
    ASSERT_TRUE(flat.has_value());
    EXPECT_EQ((*flat)[0], (Segment{{190, 105}, {200, 100}}));
    EXPECT_EQ((*flat)[1], (Segment{{190, 95}, {200, 100}}));
    EXPECT_EQ((*flat)[2], (Segment{{100, 100}, {200, 100}}));

    // A slanted shaft exercises the side terms that the flat one zeroes.
    const auto slant = ArrowStrokes({0, 0}, {30, 40}, kArrowHeadSize);
    ASSERT_TRUE(slant.has_value());
    EXPECT_EQ((*slant)[0].from, (PointF{20, 35}));
    EXPECT_EQ((*slant)[1].from, (PointF{28, 29}));

    EXPECT_FALSE(ArrowStrokes({70.5f, 30}, {70.5f, 30}, kArrowHeadSize).has_value());
    EXPECT_TRUE(ArrowStrokes({0, 0}, {0.001f, 0}, kArrowHeadSize).has_value());
}

TEST(AnnotationGeometry, EndPointIsHeldToEachEdgeOfTheSelection) {
    const Selection s{10.5f, 20, 100, 50};  // right 110.5, bottom 70
    EXPECT_EQ(HeldToSelection(s, 5, 30), (PointF{10.5f, 30}));
    EXPECT_EQ(HeldToSelection(s, 200, 30), (PointF{110.5f, 30}));
    EXPECT_EQ(HeldToSelection(s, 50, -7), (PointF{50, 20}));
    EXPECT_EQ(HeldToSelection(s, 50, 900), (PointF{50, 70}));
    EXPECT_EQ(HeldToSelection(s, 5000, 5000), (PointF{110.5f, 70}));
    EXPECT_EQ(HeldToSelection(s, 60.25f, 33.75f), (PointF{60.25f, 33.75f}));
}

TEST(AnnotationGeometry, BoxesAndTextPlaceRoundHalvesToEvenWhateverTheDragDirection) {
    EXPECT_EQ(EllipseRect({100.5f, 80}, {20, 41.5f}), (plat::Rect{20, 42, 100, 80}));
    EXPECT_EQ(EllipseRect({20, 41.5f}, {100.5f, 80}), (plat::Rect{20, 42, 100, 80}));

    // Both corner pixels on the outline; a wide pen centred on them.
    EXPECT_EQ(BoxOutlineRect({20.5f, 30}, {9.5f, 10}, 1), (plat::Rect{10, 10, 21, 31}));
    EXPECT_EQ(BoxOutlineRect({10, 10}, {20, 30}, 0), (plat::Rect{10, 10, 21, 31}));
    EXPECT_EQ(BoxOutlineRect({10, 10}, {20, 30}, 3), (plat::Rect{9, 9, 22, 32}));
    EXPECT_EQ(BoxOutlineRect({10, 10}, {20, 30}, 2), (plat::Rect{9, 9, 21, 31}));

    EXPECT_EQ(TextOrigin(10.5f, 11.5f), (plat::Point{10, 12}));
    EXPECT_EQ(TextOrigin(-0.5f, 2.5f), (plat::Point{0, 2}));
    EXPECT_EQ(GrownTextBoxWidth(kTextBoxStartWidth, 18), kTextBoxStartWidth);  // never narrows
}

TEST(AnnotationGeometry, ExtentCoversTheShapeAndItsPenOverhang) {
    EXPECT_EQ(ShapeExtent({ShapeKind::Arrow, {100, 100}, {200, 100}, 3}), (plat::Rect{98, 93, 203, 108}));
    EXPECT_TRUE(ShapeExtent({ShapeKind::Arrow, {50, 50}, {50, 50}, 3}).Empty());
    EXPECT_EQ(ShapeExtent({ShapeKind::Ellipse, {50, 30}, {10, 10}, 6}), (plat::Rect{6, 6, 54, 34}));
    EXPECT_EQ(ShapeExtent({ShapeKind::Rectangle, {20, 30}, {10, 10}, 3}), (plat::Rect{8, 8, 23, 33}));
    EXPECT_EQ(ShapeExtent({ShapeKind::Rectangle, {10, 10}, {200, 200}, 1}), (plat::Rect{9, 9, 202, 202}));
    for (int w = 0; w <= 9; ++w) {
        const plat::Rect extent = ShapeExtent({ShapeKind::Rectangle, {20, 30}, {10, 10}, w});
        const plat::Rect outline = BoxOutlineRect({20, 30}, {10, 10}, w);
        EXPECT_EQ(extent.Union(outline), extent) << "pen " << w;
    }
}

TEST(AnnotationGeometry, SizeTextBecomesANumberOrNothing) {
    EXPECT_EQ(WholeSizeOf(L"2.5", 0, INT_MAX), 2);
    EXPECT_EQ(WholeSizeOf(L" +3.5 ", 0, INT_MAX), 4);
    EXPECT_EQ(WholeSizeOf(L"-2.5", INT_MIN, INT_MAX), -2);
    EXPECT_EQ(WholeSizeOf(L"32767.5", kDrawWidthMin, kDrawWidthMax), std::nullopt);
    EXPECT_EQ(WholeSizeOf(L"-32768.5", kDrawWidthMin, kDrawWidthMax), -32768);
    EXPECT_EQ(WholeSizeOf(L"1e12", INT_MIN, INT_MAX), std::nullopt);
    for (const wchar_t* bad : {L"", L"  ", L"abc", L"3px", L"1,5", L"+-3", L"inf", L"nan", L"\xFF13"})
        EXPECT_EQ(WholeSizeOf(bad, INT_MIN, INT_MAX), std::nullopt) << ::testing::PrintToString(std::wstring(bad));

    EXPECT_EQ(SizeValueOf(L"10.5"), 10.5f);
    EXPECT_EQ(SizeValueOf(L"1e39"), std::nullopt);
}

}  // namespace
}  // namespace editor
