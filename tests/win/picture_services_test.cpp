// Pictures through the real graphics library: the toolkit's save as a BMP
// file (its bytes, read back by the system, whole or not at all), the library
// bitmap the encoders get, and a load whose picture cannot be made.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "encoding/ModSavePic.h"
#include "platform/services/imaging.h"
#include "platform/win32/handles.h"
#include "platform/win32/imaging_win32.h"
#include "tests/win/long_folder.h"

namespace {

using win_testing::TestFolder;

// Neighbouring pixels all differ and the fourth byte is set, at a width
// whose 24-bit rows need padding.
plat::Picture NoisyPicture() {
    plat::Picture p = plat::Picture::Create(61, 37, 0);
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x)
            p.MutableRow(y)[x] = static_cast<std::uint32_t>(0x80 | y) << 24 |
                                 static_cast<std::uint32_t>((x * 37 + y * 11) & 255) << 16 |
                                 static_cast<std::uint32_t>((x * y) & 255) << 8 |
                                 static_cast<std::uint32_t>((y * 53 + x) & 255);
    return p;
}

std::uint32_t U32At(const std::string& b, size_t at) {
    std::uint32_t v = 0;
    for (int k = 3; k >= 0; --k) v = v << 8 | static_cast<unsigned char>(b[at + static_cast<size_t>(k)]);
    return v;
}

class PictureServicesWin : public ::testing::Test {
protected:
    void SetUp() override {
        instances_ = plat::win32::LiveGraphicsInstances();
        handles_ = plat::win32::OwnedHandleCount();
    }
    void TearDown() override {
        plat::win32::FailNextLoadedPictures(0);
        EXPECT_EQ(plat::win32::LiveGraphicsInstances(), instances_);
        EXPECT_EQ(plat::win32::LiveGraphicsBitmaps(), 0);
        EXPECT_EQ(plat::win32::OwnedHandleCount(), handles_);
    }
    long instances_ = 0, handles_ = 0;
};

// The file's own bytes: a 24-bit, bottom-up bitmap of exactly the picture's
// pixels, whatever the name's extension; the graphics library reads the same
// picture back, past the 260-character limit too.
TEST_F(PictureServicesWin, SaveAsBmpWritesTwentyFourBitBottomUpRowsOfTheExactPixels) {
    const plat::Picture src = NoisyPicture();
    for (size_t depth : {0u, 300u}) {
        SCOPED_TRACE(depth);
        TestFolder folder(depth);
        const std::wstring path = folder.PathOf(L"pane.jpg");
        ASSERT_TRUE(plat::SavePictureAsBmp(src, path));
        EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"pane.jpg"});
        const std::string b = TestFolder::Bytes(path);
        ASSERT_GE(b.size(), 54u);
        EXPECT_EQ(b.substr(0, 2), "BM");
        EXPECT_EQ(U32At(b, 18), 61u);
        EXPECT_EQ(static_cast<std::int32_t>(U32At(b, 22)), 37) << "positive height: bottom-up";
        EXPECT_EQ(U32At(b, 28) & 0xFFFF, 24u);
        EXPECT_EQ(U32At(b, 30), 0u) << "no compression";
        const size_t offset = U32At(b, 10), stride = (61 * 3 + 3) & ~size_t{3};
        ASSERT_EQ(b.size(), offset + stride * 37);
        int wrong = 0;
        for (int y = 0; y < 37; ++y)
            for (int x = 0; x < 61; ++x) {
                const size_t at = offset + stride * static_cast<size_t>(36 - y) + static_cast<size_t>(x) * 3;
                const std::uint32_t px = static_cast<unsigned char>(b[at]) |
                                         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
                                         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16;
                wrong += px != (src.Row(y)[x] & 0xFFFFFFu);
            }
        EXPECT_EQ(wrong, 0);

        plat::Picture back;
        ASSERT_EQ(plat::LoadPictureFile(path, back), plat::gp::Ok);
        EXPECT_TRUE(plat::SamePixels(back, src));
    }
}

// Each save over a file sets the old one aside and deletes it in the
// background: once those deletions are done, only the last picture is left.
TEST_F(PictureServicesWin, SavesOverOneFileLeaveOnlyTheLastPicture) {
    TestFolder folder(0);
    const std::wstring path = folder.PathOf(L"pane.bmp");
    for (int round = 0; round < 6; ++round) {
        plat::Picture big = plat::Picture::Create(1920, 1080, plat::Rgb(round, 0, 0));
        ASSERT_TRUE(plat::SavePictureAsBmp(big, path)) << round;
    }
    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"pane.bmp"});
    plat::Picture back;
    ASSERT_EQ(plat::LoadPictureFile(path, back), plat::gp::Ok);
    EXPECT_EQ(back.Pixel(7, 7), plat::Rgb(5, 0, 0));
}

