// The scale rule as plain arithmetic: twips to pixels and font heights at the
// three common scales.
#include <gtest/gtest.h>

#include "platform/services/dpi.h"

namespace {

TEST(Dpi, TwipsToPixelsFollowsTheDpiAndRoundsHalvesAwayFromZero) {
    struct Case {
        int twips, dpi, pixels;
    };
    const Case cases[] = {
        {6660, 96, 444}, {6660, 120, 555}, {6660, 144, 666},   // the main window's width
        {5145, 96, 343}, {5145, 120, 429}, {5145, 144, 515},   // 428.75 and 514.5
        {15, 96, 1},     {15, 120, 1},     {15, 144, 2},       // one design pixel: 1.25, 1.5
        {7, 96, 0},      {8, 96, 1},       {0, 144, 0},        // below and at a half pixel
        {-8, 96, -1},    {-7, 96, 0},      {-5145, 144, -515},  // negative offsets mirror
        {1440, 192, 192},
    };
    for (const Case& c : cases)
        EXPECT_EQ(plat::TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi;
}

TEST(Dpi, AFontIsDrawnAtItsOwnDpiOrTheBaseOne) {
    const plat::Font nine{L"Arial", 9.0f, false};
    EXPECT_EQ(plat::FontPixelHeight(nine), 12);
    EXPECT_EQ(plat::FontPixelHeight(plat::FontAtDpi(nine, 96)), 12);
    EXPECT_EQ(plat::FontPixelHeight(plat::FontAtDpi(nine, 120)), 15);
    EXPECT_EQ(plat::FontPixelHeight(plat::FontAtDpi(nine, 144)), 18);
    EXPECT_EQ(plat::FontPixelHeight(plat::FontAtDpi({L"Arial", 8.0f, false}, 120)), 13);  // 13.33
    EXPECT_EQ(plat::FontPixelHeight(plat::FontAtDpi({L"Arial", 11.0f, true}, 144)), 22);
}

}  // namespace
