// The editor's CutdSave on the headless backend: the dialog it asks for, and
// what happens to the file on each answer; the clipboard is never touched.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editor/variants.h"
#include "platform/toolkit/forms.h"
#include "platform/headless/fake_dialogs.h"
#include "platform/headless/fake_imaging.h"
#include "platform/services/profile.h"
#include "platform/services/system.h"
#include "shell/rwini.h"
#include "tests/unit/headless_fixture.h"

namespace {

namespace fs = std::filesystem;
using plat::fake::Imaging;

class CutdSaveTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        dir_ = fs::temp_directory_path() /
               ("save_flow_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        snip_ = plat::Picture::Create(7, 4, plat::Rgb(1, 2, 3));
        snip_.Draw().FillRect({2, 1, 5, 3}, plat::Rgb(250, 128, 0));
        // What the user had copied before: every answer leaves it as it is.
        ASSERT_TRUE(plat::ClipboardPutPicture(users_));
        writes_ = headless::ClipboardWrites();
    }
    void TearDown() override {
        plat::UnloadForm<aaa>();
        plat::UnloadForm<jie3>();
        plat::DoEvents();
        EXPECT_EQ(plat::fake::UnansweredDialogs(), 0);
        EXPECT_EQ(plat::fake::PendingDialogAnswers(), 0);
        EXPECT_EQ(Imaging().liveInstances, 0);
        EXPECT_EQ(Imaging().liveBitmaps, 0);
        EXPECT_EQ(headless::ClipboardWrites(), writes_);
        EXPECT_TRUE(plat::SamePixels(plat::ClipboardGetPicture(), users_));
        fs::remove_all(dir_);
    }
    std::wstring PathOf(const char* name) const { return (dir_ / name).wstring(); }

    fs::path dir_;
    plat::Picture snip_;
    plat::Picture users_ = plat::Picture::Create(50, 50, plat::Rgb(255, 255, 0));
    int writes_ = 0;
};

TEST_F(CutdSaveTest, AsksWithTheSixFiltersInTheProgramsFolder) {
    plat::fake::QueueSaveCancel();
    aaa& ed = plat::Forms<aaa>();
    EXPECT_FALSE(ed.CutdSave(snip_));
    ASSERT_EQ(plat::fake::SaveDialogRequests().size(), 1u);
    const plat::FileDialogRequest& r = plat::fake::SaveDialogRequests()[0];
    const std::vector<plat::FileFilter> filters = {
        {L"PNG File(*.PNG)", L"*.PNG"},         {L"JPEG File(*.jpg;*.jpeg)", L"*.jpg"},
        {L"Bitmap File(*.bmp)", L"*.bmp"},      {L"GIF File(*.gif)", L"*.gif"},
        {L"TIFF File(*.TIFF)", L"*.tiff"},      {L"All File(*.*)", L"*.*"},
    };
    EXPECT_EQ(r.filters, filters);
    EXPECT_EQ(r.filterIndex, 1);
    EXPECT_EQ(r.title, L"Save");
    EXPECT_EQ(r.initialDir, plat::ExeDir());
    EXPECT_FALSE(r.initialDir.empty());
    EXPECT_EQ(r.defaultExt, L"PNG");
    EXPECT_EQ(r.flags, 0u);
    EXPECT_EQ(r.bufferChars, 255);
    // "Snip 2026-12-10 14-03-05.png": the local time, to the second.
    EXPECT_EQ(r.fileName.size(), 28u);
    EXPECT_EQ(r.fileName.substr(0, 5), L"Snip ");
    EXPECT_EQ(r.fileName.substr(24), L".png");
    EXPECT_EQ(r.owner, ed.hWnd());
}

TEST_F(CutdSaveTest, CancelOrAFailedDialogTouchesNothing) {
    plat::fake::QueueSaveCancel();
    plat::fake::QueueSaveFailure(0x3003);
    // A path that does not fit the dialog's buffer fails in the dialog itself.
    plat::fake::QueueSaveAnswer(PathOf("x") + std::wstring(300, L'x') + L".png");
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(plat::Forms<aaa>().CutdSave(snip_));
    EXPECT_EQ(plat::fake::SaveDialogRequests().size(), 3u);
    EXPECT_TRUE(Imaging().saves.empty());
    EXPECT_TRUE(headless::MessageBoxes().empty());
    EXPECT_TRUE(fs::is_empty(dir_));
    // Only a save remembers a folder.
    EXPECT_EQ(plat::ProfileGetString(L"Save", L"LastFolder", L"none", rwini::IniPath()), L"none");
}

