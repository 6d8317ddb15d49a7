// Picture frames on the real platform: a picture drawn 1:1 with its white
// see-through over what lies beneath, files that are no picture or too
// large, the caption finished by a real double click, and an editor with
// twenty frames giving back every handle when it closes.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "editor/variants.h"
#include "logo/pic_frame_abc.h"
#include "platform/toolkit/forms.h"
#include "platform/services/imaging.h"
#include "platform/services/system.h"
#include "tests/win/long_folder.h"

namespace {

void Settle() {
    for (int i = 0; i < 10; ++i) {
        plat::DoEvents();
        Sleep(15);
    }
}

constexpr plat::Color kUnder = plat::Rgb(0, 160, 0);
constexpr plat::Color kInk = plat::Rgb(20, 40, 160);

class FrameHost : public plat::Form {
public:
    FrameHost() : plat::Form(Style()), frame(*this), captioned(*this) {
        SetScaleMode(plat::ScaleMode::Pixels);
        SetBackColor(kUnder);
        frame.Move(20, 20);
        captioned.Move(250, 20);
    }
    logo::PicFrame frame;
    logo::PicFrameabc captioned;

private:
    static plat::WindowStyle Style() {
        plat::WindowStyle s;
        s.caption = L"frames";
        s.bounds = {100, 100, 600, 400};
        s.borderless = true;
        s.topmost = true;
        return s;
    }
};

// A dark bar on white with a white hole.
plat::Picture Logo() {
    plat::Picture p = plat::Picture::Create(120, 40, plat::Rgb(255, 255, 255));
    p.Draw().FillRect({10, 5, 110, 35}, kInk);
    p.Draw().FillRect({50, 15, 70, 25}, plat::Rgb(255, 255, 255));
    return p;
}

// An 8000 x 8000 one-bit bitmap file (8 MB), written byte by byte.
void WriteHugeBitmap(const std::wstring& path) {
    const std::uint32_t w = 8000, h = 8000, row = w / 8, bits = row * h, offset = 14 + 40 + 8;
    std::vector<unsigned char> head(offset, 0);
    auto put32 = [&](size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) head[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    head[0] = 'B';
    head[1] = 'M';
    put32(2, offset + bits);
    put32(10, offset);
    put32(14, 40);
    put32(18, w);
    put32(22, h);
    head[26] = 1;   // planes
    head[28] = 1;   // bits a pixel
    put32(46, 2);   // colours in the table
    head[58] = head[59] = head[60] = 255;  // colour 1: white; colour 0 black
    std::ofstream f(std::filesystem::path(path), std::ios::binary);
    f.write(reinterpret_cast<const char*>(head.data()), static_cast<std::streamsize>(head.size()));
    std::vector<char> line(row, static_cast<char>(0xF0));
    for (std::uint32_t y = 0; y < h; ++y) f.write(line.data(), static_cast<std::streamsize>(line.size()));
}

class PicFrameWin : public ::testing::Test {
protected:
    void TearDown() override {
        plat::UnloadForm<FrameHost>();
        plat::UnloadForm<aaa>();
        Settle();
    }
    win_testing::TestFolder folder_{0};
};

TEST_F(PicFrameWin, APictureShowsOneToOneAndItsWhiteShowsWhatLiesBeneath) {
    const std::wstring path = folder_.PathOf(L"logo.bmp");
    ASSERT_TRUE(plat::SavePictureAsBmp(Logo(), path));
    FrameHost& host = plat::Forms<FrameHost>();
    host.Show();
    host.frame.SetPicPath(path);
    Settle();
    EXPECT_EQ(host.frame.Width() * 15, 1950);
    EXPECT_EQ(host.frame.Height() * 15, 750);

    // Screen pixels of the frame at (120, 120) and a little around it.
    const plat::Picture shot = plat::CaptureScreen({120, 120, 120 + 140, 120 + 60});
    EXPECT_EQ(shot.Pixel(10, 5), kInk);      // the bar's top-left, 1:1
    EXPECT_EQ(shot.Pixel(109, 34), kInk);
    EXPECT_EQ(shot.Pixel(5, 5), kUnder);     // the picture's white
    EXPECT_EQ(shot.Pixel(60, 20), kUnder);   // the hole in the bar
    EXPECT_EQ(shot.Pixel(125, 45), kUnder);  // the margin
    EXPECT_EQ(shot.Pixel(135, 55), kUnder);  // beyond the frame
}

TEST_F(PicFrameWin, FilesThatAreNoPictureOrTooLargeNeverBreakTheFrame) {
    FrameHost& host = plat::Forms<FrameHost>();
    host.Show();
    logo::PicFrame& f = host.frame;
    const std::wstring text = folder_.PathOf(L"notes.png"), empty = folder_.PathOf(L"empty.png");
    std::ofstream(std::filesystem::path(text)) << "not a picture";
    std::ofstream(std::filesystem::path(empty)).flush();
    for (const std::wstring& p : {text, empty}) {
        f.SetPicPath(p);
        EXPECT_EQ(f.Width(), 10);  // the margin only
        EXPECT_TRUE(f.Drawn().Empty());
    }
    f.SetPicPath(folder_.PathOf(L"missing.png"));
    f.SetPicPath(L"logo.bmp");  // no drive letter
    EXPECT_EQ(f.Width(), 10);

    const std::wstring huge = folder_.PathOf(L"huge.bmp");
    WriteHugeBitmap(huge);
    f.SetPicPath(huge);
    Settle();
    if (!f.Drawn().Empty()) {
        EXPECT_EQ(f.Width(), 8010);
        EXPECT_EQ(f.Drawn().Pixel(0, 0), plat::Rgb(255, 255, 255));
        EXPECT_EQ(f.Drawn().Pixel(4, 0), plat::Rgb(0, 0, 0));
    } else {
        EXPECT_EQ(f.Width(), 10);  // could not be held: left as it was
    }
    // The frame still takes a picture after it.
    const std::wstring path = folder_.PathOf(L"logo.bmp");
    ASSERT_TRUE(plat::SavePictureAsBmp(Logo(), path));
    f.SetPicPath(path);
    EXPECT_EQ(f.Width(), 130);
}

TEST_F(PicFrameWin, ADoubleClickOnTheCaptionBoxFinishesTheCaption) {
    FrameHost& host = plat::Forms<FrameHost>();
    host.Show();
    Settle();
    logo::PicFrameabc& f = host.captioned;
    const HWND box = reinterpret_cast<HWND>(f.Text1.NativeHandle());
    ASSERT_NE(box, nullptr);
    f.Text1.SetText(L"Sale");
    SendMessageW(box, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Settle();
    EXPECT_FALSE(f.Editing());
    EXPECT_FALSE(IsWindowVisible(box));
    EXPECT_EQ(f.Label1.Caption(), L"Sale");
}

TEST_F(PicFrameWin, AnEditorWithTwentyFramesGivesBackEveryHandleWhenItCloses) {
    const std::wstring path = folder_.PathOf(L"logo.bmp");
    ASSERT_TRUE(plat::SavePictureAsBmp(Logo(), path));
    auto openAndClose = [&] {
        aaa& ed = plat::Forms<aaa>();
        ed.Show();
        for (int i = 0; i < 20; ++i) ASSERT_EQ(ed.Frames.CreatePictureFrame(path), i + 2);
        Settle();
        ed.Unload();
        Settle();
    };
    openAndClose();  // the first opening makes what stays (classes, fonts, icons)
    const plat::ResourceCounts before = plat::CurrentResourceCounts();
    openAndClose();
    EXPECT_EQ(plat::CurrentResourceCounts(), before);
}

}  // namespace
