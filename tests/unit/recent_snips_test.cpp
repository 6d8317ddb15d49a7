// Recent snips kept in memory, reached from the tray menu and from a
// command-line "--last" through the running copy; the settings beside them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/selection_geometry.h"
#include "editor/variants.h"
#include "platform/headless/fake_cli_services.h"
#include "platform/headless/fake_profile.h"
#include "platform/headless/fake_shell.h"
#include "platform/headless/headless.h"
#include "platform/services/instance_request.h"
#include "platform/services/system.h"
#include "platform/toolkit/forms.h"
#include "logo/sss.h"
#include "shell/command_run.h"
#include "shell/countdown.h"
#include "shell/extra_settings.h"
#include "shell/frm_main.h"
#include "shell/recent_snips.h"
#include "shell/rwini.h"
#include "shell/snip_delivery.h"
#include "shell/start_with_windows.h"

namespace {

plat::Picture Solid(int w, int h, plat::Color c) { return plat::Picture::Create(w, h, c); }

class RecentSnipsTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::Reset();
        shell::Recent().Clear();
        shell::ResetDeliveries();
        rwini::HoldWrites(false);
    }
    void TearDown() override {
        plat::UnloadForm<frmCountdown>();
        plat::UnloadForm<aaa>();
        plat::UnloadForm<frmMain>();
        plat::UnloadForm<sss>();
        plat::DoEvents();
        shell::Recent().Clear();
        rwini::HoldWrites(false);
    }
    // The id of the tray menu entry (or submenu entry) with this text.
    static int MenuId(const std::wstring& text) {
        for (const plat::MenuEntry& e : plat::fake::LastTrayMenuTree()) {
            if (e.text == text) return e.id;
            for (const plat::MenuEntry& c : e.children)
                if (c.text == text) return c.id;
        }
        return -2;
    }
    static std::vector<std::wstring> RecentMenuTexts() {
        for (const plat::MenuEntry& e : plat::fake::LastTrayMenuTree()) {
            if (e.text != L"Recent snips") continue;
            std::vector<std::wstring> texts;
            for (const plat::MenuEntry& c : e.children) texts.push_back(c.text);
            return texts;
        }
        return {};
    }
};

TEST_F(RecentSnipsTest, TheNewestTenAreKeptNewestFirst) {
    for (int i = 1; i <= 12; ++i) shell::SnipDelivered(Solid(i, 5, plat::Rgb(i, 0, 0)), {0, 0, i, 5});
    const auto& entries = shell::Recent().Entries();
    ASSERT_EQ(entries.size(), shell::RecentSnips::kMaxEntries);
    EXPECT_EQ(entries.front().width, 12);
    EXPECT_EQ(entries.back().width, 3);
    EXPECT_EQ(shell::LastSnipRect(), (plat::Rect{0, 0, 12, 5}));
}

TEST_F(RecentSnipsTest, OlderSnipsMakeRoomWhenTheBytesWouldPassTheBudget) {
    // The headless backend's stand-in for PNG holds 12 + 4 bytes a pixel: 44 here.
    shell::RecentSnips recent(100);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(recent.Keep(Solid(4, 2, plat::Rgb(i, 0, 0)), i));
    ASSERT_EQ(recent.Entries().size(), 2u);
    EXPECT_EQ(recent.Entries().front().takenAt, 2);
    EXPECT_LE(recent.Bytes(), 100u);
    // One snip larger than the budget still stays: it is the newest.
    ASSERT_TRUE(recent.Keep(Solid(10, 10, plat::Rgb(1, 1, 1)), 3));
    EXPECT_EQ(recent.Entries().size(), 1u);
}

