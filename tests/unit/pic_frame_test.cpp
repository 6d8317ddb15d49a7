// The picture frame: its arithmetic as plain functions, and the control on
// the headless backend (sizes, refused paths, handles, caption editor).
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "logo/pic_frame_abc.h"
#include "logo/pic_frame_geometry.h"
#include "platform/toolkit/forms.h"
#include "platform/headless/fake_dialogs.h"
#include "platform/services/imaging.h"
#include "tests/unit/frame_files.h"

namespace {

using logo::PicFrame;
using logo::PicFrameabc;

TEST(PicFrameGeometry, SizesHandlesResizeStepsAndCaptionButtons) {
    EXPECT_EQ(logo::FrameTwipsForPicture(120, 40), (plat::Point{1950, 750}));
    EXPECT_EQ(logo::FrameTwipsForPicture(0, 0), (plat::Point{150, 150}));  // no picture: the margin only
    // The frame less the margin, halves to even.
    EXPECT_EQ(logo::StretchedDrawingSize(130, 50), (plat::Point{120, 40}));
    EXPECT_EQ(logo::StretchedDrawingSize(130.5f, 51.5f), (plat::Point{120, 42}));

    const logo::HandleBoxes h = logo::HandlePlacement(130, 50);
    EXPECT_EQ(h.bottom, (logo::BoxF{0, 40, 120, 10}));
    EXPECT_EQ(h.right, (logo::BoxF{120, 0, 10, 40}));

    // Grabbed at its top edge and moved 150 twips: 150 more; below 300 ignored.
    EXPECT_EQ(logo::ResizedTwips(750, 150), 900);
    EXPECT_EQ(logo::ResizedTwips(750, -450), 300);
    EXPECT_EQ(logo::ResizedTwips(750, -451), std::nullopt);
    EXPECT_EQ(logo::ResizedTwips(750, 7.5f), 758);  // halves to even

    const logo::CaptionButtons b = logo::CaptionButtonPlacement(40, 40, 16, 16);
    EXPECT_EQ(b.command2, (plat::Point{24, 24}));
    EXPECT_EQ(b.command1, (plat::Point{24, 40}));
    EXPECT_EQ(b.a, (plat::Point{40, 24}));
    EXPECT_EQ(b.c, (plat::Point{56, 24}));
    EXPECT_EQ(b.d, (plat::Point{24, 57}));
    EXPECT_EQ(b.b, (plat::Point{24, 72}));
}

TEST(PicFrameGeometry, OpaqueBandsLeaveWhiteOutAndJoinEqualRows) {
    plat::Picture p = plat::Picture::Create(10, 6, logo::kSeeThrough);
    p.Draw().FillRect({1, 1, 4, 4}, plat::Rgb(0, 0, 0));
    p.Draw().FillRect({6, 1, 8, 4}, plat::Rgb(254, 255, 255));  // near-white is not see-through
    p.Draw().FillRect({2, 5, 3, 6}, plat::Rgb(9, 9, 9));
    const std::vector<plat::Rect> bands = logo::OpaqueBands(p, logo::kSeeThrough);
    EXPECT_EQ(bands, (std::vector<plat::Rect>{{1, 1, 4, 4}, {6, 1, 8, 4}, {2, 5, 3, 6}}));
    EXPECT_TRUE(logo::OpaqueBands(plat::Picture::Create(5, 5, logo::kSeeThrough), logo::kSeeThrough).empty());
}

class PicFrameTest : public FrameFilesTest {};

TEST_F(PicFrameTest, APictureSizesTheFrameAndBadPathsChangeNothing) {
    Host& host = plat::Forms<Host>();
    PicFrame& f = host.frame;
    f.Move(5, 5, 105, 49);
    f.SetPicPath(L"b3");  // no drive letter
    EXPECT_EQ(f.Width(), 105);
    EXPECT_TRUE(f.Drawn().Empty());
    EXPECT_EQ(f.PicPath(), L"b3");
    f.SetPicPath(Path(L"missing.png"));
    f.SetPicPath(Path(L""));  // the folder itself
    EXPECT_EQ(f.Width(), 105);

    f.SetPicPath(WritePicture(L"logo.png", Logo120x40()));
    EXPECT_EQ(f.Width() * 15, 1950);
    EXPECT_EQ(f.Height() * 15, 750);
    ASSERT_EQ(f.Drawn().Width(), 120);
    EXPECT_TRUE(plat::SamePixels(f.Drawn(), Logo120x40()));  // drawn 1:1

    // A file that is no picture, and an empty one: the margin only, nothing drawn.
    for (const wchar_t* name : {L"notes.txt", L"empty.png"}) {
        f.SetPicPath(WriteText(name, name[0] == L'n' ? "not a picture" : ""));
        EXPECT_EQ(f.Width(), 10);
        EXPECT_EQ(f.Height(), 10);
        EXPECT_TRUE(f.Drawn().Empty());
    }
}

TEST_F(PicFrameTest, HandlesToggleByDoubleClickAndStretchThePicture) {
    Host& host = plat::Forms<Host>();
    host.Show();
    PicFrame& f = host.frame;
    f.SetPicPath(WritePicture(L"logo.png", Logo120x40()));
    EXPECT_FALSE(f.HandlesShown());
    headless::DblClick(f.hWnd(), plat::kLeftButton, 30, 20);
    headless::MouseUp(f.hWnd(), plat::kLeftButton, 30, 20);
    ASSERT_TRUE(f.HandlesShown());

    // The bottom handle grabbed at its top edge, moved 10 pixels (150 twips) down.
    headless::MouseDown(f.hWnd(), plat::kLeftButton, 50, 40);
    headless::MouseMove(f.hWnd(), plat::kLeftButton, 50, 50);
    EXPECT_EQ(f.Height() * 15, 900);
    EXPECT_EQ(f.Picture1.Top(), 50);
    EXPECT_EQ(f.Picture2.Height(), 50);
    EXPECT_EQ(f.Drawn().Height(), 50);  // stretched over the new height less the margin
    EXPECT_EQ(f.Drawn().Width(), 120);
    // Dragged far up: a size under 300 twips is ignored.
    headless::MouseMove(f.hWnd(), plat::kLeftButton, 50, -200);
    EXPECT_EQ(f.Height() * 15, 900);
    headless::MouseUp(f.hWnd(), plat::kLeftButton, 50, -200);

    headless::DblClick(f.hWnd(), plat::kLeftButton, 30, 20);
    headless::MouseUp(f.hWnd(), plat::kLeftButton, 30, 20);
    EXPECT_FALSE(f.HandlesShown());
    plat::UnloadForm<Host>();
}

TEST_F(PicFrameTest, PropertiesPersistUnderTheirNamesAndLoadingAppliesNothing) {
    Host& host = plat::Forms<Host>();
    PicFrame& f = host.frame;
    std::vector<std::wstring> told;
    f.PropertyChanged = [&](const std::wstring& n) { told.push_back(n); };
    logo::PropertyValues bag;
    f.WriteProperties(bag);
    EXPECT_EQ(bag, (logo::PropertyValues{{L"PicPath", L"0"}, {L"Appearance", L"0"}, {L"BackStyle", L"0"},
                                         {L"BorderStyle", L"0"}, {L"BackColor", L"0"}}));
    f.SetBorderStyle(1);
    f.SetBackColorProperty(plat::Rgb(1, 2, 3));
    EXPECT_EQ(told, (std::vector<std::wstring>{L"BorderStyle", L"BackColor"}));

    const std::wstring path = WritePicture(L"logo.png", Logo120x40());
    bag[L"PicPath"] = path;
    bag[L"BackStyle"] = L"1";
    PicFrame& g = host.other;
    g.ReadProperties(bag);
    EXPECT_EQ(g.PicPath(), path);
    EXPECT_EQ(g.BackStyle(), 1);
    EXPECT_TRUE(g.Drawn().Empty());  // read back only: not drawn
    EXPECT_EQ(g.BackColor, logo::kSeeThrough);
    plat::UnloadForm<Host>();
}

TEST_F(PicFrameTest, CaptionEditorSizesFinishesAndEditsAgain) {
    Host& host = plat::Forms<Host>();
    host.Show();
    PicFrameabc& f = host.captioned;
    EXPECT_TRUE(f.Editing());
    EXPECT_EQ(f.Text1.Text(), L"Text\r\n");
    f.a_Click();
    f.d_Click();
    EXPECT_EQ(f.Text1.Width(), 70);
    EXPECT_EQ(f.Text1.Height(), 46);
    for (int i = 0; i < 20; ++i) f.c_Click();  // never below 5
    EXPECT_EQ(f.Text1.Width(), 5);
    f.a_Click();

    plat::fake::QueueColorAnswer(plat::Rgb(200, 0, 0));
    f.Command1_Click();
    plat::fake::QueueFontAnswer(plat::Font{L"Courier New", 14.0f, true});
    f.Command2_Click();
    f.Command1_Click();  // cancelled: the colour stays
    EXPECT_EQ(f.Text1.ForeColor(), plat::Rgb(200, 0, 0));
    EXPECT_EQ(f.Text1.TextFont().points, 14.0f);
    EXPECT_TRUE(f.Text1.TextFont().bold);
    EXPECT_EQ(std::wstring(f.Text1.TextFont().face), L"Arial");  // the face is not taken over

    f.Text1.SetText(L"Sale");
    f.Text1_DblClick();
    EXPECT_FALSE(f.Editing());
    EXPECT_FALSE(f.a.Visible());
    EXPECT_TRUE(f.Label1.Visible());
    EXPECT_EQ(f.Label1.Caption(), L"Sale");
    EXPECT_EQ(f.Label1.ForeColor, plat::Rgb(200, 0, 0));
    EXPECT_EQ(f.Label1.Bounds(), f.Text1.Bounds());
    EXPECT_EQ(f.Label1.TextFont.points, 14.0f);
    f.Label1_Click();
    EXPECT_TRUE(f.Editing());
    EXPECT_FALSE(f.Label1.Visible());
    plat::UnloadForm<Host>();
}

}  // namespace
