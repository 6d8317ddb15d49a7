// rwini over the real profile functions: the file beside the program, its
// bytes (ANSI, readable by the A functions too), defaults written back.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "shell/rwini.h"
#include "tests/win/hotkey_test_steps.h"

namespace {

using hotkey_test::IniBesideExe;

std::string ReadA(const char* section, const char* key, const std::wstring& path) {
    char buf[300] = {};
    const std::string p(path.begin(), path.end());  // the test folder's path is ASCII
    GetPrivateProfileStringA(section, key, "(none)", buf, sizeof buf, p.c_str());
    return buf;
}

TEST(IniWin, TheFileLiesBesideTheProgram) {
    wchar_t exe[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring dir(exe, n);
    dir.resize(dir.find_last_of(L'\\'));
    EXPECT_EQ(rwini::IniPath(), dir + L"\\a.ini");
}

TEST(IniWin, FirstReadsCreateAnAnsiFileWithTheDefaults) {
    IniBesideExe ini;
    EXPECT_EQ(rwini::ReadIni(L"HotKey", L"0", L"46,0,0,0"), L"46,0,0,0");
    EXPECT_EQ(rwini::ReadIni(L"HotKey", L"1", L"46,0,0,0"), L"46,0,0,0");
    EXPECT_EQ(ini.Bytes(), "[HotKey]\r\n0=46,0,0,0\r\n1=46,0,0,0\r\n");
    EXPECT_EQ(ReadA("HotKey", "1", ini.Path()), "46,0,0,0");
}

TEST(IniWin, EmptyValuesAreReplacedAndPresentOnesLeftAlone) {
    IniBesideExe ini;
    ini.Set("[HotKey]\r\n0=\r\n1=81,0,-1,0\r\n");
    EXPECT_EQ(rwini::ReadIni(L"hotkey", L"1", L"46,0,0,0"), L"81,0,-1,0");
    EXPECT_EQ(rwini::ReadIni(L"HotKey", L"0", L"46,0,0,0"), L"46,0,0,0");
    EXPECT_EQ(ini.Bytes(), "[HotKey]\r\n0=46,0,0,0\r\n1=81,0,-1,0\r\n");
}

TEST(IniWin, EveryReadSeesTheFileAsItIsNow) {
    IniBesideExe ini;
    ini.Set("[HotKey]\r\n3=81,0,-1,0\r\n");
    EXPECT_EQ(rwini::ReadIni(L"HotKey", L"3", L"46,0,0,0"), L"81,0,-1,0");
    Sleep(20);
    ini.Set("[HotKey]\r\n3=90,-1,0,0\r\n");  // edited behind the program's back
    EXPECT_EQ(rwini::ReadIni(L"HotKey", L"3", L"46,0,0,0"), L"90,-1,0,0");
    rwini::WriteIni(L"HotKey", L"3", L"65,0,-1,0");
    EXPECT_EQ(ReadA("HotKey", "3", ini.Path()), "65,0,-1,0");
}

TEST(IniWin, ValuesAreCutToTheReadBuffers) {
    IniBesideExe ini;
    const std::string x(300, 'x');
    ini.Set("[HotKey]\r\n0=" + x + "\r\n[logo]\r\nlogo=" + x + "\r\n");
    EXPECT_EQ(rwini::ReadIni(L"HotKey", L"0", L"46,0,0,0"), std::wstring(143, L'x'));
    EXPECT_EQ(rwini::ReadPathSetting(L"logo"), std::wstring(255, L'x'));
    EXPECT_EQ(rwini::ReadPathSetting(L"b5"), L"b5");
    EXPECT_EQ(ini.Bytes(), "[HotKey]\r\n0=" + x + "\r\n[logo]\r\nlogo=" + x + "\r\n");  // nothing written
}

TEST(IniWin, PathsAreStoredInTheAnsiCodePage) {
    IniBesideExe ini;
    rwini::WritePathSetting(L"logo", L"logo", L"C:\\pics\\caf\u00e9.png");
    const std::string bytes = ini.Bytes();
    EXPECT_EQ(bytes.rfind("\xEF\xBB\xBF", 0), std::string::npos);  // no byte order mark
    EXPECT_EQ(bytes.find('\0'), std::string::npos);                // not UTF-16
    // The A functions read back the path in the system's code page.
    char ansi[64] = {};
    WideCharToMultiByte(CP_ACP, 0, L"C:\\pics\\caf\u00e9.png", -1, ansi, sizeof ansi, nullptr, nullptr);
    EXPECT_EQ(ReadA("logo", "logo", ini.Path()), ansi);
    if (GetACP() == 1252) {
        EXPECT_EQ(rwini::ReadPathSetting(L"logo"), L"C:\\pics\\caf\u00e9.png");
    }
}

}  // namespace