TEST_F(RecentSnipsTest, TurnedOffNothingIsKeptAndAMalformedValueStaysAsItIs) {
    fake_profile::SetValue(rwini::IniPath(), L"RecentSnips", L"Keep", L"0");
    shell::SnipDelivered(Solid(4, 4, plat::Rgb(1, 2, 3)), {0, 0, 4, 4});
    EXPECT_TRUE(shell::Recent().Entries().empty());

    // Not a number it knows: the default (on) serves, the text is not rewritten.
    fake_profile::SetValue(rwini::IniPath(), L"RecentSnips", L"Keep", L" yes ");
    shell::SnipDelivered(Solid(4, 4, plat::Rgb(1, 2, 3)), {0, 0, 4, 4});
    EXPECT_EQ(shell::Recent().Entries().size(), 1u);
    EXPECT_EQ(fake_profile::Value(rwini::IniPath(), L"RecentSnips", L"Keep"), L" yes ");
    for (const auto& a : fake_profile::Log()) EXPECT_FALSE(a.write) << "a.ini written on a read";
}

TEST_F(RecentSnipsTest, SettingNumbersAreWholeNumbersInRange) {
    int n = 0;
    EXPECT_TRUE(shell::ParseSettingNumber(L"-12", n));
    EXPECT_EQ(n, -12);
    for (const wchar_t* bad : {L"", L"-", L"1 ", L"0x1", L"1234567890", L"+1", L"3s"})
        EXPECT_FALSE(shell::ParseSettingNumber(bad, n)) << std::wstring(bad).size();
    fake_profile::SetValue(rwini::IniPath(), L"S", L"K", L"11");
    EXPECT_EQ(shell::ReadSettingNumber(L"S", L"K", 3, 1, 10), 3);
    fake_profile::SetValue(rwini::IniPath(), L"S", L"K", L"10");
    EXPECT_EQ(shell::ReadSettingNumber(L"S", L"K", 3, 1, 10), 10);
}

// A command-line "--last" reaches the running copy, which sends the newest
// snip's bytes; the asker puts that picture on the clipboard.
TEST_F(RecentSnipsTest, LastFromTheRunningCopyGivesTheNewestSnip) {
    shell::CommandLine last;
    last.action = shell::CommandAction::Last;
    EXPECT_EQ(shell::RunCommandLine(last), shell::kExitError);  // no running copy
    ASSERT_FALSE(plat::fake::ConsoleLines().empty());
    EXPECT_TRUE(plat::fake::ConsoleLines().back().error);

    plat::Forms<frmMain>().Show();

    plat::Forms<frmMain>().FinishStartUp();  // as its timer does after the first paint
    rwini::HoldWrites(false);
    EXPECT_EQ(shell::RunCommandLine(last), shell::kExitError);  // running, nothing kept yet
    shell::SnipDelivered(Solid(7, 3, plat::Rgb(10, 20, 30)), {0, 0, 7, 3});
    shell::SnipDelivered(Solid(9, 2, plat::Rgb(40, 50, 60)), {0, 0, 9, 2});
    ASSERT_TRUE(plat::ClipboardPutPicture(Solid(1, 1, plat::Rgb(0, 0, 0))));  // the user copied something else
    EXPECT_EQ(shell::RunCommandLine(last), shell::kExitDelivered);
    const plat::Picture got = plat::ClipboardGetPicture();
    ASSERT_FALSE(got.Empty());
    EXPECT_EQ(got.Width(), 9);
    EXPECT_EQ(got.Pixel(4, 1), plat::Rgb(40, 50, 60));
}