TEST_F(CutdSaveTest, ASuccessfulSaveWritesTheSnipItWasGiven) {
    const std::wstring path = PathOf("shot.PNG");
    plat::fake::QueueSaveAnswer(path, 3);  // the filter picked does not matter
    EXPECT_TRUE(plat::Forms<jie3>().CutdSave(snip_));
    ASSERT_EQ(Imaging().saves.size(), 1u);
    EXPECT_EQ(Imaging().saves[0].encoder, plat::fake::EncoderClsid(L"PNG"));
    EXPECT_TRUE(plat::SamePixels(Imaging().saves[0].picture, snip_));
    plat::Picture back;
    ASSERT_EQ(plat::LoadPictureFile(path, back), plat::gp::Ok);
    EXPECT_TRUE(plat::SamePixels(back, snip_));
    EXPECT_TRUE(headless::MessageBoxes().empty());

    // The next dialog opens where this one saved; a folder since removed
    // sends it back to the program's own (no pictures folder here).
    EXPECT_EQ(plat::ProfileGetString(L"Save", L"LastFolder", L"", rwini::IniPath()), dir_.wstring());
    plat::fake::QueueSaveCancel();
    plat::Forms<aaa>().CutdSave(snip_);
    EXPECT_EQ(plat::fake::SaveDialogRequests().back().initialDir, dir_.wstring());
    fs::remove_all(dir_);
    plat::fake::QueueSaveCancel();
    plat::Forms<aaa>().CutdSave(snip_);
    EXPECT_EQ(plat::fake::SaveDialogRequests().back().initialDir, plat::ExeDir());
}

TEST_F(CutdSaveTest, TheNamesLastExtensionChoosesEncoderAndParameters) {
    struct Case {
        const char* name;
        const wchar_t* encoder;
        std::vector<std::uint32_t> values;
    };
    const Case cases[] = {
        {"a.JPG", L"JPEG", {80}},      {"b.jpg", L"JPEG", {80}},   {"c.jpeg", L"JPEG", {}},
        {"d.bmp", L"BMP", {}},         {"e.b.gif", L"GIF", {}},    {"f.tif", L"TIFF", {}},
        {"g.TIFF", L"TIFF", {6, 24}},  {"h.png.bmp", L"BMP", {}},
    };
    for (const Case& c : cases) {
        Imaging().saves.clear();
        plat::fake::QueueSaveAnswer(PathOf(c.name), 1);
        EXPECT_TRUE(plat::Forms<aaa>().CutdSave(snip_)) << c.name;
        ASSERT_EQ(Imaging().saves.size(), 1u) << c.name;
        EXPECT_EQ(Imaging().saves[0].encoder, plat::fake::EncoderClsid(c.encoder)) << c.name;
        std::vector<std::uint32_t> values;
        for (const auto& p : Imaging().saves[0].params) values.push_back(p.value);
        EXPECT_EQ(values, c.values) << c.name;
        EXPECT_TRUE(fs::exists(PathOf(c.name))) << c.name;
    }
    EXPECT_TRUE(headless::MessageBoxes().empty());
}

TEST_F(CutdSaveTest, AFailedSaveTellsTheUserAndWritesNothing) {
    const std::wstring unknown = PathOf("shot.xyz");
    const std::wstring unwritable = PathOf("no such folder/shot.png");
    plat::fake::QueueSaveAnswer(unknown);
    plat::fake::QueueSaveAnswer(unwritable);
    EXPECT_FALSE(plat::Forms<aaa>().CutdSave(snip_));
    EXPECT_FALSE(plat::Forms<aaa>().CutdSave(snip_));

    const auto& boxes = headless::MessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NE(boxes[0].text.find(L"\"" + unknown + L"\""), std::wstring::npos);
    EXPECT_NE(boxes[1].text.find(L"\"" + unwritable + L"\""), std::wstring::npos);
    EXPECT_FALSE(fs::exists(unknown));
    EXPECT_FALSE(fs::exists(unwritable));
}

TEST_F(CutdSaveTest, AnEmptySnipIsReportedNotSaved) {
    const std::wstring path = PathOf("shot.png");
    plat::fake::QueueSaveAnswer(path);
    EXPECT_FALSE(plat::Forms<aaa>().CutdSave(plat::Picture()));
    EXPECT_FALSE(fs::exists(path));
    ASSERT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_NE(headless::MessageBoxes()[0].text.find(L"no picture"), std::wstring::npos);
}

}  // namespace
