// The toolbar's icons and the size picker's pictures. With MS_ICON_SHEET set
// to a file name, the first test also writes them as a PPM to look at:
// the toolbar strip as laid out (the first button hovered) and the size
// picker's icon and button looks beneath it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "editor/toolbar_icons.h"
#include "platform/services/picture.h"

namespace editor {
namespace {

int InkedPixels(const plat::Picture& p, plat::Color background) {
    int n = 0;
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x) n += p.Pixel(x, y) != background;
    return n;
}

bool WritePpm(const plat::Picture& p, const char* path) {
    std::FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    std::fprintf(f, "P6\n%d %d\n255\n", p.Width(), p.Height());
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x) {
            const plat::Color c = p.Pixel(x, y);
            const unsigned char rgb[3] = {static_cast<unsigned char>(plat::RedOf(c)),
                                          static_cast<unsigned char>(plat::GreenOf(c)),
                                          static_cast<unsigned char>(plat::BlueOf(c))};
            std::fwrite(rgb, 1, 3, f);
        }
    return std::fclose(f) == 0;
}

void WriteSheetIfAsked() {
    const char* path = std::getenv("MS_ICON_SHEET");
    if (!path) return;
    plat::Picture sheet = plat::Picture::Create(281, 80, plat::Rgb(244, 247, 251));
    plat::Canvas& c = sheet.Draw();
    // The strip: 265 x 26, buttons 5 pixels from the top at their twip positions.
    const int sx = 8, sy = 8;
    c.FillRect({sx, sy, sx + 265, sy + 26}, kToolbarBackground);
    c.FrameRect({sx, sy, sx + 265, sy + 26}, plat::Rgb(128, 128, 255), 1);
    const struct { int index, leftTwips; } buttons[] = {{7, 120},  {6, 480},  {5, 860}, {4, 1220}, {9, 1590},
                                                        {0, 2071}, {8, 2441}, {2, 2810}, {3, 3180}, {1, 3580}};
    for (int sep : {1920 / 15, 2780 / 15}) c.FillRect({sx + sep, sy + 4, sx + sep + 1, sy + 22}, plat::Rgb(128, 128, 255));
    for (const auto& b : buttons) {
        const int x = sx + b.leftTwips / 15, y = sy + 5;
        if (b.index == 0) {  // hovered
            c.FillRect({x - 2, y - 2, x + 18, y + 18}, kToolbarHoverFill);
            c.FrameRect({x - 2, y - 2, x + 18, y + 18}, plat::Rgb(36, 143, 251), 1);
            c.DrawPicture(ToolbarIcon(b.index, kToolbarHoverFill), x, y);
        } else {
            c.DrawPicture(ToolbarIcon(b.index), x, y);
        }
    }
    // The size picker: its icon and the button's three looks.
    const int py = sy + 26 + 8;
    c.FillRect({sx, py, sx + 265, py + 30}, kToolbarBackground);
    c.DrawPicture(SizeIcon(), sx + 4, py + 5);
    for (int look = 0; look < 3; ++look) {
        const int x = sx + 4 + 21 + look * 56, y = py + 4;
        c.DrawPicture(SizeButtonLook(look), x, y);
    }
    EXPECT_TRUE(WritePpm(sheet, path)) << path;
}

TEST(ToolbarIcons, EveryButtonHasItsOwnInkedSixteenPixelIcon) {
    plat::Picture icons[kToolbarIconCount];
    for (int i = 0; i < kToolbarIconCount; ++i) {
        icons[i] = ToolbarIcon(i);
        ASSERT_EQ(icons[i].Width(), 16) << i;
        ASSERT_EQ(icons[i].Height(), 16) << i;
        // Enough ink to read as a symbol, and room left for the strip around it.
        const int ink = InkedPixels(icons[i], kToolbarBackground);
        EXPECT_GT(ink, 30) << i;
        EXPECT_LT(ink, 16 * 16 - 30) << i;
        for (int j = 0; j < i; ++j) EXPECT_FALSE(plat::SamePixels(icons[i], icons[j])) << i << " looks like " << j;
    }
    EXPECT_TRUE(ToolbarIcon(-1).Empty());
    EXPECT_TRUE(ToolbarIcon(kToolbarIconCount).Empty());
    WriteSheetIfAsked();
}

