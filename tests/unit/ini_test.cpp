// rwini over the headless profile functions: defaults never written, nothing
// cached, values read whole.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/headless/fake_profile.h"
#include "platform/headless/headless.h"
#include "shell/rwini.h"

namespace {

using fake_profile::Access;

class Ini : public ::testing::Test {
protected:
    void SetUp() override { headless::Reset(); }  // no a.ini, an empty log
    static std::optional<std::wstring> Stored(const std::wstring& section, const std::wstring& key) {
        return fake_profile::Value(rwini::IniPath(), section, key);
    }
    static void Seed(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
        fake_profile::SetValue(rwini::IniPath(), section, key, value);
    }
    static int Writes() {
        int n = 0;
        for (const Access& a : fake_profile::Log()) n += a.write;
        return n;
    }
};

TEST_F(Ini, MissingOrEmptyKeysGiveTheDefaultAndNothingIsWritten) {
    Seed(L"HotKey", L"1", L"");
    Seed(L"HotKey", L"2", L"81,0,-1,0");
    EXPECT_EQ(rwini::ReadIni(L"HotKey", L"0", L"46,0,0,0"), L"46,0,0,0");
    EXPECT_EQ(rwini::ReadIni(L"HotKey", L"1", L"46,0,0,0"), L"46,0,0,0");
    EXPECT_EQ(rwini::ReadIni(L"HotKey", L"2", L"46,0,0,0"), L"81,0,-1,0");
    EXPECT_EQ(Writes(), 0);
    EXPECT_EQ(Stored(L"HotKey", L"0"), std::nullopt);
    EXPECT_EQ(Stored(L"HotKey", L"1"), L"");  // the user's empty value stays as it was
}

TEST_F(Ini, NothingIsCachedBetweenReads) {
    Seed(L"HotKey", L"2", L"81,0,-1,0");
    EXPECT_EQ(rwini::ReadIni(L"HotKey", L"2", L"46,0,0,0"), L"81,0,-1,0");
    Seed(L"HotKey", L"2", L"90,-1,0,0");  // another program edits the file
    EXPECT_EQ(rwini::ReadIni(L"HotKey", L"2", L"46,0,0,0"), L"90,-1,0,0");
    rwini::WriteIni(L"HotKey", L"2", L"65,0,-1,0");
    EXPECT_EQ(Stored(L"HotKey", L"2"), L"65,0,-1,0");
}

TEST_F(Ini, LongValuesAreReadWholeAndNothingIsWritten) {
    Seed(L"HotKey", L"0", std::wstring(400, L'x'));
    Seed(L"logo", L"logo", std::wstring(400, L'x'));
    EXPECT_EQ(rwini::ReadIni(L"HotKey", L"0", L"46,0,0,0"), std::wstring(400, L'x'));
    EXPECT_EQ(rwini::ReadPathSetting(L"logo"), std::wstring(400, L'x'));
    EXPECT_EQ(Writes(), 0);
}

TEST_F(Ini, PathSettingsDefaultToTheirNameAndWriteNothingBack) {
    EXPECT_EQ(rwini::ReadPathSetting(L"logo"), L"logo");
    EXPECT_EQ(rwini::ReadPathSetting(L"b3"), L"b3");
    EXPECT_EQ(Writes(), 0);
    EXPECT_FALSE(fake_profile::Exists(rwini::IniPath()));  // no file was made

    rwini::WritePathSetting(L"b3", L"b3", L"C:\\pics\\logo.png");
    rwini::WritePathSetting(L"logo", L"logo", L"C:\\pics\\mine.png");
    EXPECT_EQ(rwini::ReadPathSetting(L"b3"), L"C:\\pics\\logo.png");
    EXPECT_EQ(rwini::ReadPathSetting(L"logo"), L"C:\\pics\\mine.png");
    EXPECT_EQ(Stored(L"b3", L"b3"), L"C:\\pics\\logo.png");
}

TEST_F(Ini, AFailedWriteGoesUnnoticed) {
    fake_profile::SetUnwritable(rwini::IniPath(), true);
    EXPECT_EQ(rwini::ReadIni(L"HotKey", L"0", L"46,0,0,0"), L"46,0,0,0");
    rwini::WriteIni(L"HotKey", L"0", L"81,0,-1,0");
    EXPECT_EQ(rwini::ReadIni(L"HotKey", L"0", L"46,0,0,0"), L"46,0,0,0");
    EXPECT_FALSE(fake_profile::Exists(rwini::IniPath()));
}

}  // namespace
