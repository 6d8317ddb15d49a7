// SavePictureFile and the graphics library start/stop pair, over the headless
// graphics library: what reaches the encoder, what the user is told, and that
// every instance and bitmap is released on every path.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "encoding/ModSavePic.h"
#include "encoding/mGdip.h"
#include "platform/headless/fake_imaging.h"
#include "platform/services/system.h"
#include "tests/unit/headless_fixture.h"

namespace {

namespace fs = std::filesystem;
using plat::fake::Imaging;

class SavePictureFileTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        dir_ = fs::temp_directory_path() /
               ("save_pf_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        picture_ = plat::Picture::Create(5, 3, plat::Rgb(10, 20, 30));
        picture_.Draw().FillRect({1, 1, 3, 2}, plat::Rgb(200, 0, 100));
    }
    void TearDown() override {
        // Nothing outlives a save, whatever its outcome.
        EXPECT_EQ(Imaging().liveInstances, 0);
        EXPECT_EQ(Imaging().liveBitmaps, 0);
        EXPECT_EQ(plat::GetMousePointer(), plat::MousePointer::Default);
        fs::remove_all(dir_);
    }
    std::wstring PathOf(const char* name) const { return (dir_ / name).wstring(); }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
        return names;
    }
    ModSavePic::SaveResult Save(const std::wstring& path, const std::wstring& word) {
        return ModSavePic::SavePictureFile(picture_, path, word, 80, 24, 6);
    }
    // The single save error box, checked for the program's head and the file's name.
    std::wstring OnlyErrorBox(const std::wstring& path) {
        const auto& boxes = headless::MessageBoxes();
        EXPECT_EQ(boxes.size(), 1u);
        if (boxes.empty()) return {};
        EXPECT_EQ(boxes[0].title, L"错误");
        EXPECT_EQ(boxes[0].style, plat::kMsgInformation);
        EXPECT_EQ(boxes[0].text.rfind(ModSavePic::kErrorHead, 0), 0u) << "starts with the head";
        EXPECT_NE(boxes[0].text.find(L"\"" + path + L"\""), std::wstring::npos) << "names the file";
        return boxes[0].text;
    }

    fs::path dir_;
    plat::Picture picture_;
};

TEST_F(SavePictureFileTest, WritesThePictureWithTheBusyPointerAndReportsSuccess) {
    const std::wstring path = PathOf("shot.png");
    const auto r = Save(path, L"png");
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(headless::MessageBoxes().empty());
    ASSERT_EQ(Imaging().saves.size(), 1u);
    const auto& s = Imaging().saves[0];
    EXPECT_NE(s.path, path);  // a new file beside it, which then takes its place
    EXPECT_EQ(fs::path(s.path).parent_path(), dir_);
    EXPECT_EQ(Names(), std::vector<std::string>{"shot.png"});
    EXPECT_EQ(s.encoder, plat::fake::EncoderClsid(L"PNG"));
    EXPECT_TRUE(s.params.empty());
    EXPECT_EQ(s.pointer, plat::MousePointer::Hourglass);
    EXPECT_TRUE(plat::SamePixels(s.picture, picture_));
    plat::Picture back;
    ASSERT_EQ(plat::LoadPictureFile(path, back), plat::gp::Ok);
    EXPECT_TRUE(plat::SamePixels(back, picture_));
}

TEST_F(SavePictureFileTest, JpgAndTiffPassTheirValuesInOrder) {
    ASSERT_TRUE(Save(PathOf("a.JPG"), L"JPG").ok);
    ASSERT_TRUE(ModSavePic::SavePictureFile(picture_, PathOf("b.tiff"), L"tiff", 55, 32, 5).ok);
    ASSERT_EQ(Imaging().saves.size(), 2u);
    const auto& jpg = Imaging().saves[0];
    EXPECT_EQ(jpg.encoder, plat::fake::EncoderClsid(L"JPEG"));
    ASSERT_EQ(jpg.params.size(), 1u);
    EXPECT_EQ(jpg.params[0].value, 80u);
    const auto& tiff = Imaging().saves[1];
    EXPECT_EQ(tiff.encoder, plat::fake::EncoderClsid(L"TIFF"));
    ASSERT_EQ(tiff.params.size(), 2u);
    EXPECT_EQ(tiff.params[0].value, 5u);   // compression first
    EXPECT_EQ(tiff.params[1].value, 32u);  // then colour depth
}

TEST_F(SavePictureFileTest, AWordNoEncoderKnowsWritesNothingAndSaysSo) {
    const std::wstring path = PathOf("shot.xyz");
    const auto r = Save(path, L"xyz");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.errorNumber, plat::gp::UnknownImageFormat);
    EXPECT_TRUE(Imaging().saves.empty());
    EXPECT_FALSE(fs::exists(path));
    EXPECT_NE(OnlyErrorBox(path).find(L"\"xyz\""), std::wstring::npos);
}

TEST_F(SavePictureFileTest, AnUnwritablePathIsReportedWithTheSystemsReason) {
    const std::wstring path = PathOf("missing/shot.png");
    const auto r = Save(path, L"png");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.errorNumber, plat::gp::Win32Error);
    const std::wstring text = OnlyErrorBox(path);
    EXPECT_NE(text.find(L"错误号: 7\r\n"), std::wstring::npos);
    EXPECT_NE(text.find(L"cannot find the path"), std::wstring::npos);
}