TEST_F(RecentSnipsTest, TheTrayMenuListsTheSnipsAndCopiesOneBack) {
    frmMain& f = plat::Forms<frmMain>();
    f.Show();
    f.FinishStartUp();  // as its timer does after the first paint
    plat::fake::SetTrayMenuTreeAnswer(-1);
    plat::fake::TrayNotify(f.hWnd(), plat::kTrayRightButtonUp);
    EXPECT_EQ(RecentMenuTexts(), (std::vector<std::wstring>{L"(none yet)", L"", L"Keep recent snips"}));

    shell::SnipDelivered(Solid(7, 3, plat::Rgb(10, 20, 30)), {0, 0, 7, 3});
    shell::SnipDelivered(Solid(9, 2, plat::Rgb(40, 50, 60)), {0, 0, 9, 2});
    plat::fake::TrayNotify(f.hWnd(), plat::kTrayRightButtonUp);
    const std::vector<std::wstring> texts = RecentMenuTexts();
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_TRUE(texts[0].ends_with(L"  9 x 2"));
    EXPECT_TRUE(texts[1].ends_with(L"  7 x 3"));

    ASSERT_TRUE(plat::ClipboardPutPicture(Solid(1, 1, plat::Rgb(0, 0, 0))));  // the user copied something else
    plat::fake::SetTrayMenuTreeAnswer(MenuId(texts[1]));
    plat::fake::TrayNotify(f.hWnd(), plat::kTrayRightButtonUp);
    const plat::Picture got = plat::ClipboardGetPicture();
    ASSERT_FALSE(got.Empty());
    EXPECT_EQ(got.Width(), 7);
    EXPECT_EQ(got.Pixel(0, 0), plat::Rgb(10, 20, 30));

    // Turned off from the menu: stored, and what was kept is let go.
    plat::fake::SetTrayMenuTreeAnswer(MenuId(L"Keep recent snips"));
    plat::fake::TrayNotify(f.hWnd(), plat::kTrayRightButtonUp);
    EXPECT_EQ(fake_profile::Value(rwini::IniPath(), L"RecentSnips", L"Keep"), L"0");
    EXPECT_TRUE(shell::Recent().Entries().empty());
}

TEST_F(RecentSnipsTest, StartWithWindowsAddsTheQuotedPathAndTakesItAway) {
    frmMain& f = plat::Forms<frmMain>();
    f.Show();
    f.FinishStartUp();  // as its timer does after the first paint
    plat::fake::SetTrayMenuTreeAnswer(-1);
    plat::fake::TrayNotify(f.hWnd(), plat::kTrayRightButtonUp);
    const int id = MenuId(L"Start with Windows");
    plat::fake::SetTrayMenuTreeAnswer(id);
    plat::fake::TrayNotify(f.hWnd(), plat::kTrayRightButtonUp);
    EXPECT_EQ(plat::fake::RunEntries()[shell::kRunEntryName],
              L"\"C:\\Program Files\\Morrowen Snip\\MorrowenSnip.exe\"");
    plat::fake::SetTrayMenuTreeAnswer(-1);
    plat::fake::TrayNotify(f.hWnd(), plat::kTrayRightButtonUp);
    for (const plat::MenuEntry& e : plat::fake::LastTrayMenuTree())
        if (e.id == id) {
            EXPECT_TRUE(e.checked);
        }

    plat::fake::SetTrayMenuTreeAnswer(id);
    plat::fake::TrayNotify(f.hWnd(), plat::kTrayRightButtonUp);
    EXPECT_FALSE(shell::StartsWithWindows());

    // A refused change is told, not swallowed.
    plat::fake::SetRunKeyRefuses(true);
    const size_t before = plat::fake::Balloons().size();
    plat::fake::TrayNotify(f.hWnd(), plat::kTrayRightButtonUp);
    EXPECT_EQ(plat::fake::Balloons().size(), before + 1);
}

}  // namespace