TEST(ToolbarIcons, OnTheHoverFillOnlyTheStripShowingChanges) {
    for (int i = 0; i < kToolbarIconCount; ++i) {
        const plat::Picture plain = ToolbarIcon(i);
        const plat::Picture hovered = ToolbarIcon(i, kToolbarHoverFill);
        int solid = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const plat::Color a = plain.Pixel(x, y), b = hovered.Pixel(x, y);
                ASSERT_EQ(a == kToolbarBackground, b == kToolbarHoverFill) << i << " at " << x << "," << y;
                solid += a == b;
            }
        // The full-strength ink stays as it is; only the soft edge tones follow the fill.
        EXPECT_GT(solid, 20) << i;
        // Drawn once: asked again, each look is the picture already made.
        EXPECT_EQ(ToolbarIcon(i).Impl(), plain.Impl()) << i;
        EXPECT_EQ(ToolbarIcon(i, kToolbarHoverFill).Impl(), hovered.Impl()) << i;
    }
}

TEST(SizePicker, IconAndTheThreeButtonLooks) {
    const plat::Picture icon = SizeIcon();
    ASSERT_EQ(icon.Width(), kSizeIconSize);
    ASSERT_EQ(icon.Height(), kSizeIconSize);
    EXPECT_GT(InkedPixels(icon, kToolbarBackground), 40);

    plat::Picture looks[3];
    for (int look = 0; look < 3; ++look) {
        looks[look] = SizeButtonLook(look);
        ASSERT_EQ(looks[look].Width(), 50) << look;
        ASSERT_EQ(looks[look].Height(), 22) << look;
        // The size box sits on the look's plain fill; the triangle is right of it.
        const plat::Color plain = SizeButtonFill(look);
        for (int y = kSizeTextArea.top; y < kSizeTextArea.bottom; ++y)
            for (int x = kSizeTextArea.left; x < kSizeTextArea.right; ++x)
                ASSERT_EQ(looks[look].Pixel(x, y), plain) << look << " at " << x << "," << y;
        EXPECT_GT(InkedPixels(looks[look].Crop({kSizeTextArea.right, 2, 48, 20}), plain), 10) << look;
        for (int other = 0; other < look; ++other) EXPECT_FALSE(plat::SamePixels(looks[look], looks[other]));
    }
    EXPECT_TRUE(SizeButtonLook(3).Empty());
    EXPECT_TRUE(SizeButtonLook(-1).Empty());
}

TEST(ToolbarIcons, AtAScaleEveryMapPixelCoversItsWholeScaledCell) {
    for (int index = 0; index < kToolbarIconCount; ++index) {
        const plat::Picture one = ToolbarIcon(index);
        const plat::Picture two = ToolbarIcon(index, kToolbarBackground, 192);
        ASSERT_EQ(two.Width(), 32);
        ASSERT_EQ(two.Height(), 32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) ASSERT_EQ(two.Pixel(x, y), one.Pixel(x / 2, y / 2)) << index;
        // 150 %: cells of one and two pixels tile 24 x 24 with no gap.
        const plat::Picture half = ToolbarIcon(index, kToolbarBackground, 144);
        ASSERT_EQ(half.Width(), 24);
        EXPECT_EQ(InkedPixels(half, kToolbarBackground) > InkedPixels(one, kToolbarBackground), true);
    }
    EXPECT_EQ(SizeButtonLook(kSizeButtonHover, 192).Width(), 2 * kSizeButtonWidth);
    EXPECT_EQ(SizeIcon(144).Height(), 30);
}

}  // namespace
}  // namespace editor
