// cHotKey on the real platform: RegisterHotKey, injected key presses, the
// loop's waiting and its end.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "hotkeys/chotkey.h"
#include "platform/toolkit/form.h"
#include "platform/services/system.h"
#include "tests/win/hotkey_test_steps.h"

namespace {

using hotkey_test::PressKeys;
using hotkey_test::Steps;

class HostForm : public plat::Form {
public:
    HostForm() : Form(plat::WindowStyle{L"hotkey host", {40, 40, 240, 140}}) {}
    plat::Timer Timer1{*this};
};

struct Press {
    std::int32_t number, keyCode;
    bool ctrl, alt, shift;
    int loops;
    friend bool operator==(const Press&, const Press&) = default;
};

class HotKeyWin : public ::testing::Test {
protected:
    void SetUp() override {
        host_ = std::make_unique<HostForm>();
        host_->Show();
        plat::DoEvents();
        hk_ = std::make_unique<cHotKey>();
        hk_->SetfrmHwnd(host_->hWnd());
        hk_->HotKeyPress = [this](std::int32_t n, std::int32_t key, bool c, bool a, bool s) {
            presses_.push_back({n, key, c, a, s, hk_->LoopsRunning()});
        };
    }
    void TearDown() override {
        hk_.reset();
        host_->Unload();
        host_.reset();
        plat::DoEvents();
    }
    HWND Hwnd() const { return reinterpret_cast<HWND>(host_->hWnd()); }

