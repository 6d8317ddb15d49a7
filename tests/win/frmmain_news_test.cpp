// The news lines through the real multi-line edit control: its word wrap at
// the box's width moves later lines down, its line breaks are the ones the
// fetched text had in any form, and hostile text is harmless.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/toolkit/forms.h"
#include "platform/services/system.h"
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

TEST_F(NewsPanelWin, ALineWiderThanTheBoxTakesSeveralLabelsAndMovesTheLaterLinesDown) {
    frmMain& f = Main();
    const std::wstring longLine = L"Frames and stickers for every snip";
    f.ShowNews("Short news\r\nFrames and stickers for every snip\r\nthird\r\nfourth\r\nfifth\r\nsixth\r\nseventh\r\n");
    HWND box = reinterpret_cast<HWND>(f.ad.NativeHandle());
    ASSERT_GT(SendMessageW(box, EM_GETLINECOUNT, 0, 0), 7) << "the long line wraps in the real box";
    const plat::Label* labels[] = {&f.Label7, &f.Label10, &f.Label11, &f.Label12, &f.Label13, &f.Label14, &f.Label15, &f.Label16};
    EXPECT_EQ(labels[0]->Caption(), L"Short news");
    // The wrap falls between words (the space stays at the end of a box
    // line): the box lines of the long line, joined, are the line.
    int third = 2;
    std::wstring joined = labels[1]->Caption();
    while (third < 8 && labels[third]->Caption() != L"third") joined += labels[third++]->Caption();
    ASSERT_GE(third, 3) << "the long line takes at least two labels";
    ASSERT_LT(third, 7);
    EXPECT_EQ(joined, longLine);
    EXPECT_EQ(labels[third + 1]->Caption(), L"fourth") << "every line after the long one moves down";
    // A box line fits the blue caption it lands in.
    for (int k = 1; k < third && k < 3; ++k)
        EXPECT_LE(plat::MeasureText(labels[k]->Caption(), labels[k]->TextFont).x, static_cast<int>(labels[k]->Width())) << k;
}

TEST_F(NewsPanelWin, EveryLineEndingBreaksAndHostileTextIsHarmless) {
    frmMain& f = Main();
    f.ShowNews("a\nb\rc\r\nd\n\xEF\xBB\xBFz");
    EXPECT_EQ(f.Label7.Caption(), L"a");
    EXPECT_EQ(f.Label10.Caption(), L"b");
    EXPECT_EQ(f.Label11.Caption(), L"c");
    EXPECT_EQ(f.Label12.Caption(), L"d");

    // Binary bytes with NULs, 100 000-character lines without a space (the
    // box's wrap of such a line is slow), then thousands of lines.
    static const char kBinary[] = "\x01\x02\x00\xFF\xFE binary\x00tail\n";
    std::string hostile(kBinary, sizeof(kBinary) - 1);
    for (int i = 0; i < 7; ++i) hostile += std::string(100000, 'x') + "\n";
    for (int i = 0; i < 5000; ++i) hostile += "line " + std::to_string(i) + "\r\n";
    const auto started = std::chrono::steady_clock::now();
    f.ShowNews(hostile);
    const auto took = std::chrono::steady_clock::now() - started;
    EXPECT_LT(took, std::chrono::seconds(1));
    EXPECT_NE(f.Label7.Caption().find(L"binary"), std::wstring::npos) << "a NUL does not end the text";
    EXPECT_NE(f.Label7.Caption().find(L"tail"), std::wstring::npos);
    EXPECT_EQ(f.Label10.Caption().find_first_not_of(L'x'), std::wstring::npos) << "the long line wraps into the next labels";
    EXPECT_FALSE(f.Label10.Caption().empty());
}

}  // namespace
