// rwini over the headless profile functions: defaults written back, nothing
// cached, values read whole.
#include <gtest/gtest.h>

#include <string>

#include "platform/headless/fake_profile.h"
#include "platform/headless/headless.h"
#include "platform/system.h"
#include "shell/rwini.h"

namespace {

using fake_profile::Access;

class Ini : public ::testing::Test {
protected:
    void SetUp() override {
        headless::Reset();  // an empty program folder: no a.ini
        fake_profile::ClearLog();
    }
    static std::string File() { return fake_profile::FileText(rwini::IniPath()); }
    static void SetFile(const std::string& text) { fake_profile::SetFileText(rwini::IniPath(), text); }
    static int Writes() {
        int n = 0;
        for (const Access& a : fake_profile::Log()) n += a.write;
        return n;
    }
};

TEST_F(Ini, AMissingFileGivesTheDefaultAndTheFirstReadCreatesIt) {
    EXPECT_EQ(rwini::ReadIni(L"HotKey", L"0", L"46,0,0,0"), L"46,0,0,0");
    EXPECT_EQ(File(), "[HotKey]\r\n0=46,0,0,0\r\n");
    EXPECT_EQ(rwini::ReadIni(L"HotKey", L"1", L"46,0,0,0"), L"46,0,0,0");
    EXPECT_EQ(File(), "[HotKey]\r\n0=46,0,0,0\r\n1=46,0,0,0\r\n");
}

TEST_F(Ini, APresentValueIsReturnedAndNothingIsWritten) {
    SetFile("[hotkey]\r\n0=81,0,-1,0\r\n");
    EXPECT_EQ(rwini::ReadIni(L"HotKey", L"0", L"46,0,0,0"), L"81,0,-1,0");  // names compare without case
    EXPECT_EQ(Writes(), 0);
    EXPECT_EQ(File(), "[hotkey]\r\n0=81,0,-1,0\r\n");
}

TEST_F(Ini, AnEmptyValueReadsAsTheDefaultWrittenOverIt) {
    SetFile("[HotKey]\r\n0=\r\n1=65,0,-1,0\r\n");
    EXPECT_EQ(rwini::ReadIni(L"HotKey", L"0", L"46,0,0,0"), L"46,0,0,0");
    EXPECT_EQ(File(), "[HotKey]\r\n0=46,0,0,0\r\n1=65,0,-1,0\r\n");
}

TEST_F(Ini, NothingIsCachedBetweenReads) {
    SetFile("[HotKey]\r\n2=81,0,-1,0\r\n");
    EXPECT_EQ(rwini::ReadIni(L"HotKey", L"2", L"46,0,0,0"), L"81,0,-1,0");
    SetFile("[HotKey]\r\n2=90,-1,0,0\r\n");  // another program edits the file
    EXPECT_EQ(rwini::ReadIni(L"HotKey", L"2", L"46,0,0,0"), L"90,-1,0,0");
    rwini::WriteIni(L"HotKey", L"2", L"65,0,-1,0");
    EXPECT_EQ(File(), "[HotKey]\r\n2=65,0,-1,0\r\n");
}

TEST_F(Ini, LongValuesAreReadWholeAndNothingIsWritten) {
    const std::string longValue(400, 'x');
    SetFile("[HotKey]\r\n0=" + longValue + "\r\n[logo]\r\nlogo=" + longValue + "\r\n");
    EXPECT_EQ(rwini::ReadIni(L"HotKey", L"0", L"46,0,0,0"), std::wstring(400, L'x'));
    EXPECT_EQ(rwini::ReadPathSetting(L"logo"), std::wstring(400, L'x'));
    EXPECT_EQ(Writes(), 0);
}

TEST_F(Ini, PathSettingsDefaultToTheirNameAndWriteNothingBack) {
    EXPECT_EQ(rwini::ReadPathSetting(L"logo"), L"logo");
    EXPECT_EQ(rwini::ReadPathSetting(L"b3"), L"b3");
    EXPECT_EQ(Writes(), 0);
    EXPECT_EQ(File(), "");  // no file was made

    rwini::WritePathSetting(L"b3", L"b3", L"C:\\pics\\logo.png");
    rwini::WritePathSetting(L"logo", L"logo", L"C:\\pics\\mine.png");
    EXPECT_EQ(rwini::ReadPathSetting(L"b3"), L"C:\\pics\\logo.png");
    EXPECT_EQ(rwini::ReadPathSetting(L"logo"), L"C:\\pics\\mine.png");
    EXPECT_EQ(File(), "[b3]\r\nb3=C:\\pics\\logo.png\r\n[logo]\r\nlogo=C:\\pics\\mine.png\r\n");
}

TEST_F(Ini, AFailedWriteGoesUnnoticed) {
    headless::SetExeDir(plat::ExeDir() + L"/no-such-folder");
    EXPECT_EQ(rwini::ReadIni(L"HotKey", L"0", L"46,0,0,0"), L"46,0,0,0");
    rwini::WriteIni(L"HotKey", L"0", L"81,0,-1,0");
    EXPECT_EQ(rwini::ReadIni(L"HotKey", L"0", L"46,0,0,0"), L"46,0,0,0");
}

}  // namespace