namespace {

// "Snip last region again": a plain region snip until a snip was delivered,
// then the editor opens with its selection and toolbar on that rectangle.
TEST_F(RecentSnipsTest, SnipLastRegionAgainOpensOnThePreviousRectangle) {
    headless::SetScreen(plat::Picture::Create(800, 600, plat::Rgb(9, 9, 9)));
    frmMain& f = plat::Forms<frmMain>();
    f.Show();
    f.FinishStartUp();  // as its timer does after the first paint
    f.SnipLastRegionAgain();
    aaa* plain = plat::LoadedForm<aaa>();
    ASSERT_TRUE(plain);
    EXPECT_FALSE(plain->Shape1.Visible());
    EXPECT_FALSE(plain->Picture1.Visible());
    plat::UnloadForm<aaa>();
    plat::DoEvents();

    shell::SnipDelivered(Solid(120, 80, plat::Rgb(1, 1, 1)), {200, 150, 320, 230});
    f.SnipLastRegionAgain();
    aaa* again = plat::LoadedForm<aaa>();
    ASSERT_TRUE(again);
    EXPECT_TRUE(again->Shape1.Visible());
    EXPECT_EQ(editor::SelectionRectOf(again->CurrentSelection()), (plat::Rect{200, 150, 320, 230}));
    EXPECT_TRUE(again->Picture1.Visible());
    EXPECT_EQ(again->ModeTag, "move");
    plat::UnloadForm<aaa>();
    plat::DoEvents();
}

}  // namespace

namespace {

// "Region snip in N seconds": the countdown counts down beside the pointer,
// is gone before the editor opens, and a click on it calls the snip off.
TEST_F(RecentSnipsTest, TheDelayedSnipCountsDownThenOpensTheEditor) {
    fake_profile::SetValue(rwini::IniPath(), L"DelayedSnip", L"Seconds", L"2");
    headless::SetScreen(plat::Picture::Create(800, 600, plat::Rgb(9, 9, 9)));
    headless::SetCursorPos({100, 100});
    frmMain& f = plat::Forms<frmMain>();
    f.Show();
    f.FinishStartUp();  // as its timer does after the first paint
    plat::fake::SetTrayMenuTreeAnswer(-1);
    plat::fake::TrayNotify(f.hWnd(), plat::kTrayRightButtonUp);
    const int id = MenuId(L"Region snip in 2 seconds");
    ASSERT_GE(id, 0);
    plat::fake::SetTrayMenuTreeAnswer(id);
    plat::fake::TrayNotify(f.hWnd(), plat::kTrayRightButtonUp);

    frmCountdown* countdown = plat::LoadedForm<frmCountdown>();
    ASSERT_TRUE(countdown);
    EXPECT_EQ(countdown->lblSeconds.Caption(), L"2");
    EXPECT_TRUE(headless::Bounds(countdown->hWnd()).Contains(130, 130));
    headless::AdvanceClock(1000);
    EXPECT_EQ(countdown->lblSeconds.Caption(), L"1");
    EXPECT_FALSE(plat::LoadedForm<aaa>());
    headless::AdvanceClock(1000);
    EXPECT_FALSE(plat::LoadedForm<frmCountdown>());
    ASSERT_TRUE(plat::LoadedForm<aaa>());
    plat::UnloadForm<aaa>();
    plat::DoEvents();

    // Called off by a click: no editor.
    plat::fake::TrayNotify(f.hWnd(), plat::kTrayRightButtonUp);
    countdown = plat::LoadedForm<frmCountdown>();
    ASSERT_TRUE(countdown);
    headless::Click(countdown->hWnd(), plat::kLeftButton, 5, 5);
    headless::AdvanceClock(3000);
    EXPECT_FALSE(plat::LoadedForm<frmCountdown>());
    EXPECT_FALSE(plat::LoadedForm<aaa>());
}

TEST_F(RecentSnipsTest, TheDelayIsOneToTenSecondsAndAnythingElseIsThree) {
    const std::pair<const wchar_t*, int> rows[] = {{L"1", 1}, {L"10", 10}, {L"0", 3}, {L"11", 3}, {L"5s", 3}, {L"", 3}};
    for (const auto& [text, seconds] : rows) {
        fake_profile::SetValue(rwini::IniPath(), L"DelayedSnip", L"Seconds", text);
        EXPECT_EQ(DelayedSnipSeconds(), seconds) << std::wstring(text).size();
    }
    EXPECT_EQ(DelayedSnipMenuText(1), L"Region snip in 1 second");
}

}  // namespace
