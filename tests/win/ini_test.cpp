// rwini over the real profile functions: the file beside the program, its
// bytes (ANSI, readable by the A functions too), defaults never written.
#include <windows.h>

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "platform/services/profile.h"
#include "shell/rwini.h"
#include "tests/win/hotkey_test_steps.h"
#include "tests/win/long_folder.h"

namespace {

using hotkey_test::IniBesideExe;
using win_testing::TestFolder;

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

TEST(IniWin, ReadsGiveDefaultsWithoutWritingAndAWriteMakesAnAnsiFile) {
    IniBesideExe ini;
    EXPECT_EQ(rwini::ReadIni(L"HotKey", L"0", L"46,0,0,0"), L"46,0,0,0");
    EXPECT_EQ(GetFileAttributesW(ini.Path().c_str()), INVALID_FILE_ATTRIBUTES) << "a read made the file";
    rwini::WriteIni(L"HotKey", L"0", L"46,0,0,0");
    rwini::WriteIni(L"HotKey", L"1", L"81,0,-1,0");
    EXPECT_EQ(ini.Bytes(), "[HotKey]\r\n0=46,0,0,0\r\n1=81,0,-1,0\r\n");
    EXPECT_EQ(ReadA("HotKey", "1", ini.Path()), "81,0,-1,0");

    // An empty value reads as the default and stays as the user left it.
    ini.Set("[HotKey]\r\n0=\r\n1=81,0,-1,0\r\n");
    EXPECT_EQ(rwini::ReadIni(L"hotkey", L"1", L"46,0,0,0"), L"81,0,-1,0");
    EXPECT_EQ(rwini::ReadIni(L"HotKey", L"0", L"46,0,0,0"), L"46,0,0,0");
    EXPECT_EQ(ini.Bytes(), "[HotKey]\r\n0=\r\n1=81,0,-1,0\r\n");
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

TEST(IniWin, ValuesAreReadWholeAtAnyLength) {
    IniBesideExe ini;
    // Lengths around the sizes a read buffer grows through.
    const size_t lengths[] = {143, 255, 256, 511, 512, 5000};
    std::string text = "[HotKey]\r\n0=" + std::string(300, 'h') + "\r\n";
    for (size_t i = 0; i < std::size(lengths); ++i) {
        const std::string n = std::to_string(i);
        text += "[b" + n + "]\r\nb" + n + "=" + std::string(lengths[i], static_cast<char>('a' + i)) + "\r\n";
    }
    ini.Set(text);
    EXPECT_EQ(rwini::ReadIni(L"HotKey", L"0", L"46,0,0,0"), std::wstring(300, L'h'));
    for (size_t i = 0; i < std::size(lengths); ++i)
        EXPECT_EQ(rwini::ReadPathSetting(L"b" + std::to_wstring(i)),
                  std::wstring(lengths[i], static_cast<wchar_t>(L'a' + i))) << lengths[i];
    EXPECT_EQ(rwini::ReadPathSetting(L"b7"), L"b7");
    EXPECT_EQ(ini.Bytes(), text);  // nothing written
}

// The same steps on a.ini in a short folder and in one past the path limit
// give the same answers and leave the same bytes, and nothing else behind.
TEST(IniWin, AFolderPastThePathLimitBehavesAsAShortOne) {
    TestFolder shallow(0), deep(300);
    ASSERT_LT(shallow.Path().size() + 6, static_cast<size_t>(MAX_PATH));
    ASSERT_GT(deep.Path().size(), 300u);
    const std::wstring logo(300, L'L');
    struct Outcome {
        std::vector<std::wstring> answers;
        std::vector<bool> written;
        std::string created, edited;
    };
    auto steps = [&](const TestFolder& folder) {
        Outcome o;
        const std::wstring path = folder.PathOf(L"a.ini");
        // No file yet: the default, and the first write creates it.
        o.answers.push_back(plat::ProfileGetString(L"HotKey", L"0", L"46,0,0,0", path));
        o.written.push_back(plat::ProfileWriteString(L"HotKey", L"0", L"87,0,-1,0", path));
        o.created = TestFolder::Bytes(path);

        TestFolder::Write(path, "[logo]\r\nlogo=" + std::string(logo.begin(), logo.end()) +
                                    "\r\n[HotKey]\r\n0=87,0,-1,0\r\n2=\r\n");
        for (const wchar_t* k : {L"0", L"1", L"2"})
            o.answers.push_back(plat::ProfileGetString(L"hotkey", k, L"", path));
        o.answers.push_back(plat::ProfileGetString(L"logo", L"logo", L"logo", path));
        o.answers.push_back(plat::ProfileGetString(L"b3", L"b3", L"b3", path));
        o.written.push_back(plat::ProfileWriteString(L"HotKey", L"1", L"46,0,0,0", path));
        o.written.push_back(plat::ProfileWriteString(L"HotKey", L"2", L"46,0,0,0", path));
        o.written.push_back(plat::ProfileWriteString(L"b3", L"b3", L"C:\\pics\\b3.png", path));
        o.answers.push_back(plat::ProfileGetString(L"b3", L"b3", L"b3", path));
        o.edited = TestFolder::Bytes(path);
        EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"a.ini"});
        return o;
    };
    const Outcome a = steps(shallow), b = steps(deep);
    EXPECT_EQ(b.answers, (std::vector<std::wstring>{L"46,0,0,0", L"87,0,-1,0", L"", L"", logo, L"b3",
                                                    L"C:\\pics\\b3.png"}));
    EXPECT_EQ(b.answers, a.answers);
    EXPECT_EQ(b.written, (std::vector<bool>(4, true)));
    EXPECT_EQ(b.written, a.written);
    EXPECT_EQ(b.created, "[HotKey]\r\n0=87,0,-1,0\r\n");
    EXPECT_EQ(b.created, a.created);
    EXPECT_EQ(b.edited, a.edited);
    EXPECT_NE(b.edited.find("[HotKey]\r\n0=87,0,-1,0\r\n2=46,0,0,0\r\n1=46,0,0,0\r\n"), std::string::npos);

    // A read-only file past the limit is not written, and not lost. (Wine run
    // as root writes a short read-only one; Windows refuses both.)
    const std::wstring path = deep.PathOf(L"a.ini");
    SetFileAttributesW(TestFolder::Ext(path).c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(plat::ProfileWriteString(L"HotKey", L"3", L"88,0,-1,0", path));
    EXPECT_EQ(plat::ProfileGetString(L"HotKey", L"3", L"none", path), L"none");
    EXPECT_EQ(TestFolder::Bytes(path), b.edited);
    EXPECT_EQ(deep.Names(), std::vector<std::wstring>{L"a.ini"});
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
