// The main window's hotkeys on the real platform: a.ini beside the program,
// native key-capture boxes and check boxes, and real hotkey presses.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/toolkit/forms.h"
#include "platform/services/system.h"
#include "logo/sss.h"
#include "shell/frm_main.h"
#include "tests/win/hotkey_test_steps.h"
#include "tests/win/save_modal_watcher.h"

namespace {

using hotkey_test::IniBesideExe;
using hotkey_test::PressKeys;
using hotkey_test::Steps;

// What assets/a.ini ships (the end-to-end test starts from that file itself).
const std::string kShipped =
    "[HotKey]\r\n0=81,0,-1,0\r\n1=65,0,-1,0\r\n2=90,0,-1,0\r\n3=88,0,-1,0\r\n4=46,0,0,0\r\n5=46,0,0,0\r\n";

struct Press {
    std::int32_t number, keyCode;
    bool ctrl, alt, shift;
    friend bool operator==(const Press&, const Press&) = default;
};

HWND Native(const plat::NativeControl& c) { return reinterpret_cast<HWND>(c.NativeHandle()); }

std::wstring TextOf(HWND h) {
    wchar_t buf[256] = {};
    GetWindowTextW(h, buf, 256);
    return buf;
}

// Lets the system deliver injected input and the program handle it.
void Settle() {
    for (int i = 0; i < 10; ++i) {
        plat::DoEvents();
        Sleep(20);
    }
}

class MainHotKeysWin : public ::testing::Test {
protected:
    void TearDown() override {
        plat::UnloadForm<frmMain>();
        plat::UnloadForm<sss>();
        plat::DoEvents();
    }
    // With hotkeys registered the start timer hands the thread to the hotkey
    // loop 10 ms later, so such a test lets events run only from its steps.
    frmMain& Start(bool settle) {
        frmMain& f = plat::Forms<frmMain>();
        f.Show();
        f.cHK->HotKeyPress = [this](std::int32_t n, std::int32_t key, bool c, bool a, bool s) {
            presses_.push_back({n, key, c, a, s});
        };
        if (settle) Settle();
        return f;
    }
    IniBesideExe ini_;
    std::vector<Press> presses_;
};

TEST_F(MainHotKeysWin, AFirstRunShowsNoHotkeysAndWritesNoFile) {
    frmMain& f = Start(true);
    EXPECT_EQ(GetFileAttributesW(ini_.Path().c_str()), INVALID_FILE_ATTRIBUTES) << ini_.Bytes();
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(TextOf(Native(f.txtHotKey[i])), L"Not set hotkey") << i;
        EXPECT_FALSE(IsWindowEnabled(Native(f.txtHotKey[i])));
    }
    EXPECT_EQ(f.cHK->HotKeysCount(), 0);
    EXPECT_EQ(TextOf(Native(f.optTestHotKey)), L"start to snip");
    EXPECT_EQ(SendMessageW(Native(f.optTestHotKey), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(GetParent(Native(f.txtHotKey[0])), reinterpret_cast<HWND>(f.hWnd()));
}

TEST_F(MainHotKeysWin, TheShippedHotkeysArriveWithTheirRowNumbers) {
    ini_.Set(kShipped);
    frmMain& f = Start(false);
    EXPECT_EQ(f.HotKeyIds, (std::vector<std::int32_t>{1, 2, 3, 4, -1, -1}));
    EXPECT_EQ(TextOf(Native(f.txtHotKey[0])), L"Alt + Q");
    // Held by the program now: nobody else gets Alt+X.
    EXPECT_FALSE(RegisterHotKey(nullptr, 0x4567, MOD_ALT, 'X'));

    Steps steps({[] { PressKeys({VK_MENU}, 'Q'); }, [] { PressKeys({VK_MENU}, 'X'); },
                 [&f] { SendMessageW(Native(f.optSetHotKey), BM_CLICK, 0, 0); }},  // edit mode ends the loop
                150);
    plat::RunMessageLoop();
    ASSERT_TRUE(steps.Finished());
    EXPECT_EQ(presses_, (std::vector<Press>{{1, 'Q', false, true, false}, {4, 'X', false, true, false}}));
    EXPECT_EQ(f.cHK->LoopsRunning(), 0);
    EXPECT_EQ(f.cHK->HotKeysCount(), 0);  // edit mode unregistered everything
    EXPECT_TRUE(RegisterHotKey(nullptr, 0x4567, MOD_ALT, 'X'));
    UnregisterHotKey(nullptr, 0x4567);
}

// Another program holding a combination costs the user nothing: the row says
// it is not registered, a save writes its stored form back unchanged, and the
// next row keeps its own mode.
TEST_F(MainHotKeysWin, AHotkeyHeldElsewhereKeepsItsStoredForm) {
    ASSERT_TRUE(RegisterHotKey(nullptr, 0x4568, MOD_ALT, 'Z'));
    ini_.Set(kShipped);
    // If the balloon cannot be shown the same lines come in a box: close it.
    save_testing::ModalWatcher box(L"Morrowen Snip: A hotkey is not registered",
                                   [](HWND h) { PostMessageW(h, WM_COMMAND, IDOK, 0); });
    frmMain& f = Start(false);
    EXPECT_EQ(TextOf(Native(f.txtHotKey[2])), L"Alt + Z (in use)");
    EXPECT_EQ(f.HotKeyIds, (std::vector<std::int32_t>{1, 2, -1, 3, -1, -1}));
    EXPECT_EQ(f.RefusedHotKeys, (std::vector<std::wstring>{L"Alt + Z (window snip) is taken by another program."}));
    f.cmdSave_Click();
    EXPECT_EQ(ini_.Bytes(), kShipped);
    UnregisterHotKey(nullptr, 0x4568);
}

TEST_F(MainHotKeysWin, KeysPressedInABoxBecomeAHotkeyThatWorksInUseMode) {
    frmMain& f = Start(true);  // no hotkeys yet: nothing takes the thread over
    SendMessageW(Native(f.optSetHotKey), BM_CLICK, 0, 0);
    ASSERT_EQ(f.optSetHotKey.Value(), 1);
    ASSERT_TRUE(IsWindowEnabled(Native(f.txtHotKey[0])));

    f.txtHotKey[0].SetFocus();
    PressKeys({VK_CONTROL, VK_SHIFT}, VK_F2);
    Settle();
    EXPECT_EQ(TextOf(Native(f.txtHotKey[0])), L"Ctrl + Shift + F2");
    EXPECT_EQ(f.txtHotKey[0].Tag, L"113,-1,0,-1");

    // Alt combinations come as system keys; the box takes them all the same.
    f.txtHotKey[1].SetFocus();
    PressKeys({VK_MENU}, 'Z');
    Settle();
    EXPECT_EQ(TextOf(Native(f.txtHotKey[1])), L"Alt + Z");
    EXPECT_EQ(f.txtHotKey[1].Tag, L"90,0,-1,0");

    SendMessageW(Native(f.optTestHotKey), BM_CLICK, 0, 0);
    EXPECT_EQ(f.optTestHotKey.Value(), 1);
    EXPECT_EQ(f.optSetHotKey.Value(), 0);
    EXPECT_FALSE(IsWindowEnabled(Native(f.txtHotKey[0])));
    EXPECT_EQ(ini_.Bytes(),
              "[HotKey]\r\n0=113,-1,0,-1\r\n1=90,0,-1,0\r\n2=46,0,0,0\r\n3=46,0,0,0\r\n4=46,0,0,0\r\n5=46,0,0,0\r\n");

    Steps steps({[] { PressKeys({VK_MENU}, 'Z'); }, [] { PressKeys({VK_CONTROL, VK_SHIFT}, VK_F2); },
                 [&f] { f.cHK->StopHotKeys(); }},
                150);
    plat::RunMessageLoop();
    ASSERT_TRUE(steps.Finished());
    EXPECT_EQ(presses_, (std::vector<Press>{{2, 'Z', false, true, false}, {1, VK_F2, true, false, true}}));
}

}  // namespace