    std::unique_ptr<HostForm> host_;
    std::unique_ptr<cHotKey> hk_;
    std::vector<Press> presses_;
};

// Combinations nobody else on a test desktop uses.
constexpr WORD kF9 = VK_F9, kF10 = VK_F10, kF11 = VK_F11;

TEST_F(HotKeyWin, APressedHotkeyArrivesWithItsNumberAndValues) {
    ASSERT_EQ(hk_->AddHotKey(kF9, true, false, true), 1);
    ASSERT_EQ(hk_->AddHotKey(kF10, true, true, true), 2);
    // The identifier the platform got is the atom, negative as a signed value.
    EXPECT_LT(hk_->HotKeyAtoms[1], 0);
    // Really registered: the same combination is refused to anyone else now.
    EXPECT_FALSE(RegisterHotKey(nullptr, 0x1234, MOD_CONTROL | MOD_SHIFT, kF9));

    hk_->StartHotKeys(host_->Timer1);
    Steps steps({[] { PressKeys({VK_CONTROL, VK_MENU, VK_SHIFT}, kF10); },
                 [] { PressKeys({VK_CONTROL, VK_SHIFT}, kF9); },
                 [] { PressKeys({VK_CONTROL}, kF9); },  // not a hotkey: nothing
                 [this] { hk_->StopHotKeys(); }},
                100);
    plat::RunMessageLoop();

    EXPECT_TRUE(steps.Finished());
    EXPECT_EQ(presses_, (std::vector<Press>{{2, kF10, true, true, true, 1}, {1, kF9, true, false, true, 1}}));
    EXPECT_EQ(hk_->LoopsRunning(), 0);
}

TEST_F(HotKeyWin, ACombinationHeldElsewhereIsRefusedAndTheListsStayAsBefore) {
    ASSERT_TRUE(RegisterHotKey(nullptr, 0x2345, MOD_ALT | MOD_SHIFT, kF11));  // "another program"
    ASSERT_EQ(hk_->AddHotKey(kF9, true, false, true), 1);
    const auto keys = hk_->HotKeyKeys;
    const auto atoms = hk_->HotKeyAtoms;
    EXPECT_EQ(hk_->AddHotKey(kF11, false, true, true), -1);
    EXPECT_EQ(hk_->HotKeyKeys, keys);
    EXPECT_EQ(hk_->HotKeyAtoms, atoms);
    EXPECT_EQ(hk_->HotKeysCount(), 1);
    UnregisterHotKey(nullptr, 0x2345);
    EXPECT_EQ(hk_->AddHotKey(kF11, false, true, true), 2);

    // Removed entries are unregistered: their combination is free again.
    EXPECT_TRUE(hk_->DelHotKey(kF9, true, false, true));
    EXPECT_TRUE(RegisterHotKey(nullptr, 0x3456, MOD_CONTROL | MOD_SHIFT, kF9));
    UnregisterHotKey(nullptr, 0x3456);
    hk_->ClsAllHotKey();
    EXPECT_TRUE(RegisterHotKey(nullptr, 0x3457, MOD_ALT | MOD_SHIFT, kF11));
    UnregisterHotKey(nullptr, 0x3457);
}

TEST_F(HotKeyWin, ReapplyingInsideTheLoopServesEveryPressOnceOnOneLevel) {
    auto reapply = [this] {
        hk_->ClsAllHotKey();
        hk_->AddHotKey(kF9, true, false, true);
        hk_->AddHotKey(kF10, true, true, true);
        hk_->StartHotKeys(host_->Timer1);
    };
    reapply();
    std::vector<std::function<void()>> list;
    for (int round = 0; round < 4; ++round) {
        list.push_back([] { PressKeys({VK_CONTROL, VK_SHIFT}, kF9); });
        list.push_back(reapply);
        list.push_back([] {});  // the re-armed start timer fires meanwhile
        list.push_back([] { PressKeys({VK_CONTROL, VK_MENU, VK_SHIFT}, kF10); });
    }
    list.push_back([this] { hk_->StopHotKeys(); });
    Steps steps(list, 80);
    plat::RunMessageLoop();

    ASSERT_TRUE(steps.Finished());
    ASSERT_EQ(presses_.size(), 8u);
    for (size_t i = 0; i < presses_.size(); i += 2) {
        EXPECT_EQ(presses_[i], (Press{1, kF9, true, false, true, 1}));
        EXPECT_EQ(presses_[i + 1], (Press{2, kF10, true, true, true, 1}));
    }
}

// With hotkeys registered and nothing happening, the loop sleeps in the
// system's wait: the process uses next to no processor time.
TEST_F(HotKeyWin, TheLoopWaitsWithoutSpinning) {
    ASSERT_EQ(hk_->AddHotKey(kF9, true, false, true), 1);
    hk_->StartHotKeys(host_->Timer1);
    auto cpuMs = [] {
        FILETIME created, exited, kernel, user;
        GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
        auto ms = [](const FILETIME& t) {
            return ((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000;
        };
        return ms(kernel) + ms(user);
    };
    ULONGLONG before = 0, after = 0;
    DWORD wallStart = 0, wall = 0;
    int loopsSeen = -1;
    Steps steps({[&] {
                     loopsSeen = hk_->LoopsRunning();
                     before = cpuMs();
                     wallStart = GetTickCount();
                 },
                 [&] {
                     after = cpuMs();
                     wall = GetTickCount() - wallStart;
                     hk_->StopHotKeys();
                 }},
                1500);
    plat::RunMessageLoop();
    ASSERT_TRUE(steps.Finished());
    EXPECT_EQ(loopsSeen, 1);  // the time was spent inside the hotkey loop
    EXPECT_GE(wall, 1000u);
    EXPECT_LT(after - before, 150u) << "over " << wall << " ms";
}

TEST_F(HotKeyWin, AQuitRequestEndsTheLoopAndReachesTheLoopThatOwnsIt) {
    ASSERT_EQ(hk_->AddHotKey(kF9, true, false, true), 1);
    hk_->StartHotKeys(host_->Timer1);
    int loopsAtQuit = -1;
    Steps steps({[&] {
        loopsAtQuit = hk_->LoopsRunning();
        PostQuitMessage(7);
    }},
                100);
    EXPECT_EQ(plat::RunMessageLoop(), 7);
    EXPECT_EQ(loopsAtQuit, 1);
    EXPECT_EQ(hk_->LoopsRunning(), 0);
    EXPECT_FALSE(hk_->StopFlag);  // nobody asked it to stop: it left for the quit
}

}  // namespace
