// What a new user meets first, on the headless backend: the bands around the
// selection that the dimming covers, the readouts kept on the screen, the
// save dialog's suggested name and folder, and a right press on a handle.
#include <gtest/gtest.h>

#include <ctime>

#include "editor/save_naming.h"
#include "editor/selection_geometry.h"
#include "platform/headless/headless.h"
#include "tests/unit/editor_test_support.h"

namespace {

using plat::Rect;

int Area(const plat::RectBands& b) {
    int a = 0;
    for (int i = 0; i < b.count; ++i) a += b.part[i].Width() * b.part[i].Height();
    return a;
}

TEST(RectsOutside, CoverTheAreaLessTheHoleWithoutOverlap) {
    const Rect area{0, 0, 100, 80};
    struct Case {
        Rect hole;
        int bands;
    };
    const Case cases[] = {
        {{20, 10, 60, 50}, 4},    // inside: above, below, left, right
        {{-5, -5, 40, 30}, 2},    // over the top-left corner
        {{0, 0, 100, 80}, 0},     // all of it
        {{200, 200, 300, 300}, 1},  // elsewhere: the whole area
        {{30, 30, 30, 60}, 1},    // empty: the whole area
    };
    for (const Case& c : cases) {
        const plat::RectBands b = plat::RectsOutside(area, c.hole);
        EXPECT_EQ(b.count, c.bands);
        const Rect h = area.Intersect(c.hole);
        EXPECT_EQ(Area(b), 100 * 80 - h.Width() * h.Height());
        for (int i = 0; i < b.count; ++i) {
            EXPECT_TRUE(b.part[i].Intersect(c.hole).Empty());
            EXPECT_EQ(b.part[i].Intersect(area), b.part[i]);
        }
    }
}

TEST(KeptInside, MovesABoxBackOntoTheScreen) {
    EXPECT_EQ(editor::KeptInside(100, 50, 1920), 100);
    EXPECT_EQ(editor::KeptInside(1900, 50, 1920), 1870);
    EXPECT_EQ(editor::KeptInside(-3, 50, 1920), 0);
    EXPECT_EQ(editor::KeptInside(10, 3000, 1920), 0);
}

TEST(SaveNaming, SuggestedNameFolderAndStartFolder) {
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 11;
    t.tm_mday = 10;
    t.tm_hour = 14;
    t.tm_min = 3;
    t.tm_sec = 5;
    EXPECT_EQ(editor::SuggestedSnipName(t), L"Snip 2026-12-10 14-03-05.png");

    EXPECT_EQ(editor::FolderOf(L"C:\\Users\\me\\Pictures\\a.png"), L"C:\\Users\\me\\Pictures");
    EXPECT_EQ(editor::FolderOf(L"C:\\a.png"), L"C:\\");
    EXPECT_EQ(editor::FolderOf(L"a.png"), L"");

    EXPECT_EQ(editor::SaveStartFolder(L"D:\\shots", true, L"C:\\P", L"C:\\exe"), L"D:\\shots");
    EXPECT_EQ(editor::SaveStartFolder(L"D:\\gone", false, L"C:\\P", L"C:\\exe"), L"C:\\P");
    EXPECT_EQ(editor::SaveStartFolder(L"", false, L"", L"C:\\exe"), L"C:\\exe");
}

// After a resize the pointer rests on the handle it dragged: a right click
// there discards the selection at once, as anywhere on it.
TEST_F(EditorTest, ARightClickOnAHandleDiscardsTheSelection) {
    aaa& ed = Open<aaa>();
    const plat::Handle h = H(ed);
    Drag(h, 100, 100, 300, 200);
    headless::MouseDown(h, plat::kLeftButton, 299, 199);  // handle 6, the bottom-right corner
    headless::MouseMove(h, plat::kLeftButton, 350, 260);
    headless::MouseUp(h, plat::kLeftButton, 350, 260);
    ASSERT_EQ(ed.Shape1.Width(), 250);
    headless::Click(h, plat::kRightButton, 350, 260);
    ASSERT_NE(plat::LoadedForm<aaa>(), nullptr);
    EXPECT_EQ(ed.ModeTag, "draw");
    EXPECT_FALSE(ed.Shape1.Visible());
    EXPECT_EQ(ed.CloseGuard, 1);
}

}  // namespace
