// Auto-save: the names a pattern gives, one file per copy that never
// replaces another, and a failure told once without costing the copy.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/headless/fake_profile.h"
#include "platform/headless/headless.h"
#include "shell/auto_save.h"
#include "shell/recent_snips.h"
#include "shell/rwini.h"
#include "shell/snip_delivery.h"

namespace {

namespace fs = std::filesystem;

std::tm At(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_yday = 43;
    return t;
}

TEST(AutoSaveName, PatternsCountersAndUnsafeCharacters) {
    const std::tm t = At(2026, 2, 13, 7, 5, 9);
    const struct {
        const wchar_t* pattern;
        int counter;
        const wchar_t* name;
    } rows[] = {
        {shell::kDefaultAutoSavePattern, 1, L"Snip 2026-02-13 07-05-09.png"},
        {shell::kDefaultAutoSavePattern, 2, L"Snip 2026-02-13 07-05-09 (2).png"},
        {L"%y%m%d-%j", 1, L"260213-044.png"},
        {L"shot %H:%M.PNG", 3, L"shot 07-05 (3).PNG"},
        {L"100%% %Q %", 1, L"100% %Q %.png"},
        {L"a\\b/c*?\"<>|", 1, L"a-b-c------.png"},
        {L"", 1, L"Snip.png"},
    };
    for (const auto& r : rows) EXPECT_EQ(shell::AutoSaveFileName(r.pattern, t, r.counter), r.name);
}

class AutoSave : public ::testing::Test {
protected:
    void SetUp() override {
        headless::Reset();
        shell::Recent().Clear();
        shell::ResetDeliveries();
        dir_ = fs::temp_directory_path() / ("ms-autosave-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        (void)shell::TakeAutoSaveWarning();
    }
    void TearDown() override {
        fs::permissions(dir_, fs::perms::owner_all);
        fs::remove_all(dir_);
        shell::Recent().Clear();
    }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    fs::path dir_;
};

TEST_F(AutoSave, EachCopyWritesOneFileAndAClashGetsACounter) {
    fake_profile::SetValue(rwini::IniPath(), L"AutoSave", L"Pattern", L"same name");
    shell::SnipDelivered(plat::Picture::Create(3, 2, plat::Rgb(1, 2, 3)), {0, 0, 3, 2});
    EXPECT_TRUE(Files().empty()) << "no folder: no file";

    fake_profile::SetValue(rwini::IniPath(), L"AutoSave", L"Folder", dir_.wstring());
    {
        std::ofstream(dir_ / "same name.png") << "the user's own file";
    }
    shell::SnipDelivered(plat::Picture::Create(3, 2, plat::Rgb(1, 2, 3)), {0, 0, 3, 2});
    shell::SnipDelivered(plat::Picture::Create(4, 2, plat::Rgb(1, 2, 3)), {0, 0, 4, 2});
    EXPECT_EQ(Files(), (std::vector<std::string>{"same name (2).png", "same name (3).png", "same name.png"}));
    std::ifstream own(dir_ / "same name.png");
    std::string text;
    std::getline(own, text);
    EXPECT_EQ(text, "the user's own file");
    EXPECT_TRUE(shell::TakeAutoSaveWarning().empty());
}

TEST_F(AutoSave, AFailureIsToldOnceAndTheSnipIsStillKept) {
    fake_profile::SetValue(rwini::IniPath(), L"AutoSave", L"Folder", (dir_ / "gone").wstring());
    shell::SnipDelivered(plat::Picture::Create(3, 2, plat::Rgb(1, 2, 3)), {0, 0, 3, 2});
    const std::wstring warning = shell::TakeAutoSaveWarning();
    EXPECT_NE(warning.find(L"gone"), std::wstring::npos);
    shell::SnipDelivered(plat::Picture::Create(3, 2, plat::Rgb(1, 2, 3)), {0, 0, 3, 2});
    EXPECT_TRUE(shell::TakeAutoSaveWarning().empty()) << "told twice";
    EXPECT_EQ(shell::Recent().Entries().size(), 2u);

    // A new folder: a failure there is worth telling again.
    shell::SetAutoSaveFolder((dir_ / "also gone").wstring());
    shell::SnipDelivered(plat::Picture::Create(3, 2, plat::Rgb(1, 2, 3)), {0, 0, 3, 2});
    EXPECT_FALSE(shell::TakeAutoSaveWarning().empty());
}

}  // namespace
