// The news lines through the real multi-line edit control: its word wrap at
// the box's width moves later lines down, its line breaks are the ones the
// fetched text had in any form, and hostile text is harmless.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/forms.h"
#include "platform/system.h"
#include "shell/frm_main.h"
#include "tests/win/hotkey_test_steps.h"

namespace {

const std::string kNoHotkeys =
    "[HotKey]\r\n0=46,0,0,0\r\n1=46,0,0,0\r\n2=46,0,0,0\r\n3=46,0,0,0\r\n4=46,0,0,0\r\n5=46,0,0,0\r\n";

class NewsPanelWin : public ::testing::Test {
protected:
    void SetUp() override {
        ini_.Set(kNoHotkeys);
        plat::Forms<frmMain>().Show();
    }
    void TearDown() override {
        plat::UnloadForm<frmMain>();
        plat::DoEvents();
    }
    static frmMain& Main() { return plat::Forms<frmMain>(); }
    hotkey_test::IniBesideExe ini_;
};

TEST_F(NewsPanelWin, ALineWiderThanTheBoxTakesTwoLabelsAndMovesTheLaterLinesDown) {
    frmMain& f = Main();
    const std::wstring longLine = L"Morrowen Snip now frames every snip with a choice of borders and stickers";
    f.ShowNews("Short news\r\nMorrowen Snip now frames every snip with a choice of borders and stickers\r\n"
               "third\r\nfourth\r\nhttps://a.example/1\r\nhttps://a.example/2\r\n");
    HWND box = reinterpret_cast<HWND>(f.ad.NativeHandle());
    ASSERT_GT(SendMessageW(box, EM_GETLINECOUNT, 0, 0), 7) << "the long line wraps in the real box";
    EXPECT_EQ(f.Label7.Caption(), L"Short news");
    // The wrap falls between words; the two labels hold the line between them.
    const std::wstring first = f.Label10.Caption(), second = f.Label11.Caption();
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
    EXPECT_EQ(longLine.rfind(first, 0), 0u) << "the box line starts the text line";
    EXPECT_NE(longLine.find(second), std::wstring::npos);
    EXPECT_LT(first.size(), longLine.size());
    EXPECT_EQ(f.Label13.Caption(), L"fourth") << "every line after the long one moves down";
    // A line of the box fits the blue caption it lands in.
    EXPECT_LE(plat::MeasureText(first, f.Label10.TextFont).x, static_cast<int>(f.Label10.Width()));
}

TEST_F(NewsPanelWin, EveryLineEndingBreaksAndHostileTextIsHarmless) {
    frmMain& f = Main();
    f.ShowNews("a\nb\rc\r\nd\n\xEF\xBB\xBFz");
    EXPECT_EQ(f.Label7.Caption(), L"a");
    EXPECT_EQ(f.Label10.Caption(), L"b");
    EXPECT_EQ(f.Label11.Caption(), L"c");
    EXPECT_EQ(f.Label12.Caption(), L"d");

    // Binary bytes with NULs, then a 100 000-character line, then thousands of lines.
    static const char kBinary[] = "\x01\x02\x00\xFF\xFE binary\x00tail\n";
    std::string hostile(kBinary, sizeof(kBinary) - 1);
    hostile += std::string(100000, 'x') + "\n";
    for (int i = 0; i < 5000; ++i) hostile += "line " + std::to_string(i) + "\r\n";
    const auto started = std::chrono::steady_clock::now();
    f.ShowNews(hostile);
    const auto took = std::chrono::steady_clock::now() - started;
    EXPECT_LT(took, std::chrono::seconds(2));
    EXPECT_NE(f.Label7.Caption().find(L"binary"), std::wstring::npos) << "a NUL does not end the text";
    EXPECT_NE(f.Label7.Caption().find(L"tail"), std::wstring::npos);
    EXPECT_EQ(f.Label10.Caption().find_first_not_of(L'x'), std::wstring::npos) << "the long line wraps into the next labels";
    EXPECT_FALSE(f.Label10.Caption().empty());
}

}  // namespace