// Over an existing file: a read-only one is refused and a folder that is
// not there takes nothing; the old bytes survive and nothing is left beside.
TEST_F(PictureServicesWin, AFailedBmpSaveLosesNothing) {
    TestFolder folder(0);
    const std::wstring path = folder.PathOf(L"pane.bmp");
    TestFolder::Write(path, "the picture that was here");
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(plat::SavePictureAsBmp(NoisyPicture(), path));
    EXPECT_EQ(TestFolder::Bytes(path), "the picture that was here");
    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"pane.bmp"});
    EXPECT_FALSE(plat::SavePictureAsBmp(NoisyPicture(), folder.PathOf(L"no such folder\\pane.bmp")));
    EXPECT_FALSE(plat::SavePictureAsBmp(plat::Picture(), folder.PathOf(L"empty.bmp")));
    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"pane.bmp"});

    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(plat::SavePictureAsBmp(NoisyPicture(), path));
    EXPECT_EQ(TestFolder::Bytes(path).substr(0, 2), "BM");
}

// The encoders get a library bitmap of the picture's own pixels (the fourth
// byte set, as GDI leaves it after some drawing, does not turn into alpha),
// made while the picture stays usable: it draws and saves again after.
TEST_F(PictureServicesWin, TheEncodersGetThePicturesExactPixelsAsTwentyFourBits) {
    TestFolder folder(0);
    plat::Picture src = NoisyPicture();
    for (const wchar_t* name : {L"a.png", L"a.tiff", L"a.bmp"}) {
        SCOPED_TRACE(std::wstring(name).size());
        const std::wstring path = folder.PathOf(name);
        ASSERT_TRUE(ModSavePic::SavePictureFile(src, path, ModSavePic::FormatWord(path), 80, 24, 6).ok);
        plat::Picture back;
        ASSERT_EQ(plat::LoadPictureFile(path, back), plat::gp::Ok);
        EXPECT_TRUE(plat::SamePixels(back, src));
    }
    const std::string png = TestFolder::Bytes(folder.PathOf(L"a.png"));
    ASSERT_GT(png.size(), 26u);
    EXPECT_EQ(png[25], 2) << "PNG colour type: RGB, no alpha";
    EXPECT_EQ(U32At(TestFolder::Bytes(folder.PathOf(L"a.bmp")), 28) & 0xFFFF, 24u);

    src.Draw().FillRect({0, 0, 10, 10}, plat::Rgb(1, 2, 3));
    EXPECT_EQ(src.Pixel(5, 5), plat::Rgb(1, 2, 3));
    ASSERT_TRUE(plat::SavePictureAsBmp(src, folder.PathOf(L"b.bmp")));
    plat::Picture back;
    ASSERT_EQ(plat::LoadPictureFile(folder.PathOf(L"b.bmp"), back), plat::gp::Ok);
    EXPECT_TRUE(plat::SamePixels(back, src));
}

// A picture too large to make (the 32-bit build's address space, here by
// injection): the load fails with nothing written or left locked, and the
// same file loads the next time.
TEST_F(PictureServicesWin, ALoadWhosePictureCannotBeMadeFailsCleanly) {
    TestFolder folder(0);
    const std::wstring path = folder.PathOf(L"logo.png");
    ASSERT_TRUE(ModSavePic::SavePictureFile(NoisyPicture(), path, L"png", 80, 24, 6).ok);

    plat::win32::FailNextLoadedPictures(1);
    plat::Picture out = plat::Picture::Create(3, 3);
    EXPECT_EQ(plat::LoadPictureFile(path, out), plat::gp::OutOfMemory);
    EXPECT_EQ(out.Width(), 3) << "the caller's picture is left as it was";
    plat::Picture again;
    ASSERT_EQ(plat::LoadPictureFile(path, again), plat::gp::Ok);
    EXPECT_TRUE(plat::SamePixels(again, NoisyPicture()));

    // The same without injection: a picture past what the system makes.
    plat::Picture huge = plat::Picture::Create(60000, 60000);
    EXPECT_TRUE(huge.Empty());
}

}  // namespace