TEST_F(SavePictureFileTest, AHalfWrittenFileIsRemovedAndAnOlderFileKeepsItsBytes) {
    Imaging().saveFailure = plat::GraphicsFailure{plat::gp::Win32Error, 112, L"There is not enough space on the disk.\r\n"};
    Imaging().writes = plat::fake::SaveWrites::Partial;
    const std::wstring fresh = PathOf("fresh.png");
    EXPECT_FALSE(Save(fresh, L"png").ok);
    EXPECT_TRUE(Names().empty());
    EXPECT_NE(OnlyErrorBox(fresh).find(L"There is not enough space on the disk (Win32Error)."), std::wstring::npos);

    const std::wstring old = PathOf("old.png");
    std::ofstream(fs::path(old)) << "older";
    EXPECT_FALSE(Save(old, L"png").ok);
    EXPECT_EQ(Names(), std::vector<std::string>{"old.png"});
    std::ifstream in{fs::path(old)};
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "older");
}

// The finished file cannot take the target's place (here a folder has the
// name): the user is told, the folder stays, the new file goes.
TEST_F(SavePictureFileTest, AReplaceThatFailsIsReportedAndLeavesTheTargetAlone) {
    const std::wstring path = PathOf("taken.png");
    fs::create_directories(fs::path(path) / "inside");
    EXPECT_FALSE(Save(path, L"png").ok);
    ASSERT_EQ(Imaging().saves.size(), 1u);
    EXPECT_NE(OnlyErrorBox(path).find(L"错误号: 7\r\n"), std::wstring::npos);
    EXPECT_EQ(Names(), std::vector<std::string>{"taken.png"});
    EXPECT_TRUE(fs::exists(fs::path(path) / "inside"));
}

TEST_F(SavePictureFileTest, SuccessWithNoFileWrittenIsAFailure) {
    Imaging().writes = plat::fake::SaveWrites::Nothing;
    const std::wstring path = PathOf("ghost.gif");
    EXPECT_FALSE(Save(path, L"gif").ok);
    EXPECT_NE(OnlyErrorBox(path).find(L"wrote no file"), std::wstring::npos);
}

TEST_F(SavePictureFileTest, LibraryAndPictureFailuresStopBeforeTheSave) {
    Imaging().startupStatus = plat::gp::UnsupportedGdiplusVersion;
    auto r = Save(PathOf("a.png"), L"png");
    EXPECT_EQ(r.errorNumber, plat::gp::UnsupportedGdiplusVersion);
    EXPECT_NE(r.description.find(L"graphics library did not start (UnsupportedGdiplusVersion)"), std::wstring::npos);

    plat::fake::ResetImaging();
    Imaging().encodersStatus = plat::gp::OutOfMemory;
    r = Save(PathOf("b.png"), L"png");
    EXPECT_EQ(r.errorNumber, plat::gp::OutOfMemory);

    plat::fake::ResetImaging();
    r = ModSavePic::SavePictureFile(plat::Picture{}, PathOf("c.png"), L"png", 80, 24, 6);
    EXPECT_EQ(r.errorNumber, plat::gp::InvalidParameter);
    EXPECT_NE(r.description.find(L"no picture"), std::wstring::npos);

    EXPECT_TRUE(Imaging().saves.empty());
    EXPECT_EQ(headless::MessageBoxes().size(), 3u);
    for (const char* name : {"a.png", "b.png", "c.png"}) EXPECT_FALSE(fs::exists(PathOf(name)));
}

// mGdip: the module-level token and the start-up failure that ends the program.
struct EndRequested {};

class GraphicsPairTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        plat::fake::ResetImaging();
        saved_ = mGdip::EndProgram;
        mGdip::EndProgram = [] { throw EndRequested{}; };
    }
    void TearDown() override { mGdip::EndProgram = saved_; }
    mGdip::EndProgramFn saved_ = nullptr;
};

TEST_F(GraphicsPairTest, StartKeepsTheTokenAndStopEndsThatInstance) {
    mGdip::GraphicsToken = 0;
    mGdip::StartGraphics();
    EXPECT_NE(mGdip::GraphicsToken, 0u);
    EXPECT_EQ(Imaging().liveInstances, 1);
    // A save in between keeps its own instance and leaves the token alone.
    const auto token = mGdip::GraphicsToken;
    ModSavePic::SavePictureFile(plat::Picture{}, L"x.png", L"png", 80, 24, 6);
    EXPECT_EQ(mGdip::GraphicsToken, token);
    EXPECT_EQ(Imaging().liveInstances, 1);
    mGdip::StopGraphics();
    EXPECT_EQ(Imaging().liveInstances, 0);
}

TEST_F(GraphicsPairTest, AFailedStartTellsTheUserAndEndsTheProgram) {
    Imaging().startupStatus = plat::gp::GenericError;
    EXPECT_THROW(mGdip::StartGraphics(), EndRequested);
    ASSERT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(headless::MessageBoxes()[0].title, L"初始化错误");
    EXPECT_EQ(headless::MessageBoxes()[0].text, L"GDI+ 初始化错误。程序即将关闭。");
    EXPECT_EQ(headless::MessageBoxes()[0].style, plat::kMsgCritical);
    EXPECT_EQ(Imaging().liveInstances, 0);
}

}  // namespace
