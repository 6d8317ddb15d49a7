// Tab and Shift+Tab from the keyboard move the focus between the controls of
// the main window, the window inspector and the logo library, as in a dialog:
// every stop once, in the order the controls stand, wrapping at the ends.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "logo/sss.h"
#include "platform/services/system.h"
#include "platform/toolkit/forms.h"
#include "shell/frm_main.h"
#include "tests/win/hotkey_test_steps.h"
#include "window/window_forms.h"

namespace {

using hotkey_test::IniBesideExe;
using hotkey_test::PressKeys;

const std::string kNoHotkeys =
    "[HotKey]\r\n0=46,0,0,0\r\n1=46,0,0,0\r\n2=46,0,0,0\r\n3=46,0,0,0\r\n4=46,0,0,0\r\n5=46,0,0,0\r\n";

HWND Native(const plat::NativeControl& c) { return reinterpret_cast<HWND>(c.NativeHandle()); }

// One real key press (Shift+Tab when `back`), then events until the focus moves.
HWND Tab(bool back) {
    const HWND before = GetFocus();
    if (back)
        PressKeys({VK_SHIFT}, VK_TAB);
    else
        PressKeys({}, VK_TAB);
    for (int i = 0; i < 100 && GetFocus() == before; ++i) {
        plat::DoEvents();
        Sleep(10);
    }
    plat::DoEvents();
    return GetFocus();
}

// The stops Tab visits from `start` until it comes back to it (at most 60).
std::vector<HWND> Cycle(HWND start, bool back) {
    std::vector<HWND> seen{start};
    for (int i = 0; i < 60; ++i) {
        const HWND next = Tab(back);
        if (next == start || next == seen.back()) break;
        seen.push_back(next);
    }
    return seen;
}

// Focuses `first` in the shown form `form` and walks the cycle both ways.
void ExpectDialogTabbing(HWND form, HWND first, const std::vector<HWND>& inOrder) {
    SetForegroundWindow(form);
    SetFocus(first);
    plat::DoEvents();
    ASSERT_EQ(GetFocus(), first);

    const std::vector<HWND> forward = Cycle(first, false);
    ASSERT_GE(forward.size(), inOrder.size());
    EXPECT_EQ(GetFocus(), first) << "Tab wraps from the last stop to the first";
    for (HWND h : forward) {
        EXPECT_TRUE(IsChild(form, h)) << "Tab leaves the window";
        EXPECT_TRUE(IsWindowVisible(h) && IsWindowEnabled(h)) << "Tab stops on a control the user cannot use";
        EXPECT_EQ(std::count(forward.begin(), forward.end(), h), 1) << "a stop visited twice in one round";
    }
    // The named controls come one after another, in the order they stand.
    auto at = std::find(forward.begin(), forward.end(), inOrder.front());
    ASSERT_NE(at, forward.end());
    for (HWND h : inOrder) {
        ASSERT_NE(at, forward.end());
        EXPECT_EQ(*at, h);
        ++at;
    }

    // Shift+Tab goes the same round backwards.
    const std::vector<HWND> backward = Cycle(first, true);
    EXPECT_EQ(GetFocus(), first) << "Shift+Tab wraps from the first stop to the last";
    std::vector<HWND> reversed{forward.front()};
    reversed.insert(reversed.end(), forward.rbegin(), forward.rend() - 1);
    EXPECT_EQ(backward, reversed);
}

class TabOrderWin : public ::testing::Test {
protected:
    void TearDown() override {
        plat::UnloadForm<frmMain>();
        plat::UnloadForm<sss>();
        plat::UnloadForm<asd>();
        plat::DoEvents();
    }
    IniBesideExe ini_;
};

TEST_F(TabOrderWin, MainWindowHotkeyRowsThenTheLogoControls) {
    ini_.Set(kNoHotkeys);
    frmMain& f = plat::Forms<frmMain>();
    f.Show();
    plat::DoEvents();
    const std::wstring shown = f.txtHotKey[0].Text();
    ExpectDialogTabbing(reinterpret_cast<HWND>(f.hWnd()), Native(f.optSetHotKey),
                        {Native(f.optSetHotKey), Native(f.optTestHotKey), Native(f.txtHotKey[0]),
                         Native(f.txtHotKey[1]), Native(f.txtHotKey[2]), Native(f.txtHotKey[3])});
    // Tab is no hotkey: the box it left keeps what it showed.
    EXPECT_EQ(f.txtHotKey[0].Text(), shown);
}

TEST_F(TabOrderWin, InspectorFieldsInOrder) {
    ini_.Set(kNoHotkeys);
    asd& in = plat::Forms<asd>();
    in.Show();
    plat::DoEvents();
    ExpectDialogTabbing(reinterpret_cast<HWND>(in.hWnd()), Native(in.TxtHwnd),
                        {Native(in.TxtHwnd), Native(in.TxtHex), Native(in.TxtWndCap), Native(in.TxtClss),
                         Native(in.TxtRect)});
}

TEST_F(TabOrderWin, LogoLibraryPaths) {
    ini_.Set(kNoHotkeys);
    sss& lib = plat::Forms<sss>();
    lib.Show();
    plat::DoEvents();
    ExpectDialogTabbing(reinterpret_cast<HWND>(lib.hWnd()), Native(lib.baa[0]),
                        {Native(lib.baa[0]), Native(lib.baa[1]), Native(lib.baa[2])});
}

}  // namespace
